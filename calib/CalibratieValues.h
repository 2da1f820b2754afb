#pragma once
// What the calibration window works on: the twelve offset and gain values of the analog outputs
// ("DA") and inputs ("AD"), the six teach points the outputs are driven to, and the four DAC
// teach values the controller reports. Each calibration value is addressed on the line by its
// number.

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

// The four groups of calibration values, as the window shows them.
enum class TCalibBox { DASpanning, DAStroom, ADSpanning, ADStroom };

struct TCalibValue {
    int Number;
    const char* SpinEdit;
    const char* Caption;
    TCalibBox Box;
    int32_t Minimum;
    int32_t Maximum;
    bool Offset; // an offset, in steps of 311 uV; else a gain, in steps of 0.1 mV
};

constexpr int32_t NoMinimum = std::numeric_limits<int32_t>::min();
constexpr int32_t NoMaximum = std::numeric_limits<int32_t>::max();

// In the order of the window's groups: offset, positive gain, negative gain.
inline constexpr std::array<TCalibValue, 12> CalibValues = {{
    {2041, "SpinEdit_Offset_U", "Offset:", TCalibBox::DASpanning, NoMinimum, NoMaximum, true},
    {2042, "SpinEdit_Gain_U_pos", "Gain pos:", TCalibBox::DASpanning, -1000, 1000, false},
    {2040, "SpinEdit_Gain_U_neg", "Gain neg:", TCalibBox::DASpanning, -1000, 1000, false},
    {2043, "SpinEdit_Offset_I", "Offset:", TCalibBox::DAStroom, NoMinimum, NoMaximum, true},
    {2044, "SpinEdit_Gain_I_pos", "Gain pos:", TCalibBox::DAStroom, -1500, 1500, false},
    {2045, "SpinEdit_Gain_I_neg", "Gain neg:", TCalibBox::DAStroom, -1500, 1500, false},
    {2035, "SpinEdit_Offset_U_AD", "Offset:", TCalibBox::ADSpanning, NoMinimum, NoMaximum, true},
    {2036, "SpinEdit_Gain_U_pos_AD", "Gain pos:", TCalibBox::ADSpanning, -1000, 1000, false},
    {2034, "SpinEdit_Gain_U_neg_AD", "Gain neg:", TCalibBox::ADSpanning, -1000, 1000, false},
    {2038, "SpinEdit_Offset_I_AD", "Offset:", TCalibBox::ADStroom, NoMinimum, NoMaximum, true},
    {2039, "SpinEdit_Gain_I_pos_AD", "Gain pos:", TCalibBox::ADStroom, -1000, 1000, false},
    {2037, "SpinEdit_Gain_I_neg_AD", "Gain neg:", TCalibBox::ADStroom, -1000, 1000, false},
}};

// The order in which the values are read in.
inline constexpr std::array<int, 12> CalibReadOrder = {2041, 2042, 2040, 2043, 2044, 2045,
                                                       2034, 2035, 2036, 2037, 2038, 2039};

// The index in CalibValues of calibration value `number`; -1 for none.
int CalibValueIndex(int number);

// A teach point: the value "Set" drives the selected output to. A current teach point is sent
// halved.
struct TTeachPoint {
    const char* SpinEdit;
    const char* Button;
    int32_t Minimum;
    int32_t Maximum;
    int32_t Preset; // the value at each opening of the window
    bool Current;
};

inline constexpr std::array<TTeachPoint, 6> TeachPoints = {{
    {"SpinEdit1", "CmdSetUmin", -100000, 100000, -100000, false},
    {"SpinEdit2", "CmdSetUnul", -100000, 100000, 0, false},
    {"SpinEdit3", "CmdSetUmax", -100000, 100000, 100000, false},
    {"SpinEdit6", "CmdSetImin", -200000, 200000, -200000, true},
    {"SpinEdit7", "CmdSetInul", -200000, 200000, 0, true},
    {"SpinEdit8", "CmdSetImax", -200000, 200000, 200000, true},
}};

// The value "ka" carries for teach point `index` at `value`: halved, toward zero, for current.
int32_t TeachCommandValue(int index, int32_t value);

// The DAC teach values, read only, in the order they are read in.
struct TDacTeachValue {
    int Number;
    const char* Panel;
    const char* Caption;
};

inline constexpr std::array<TDacTeachValue, 4> DacTeachValues = {{
    {2028, "Panel_DAC_Smin_spanning", "Smin spanning:"},
    {2029, "Panel_DAC_Smax_spanning", "Smax spanning:"},
    {2030, "Panel_DAC_Smin_stroom", "Smin stroom:"},
    {2031, "Panel_DAC_Smax_stroom", "Smax stroom:"},
}};
// The teach reading step once all four have been read.
constexpr int DacTeachDone = 2032;
