#pragma once
// The rules of the setpoint editor's grid apart from the widgets: 24 rows holding setpoints r
// and r + 24 side by side, the characters a value cell takes, and the conversion of a typed
// value when Enter confirms it. Every value is shown with the decimals of parameter 203.

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

constexpr int SollGridRows = 24;

// The grid's columns: the numbers and values of setpoints 1 … 24 and 25 … 48, with a spacer.
enum TSollColumn {
    SollColNr1,
    SollColWaarde1,
    SollColSpacer,
    SollColNr2,
    SollColWaarde2,
    SollColumnCount
};

// The limits of a typed setpoint, raw.
constexpr int32_t SollMinimum = -9999999;
constexpr int32_t SollMaximum = 99999999;

// The setpoint a cell of data row `row` (1 … 24) shows: r in the first value column, r + 24 in
// the second, 0 in the other columns.
int SetpointOfCell(int row, int column);
// The number a number column shows in data row `row`.
int SetpointNumberOfCell(int row, int column);
// Setpoint n of the store as fixed-point text.
QString SetpointText(int setpoint);

// What a character typed into a value cell becomes: nothing when it is dropped. Only digits,
// the comma (also typed as a point), the minus sign, backspace (u'\b') and Enter (u'\r') pass;
// a comma only when parameter 203 gives decimals; comma and minus only once. `kept`: the cell's
// text that typing leaves standing (without a selection that the character replaces).
std::optional<QChar> FilterSollKey(QChar key, const QString& kept);

// A typed value confirmed by Enter: the raw value, or nothing when the text is malformed or
// outside SollMinimum … SollMaximum.
std::optional<int32_t> SollTextToValue(const QString& text);
