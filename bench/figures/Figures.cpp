// The performance figures side by side, each with the figure it is compared with, in one run
// against the simulated line on a pty at 38400 baud: what the port adds to an exchange, a whole
// controller read, the CPU time of an idle port and of live monitoring with every group on, the
// start-up to the main window shown, the log graph's redraw per sample with a full buffer, and
// the peak resident memory of the program with every window opened once and of kq9ctl during a
// backup. The program's figures come from processes of their own (this benchmark in a program
// mode, or kq9ctl as built), so that the simulator on this side of the pty is not counted.
//
//     figures                          the whole table
//     figures --startup|--windows HOME
//     figures --live HOME SECONDS      a program mode, run by the table

#include "FiguresApp.h"
#include "FiguresChild.h"

#include "comm/ComNames.h"
#include "comm/LBComm.h"
#include "comm/PlainHandover.h"
#include "params/LeesParSollSequence.h"
#include "sim/SimLine.h"
#include "sim/SimPtyServer.h"
#include "support/BulkFigures.h"
#include "support/ExchangeFigures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int LiveSeconds = 10;
constexpr int StartupRuns = 5;

struct TRow {
    std::string Name, Measured, Target;
    bool HasTarget = true;
    bool Met = true;
};

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string SelfPath() {
    return fs::read_symlink("/proc/self/exe").string();
}

// The settings, data and user folders of a program run: nothing it writes lands outside.
std::vector<std::string> ProgramEnvironment(const std::string& root) {
    for (const char* folder : {"user", "run"})
        fs::create_directories(fs::path(root) / folder);
    fs::permissions(fs::path(root) / "run", fs::perms::owner_all);
    const std::string user = root + "/user";
    return {"QT_QPA_PLATFORM=offscreen",
            "HOME=" + user,
            "XDG_CONFIG_HOME=" + user + "/.config",
            "XDG_CACHE_HOME=" + user + "/.cache",
            "XDG_DATA_HOME=" + user + "/.local/share",
            "XDG_RUNTIME_DIR=" + root + "/run"};
}

// The first word after `key` in a child's output; -1 when it is not there.
double Field(const std::string& out, const std::string& key, int index = 0) {
    std::istringstream lines(out);
    std::string word;
    while (lines >> word) {
        if (word != key)
            continue;
        double value = -1;
        for (int i = 0; i <= index; ++i)
            lines >> value;
        return value;
    }
    return -1;
}

TRow Missing(const std::string& name, const std::string& target) {
    return {name, "not measured", target, true, false};
}

void Print(const std::vector<TRow>& rows) {
    std::printf("\n%-52s %-20s %-16s %s\n", "figure", "measured", "target", "");
    for (const TRow& r : rows)
        std::printf("%-52s %-20s %-16s %s\n", r.Name.c_str(), r.Measured.c_str(), r.Target.c_str(),
                    !r.HasTarget ? ""
                    : r.Met      ? "met"
                                 : "MISSED");
}

