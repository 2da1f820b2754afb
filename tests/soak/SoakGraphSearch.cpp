// The soak's log-graph recordings and device searches.

#include "SoakScenario.h"
#include "SoakUi.h"

#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace kq9soak {

namespace {

// The recorded source: the actual position, held still while the graph records so that every
// sample must read the same value.
constexpr int PositionSource = 0;
constexpr int64_t StillClockMs = 4321;

bool GridHolds(const QTableWidget* grid, const QString& unit) {
    for (int row = 0; row < grid->rowCount(); ++row)
        if (grid->item(row, 0) && grid->item(row, 0)->text() == unit)
            return true;
    return false;
}

} // namespace

void TSoakScenario::LogGraph() {
    Step("log graph");
    if (!EnsureOnline("a recording"))
        return;
    EnsureLiveGroups(false);
    FLine.Line().SetClock([] { return StillClockMs; });
    TFormGrafiek& graph = W.FormGrafiek;
    Choose(Main.Grafiek1);
    if (!WaitForModal(&graph, 5000)) {
        Fail("the log graph did not open");
        FLine.Line().SetClock(nullptr);
        return;
    }
    auto status = [&graph] { return graph.PanelCommError->text(); };
    auto start = [&graph] {
        graph.ComboBoxBron->setCurrentIndex(PositionSource);
        graph.CmdStartLog->click();
    };
    OnUi(start);
    const int faults = Between(FRandom, 0, 2);
    bool dropped = false;
    for (int i = 0; i < faults && !dropped; ++i) {
        Pause(Between(FRandom, 500, 4000));
        if (Between(FRandom, 0, 7) == 0) {
            dropped = true;
            DropLine(
                "log graph",
                [&graph, status] {
                    return !graph.Recorder().Recording() &&
                           status() == Tekst(TextKey::Grafiek::PanelTekst1);
                },
                3000);
            break;
        }
        TFault fault = Pick({TFault::Silence, TFault::SlowFirstByte, TFault::LateFirstByte,
                             TFault::Gaps, TFault::Garbage, TFault::NoEcho, TFault::Refusal,
                             TFault::LongReply, TFault::Endless});
        TExpectation expect;
        expect.WithinMs = 3000;
        expect.Describe = [&graph, status] {
            return std::string(graph.Recorder().Recording() ? "recording, " : "stopped, ") +
                   "status \"" + status().toStdString() + '"';
        };
        auto stopped = [&graph, status](const TTextKey& key) {
            return [&graph, status, &key] {
                return !graph.Recorder().Recording() && graph.CmdStartLog->isEnabled() &&
                       status() == Tekst(key);
            };
        };
        if (fault == TFault::Silence || fault == TFault::LateFirstByte)
            expect.Shown = stopped(TextKey::Grafiek::PanelTekst0);
        else if (fault == TFault::Endless)
            expect.Shown = stopped(TextKey::Grafiek::PanelTekst1);
        else {
            // A reply that holds no value is no sample; the recording goes on.
            expect.RidesOut = true;
            expect.Wrong = [&graph] { return !graph.Recorder().Recording(); };
        }
        Inject("log graph", fault, TSoakLine::MainUnit, MakeFaults(fault, "r0", 1, 300, FRandom),
               expect);
        if (!OnUi([&graph] { return graph.Recorder().Recording(); }))
            OnUi(start);
    }
    if (!dropped)
        Pause(Between(FRandom, 1000, 6000));
    // Every sample that holds a value holds the one value the still controller gave.
    std::string wrong = OnUi([&graph] {
        graph.CmdStopLog->click();
        const TLogBuffer& buffer = graph.Recorder().Buffer;
        for (int i = 1; i < buffer.Count; ++i)
            if (buffer.Read[static_cast<size_t>(i)] &&
                buffer.Values[static_cast<size_t>(i)] != buffer.Values[0])
                return "sample " + std::to_string(i) + " holds " +
                       std::to_string(buffer.Values[static_cast<size_t>(i)]) + " instead of " +
                       std::to_string(buffer.Values[0]);
        return std::string();
    });
    if (!wrong.empty())
        Fail("the log graph recorded a wrong value: " + wrong);
    int samples = OnUi([&graph] { return graph.Recorder().Buffer.Count; });
    FTally.Count("log-graph samples", samples);
    OnUi([&graph] { graph.close(); });
    FLine.Line().SetClock(nullptr);
    if (!WaitOnUi([] { return QApplication::activeModalWidget() == nullptr; }, 5000))
        Fail("the log graph did not close; in front: " + ModalWindow());
    if (!OnUi([this] { return Main.Timer1.isActive(); }))
        Fail("the error poll did not start again after the log graph");
    if (dropped)
        EnsureOnline("a dropped line");
}

