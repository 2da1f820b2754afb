#include "SoakScenario.h"

#include "SoakMemory.h"
#include "SoakUi.h"

#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>

#include <cstdio>

namespace kq9soak {

namespace {

// How long a fault's command may take to come before the soak gives up on it.
constexpr int ReachMs = 20000;

bool IsNumberText(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+(,[0-9]+)?( V| mA)?$"));
    return number.match(text).hasMatch();
}

std::string Quoted(const QString& text) {
    return '"' + text.toStdString() + '"';
}

} // namespace

TSoakScenario::TSoakScenario(TKq9Windows& windows, TSoakLine& line, const TDeviceLog& device,
                             TWatchdog& watchdog, TBoxes& boxes, TTally& tally,
                             const TSoakOptions& options)
    : W(windows), Main(windows.FormMain), FLine(line), FDevice(device), FWatchdog(watchdog),
      FBoxes(boxes), FTally(tally), FOptions(options), FRandom(options.Seed) {}

void TSoakScenario::Run() {
    FStartMs = NowMs();
    FMemory.StartKb = ResidentKb();
    EnsureOnline("the start");
    while (!TimeUp()) {
        SampleMemory();
        int r = Between(FRandom, 0, 99);
        if (r < 35)
            LiveView(Between(FRandom, 10, 25));
        else if (r < 45)
            ReadIntoStore();
        else if (r < 55)
            Backup();
        else if (r < 65)
            Restore();
        else if (r < 77)
            LogGraph();
        else if (r < 88)
            Search();
        else
            DropInLiveView();
    }
    SampleMemory();
    FMemory.EndKb = ResidentKb();
    // The program ends as the user ends it, with the live view running.
    Step("closing the program");
    EnsureOnline("the last activity");
    EnsureLiveGroups(true);
    Pause(500);
    Choose(Main.Exit1);
}

bool TSoakScenario::TimeUp() const {
    return NowMs() - FStartMs >= static_cast<int64_t>(FOptions.Seconds) * 1000;
}

void TSoakScenario::Step(const std::string& activity) {
    FWatchdog.SetActivity(activity);
    Log(activity + " (" + std::to_string(ResidentKb()) + " kB)");
}

void TSoakScenario::Choose(QAction* item) {
    if (!WaitOnUi([] { return QApplication::activeModalWidget() == nullptr; }, 5000)) {
        Fail("a window was left open in front: " + ModalWindow());
        OnUi([] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->done(QDialog::Rejected);
        });
    }
    Post([item] { item->trigger(); });
}

std::string TSoakScenario::ModalWindow() {
    return OnUi([] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return std::string("none");
        return std::string(modal->metaObject()->className()) + " \"" +
               modal->windowTitle().toStdString() + "\"";
    });
}

void TSoakScenario::Log(const std::string& text) {
    std::printf("soak: %7.1f s  %s\n", static_cast<double>(NowMs() - FStartMs) / 1000.0,
                text.c_str());
    std::fflush(stdout);
}

void TSoakScenario::Fail(const std::string& text) {
    Log("FAILED: " + text + "\n  last commands:\n" + FDevice.Recent());
    FTally.Failure(text);
}

void TSoakScenario::SampleMemory() {
    int64_t kb = ResidentKb();
    int64_t baselineAt = std::min<int64_t>(60, FOptions.Seconds / 2) * 1000;
    if (NowMs() - FStartMs < baselineAt)
        return;
    if (FMemory.BaselineKb == 0)
        FMemory.BaselineKb = kb;
    FMemory.PeakKb = std::max(FMemory.PeakKb, kb);
}

TFault TSoakScenario::Pick(std::initializer_list<TFault> faults) {
    return *(faults.begin() + Between(FRandom, 0, static_cast<int>(faults.size()) - 1));
}

