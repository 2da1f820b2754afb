#pragma once
// The meaning of the controller commands for one unit: the command text (without its CR) in,
// the answer text (without its line end) out. An answer is the command's two letters, a blank
// and the answer proper (the letters alone when there is none), or a refusal "er" and a number:
//   er 1  unknown command
//   er 2  malformed command: an argument missing or surplus, or not a decimal number
//   er 3  a number outside its range: unit, parameter, setpoint, thumbwheel, calibration value
//         or calibration selection
//   er 5  "kf" or "ka" outside calibration mode, or "ka" with no output selected
//   er 7  a value outside the parameter's limits, or outside 32 bits; a calibration value
//         written outside calibration mode
// Parameters and setpoints are raw integers; a value with decimals is sent multiplied out.

#include "sim/SimParameterTable.h"
#include "sim/SimUnit.h"

#include <cstdint>
#include <string>
#include <vector>

struct TSimCommand {
    std::string Name;                   // the first word: two letters for a known command
    std::vector<std::string> Arguments; // the words after it
};

// Splits a command at its blanks, ignoring leading and trailing blanks and control characters.
TSimCommand ParseSimCommand(const std::string& text);
// Parses a decimal integer with an optional "-"; false for anything else.
bool ParseSimNumber(const std::string& text, int64_t& value);

// Carries out `command` on `unit` and returns the answer. `nowMs` is the line's clock, which
// moves the live values.
std::string SimAnswer(TSimUnit& unit, const TSimParameterTable& table, const std::string& command,
                      int64_t nowMs);
