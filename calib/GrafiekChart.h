#pragma once
// The log graph's pictures: the plot (601 x 409) with its zero line, grid lines and curve, the
// time strip below it (653 x 25, x = plot x + 20) and the value strip left of it (80 x 419,
// y = plot y + 6). One division is 60 pixels wide and 40 high; positive values rise from the
// centre line at y 204. All arithmetic is integer, divisions truncated toward zero, in 64 bits
// so that no value of the device can overflow.

#include "calib/DrawList.h"
#include "calib/GrafiekRecorder.h"

#include <QSize>

#include <cstdint>

inline constexpr QSize LogPlotSize{601, 409};
inline constexpr QSize LogTimeStripSize{653, 25};
inline constexpr QSize LogValueStripSize{80, 419};

// How the chart is looked at.
struct TLogView {
    int TimeScale = 0;  // index into LogTimeScales
    int ValueScale = 0; // index into LogValueScales
    int Source = 0;     // index into LogSources
    bool TimeGrid = false;
    bool ValueGrid = false;
    bool AutoScroll = false;
    // A recording runs: with auto-scroll the chart then follows the newest sample.
    bool Running = false;
    // The scroll bar's position: the first sample shown otherwise.
    int ScrollPosition = 0;
};

struct TLogChart {
    TDrawList Plot;
    TDrawList TimeStrip;
    // The scroll bar's range is 0 … ScrollMaximum.
    int ScrollMaximum = 0;
    // The first sample shown (where the scroll bar belongs while auto-scrolling).
    int FirstSample = 0;
};

// The pixel row of a value: ((-value) x 40) / units per division + 204.
int64_t LogValueY(int32_t value, int32_t unitsPerDivision);
// The pixel column of a time stamp, t0 being the first shown sample's.
int64_t LogTimeX(int32_t time, int32_t t0, int32_t msPerDivision);

// The plot and the time strip for the buffer as seen through `view`.
TLogChart DrawLogChart(const TLogBuffer& buffer, const TLogView& view);
// The value strip: ticks, the labels of the eleven rows, the source's unit.
TDrawList DrawLogValueAxis(const TLogView& view);

// The buffer label's text: the newest sample's time in tenths of seconds, "12,3 sec".
QString LogBufferText(const TLogBuffer& buffer);
// A sample's value as the live view shows it: with the position decimals (parameter 203), or
// with four decimals for the analog sources.
QString LogValueText(int source, int32_t value);
// What the chart shows, for its accessible description: "12 samples, newest 1234 at 3,2 sec".
QString LogChartDescription(const TLogBuffer& buffer, int source);
