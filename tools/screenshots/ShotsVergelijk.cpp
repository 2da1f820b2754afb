// The compare window with the parameters that differ from a controller's (some ticked, one
// taken into the store) and with setpoints that differ from a file, and the parameter editor
// listing the hits of its search field.

#include "tools/screenshots/Shots.h"

#include "app/KX71Main.h"
#include "params/EditParam.h"
#include "params/EditParamPage.h"
#include "params/ParamStore.h"
#include "params/Vergelijk.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

void CompareParametersShot(TShotContext& context) {
    TFormMain& form = *context.Main;
    LoadDefaultParameters(ParamStore());
    TParValues device = ParamStore().ParData;
    device[1] = 3; // an option: the baud rate
    device[2] = 2; // parity
    device[7] += 1500;
    device[31] -= 250;
    device[203] = 3; // the decimals of the positions
    device[260] = 2;
    device[399] = 17;
    TFormVergelijk window(&form.LBComm1, &form);
    window.CompareWithDevice(TCompareKind::Parameters, device);
    // The third row taken into the store shows one value twice; two others are ticked.
    std::vector<TCompareRow>& rows = window.Comparison().Rows();
    rows[2].Ticked = true;
    window.Comparison().TakeTicked(ParamStore());
    rows[2].Ticked = false;
    rows[0].Ticked = true;
    rows[4].Ticked = true;
    context.WhileModal(window, 200, [&] {
        context.Save(window, QStringLiteral("vergelijk_param"));
        window.reject();
    });
    LoadDefaultParameters(ParamStore());
}

void CompareSetpointsShot(TShotContext& context) {
    TFormMain& form = *context.Main;
    ParamStore().ParData[203] = 2;
    TSollValues file{};
    for (int n = 1; n <= SetpointCount; ++n) {
        ParamStore().SollData[static_cast<size_t>(n)] = n * 1250 - 4000;
        file[static_cast<size_t>(n)] = n % 7 == 0 ? n * 1000 : n * 1250 - 4000;
    }
    TFormVergelijk window(&form.LBComm1, &form);
    window.CompareWithFile(TCompareKind::Setpoints, file,
                           QStringLiteral("/home/service/line 3/unit-05.aps"));
    window.Comparison().Rows()[1].Ticked = true;
    context.WhileModal(window, 200, [&] {
        context.Save(window, QStringLiteral("vergelijk_soll"));
        window.reject();
    });
}

void SearchShot(TShotContext& context) {
    TFormMain& form = *context.Main;
    LoadDefaultParameters(ParamStore());
    TFormEditParam editor(&form.LBComm1, &form);
    context.WhileModal(editor, 300, [&] {
        editor.EditZoeken->setFocus();
        editor.EditZoeken->setText(QStringLiteral("12"));
        ProcessFor(50);
        context.Save(editor, QStringLiteral("edit_param_zoeken"));
        // The second hit chosen: its page with the row selected, the hits still listed.
        editor.ListZoeken->setCurrentRow(1);
        editor.ListZoekenSelect(editor.ListZoeken->currentItem());
        ProcessFor(50);
        context.Save(editor, QStringLiteral("edit_param_zoeken_gekozen"));
        editor.reject();
    });
}

void VergelijkShots(TShotContext& context) {
    CompareParametersShot(context);
    CompareSetpointsShot(context);
    SearchShot(context);
}

} // namespace

KQ9_SHOTS(22, "compare window and parameter search", VergelijkShots);
