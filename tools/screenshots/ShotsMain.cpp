// The main window with its port closed, then open with every live group running.

#include "tools/screenshots/Shots.h"

#include "app/KX71Main.h"

#include <QPushButton>

namespace {

void MainWindowShots(TShotContext& context) {
    TFormMain& form = *context.Main;
    context.Save(form, QStringLiteral("main_closed"));
    form.CmdSelectUnit->click();
    ProcessFor(800);
    form.CmdActual->click();
    form.CmdInUit->click();
    form.CmdDuimwiel->click();
    ProcessFor(2500);
    context.Save(form, QStringLiteral("main_open"));
    form.StopLiveMonitoring();
}

} // namespace

KQ9_SHOTS(0, "main window", MainWindowShots);
