#pragma once
// The parameter file ("app") and the setpoint file ("aps"): plain text, lines ended by CR LF. A
// header line naming the unit, an empty line, then one line per value: a letter, the number as
// three digits, a blank and the raw value in decimal ("P017 -350"). The parameter file holds
// parameters 0 … 399; the setpoint file holds lines 000 … 048, where 001 … 048 are the setpoints
// and 000 carries parameter 399.

#include "params/ParamStore.h"

#include <QString>

#include <array>
#include <cstdint>

using TParValues = std::array<int32_t, ParameterCount>;
// Index 0 is unused so that setpoint n is at index n, as in the parameter store.
using TSollValues = std::array<int32_t, SetpointCount + 1>;

// How opening a file ended; the editors show the text of the same name.
enum class TValueFileResult {
    Ok,
    OpenMsg1, // the file cannot be read
    OpenMsg2, // the header line is not the one of this kind of file
    OpenMsg3, // a line is malformed: no blank as fifth character, a number or value that is no
              // decimal integer, or a number outside the file's range
    OpenMsg4, // not exactly one line for every number
};

// The file texts, for the unit `unitNo` of the header.
QString ParamFileText(int unitNo, const TParValues& values);
QString SollFileText(int unitNo, const TSollValues& setpoints, int32_t parameter399);

// Written atomically; false with the reason in `error` when the file cannot be written (an
// existing file then stays as it was).
bool WriteParamFile(const QString& path, int unitNo, const TParValues& values,
                    QString* error = nullptr);
bool WriteSollFile(const QString& path, int unitNo, const TSollValues& setpoints,
                   int32_t parameter399, QString* error = nullptr);

// Reads a file; `values` is changed only when the result is Ok. `checkHeader`: whether the
// header line is examined (the program does so only when a language file is loaded, since it
// cannot show OpenMsg2 otherwise). The unit number of the header is not looked at. Empty lines
// are skipped.
TValueFileResult ReadParamFile(const QString& path, bool checkHeader, TParValues& values);
// Line 000 must be present and well formed like every other line, but its value is not used.
TValueFileResult ReadSollFile(const QString& path, bool checkHeader, TSollValues& setpoints);