void TSoakScenario::Search() {
    Step("device search");
    TFormApparaatZoeken& search = W.FormApparaatZoeken;
    Choose(Main.KX71zoeken);
    if (!WaitForModal(&search, 5000)) {
        Fail("the device search did not open");
        return;
    }
    auto found = [&search] {
        return search.PanelZoekTekst->text() == Tekst(TextKey::AparaatZoeken::PanelTekst3);
    };
    // The port's own rate, so that both units are found in the first round.
    OnUi([&search] {
        search.ComboBaudRate->setCurrentIndex(3);
        search.CmdStartZoeken->click();
    });
    if (!WaitOnUi([&] { return found() && GridHolds(search.StringGrid1, QStringLiteral("00")); },
                  10000)) {
        Fail("the search did not find unit 0");
        OnUi([&search] { search.CmdCancel->click(); });
        return;
    }
    const int choice = Between(FRandom, 0, 5);
    if (choice == 0) {
        // The cable pulled while the search runs: the search says so in a message box. A
        // search that has already gone through every unit has nothing left to notice it with.
        OnUi([&search] { search.CmdVerder->click(); });
        Pause(Between(FRandom, 100, 400));
        bool dropped = false;
        if (OnUi([&search] { return search.CmdStop->isEnabled(); })) {
            dropped = true;
            DropLine(
                "device search",
                [this] { return FBoxes.Claim(QStringLiteral("Windows Comm error")); }, 3000);
        }
        OnUi([&search] { search.CmdCancel->click(); });
        WaitOnUi([] { return QApplication::activeModalWidget() == nullptr; }, 5000);
        EnsureOnline(dropped ? "a dropped line" : "a device search");
        return;
    }
    // A unit that does not answer its selection, or whose answer is spoilt, is no unit.
    TFault fault = choice < 3 ? Pick({TFault::Silence, TFault::LateFirstByte, TFault::Garbage,
                                      TFault::NoEcho, TFault::Gaps, TFault::LongReply})
                              : TFault::Count;
    OnUi([&search] { search.CmdVerder->click(); });
    if (fault != TFault::Count) {
        TExpectation expect;
        expect.WithinMs = 3000;
        expect.Shown = [&search] {
            return search.PanelApparaatNo->text().toInt() >= 9 &&
                   !GridHolds(search.StringGrid1, QStringLiteral("07"));
        };
        expect.Describe = [&search] {
            return std::string(GridHolds(search.StringGrid1, QStringLiteral("07")) ? "listed"
                                                                                   : "not listed") +
                   " at unit " + search.PanelApparaatNo->text().toStdString();
        };
        Inject("device search", fault, TSoakLine::OtherUnit,
               MakeFaults(fault, "sc 7", 1, 100, FRandom), expect);
    } else if (!WaitOnUi(
                   [&] { return found() && GridHolds(search.StringGrid1, QStringLiteral("07")); },
                   10000)) {
        Fail("the search did not find unit 7");
    }
    // Stopped, the first row chosen: the port opens again at its settings with its unit.
    OnUi([&search] {
        if (search.CmdStop->isEnabled())
            search.CmdStop->click();
    });
    WaitOnUi([&search] { return search.CmdStartZoeken->isEnabled(); }, 5000);
    OnUi([&search] {
        search.StringGrid1->setCurrentCell(0, 0);
        search.CmdOK->click();
    });
    if (!WaitOnUi([] { return QApplication::activeModalWidget() == nullptr; }, 5000)) {
        Fail("the device search did not close on OK");
        OnUi([&search] { search.CmdCancel->click(); });
    }
    if (EnsureOnline("a device search"))
        FTally.Count("searches finished");
}

} // namespace kq9soak
