#pragma once
// Strict decimal integers as the bulk transfers and the parameter and setpoint files carry them:
// an optional sign and decimal digits, nothing else, within 32 bits.

#include <QStringView>

#include <cstdint>

// False (and `value` untouched) for anything else: an empty text, blanks, hex, a fraction.
bool DecimalTextToInt(QStringView text, int32_t& value);
