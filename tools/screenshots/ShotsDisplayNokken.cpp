// The cam display with cams of every kind on several outputs, one of them under the cursor.

#include "tools/screenshots/Shots.h"

#include "app/KX71Main.h"
#include "params/DisplayNokken.h"
#include "params/NokkenInfo.h"
#include "params/ParamStore.h"

#include <QTableWidget>

namespace {

struct TCam {
    int Number, Function, Output, StartSelector, EndSelector;
    int32_t Start, End, Hysteresis;
};

void DisplayNokkenShots(TShotContext& context) {
    TParamStore& store = ParamStore();
    const auto savedParameters = store.ParData;
    const auto savedSetpoints = store.SollData;
    store.ParData[203] = 2;
    store.SollData[3] = 125000;
    const TCam cams[] = {
        {1, 1, 1, 0, 0, 1000, 2500, 50},    {2, 1, 2, 0, 3, 5000, 0, 20},
        {5, 2, 3, 49, 0, 0, 0, 10},         {6, 3, 4, 0, 0, 7500, 0, 0},
        {9, 1, 1, 0, 0, 30000, 32000, 100}, {12, 2, 2, 0, 0, 12000, 0, 0},
        {17, 3, 3, 3, 0, 0, 0, 25},         {23, 1, 4, 0, 0, 40000, 45000, 5},
    };
    for (const TCam& cam : cams) {
        store.ParData[CamFunctionParameter(cam.Number)] = cam.Function;
        store.ParData[CamOutputParameter(cam.Number)] = cam.Output;
        store.ParData[CamStartSelectorParameter(cam.Number)] = cam.StartSelector;
        store.ParData[CamEndSelectorParameter(cam.Number)] = cam.EndSelector;
        store.ParData[CamStartParameter(cam.Number)] = cam.Start;
        store.ParData[CamEndParameter(cam.Number)] = cam.End;
        store.ParData[CamHysteresisParameter(cam.Number)] = cam.Hysteresis;
    }
    store.ParData[OutputAdvanceParameter(1)] = 1500;

    TFormDisplayNokken window(context.Main);
    context.WhileModal(window, 300, [&] {
        window.StringGrid1->setCurrentCell(0, 8); // cam 9 on output 1
        ProcessFor(100);
        context.Save(window, QStringLiteral("cam_display"));
        window.reject();
    });

    store.ParData = savedParameters;
    store.SollData = savedSetpoints;
}

} // namespace

KQ9_SHOTS(30, "cam display", DisplayNokkenShots);
