#pragma once
// One simulated controller: its unit number, identification texts, the line settings it
// answers at, 400 parameters, 48 setpoints, error number, thumbwheel switches, calibration
// values and fault knobs. Plain data: the line guards it, the interpreter gives the commands
// their meaning, and the live values are computed from the clock (SimLiveValues.h).

#include "sim/SimFaults.h"
#include "sim/SimLineSettings.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>

struct TSimUnit {
    static constexpr int ParameterCount = 400;
    static constexpr int SetpointCount = 48;

    explicit TSimUnit(int number = 0);

    int Number = 0;
    // "rt" (its first four characters are the type code), "rh", "rx".
    std::string TypeText = "KX71-2412";
    std::string HardwareText;
    std::string SoftwareText = "FW 4.06 (2019-03-14)";
    TSimLineSettings Line;
    // The time the unit takes to start its answer once a command is complete.
    int TurnaroundMs = 3;

    std::array<int32_t, ParameterCount> Parameters{};
    std::array<int32_t, SetpointCount> Setpoints{}; // setpoint n at index n - 1
    // "rf": -1 when there is none, else 1 position encoder (SSI) error, the one "wf" clears;
    // 2 following error; 3 positive limit; 4 negative limit; 5 overtemperature; 6 undervoltage;
    // 7 EEPROM checksum; 8 parameter set invalid; 9 analog input out of range; 10 reference
    // missing; 11 communication watchdog; 12 output overload; 13 linearisation table invalid;
    // 14 calibration values invalid; 15 internal fault.
    int ErrorNumber = -1;
    // "bp" names this parameter as rejected instead of accepting the set; -1: accepts.
    int RejectedParameter = -1;
    std::array<int32_t, 4> Thumbwheels{1, 250, 1000, 12345};

    // Calibration values 2028 … 2031 (DAC teach values, read only) and 2034 … 2045.
    std::map<int, int32_t> Calibration;
    // The values the last "ks" stored in the EEPROM.
    std::map<int, int32_t> StoredCalibration;
    bool CalibrationMode = false;
    int CalibratedOutput = 0; // "kf": 0 none, 1 voltage, 2 current
    int32_t TeachValue = 0;   // the last "ka"

    TSimFaults Faults;
};

// The calibration a unit leaves the factory with: small offsets and gain corrections that make
// its analog inputs read true, and the DAC counts of the output range ends.
const std::map<int, int32_t>& SimFactoryCalibration();

// Whether n is the number of a calibration value.
bool IsCalibrationNumber(int n);
// Whether calibration value n can be written ("kw"): 2034 … 2045.
bool IsWritableCalibrationNumber(int n);