bool TSoakScenario::Inject(const std::string& window, TFault fault, int unit,
                           const TSimFaults& faults, const TExpectation& expect,
                           const std::function<void()>& then) {
    FTally.Injected(window, fault);
    auto never = [] { return false; };
    auto shown = FWatchdog.Watch(expect.Shown ? expect.Shown : never);
    auto wrong = FWatchdog.Watch(expect.Wrong ? expect.Wrong : never);
    FLine.Arm(unit, faults);
    if (then)
        then();
    const int64_t armed = NowMs();
    int64_t reached = 0;
    bool ok = false;
    for (;;) {
        Pause(10);
        if (shown->Seen) {
            ok = true;
            FTally.Shown(window, fault);
            Log(window + ": " + FaultName(fault) + " on \"" + faults.AppliesTo + "\": shown");
            break;
        }
        int64_t now = NowMs();
        if (!reached && FLine.TimesLeft(unit) == 0)
            reached = now;
        if (!reached && (now - armed > ReachMs || (expect.Gone && OnUi(expect.Gone)))) {
            FTally.NotReached(window, fault);
            Log(window + ": " + FaultName(fault) + " on \"" + faults.AppliesTo + "\": not reached");
            break;
        }
        auto missed = [&] {
            std::string detail = "after \"" + faults.AppliesTo + "\" " +
                                 (expect.Describe ? OnUi(expect.Describe) : std::string());
            FTally.Missed(window, fault, detail);
            Log(window + ": " + FaultName(fault) + " MISSED: " + detail + "\n  last commands:\n" +
                FDevice.Recent());
        };
        if (wrong->Seen) {
            missed();
            break;
        }
        if (reached && now - reached > expect.WithinMs) {
            if (expect.RidesOut) {
                ok = true;
                FTally.Shown(window, fault);
                Log(window + ": " + FaultName(fault) + " on \"" + faults.AppliesTo +
                    "\": ridden out");
            } else {
                missed();
            }
            break;
        }
    }
    FLine.Disarm(unit);
    FWatchdog.Forget(shown);
    FWatchdog.Forget(wrong);
    // A unit answering late, or in pieces, is busy until it has: the next request would wait
    // for it as well.
    constexpr int LongestAnswer = 40;
    Pause(faults.FirstByteDelayMs +
          (faults.ChunkSize > 0 ? LongestAnswer / faults.ChunkSize * faults.ChunkGapMs : 0));
    return ok;
}

bool TSoakScenario::EnsureOnline(const std::string& after) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!OnUi([&] { return Main.LBComm1.Active(); }))
            OnUi([&] { Main.CmdSelectUnit->click(); });
        if (WaitOnUi(
                [&] { return Main.LBComm1.Active() && !Main.StatusPanel[4]->text().isEmpty(); },
                5000))
            return true;
        // Opened at a bad moment (a reply still on its way): the user closes and opens again.
        if (OnUi([&] { return Main.LBComm1.Active(); }))
            OnUi([&] { Main.CmdSelectUnit->click(); });
    }
    Fail("the port was not usable again after " + after);
    return false;
}

void TSoakScenario::EnsureLiveGroups(bool on) {
    OnUi([&] {
        if (GlobalVar().ActualActive != on && Main.CmdActual->isEnabled())
            Main.CmdActual->click();
        if (GlobalVar().InOutActive != on && Main.CmdInUit->isEnabled())
            Main.CmdInUit->click();
        if (GlobalVar().ThumbwheelActive != on && Main.CmdDuimwiel->isEnabled())
            Main.CmdDuimwiel->click();
    });
}

bool TSoakScenario::Replug() {
    if (!WaitOnUi([&] { return FLine.Dropped(); }, 3000)) {
        Fail("the simulated line did not drop");
        return false;
    }
    int error = FLine.Replug();
    if (error != 0) {
        Fail("no new pty: " + std::to_string(error));
        return false;
    }
    return true;
}

bool TSoakScenario::DropLine(const std::string& window, const TLook& shown, int withinMs) {
    FTally.Injected(window, TFault::LineDrop);
    auto probe = FWatchdog.Watch(shown);
    FLine.Drop();
    const int64_t start = NowMs();
    while (!probe->Seen && NowMs() - start < withinMs)
        Pause(10);
    FWatchdog.Forget(probe);
    if (probe->Seen)
        FTally.Shown(window, TFault::LineDrop);
    else
        FTally.Missed(window, TFault::LineDrop, "the dropped line was not shown");
    // Plugged in again either way, so that one miss does not cost the rest of the soak its line.
    bool replugged = Replug();
    return probe->Seen && replugged;
}

bool TSoakScenario::WaitForModal(QWidget* window, int timeoutMs) {
    return WaitOnUi([window] { return QApplication::activeModalWidget() == window; }, timeoutMs);
}

