#pragma once
// What the cam display shows of the store: the 24 cams (position-dependent switching windows),
// which of the four outputs each switches and of which kind it is, and the details of one cam:
// its function and source, start and end value with the selector that chose each, hysteresis,
// and the advance of its output.

#include "calib/DrawList.h"

#include <QString>

#include <cstdint>
#include <optional>

constexpr int CamCount = 24;
constexpr int CamOutputCount = 4;

// Parameters of cam n (1 … 24) and of output o (1 … 4).
constexpr int CamFunctionParameter(int n) {
    return 255 + n;
}
constexpr int CamSourceParameter(int n) {
    return 279 + n;
}
constexpr int CamStartSelectorParameter(int n) {
    return 303 + n;
}
constexpr int CamStartParameter(int n) {
    return 6 + n;
}
constexpr int CamEndSelectorParameter(int n) {
    return 327 + n;
}
constexpr int CamEndParameter(int n) {
    return 30 + n;
}
constexpr int CamHysteresisParameter(int n) {
    return 54 + n;
}
constexpr int CamOutputParameter(int n) {
    return 351 + n;
}
constexpr int OutputAdvanceParameter(int o) {
    return 93 + o;
}

// The colour of the grid cell of cam n in the row of output `output`: a cam lights only the row
// of its own output, by its function: red, lime or yellow. Nothing: the grid's normal look.
std::optional<TInk> CamCellColour(int cam, int output);
// The cell's state in words, for its accessible description: "cam 5: function 2 on output 3".
QString CamCellDescription(int cam, int output);

// The texts of the nine detail panels; all empty (Clear) when the cell shows no cam. An option
// text the definitions do not give stays empty rather than keep another cam's text.
struct TCamDetails {
    bool Clear = true;
    QString NokNummer, Functie, Bron, Aanvang, SelectAanvang, Einde, SelectEinde, Hysteresis,
        Vervroeging;
};
// The details of the cell of cam n in the row of output `output`: the cam's own when it is on
// and switches that output, none otherwise.
TCamDetails CamDetails(int cam, int output);

// The value a start or end selector names: the cam's own position for 0, setpoint s for 1 … 48,
// thumbwheel k for 48 + k; nothing for any other selector.
std::optional<int32_t> CamSelectedValue(int32_t selector, int32_t ownPosition);
