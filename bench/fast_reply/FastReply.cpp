// Replies that end at their line end against replies that end after 50 ms of silence, in one run
// on the simulated line's pty, through the program's own pieces: a backup read (mode 3, 448
// exchanges), the main window's live view with every group on, and the log graph's recording.
// The pty has no byte times, so what each would take on a real line at 9600, 38400 and 115200
// baud is computed from the bytes every exchange moved (taken from the communication log) and
// the line's character frame. Last, what the communication log costs on a backup read.

#include "app/CommunicatieLog.h"
#include "app/GlobalVar.h"
#include "app/KX71Main.h"
#include "calib/GrafiekRecorder.h"
#include "comm/ComNames.h"
#include "comm/CommLog.h"
#include "comm/CommLogWriter.h"
#include "comm/QtHandover.h"
#include "params/LeesParSollSequence.h"
#include "params/ParamStore.h"
#include "sim/SimLine.h"
#include "sim/SimPtyServer.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void ProcessUntil(const std::function<bool()>& done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

void ProcessFor(double seconds) {
    QDeadlineTimer deadline(static_cast<qint64>(seconds * 1000));
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// What one group of exchanges moved and took on the pty.
struct TExchanges {
    size_t Count = 0;
    double Bytes = 0;      // command and reply bytes, all exchanges together
    double PtySeconds = 0; // the exchanges' durations, all together

    void Add(const TCommLogEntry& entry) {
        ++Count;
        Bytes += static_cast<double>(entry.Command.size() + entry.Reply.size());
        PtySeconds += entry.DurationMs / 1000.0;
    }
    // The mean exchange on a real line: the time measured on the pty (which has no byte times)
    // plus the bytes at `baud`.
    double RealSeconds(double baud, double bitsPerCharacter) const {
        return Count == 0
                   ? 0
                   : (PtySeconds + Bytes * bitsPerCharacter / baud) / static_cast<double>(Count);
    }
};

struct TModeFigures {
    double ReadSeconds = 0;
    bool ReadFinished = false;
    TExchanges Read;
    // Live view: values per second of each component, and the exchanges of one component.
    std::map<std::string, double> LiveRates;
    std::map<std::string, TExchanges> Live;
    double ThumbwheelPanelRate = 0;
    double GraphRate = 0; // samples per second
    TExchanges Graph;
};

// Every live component of the main window, as the Actual, I/O and thumbwheel groups run them.
std::vector<TLD100Protocol*> LiveComponents(TFormMain& form) {
    return {&form.LD100ActPos,       &form.LD100Snelheid,    &form.LD100ActPosLin,
            &form.LD100Spanning_uit, &form.LD100Spanning_in, &form.LD100Analoog_in_AWE,
            &form.LD100_in,          &form.LD100_uit,        &form.LD100Duimwiel};
}

void MeasureRead(TFormMain& form, TCommLog& log, TModeFigures& figures) {
    log.Clear();
    TLeesParSollSequence lees(&form.LBComm1);
    lees.Mode = 3;
    auto start = Clock::now();
    lees.Start();
    ProcessUntil([&] { return lees.Stopped(); });
    figures.ReadSeconds = Seconds(Clock::now() - start);
    figures.ReadFinished = lees.End() == TTransferEnd::Finished;
    for (const TCommLogEntry& entry : log.Take().Entries)
        figures.Read.Add(entry);
}

void MeasureLiveView(TFormMain& form, TCommLog& log, double seconds, TModeFigures& figures) {
    std::map<TLBProtocolComponent*, int> results;
    std::vector<TCommResultEvent> handlers;
    for (TLD100Protocol* component : LiveComponents(form)) {
        handlers.push_back(component->OnCommResult);
        component->OnCommResult = [&results, handler = component->OnCommResult](
                                      TLBProtocolComponent* sender, TMemoryStream& result) {
            ++results[sender];
            handler(sender, result);
        };
    }
    form.Timer1.start();
    form.CmdActual->click();
    form.CmdInUit->click();
    form.CmdDuimwiel->click();
    ProcessFor(0.5);
    results.clear();
    log.Clear();
    auto start = Clock::now();
    ProcessFor(seconds);
    double elapsed = Seconds(Clock::now() - start);
    std::map<TLBProtocolComponent*, int> counted = results;
    form.StopLiveMonitoring();
    form.Timer1.stop();
    ProcessUntil([&] { return form.LBComm1.QueueLength() == 0; });
    std::vector<TLD100Protocol*> components = LiveComponents(form);
    for (size_t i = 0; i < components.size(); ++i) {
        components[i]->OnCommResult = handlers[i];
        figures.LiveRates[components[i]->Name()] = counted[components[i]] / elapsed;
    }
    figures.ThumbwheelPanelRate = figures.LiveRates["LD100Duimwiel"] / 4;
    for (const TCommLogEntry& entry : log.Take().Entries)
        figures.Live[entry.Component].Add(entry);
}

void MeasureGraph(TFormMain& form, TCommLog& log, double seconds, TModeFigures& figures) {
    log.Clear();
    TGrafiekRecorder recorder(&form.LBComm1);
    recorder.Start(0);
    QDeadlineTimer deadline(static_cast<qint64>(seconds * 1000));
    ProcessUntil([&] { return !recorder.Recording() || deadline.hasExpired(); });
    recorder.Stop();
    ProcessUntil([&] { return !recorder.RequestOut(); });
    const TLogBuffer& buffer = recorder.Buffer;
    if (buffer.Count > 1 && buffer.Times[static_cast<size_t>(buffer.Newest)] > 0)
        figures.GraphRate =
            (buffer.Count - 1) * 1000.0 / buffer.Times[static_cast<size_t>(buffer.Newest)];
    for (const TCommLogEntry& entry : log.Take().Entries)
        figures.Graph.Add(entry);
}

int BitsPerCharacter(const TLBComm& port) {
    return 1 + (port.FrameDatabits() == TDataBit::db_7 ? 7 : 8) +
           (port.FrameParitybit() == TParityBit::None ? 0 : 1) +
           (port.FrameStopbits() == TStopBit::sb_2 ? 2 : 1);
}

// A live-view round: one exchange of every live component (each panel's value once); a
// thumbwheel panel gets its value every fourth round.
double RealRoundSeconds(const TModeFigures& f, double baud, double bits) {
    double round = 0;
    for (const auto& [name, exchanges] : f.Live)
        if (name != "LD100ReadError")
            round += exchanges.RealSeconds(baud, bits);
    return round;
}

void PrintRow(const char* name, double fallback, double fast, const char* unit, const char* note) {
    std::printf("  %-34s %12.3f %12.3f %9.1fx  %s %s\n", name, fallback, fast,
                fallback > 0 ? (unit[0] == 's' ? fallback / fast : fast / fallback) : 0.0, unit,
                note);
}

void Print(const TModeFigures& silence, const TModeFigures& lineEnd, int bits) {
    std::printf("On the simulator's pty (no byte times), default mode (50 ms silence) against "
                "replies ending at their line end:\n");
    std::printf("  %-34s %12s %12s %10s\n", "", "default", "line end", "gain");
    PrintRow("mode 3 read, 448 exchanges", silence.ReadSeconds, lineEnd.ReadSeconds, "s",
             "(target: at least 10x faster)");
    if (!silence.ReadFinished || !lineEnd.ReadFinished)
        std::printf("  (A READ DID NOT FINISH)\n");
    for (const auto& [name, rate] : lineEnd.LiveRates) {
        std::string label = "live view " + name + ", values/s";
        PrintRow(label.c_str(), silence.LiveRates.at(name), rate, "Hz",
                 name == "LD100Duimwiel" ? "(4 panels share it)" : "(target: at least 10 Hz)");
    }
    PrintRow("live view, each thumbwheel panel", silence.ThumbwheelPanelRate,
             lineEnd.ThumbwheelPanelRate, "Hz", "(target: at least 10 Hz)");
    PrintRow("log graph, samples/s", silence.GraphRate, lineEnd.GraphRate, "Hz",
             "(target: at least 150)");

    std::printf("\nComputed for a real line (%d-bit characters; the pty's exchange times plus the "
                "bytes at the rate; the simulated unit's 3 ms turnaround included):\n",
                bits);
    std::printf("  %-34s", "");
    for (int baud : {9600, 38400, 115200})
        std::printf("  %8d: default  line end", baud);
    std::printf("\n");
    auto row = [&](const char* name, auto value) {
        std::printf("  %-34s", name);
        for (double baud : {9600.0, 38400.0, 115200.0})
            std::printf("  %17.2f %9.2f", value(silence, baud), value(lineEnd, baud));
        std::printf("\n");
    };
    row("mode 3 read, s", [&](const TModeFigures& f, double baud) {
        return f.Read.RealSeconds(baud, bits) * static_cast<double>(f.Read.Count);
    });
    row("live view, values/s per panel",
        [&](const TModeFigures& f, double baud) { return 1.0 / RealRoundSeconds(f, baud, bits); });
    row("live view, each thumbwheel panel", [&](const TModeFigures& f, double baud) {
        return 1.0 / (4 * RealRoundSeconds(f, baud, bits));
    });
    row("log graph, samples/s",
        [&](const TModeFigures& f, double baud) { return 1.0 / f.Graph.RealSeconds(baud, bits); });
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The log's own work for one exchange, apart from the line: the worker's entry and its adding,
// and the reader's taking and formatting of the line.
double LogWorkMicroseconds() {
    constexpr int Count = 20000;
    TCommLog log(Count);
    auto start = Clock::now();
    for (int i = 0; i < Count; ++i) {
        TCommLogEntry entry;
        entry.Time = std::chrono::system_clock::now();
        entry.Component = "LD100LeesParSoll";
        entry.Command = "rp " + std::to_string(i % 400) + "\r";
        entry.Reply = "rp " + std::to_string(i % 400) + " -12345\r\n";
        entry.DurationMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        log.Add(std::move(entry));
    }
    size_t characters = 0;
    for (const TCommLogEntry& entry : log.Take().Entries)
        characters += QString::fromStdString(CommLogLine(entry, 1)).size();
    return Seconds(Clock::now() - start) * 1e6 / Count + (characters == 0 ? 1 : 0);
}

// The log's cost on a backup read with replies ending at their line end (where the log weighs
// most): no log, the buffer alone (the program with the log window closed), the log window open
// and taking the entries, and kq9ctl --log writing them to a file. The runs are interleaved;
// the fastest run of each counts, the one least disturbed by the machine's other work. On a
// shared machine these wall times still vary by several per cent from run to run, so the log's
// own work per exchange is measured apart as well.
void MeasureLogCost(TFormMain& form, const std::shared_ptr<TCommLog>& programLog,
                    const TModeFigures& lineEnd) {
    constexpr int Runs = 5;
    const char* names[] = {"no log", "buffer only (window closed)", "log window open",
                           "kq9ctl --log FILE"};
    std::vector<double> times[4], cpu[4];
    TFormCommunicatieLog window(&form.LBComm1, &form);
    QTemporaryDir dir;
    for (int run = 0; run < Runs; ++run) {
        // Each run starts with another variant, so none always follows the same one.
        for (int step = 0; step < 4; ++step) {
            const int variant = (run + step) % 4;
            std::shared_ptr<TCommLog> log;
            std::FILE* file = nullptr;
            std::unique_ptr<TCommLogWriter> writer;
            if (variant == 1)
                log = programLog;
            if (variant == 2) {
                log = window.Log();
                window.ShowNonModal();
            }
            if (variant == 3) {
                log = std::make_shared<TCommLog>();
                file = std::fopen(dir.filePath(QStringLiteral("line.log")).toLocal8Bit(), "w");
                writer = std::make_unique<TCommLogWriter>(log, file, 1);
            }
            form.LBComm1.SetLog(log);
            TLeesParSollSequence lees(&form.LBComm1);
            lees.Mode = 3;
            double cpuStart = CpuSeconds();
            auto start = Clock::now();
            lees.Start();
            ProcessUntil([&] { return lees.Stopped(); });
            times[variant].push_back(Seconds(Clock::now() - start));
            if (writer)
                writer->Finish();
            cpu[variant].push_back(CpuSeconds() - cpuStart);
            if (file)
                std::fclose(file);
            window.hide();
            if (log)
                log->Clear();
        }
    }
    form.LBComm1.SetLog(programLog);
    auto fastest = [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    };
    double base = fastest(times[0]);
    std::printf(
        "\nThe communication log's cost on a mode 3 read with replies ending at their line "
        "end (fastest of %d interleaved runs; CPU of the whole process; target: under 2 %%):\n",
        Runs);
    for (int variant = 0; variant < 4; ++variant) {
        double t = fastest(times[variant]);
        std::printf("  %-30s %8.3f s  %+6.2f %%   CPU %6.3f s\n", names[variant], t,
                    (t / base - 1) * 100, fastest(cpu[variant]));
    }
    double work = LogWorkMicroseconds();
    double exchange = lineEnd.Read.PtySeconds * 1e6 / static_cast<double>(lineEnd.Read.Count);
    std::printf("  the log's own work per exchange: %.2f us (entry, adding, taking, formatting), "
                "%.3f %% of the mean exchange of %.0f us\n",
                work, work / exchange * 100, exchange);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto line = std::make_shared<TSimLine>();
    line->AddUnit(0);
    TSimPtyServer server(line);
    if (server.Start() != 0) {
        std::fprintf(stderr, "no pty\n");
        return 1;
    }
    QTemporaryDir home;
    SetProgramPath(home.path());
    TQtHandover handover;
    SetUiHandover(&handover);
    SetComDevicePath(TPort::COM1, server.SlavePath());
    // Every value of the Actual group requested: the linearised position, the output voltage
    // and the input voltage besides position, velocity and the analog input.
    ParamStore().ParData[246] = 1;
    ParamStore().ParData[388] = 1;
    ParamStore().ParData[226] = 0;

    TModeFigures silence, lineEnd;
    int bits = 0;
    {
        TFormMain form({QStringLiteral("kq9")});
        form.Timer1.stop();
        form.LBComm1.SetBaudrate(TBaudrate::br38400);
        bits = BitsPerCharacter(form.LBComm1);
        auto log = std::make_shared<TCommLog>();
        form.LBComm1.SetLog(log);
        form.LBComm1.Open();
        for (auto [fast, figures] : {std::pair{false, &silence}, std::pair{true, &lineEnd}}) {
            form.LBComm1.SetReplyEndsAtLineEnd(fast);
            MeasureRead(form, *log, *figures);
            MeasureLiveView(form, *log, fast ? 3.0 : 8.0, *figures);
            MeasureGraph(form, *log, fast ? 3.0 : 6.0, *figures);
        }
        Print(silence, lineEnd, bits);
        form.LBComm1.SetReplyEndsAtLineEnd(true);
        MeasureLogCost(form, log, lineEnd);
        form.LBComm1.Close();
    }
    SetUiHandover(nullptr);
    return silence.ReadFinished && lineEnd.ReadFinished ? 0 : 1;
}
