#pragma once
// The values a running unit reports: an axis travelling back and forth between two points, its
// velocity and linearised position, the analog signals in and out, and inputs and outputs that
// change every second or two. They are functions of the time (and of the parameters and
// calibration values that shape them) only, so a test that sets the line's clock gets fixed
// values.

#include "sim/SimUnit.h"

#include <cstdint>

struct TSimLiveValues {
    int32_t Position = 0;       // "r0", in the decimals of parameter 203
    int32_t Velocity = 0;       // "r1", the same decimals per second
    int32_t LinearPosition = 0; // "r8", in the decimals of parameter 248
    int32_t OutVoltage = 0;     // "r2", volts * 10000
    int32_t OutCurrent = 0;     // "r3", mA * 10000
    int32_t InVoltage = 0;      // "r4", volts * 10000; 0 unless parameter 226 is 0
    int32_t InCurrent = 0;      // "r5", mA * 10000; 0 unless parameter 226 is 1
    int32_t InValue = 0;        // "r6", converter counts of the selected input (0 … 4095)
    int32_t Inputs = 0;         // "ri": bit 0 K0, bits 1 … 4 inputs 1 … 4
    int32_t Outputs = 0;        // "ru": bits 0 … 3 outputs 1 … 4
};

TSimLiveValues SimLiveValuesAt(const TSimUnit& unit, int64_t nowMs);