bool TSoakScenario::ChooseFile(const std::string& path) {
    auto dialogInFront = [] {
        return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()) != nullptr;
    };
    if (!WaitOnUi(dialogInFront, 5000)) {
        Fail("no file dialog for " + path);
        return false;
    }
    // As the user types the whole name into the name box and presses Enter.
    for (int attempt = 0; attempt < 3; ++attempt) {
        OnUi([&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->setText(QString::fromStdString(path));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        if (WaitOnUi([&] { return !dialogInFront(); }, 1000))
            return true;
    }
    Fail("the file dialog did not take " + path);
    OnUi([] { qobject_cast<QFileDialog*>(QApplication::activeModalWidget())->reject(); });
    return false;
}

TBackupData TSoakScenario::DeviceData() {
    TSimUnit unit = *FLine.Line().Unit(TSoakLine::MainUnit);
    TBackupData data;
    std::copy(unit.Parameters.begin(), unit.Parameters.end(), data.Par.begin());
    std::copy(unit.Setpoints.begin(), unit.Setpoints.end(), data.Soll.begin() + 1);
    return data;
}

// The live view: every group on with the error poll, faults on its requests one at a time, and
// now and then a terminal command.
void TSoakScenario::LiveView(int seconds) {
    Step("live view, " + std::to_string(seconds) + " s");
    if (!EnsureOnline("a live view start"))
        return;
    EnsureLiveGroups(true);
    if (!WaitOnUi(
            [&] {
                return IsNumberText(Main.PanelActPos->text()) &&
                       IsNumberText(Main.Panel_DW[4]->text());
            },
            5000))
        Fail("the live view showed no values: " +
             OnUi([&] { return Quoted(Main.PanelActPos->text()); }));
    const int64_t end = NowMs() + seconds * 1000;
    while (NowMs() < end && !TimeUp()) {
        int r = Between(FRandom, 0, 9);
        if (r < 5)
            InjectLiveValue(Pick({TFault::Silence, TFault::SlowFirstByte, TFault::LateFirstByte,
                                  TFault::Gaps, TFault::Garbage, TFault::NoEcho, TFault::Refusal,
                                  TFault::LongReply, TFault::Endless}));
        else if (r < 7)
            InjectThumbwheel(
                Pick({TFault::Silence, TFault::LateFirstByte, TFault::Garbage, TFault::NoEcho,
                      TFault::Refusal, TFault::LongReply, TFault::Endless}));
        else if (r < 8)
            InjectErrorPoll(Pick({TFault::Silence, TFault::LateFirstByte, TFault::Endless}));
        else
            TerminalCommand(Between(FRandom, 0, 1) == 1);
        Pause(Between(FRandom, 200, 1500));
    }
}

bool TSoakScenario::InjectLiveValue(TFault fault) {
    bool position = Between(FRandom, 0, 1) == 0;
    QLabel* panel = position ? Main.PanelActPos : Main.PanelSnelheid;
    const std::string command = position ? "r0" : "r1";
    TExpectation expect;
    expect.WithinMs = 3000;
    expect.Describe = [panel] { return "the panel showed " + Quoted(panel->text()); };
    switch (fault) {
    case TFault::Silence:
    case TFault::LateFirstByte:
    case TFault::Endless:
        expect.Shown = [panel] { return panel->text() == QLatin1String("?"); };
        break;
    case TFault::SlowFirstByte:
        expect.RidesOut = true;
        expect.WithinMs = 1000;
        expect.Wrong = [panel] { return !IsNumberText(panel->text()); };
        break;
    default:
        expect.Shown = [panel] { return panel->text() == QLatin1String("????"); };
        break;
    }
    bool ok = Inject("main: live value", fault, TSoakLine::MainUnit,
                     MakeFaults(fault, command, 1, 100, FRandom), expect);
    if (!WaitOnUi([panel] { return IsNumberText(panel->text()); }, 5000))
        Fail("the live value " + command + " did not come back after " + FaultName(fault) + ": " +
             OnUi([panel] { return Quoted(panel->text()); }));
    return ok;
}

bool TSoakScenario::InjectThumbwheel(TFault fault) {
    QLabel* panel = Main.Panel_DW[2];
    TExpectation expect;
    expect.WithinMs = 3000;
    expect.Describe = [panel] { return "the panel showed " + Quoted(panel->text()); };
    bool stops =
        fault == TFault::Silence || fault == TFault::LateFirstByte || fault == TFault::Endless;
    QString text = stops ? QStringLiteral("?") : QStringLiteral("????");
    expect.Shown = [panel, text] { return panel->text() == text; };
    bool ok = Inject("main: thumbwheel", fault, TSoakLine::MainUnit,
                     MakeFaults(fault, "rd 2", 1, 100, FRandom), expect);
    // After a failed exchange the chain waits for the group to be switched off and on.
    if (stops)
        OnUi([&] {
            Main.CmdDuimwiel->click();
            Main.CmdDuimwiel->click();
        });
    if (!WaitOnUi([panel] { return IsNumberText(panel->text()); }, 5000))
        Fail("the thumbwheels did not come back after " + std::string(FaultName(fault)) + ": " +
             OnUi([panel] { return Quoted(panel->text()); }));
    return ok;
}

bool TSoakScenario::InjectErrorPoll(TFault fault) {
    // The error poll and the inputs share the window's error report.
    const std::string command = Between(FRandom, 0, 1) == 0 ? "rf" : "ri";
    TExpectation expect;
    expect.WithinMs = 3000;
    expect.Describe = [this] { return "the panel showed " + Quoted(Main.PanelComInfo->text()); };
    const TTextKey& key =
        fault == TFault::Endless ? TextKey::Main::PanelTekst1 : TextKey::Main::PanelTekst0;
    expect.Shown = [this, &key] {
        return !Main.PanelComInfo->text().isEmpty() &&
               Main.PanelComInfo->text().startsWith(Tekst(key));
    };
    return Inject(command == "rf" ? "main: error poll" : "main: inputs", fault, TSoakLine::MainUnit,
                  MakeFaults(fault, command, 1, 100, FRandom), expect);
}

// A command typed into the terminal, perhaps with a fault on its reply; the terminal shows
// every reply as it came, and the failures in the window's communication panel.
void TSoakScenario::TerminalCommand(bool withFault) {
    static const char* const Commands[] = {"rp 12", "rs 3", "rt", "rd 1", "rx"};
    const std::string command = Commands[Between(FRandom, 0, 4)];
    if (!WaitOnUi([&] { return !Main.LD100Protocol1.RequestPending(); }, 5000))
        Fail("the terminal's last command did not complete");
    OnUi([&] { Main.EditZenden->setText(QString::fromStdString(command)); });
    const QString sent = QString::fromStdString(command);
    auto memo = [this] { return Main.MemoReceive->toPlainText(); };
    if (!withFault) {
        OnUi([&] { Main.CmdTerminalZenden->click(); });
        if (!WaitOnUi([&] { return memo().startsWith(sent + u' '); }, 5000))
            Fail("the terminal did not show the reply to " + command + ": " +
                 OnUi([&] { return Quoted(memo()); }));
        return;
    }
    TFault fault = Pick({TFault::Silence, TFault::SlowFirstByte, TFault::LateFirstByte,
                         TFault::Gaps, TFault::Garbage, TFault::NoEcho, TFault::Refusal,
                         TFault::LongReply, TFault::Endless});
    TExpectation expect;
    expect.WithinMs = 2500;
    expect.Describe = [this, memo] {
        return "the terminal showed " + Quoted(memo()) + ", the panel " +
               Quoted(Main.PanelComInfo->text());
    };
    auto panelStarts = [this](const TTextKey& key) {
        return [this, &key] {
            return Main.PanelComInfo->text().startsWith(Tekst(key)) &&
                   Main.MemoReceive->toPlainText().isEmpty();
        };
    };
    switch (fault) {
    case TFault::Silence:
    case TFault::LateFirstByte:
        expect.Shown = panelStarts(TextKey::Main::PanelTekst0);
        break;
    case TFault::Endless:
        expect.Shown = panelStarts(TextKey::Main::PanelTekst1);
        break;
    case TFault::SlowFirstByte:
        expect.Shown = [memo, sent] { return memo().startsWith(sent + u' '); };
        break;
    case TFault::Refusal:
        expect.Shown = [memo] { return memo() == QLatin1String("er 7"); };
        break;
    case TFault::LongReply:
        expect.Shown = [memo] { return memo().size() >= 100; };
        break;
    case TFault::Gaps:
        expect.Shown = [memo, sent] {
            QString m = memo();
            return !m.isEmpty() && m.size() <= 6 && (m.startsWith(sent) || sent.startsWith(m));
        };
        break;
    default: // noise, or the reply without its letters: shown as it came
        expect.Shown = [memo, sent] {
            return !memo().isEmpty() && !memo().startsWith(sent.left(2));
        };
        break;
    }
    // Armed first, then sent: the terminal's command is the only one that matches.
    Inject("main: terminal", fault, TSoakLine::MainUnit,
           MakeFaults(fault, command, 1, 1500, FRandom), expect,
           [this] { OnUi([this] { Main.CmdTerminalZenden->click(); }); });
}

// The cable pulled while the live view runs: the window says so and closes the port; once the
// adapter is back, opening the port again works as before.
void TSoakScenario::DropInLiveView() {
    Step("line dropped in the live view");
    if (!EnsureOnline("a live view start"))
        return;
    EnsureLiveGroups(true);
    Pause(Between(FRandom, 500, 3000));
    const QString link = QString::fromStdString(FLine.LinkPath());
    DropLine(
        "main window",
        [this, link] {
            return !Main.LBComm1.Active() && Main.statusBar()->currentMessage().contains(link);
        },
        3000);
    if (!EnsureOnline("a dropped line"))
        return;
    EnsureLiveGroups(true);
    if (WaitOnUi([&] { return IsNumberText(Main.PanelActPos->text()); }, 5000))
        FTally.Count("port usable again after a drop");
    else
        Fail("no live values after the line came back");
}

} // namespace kq9soak
