#include "params/SollGridRules.h"

#include "app/Functies.h"
#include "params/ParamStore.h"

namespace {

int32_t PositionDecimals() {
    return ParamStore().ParData[203];
}

} // namespace

int SetpointOfCell(int row, int column) {
    if (row < 1 || row > SollGridRows)
        return 0;
    if (column == SollColWaarde1)
        return row;
    if (column == SollColWaarde2)
        return row + SollGridRows;
    return 0;
}

int SetpointNumberOfCell(int row, int column) {
    return SetpointOfCell(row, column == SollColNr1 ? SollColWaarde1 : SollColWaarde2);
}

QString SetpointText(int setpoint) {
    return IntToFixedText(DecimalsOfPosition, ParamStore().SollData[static_cast<size_t>(setpoint)]);
}

std::optional<QChar> FilterSollKey(QChar key, const QString& kept) {
    if (key == u'.')
        key = u',';
    bool digit = key >= u'0' && key <= u'9';
    if (!digit && key != u'\b' && key != u'\r' && key != u',' && key != u'-')
        return std::nullopt;
    if (key == u',' && (PositionDecimals() < 1 || kept.contains(u',')))
        return std::nullopt;
    if (key == u'-' && kept.contains(u'-'))
        return std::nullopt;
    return key;
}

std::optional<int32_t> SollTextToValue(const QString& text) {
    int32_t value = FixedTextToInt(text, PositionDecimals(), true, SollMinimum, SollMaximum);
    if (value == FixedTextFormatError || value == FixedTextRangeError)
        return std::nullopt;
    return value;
}
