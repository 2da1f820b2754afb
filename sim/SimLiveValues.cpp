#include "sim/SimLiveValues.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double TravelUnits = 500.0; // the axis runs between 0 and this position
constexpr double SpeedUnits = 100.0;  // per second
constexpr int64_t PhasePerUnitMs = 700;

// 10 to the power of a parameter used as a number of decimals, kept to a sensible range.
double DecimalScale(int32_t decimals) {
    return std::pow(10.0, std::clamp(decimals, 0, 4));
}

int32_t Scaled(double value, double scale) {
    return static_cast<int32_t>(std::lround(value * scale));
}

// How far calibration value n has been moved away from the factory's value.
double Drift(const TSimUnit& unit, int n) {
    auto value = unit.Calibration.find(n);
    auto factory = SimFactoryCalibration().find(n);
    if (value == unit.Calibration.end() || factory == SimFactoryCalibration().end())
        return 0.0;
    return static_cast<double>(value->second) - static_cast<double>(factory->second);
}

// The calibration values of one analog input, and what one offset step is in its reply units.
struct TInputCalibration {
    int Offset, GainPos, GainNeg;
    double OffsetStep;
};
// One offset step is 311 uV at the converter: 3.11 tenths of a millivolt, or 6.22 tenths of a
// microampere behind the current input's 500 ohm shunt.
constexpr TInputCalibration VoltageInput{2035, 2036, 2034, 3.11};
constexpr TInputCalibration CurrentInput{2038, 2039, 2037, 6.22};

// An analog input as the converter reports it (`signal` in reply units): the true signal when the
// AD values are the factory's, moved by each step the operator turns them away. A gain step is
// 0.1 mV at the 10 V full scale, 1/100000 of the signal.
int32_t Measured(const TSimUnit& unit, double signal, const TInputCalibration& input) {
    double gain = Drift(unit, signal >= 0 ? input.GainPos : input.GainNeg);
    double reading =
        signal * (1.0 + gain / 100000.0) + Drift(unit, input.Offset) * input.OffsetStep;
    // Values turned far out of any sensible range saturate the converter.
    return static_cast<int32_t>(std::lround(std::clamp(reading, -2147483648.0, 2147483647.0)));
}

} // namespace

TSimLiveValues SimLiveValuesAt(const TSimUnit& unit, int64_t nowMs) {
    // Units on one line run out of step with each other.
    const double t = static_cast<double>(nowMs + unit.Number * PhasePerUnitMs) / 1000.0;
    const double period = 2.0 * TravelUnits / SpeedUnits;
    const double phase = std::fmod(t, period);
    const bool outward = phase < period / 2.0;
    const double position = outward ? phase * SpeedUnits : (period - phase) * SpeedUnits;
    const double fraction = position / TravelUnits;
    const double wave = std::sin(2.0 * std::numbers::pi * t / 7.0);

    const double positionScale = DecimalScale(unit.Parameters[203]);
    TSimLiveValues v;
    v.Position = Scaled(position, positionScale);
    v.Velocity = Scaled(outward ? SpeedUnits : -SpeedUnits, positionScale);
    // The measuring system reads a little long towards the far end; linearisation corrects it.
    v.LinearPosition =
        Scaled(position * (1.0 + 0.004 * fraction), DecimalScale(unit.Parameters[248]));
    v.OutVoltage = Scaled(10.0 * fraction, 10000.0);
    v.OutCurrent = Scaled(4.0 + 16.0 * fraction, 10000.0);
    // Parameter 226 switches the converter to the voltage input (0), the current input (1) or
    // neither; the input it is not switched to reads 0.
    const int32_t inputMode = unit.Parameters[226];
    v.InVoltage = inputMode == 0 ? Measured(unit, (5.0 + 4.0 * wave) * 10000.0, VoltageInput) : 0;
    v.InCurrent = inputMode == 1 ? Measured(unit, (12.0 + 6.0 * wave) * 10000.0, CurrentInput) : 0;
    const double inFraction =
        inputMode == 1 ? (12.0 + 6.0 * wave - 4.0) / 16.0 : (5.0 + 4.0 * wave) / 10.0;
    v.InValue = Scaled(inFraction, 4095.0);
    // K0 follows the direction of travel; the inputs and outputs count slowly, in Gray code so
    // that one indicator changes at a time.
    const auto inStep = static_cast<int32_t>(t / 1.5);
    const auto outStep = static_cast<int32_t>(t / 2.5);
    v.Inputs = (outward ? 1 : 0) | (((inStep ^ (inStep >> 1)) & 0x0F) << 1);
    v.Outputs = (outStep ^ (outStep >> 1)) & 0x0F;
    if (unit.CalibrationMode && unit.CalibratedOutput == 1)
        v.OutVoltage = unit.TeachValue;
    if (unit.CalibrationMode && unit.CalibratedOutput == 2)
        v.OutCurrent = unit.TeachValue * 2; // the current teach point is sent halved
    return v;
}
