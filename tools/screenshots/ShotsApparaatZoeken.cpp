// The device search window paused on a unit it found, and after a whole run, on a simulated line
// of its own whose units answer at different settings.

#include "tools/screenshots/Shots.h"

#include "app/ApparaatZoeken.h"
#include "app/Settings.h"
#include "sim/SimSerialDevice.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

bool WaitFor(const std::function<bool()>& condition, int ms) {
    QDeadlineTimer deadline(ms);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

void SearchShots(TShotContext& context) {
    auto line = std::make_shared<TSimLine>();
    const std::pair<int, const char*> units[] = {
        {1, "9600,O,8,1"}, {2, "19200,O,8,1"}, {4, "57600,O,8,2"}};
    for (const auto& [unit, settings] : units) {
        line->AddUnit(unit);
        line->Configure(unit, [&](TSimUnit& u) { ParseSimLineSettings(settings, u.Line); });
    }
    TLBComm port(TSimSerialDevice::Factory(line));
    ApplyStoredPortSettings(port);
    QSpinBox unitSelect;
    TFormApparaatZoeken window(&port, &unitSelect);
    window.show();
    // A few units keep the run short; the picture shows the window as a run leaves it.
    window.Sequence().Options.LastUnit = 4;
    window.RB_stopbits_auto->setChecked(true);
    window.CmdStartZoeken->click();
    TApparaatZoekenSequence& search = window.Sequence();
    if (WaitFor([&] { return search.State() == TSearchState::Found; }, 10000))
        context.Save(window, QStringLiteral("search_found"));
    while (search.State() == TSearchState::Found) {
        window.CmdVerder->click();
        WaitFor([&] { return search.State() != TSearchState::Searching; }, 20000);
    }
    context.Save(window, QStringLiteral("search_finished"));
    window.CmdCancel->click();
}

} // namespace

KQ9_SHOTS(20, "device search", SearchShots);
