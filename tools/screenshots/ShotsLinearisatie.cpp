// The linearisation window: a table of ten points in the point-symmetric mode, the fourth point
// selected, with help lines and dots.

#include "tools/screenshots/Shots.h"

#include "app/GlobalVar.h"
#include "app/KX71Main.h"
#include "calib/Linearisatie.h"
#include "params/ParamService.h"
#include "params/ParamStore.h"

#include <QSpinBox>

namespace {

void LinearisatieShots(TShotContext& context) {
    TParamStore& store = ParamStore();
    const auto savedParameters = store.ParData;
    const TGlobalVar saved = GlobalVar();
    store.ParData[203] = 2;
    store.ParData[248] = 2;
    store.ParData[241] = 2;
    store.ParData[246] = 1;
    store.ParData[247] = 10;
    // A measuring system that reads a little short at first and long towards the end.
    const int32_t x[] = {0, 5000, 10000, 15000, 20000, 25000, 30000, 35000, 40000, 45000};
    const int32_t y[] = {0, 5400, 10900, 16100, 20800, 25300, 29600, 34200, 39100, 44500};
    for (int k = 1; k <= 10; ++k) {
        store.ParData[139 + k] = x[k - 1];
        store.ParData[169 + k] = y[k - 1];
    }
    GlobalVar().Lin_X_hulplijn = true;
    GlobalVar().Lin_Y_hulplijn = true;
    GlobalVar().Puntgrootte = 4;

    TFormLinearisatie window(context.Main);
    TFormParamService service(&context.Main->LBComm1, &window);
    window.FormParamService = &service;
    context.WhileModal(window, 300, [&] {
        window.SpinEdit_GrafiekPunt->setValue(4);
        ProcessFor(100);
        context.Save(window, QStringLiteral("linearisation_mode2"));
        window.reject();
    });

    store.ParData = savedParameters;
    GlobalVar().Lin_X_hulplijn = saved.Lin_X_hulplijn;
    GlobalVar().Lin_Y_hulplijn = saved.Lin_Y_hulplijn;
    GlobalVar().Puntgrootte = saved.Puntgrootte;
}

} // namespace

KQ9_SHOTS(50, "linearisation", LinearisatieShots);
