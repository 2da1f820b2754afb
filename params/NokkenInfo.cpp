#include "params/NokkenInfo.h"

#include "app/Functies.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"

namespace {

const QString NoEndText = QStringLiteral("---");
constexpr int FirstThumbwheelSelector = SetpointCount + 1;
constexpr int AdvanceDecimals = 3;

int32_t Par(int nr) {
    return ParamStore().ParData[nr];
}

bool SwitchesOutput(int cam, int output) {
    return cam >= 1 && cam <= CamCount && output >= 1 && output <= CamOutputCount &&
           Par(CamFunctionParameter(cam)) > 0 && Par(CamOutputParameter(cam)) == output;
}

// A selector that names no value leaves its value panel empty.
QString SelectedValueText(int selectorParameter, int ownParameter) {
    std::optional<int32_t> value = CamSelectedValue(Par(selectorParameter), Par(ownParameter));
    return value ? IntToFixedText(DecimalsOfPosition, *value) : QString();
}

} // namespace

std::optional<int32_t> CamSelectedValue(int32_t selector, int32_t ownPosition) {
    const TParamStore& store = ParamStore();
    if (selector == 0)
        return ownPosition;
    if (selector >= 1 && selector <= SetpointCount)
        return store.SollData[selector];
    if (selector >= FirstThumbwheelSelector && selector < FirstThumbwheelSelector + ThumbwheelCount)
        return store.DuimwielWaarde[selector - SetpointCount];
    return std::nullopt;
}

std::optional<TInk> CamCellColour(int cam, int output) {
    if (!SwitchesOutput(cam, output))
        return std::nullopt;
    switch (Par(CamFunctionParameter(cam))) {
    case 1:
        return TInk::Red;
    case 2:
        return TInk::Lime;
    case 3:
        return TInk::Yellow;
    default:
        return std::nullopt;
    }
}

QString CamCellDescription(int cam, int output) {
    int32_t function = Par(CamFunctionParameter(cam));
    if (function <= 0)
        return QStringLiteral("cam %1: off").arg(cam);
    if (SwitchesOutput(cam, output))
        return QStringLiteral("cam %1: function %2 on output %3")
            .arg(cam)
            .arg(function)
            .arg(output);
    return QStringLiteral("cam %1: not on output %2").arg(cam).arg(output);
}

TCamDetails CamDetails(int cam, int output) {
    TCamDetails details;
    if (!SwitchesOutput(cam, output))
        return details;
    details.Clear = false;
    details.NokNummer = QString::number(cam);
    details.Functie = StoreOptionText(CamFunctionParameter(cam));
    details.Bron = StoreOptionText(CamSourceParameter(cam));
    details.Aanvang = SelectedValueText(CamStartSelectorParameter(cam), CamStartParameter(cam));
    details.SelectAanvang = StoreOptionText(CamStartSelectorParameter(cam));
    if (Par(CamFunctionParameter(cam)) == 1) {
        details.Einde = SelectedValueText(CamEndSelectorParameter(cam), CamEndParameter(cam));
        details.SelectEinde = StoreOptionText(CamEndSelectorParameter(cam));
    } else {
        details.Einde = NoEndText;
        details.SelectEinde = NoEndText;
    }
    details.Hysteresis = IntToFixedText(DecimalsOfPosition, Par(CamHysteresisParameter(cam)));
    details.Vervroeging = IntToFixedText(AdvanceDecimals, Par(OutputAdvanceParameter(output)));
    return details;
}
