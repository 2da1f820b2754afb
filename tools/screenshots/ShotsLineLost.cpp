// The main window after its device went away: the port closed, the reason across the status bar.

#include "tools/screenshots/Shots.h"

#include "app/KX71Main.h"

#include <QPushButton>

namespace {

void LineLostShots(TShotContext& context) {
    TFormMain& form = *context.Main;
    // What the port reports when the adapter is pulled out.
    form.LBComm1.OnDeviceLost(&form.LBComm1, {CommCode::SystemCall, ERROR_OPERATION_ABORTED, 0});
    ProcessFor(200);
    context.Save(form, QStringLiteral("main_line_lost"));
    form.CmdSelectUnit->click();
    ProcessFor(800);
}

} // namespace

KQ9_SHOTS(90, "main window after the line was lost", LineLostShots);
