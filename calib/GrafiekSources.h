#pragma once
// What the log graph can record and the scales it plots with: the seven live quantities with the
// read command of each, the time scales (milliseconds per division) and the value scales (units
// per division).

#include <array>
#include <cstdint>

// The sample buffer's slots 0 … 4000.
constexpr int LogSlotCount = 4001;
constexpr int LogLastSlot = LogSlotCount - 1;

struct TLogTimeScale {
    const char* Caption;
    int32_t MsPerDivision;
};
inline constexpr std::array<TLogTimeScale, 6> LogTimeScales = {{
    {"200 ms", 200},
    {"500 ms", 500},
    {"1 sec", 1000},
    {"2 sec", 2000},
    {"5 sec", 5000},
    {"10 sec", 10000},
}};

inline constexpr std::array<int32_t, 21> LogValueScales = {
    100,     200,     500,      1000,     2000,     5000,      10000,
    20000,   40000,   50000,    100000,   200000,   500000,    1000000,
    2000000, 5000000, 10000000, 20000000, 50000000, 100000000, 200000000};

struct TLogSource {
    const char* Command;
    const char* UnitCaption;
    // The value scale an analog source is fixed to, or -1 when the scale is free.
    int FixedValueScale;
    // Analog sources count in ten-thousandths; their axis shows whole units.
    bool Analog;
};
inline constexpr std::array<TLogSource, 7> LogSources = {{
    {"r0", "(AWE)", -1, false}, // actual position
    {"r1", "(AWE)", -1, false}, // velocity
    {"r8", "(AWE)", -1, false}, // linearised position
    {"r2", "(V)", 7, true},     // analog output voltage
    {"r3", "(mA)", 8, true},    // analog output current
    {"r4", "(V)", 7, true},     // analog input voltage
    {"r5", "(mA)", 8, true},    // analog input current
}};

// The analog values are held in ten-thousandths of a volt or milliampere.
constexpr int32_t AnalogUnitsPerWhole = 10000;
constexpr int AnalogDecimals = 4;

// The index of a source, a time scale or a value scale brought into its list: anything outside
// becomes 0.
constexpr int ValidLogSource(int index) {
    return index >= 0 && index < static_cast<int>(LogSources.size()) ? index : 0;
}
constexpr int ValidTimeScale(int index) {
    return index >= 0 && index < static_cast<int>(LogTimeScales.size()) ? index : 0;
}
constexpr int ValidValueScale(int index) {
    return index >= 0 && index < static_cast<int>(LogValueScales.size()) ? index : 0;
}
