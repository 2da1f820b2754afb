#include "sim/SimUnit.h"

#include <cstdio>

TSimUnit::TSimUnit(int number) : Number(number) {
    char serial[32];
    std::snprintf(serial, sizeof serial, "HW rev C, S/N 71-%04d", 4200 + number);
    HardwareText = serial;
    Calibration = SimFactoryCalibration();
    StoredCalibration = Calibration;
}

const std::map<int, int32_t>& SimFactoryCalibration() {
    static const std::map<int, int32_t> values = {
        {2028, -32112}, {2029, 32087}, {2030, -31950}, {2031, 32010}, {2034, 3}, {2035, -12},
        {2036, -5},     {2037, 8},     {2038, 21},     {2039, -7},    {2040, 4}, {2041, -17},
        {2042, 9},      {2043, 30},    {2044, -11},    {2045, 6}};
    return values;
}

bool IsCalibrationNumber(int n) {
    return (n >= 2028 && n <= 2031) || IsWritableCalibrationNumber(n);
}

bool IsWritableCalibrationNumber(int n) {
    return n >= 2034 && n <= 2045;
}
