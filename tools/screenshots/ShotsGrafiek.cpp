// The log graph: a recording of the position on the simulated line, followed by auto-scroll,
// with grid lines.

#include "tools/screenshots/Shots.h"

#include "app/GlobalVar.h"
#include "app/KX71Main.h"
#include "calib/Grafiek.h"
#include "params/ParamStore.h"

#include <QPushButton>

namespace {

void GrafiekShots(TShotContext& context) {
    TFormMain& form = *context.Main;
    const TGlobalVar saved = GlobalVar();
    const int32_t decimals = ParamStore().ParData[203];
    ParamStore().ParData[203] = 2;
    GlobalVar().X_Div = 2; // 1 sec per division
    GlobalVar().Y_Div = 6; // 10000 units per division
    GlobalVar().BronItem = 0;
    GlobalVar().X_hulplijn = true;
    GlobalVar().Y_hulplijn = true;

    TFormGrafiek grafiek(&form.LBComm1, &form);
    context.WhileModal(grafiek, 200, [&] {
        grafiek.CmdStartLog->click();
        ProcessFor(7000);
        context.Save(grafiek, QStringLiteral("log_graph_recording"));
        grafiek.CmdStopLog->click();
        ProcessFor(500);
        context.Save(grafiek, QStringLiteral("log_graph_stopped"));
        grafiek.reject();
    });

    ParamStore().ParData[203] = decimals;
    GlobalVar().X_Div = saved.X_Div;
    GlobalVar().Y_Div = saved.Y_Div;
    GlobalVar().BronItem = saved.BronItem;
    GlobalVar().X_hulplijn = saved.X_hulplijn;
    GlobalVar().Y_hulplijn = saved.Y_hulplijn;
}

} // namespace

KQ9_SHOTS(40, "log graph", GrafiekShots);
