#pragma once
// A recording as comma-separated text for spreadsheets: a header line "ms,value", then one line
// per sample with its time stamp and its value as the live view shows it, but with a point as
// the decimal separator. A sample whose reply held no number has an empty value.

#include "calib/GrafiekRecorder.h"

#include <QString>

QString LogCsvText(const TLogBuffer& buffer, int source);