int Table() {
    auto line = std::make_shared<TSimLine>();
    line->AddUnit(0);
    TSimPtyServer server(line);
    if (server.Start() != 0) {
        std::fprintf(stderr, "figures: no pty\n");
        return 1;
    }
    const std::string pty = server.SlavePath();
    TTempFolder temp;
    const std::string home = temp.Path + "/home";
    fs::create_directories(home);
    PrepareHome(home, pty);
    const std::vector<std::string> environment = ProgramEnvironment(temp.Path);
    std::vector<TRow> rows;

    std::fprintf(stderr, "figures: exchanges and an idle port ...\n");
    const TExchangeFigures exchange = MeasureExchanges(pty, 200);
    rows.push_back({"per-exchange overhead over the protocol floor",
                    Format("%.3f ms", exchange.OverheadMs()), "< 1 ms", true,
                    exchange.Failed == 0 && exchange.OverheadMs() < 1.0});
    rows.push_back({"CPU time of an idle open port", Format("%.2f ms in 5 s", exchange.IdleCpuMs),
                    "< 10 ms in 5 s", true, exchange.IdleCpuMs < 10.0});

    std::fprintf(stderr, "figures: a mode 3 read ...\n");
    TRunFigures read{"mode 3 read"};
    {
        TPlainHandover handover;
        SetUiHandover(&handover);
        SetComDevicePath(TPort::COM1, pty);
        TLBComm port;
        port.SetBaudrate(TBaudrate::br38400);
        port.Open();
        TLeesParSollSequence lees(&port);
        RunBulk(handover, lees, read);
        port.Close();
        SetUiHandover(nullptr);
    }
    MeasureRaw(pty, ReadCommands(), read);
    rows.push_back({"mode 3 read (448 values) against its floor",
                    Format("%.4f", read.Ratio()) + Format(" (%.2f s)", read.TotalS), "<= 1.02",
                    true, read.Finished && read.Ratio() <= 1.02});

    std::fprintf(stderr, "figures: live monitoring for %d s ...\n", LiveSeconds);
    TChildFigures live =
        RunChild({SelfPath(), "--live", home, std::to_string(LiveSeconds)}, environment);
    double liveCpu = Field(live.Out, "live"), liveWall = Field(live.Out, "live", 1);
    if (live.ExitCode == 0 && liveWall > 0) {
        double percent = liveCpu / liveWall * 100.0;
        rows.push_back({"CPU of live monitoring, every group on",
                        Format("%.2f %% of a core", percent), "< 5 %", true, percent < 5.0});
    } else
        rows.push_back(Missing("CPU of live monitoring, every group on", "< 5 %"));

    std::fprintf(stderr, "figures: start-up, %d runs ...\n", StartupRuns);
    std::vector<double> startups;
    for (int i = 0; i < StartupRuns; ++i) {
        TChildFigures run = RunChild({SelfPath(), "--startup", home}, environment);
        if (run.ExitCode == 0 && run.Out.starts_with("shown"))
            startups.push_back(run.FirstLineS);
    }
    if (!startups.empty()) {
        std::sort(startups.begin(), startups.end());
        double median = startups[startups.size() / 2];
        rows.push_back({"start-up to the main window shown, offscreen",
                        Format("%.3f s (median)", median), "< 0.3 s", true, median < 0.3});
    } else
        rows.push_back(Missing("start-up to the main window shown, offscreen", "< 0.3 s"));

    std::fprintf(stderr, "figures: every window once, and the log graph's redraw ...\n");
    TChildFigures windows = RunChild({SelfPath(), "--windows", home}, environment);
    double redraw = Field(windows.Out, "redraw");
    if (windows.ExitCode == 0 && redraw >= 0)
        rows.push_back({"log-graph redraw per sample, 4001 samples", Format("%.3f ms", redraw),
                        "< 2 ms", true, redraw < 2.0});
    else
        rows.push_back(Missing("log-graph redraw per sample, 4001 samples", "< 2 ms"));
    if (windows.ExitCode == 0)
        rows.push_back({"peak resident memory, kq9 with every window opened",
                        Format("%.1f MB", static_cast<double>(windows.PeakKb) / 1024.0), "-",
                        false});
    else
        rows.push_back(
            {"peak resident memory, kq9 with every window opened", "not measured", "-", false});

    std::fprintf(stderr, "figures: a kq9ctl backup ...\n");
    TChildFigures backup = RunChild({std::string(KQ9_BIN_DIR) + "/kq9ctl", "--home", home, "--port",
                                     pty, "--baud", "38400", "backup", home + "/figures.bak"},
                                    environment);
    rows.push_back({"peak resident memory, kq9ctl during a backup",
                    backup.ExitCode == 0
                        ? Format("%.1f MB", static_cast<double>(backup.PeakKb) / 1024.0) +
                              Format(" (%.1f s)", backup.WallS)
                        : "not measured",
                    "-", false});

    Print(rows);
    std::printf("\nThe floor of an exchange is the 50 ms silence that ends a reply plus the "
                "simulator's own latency (%.2f ms, measured apart on the raw pty); a real line "
                "at 38400 baud adds %.2f ms of byte times to each exchange.\n",
                exchange.SimLatencyMs, ExchangeByteTimesMs());
    bool measured = std::none_of(rows.begin(), rows.end(),
                                 [](const TRow& r) { return r.Measured == "not measured"; });
    return measured ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[1] : "";
    if (mode == "--startup")
        return RunStartupMode(argv[0], argv[2]);
    if (mode == "--windows")
        return RunWindowsMode(argv[0], argv[2]);
    if (mode == "--live" && argc > 3)
        return RunLiveMode(argv[0], argv[2], std::atoi(argv[3]));
    if (argc > 1) {
        std::fprintf(stderr, "usage: figures [--startup|--windows HOME | --live HOME SECONDS]\n");
        return 1;
    }
    return Table();
}
