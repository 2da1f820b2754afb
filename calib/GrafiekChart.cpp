#include "calib/GrafiekChart.h"

#include "app/Functies.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int DivisionWidth = 60;
constexpr int DivisionHeight = 40;
constexpr int ZeroLineY = 204;
constexpr int StripOffsetX = 20; // time strip x = plot x + 20
constexpr int StripOffsetY = 6;  // value strip y = plot y + 6
constexpr int TickLength = 10;
constexpr int LabelGap = 12; // value labels end this far before the strip's right edge
constexpr int AutoScrollDivisor = 8;

const int PlotWidth = LogPlotSize.width();
const int PlotHeight = LogPlotSize.height();

// Where a curve segment may be drawn: the plot with a margin, so that a segment to a point far
// outside keeps its slope where it crosses the plot.
constexpr double ClipLeft = -10, ClipTop = -10;
const double ClipRight = PlotWidth + 10, ClipBottom = PlotHeight + 10;

// Cuts the segment to the clip box (Liang-Barsky); false when nothing of it lies inside.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1) {
    double dx = x1 - x0, dy = y1 - y0;
    double t0 = 0, t1 = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {x0 - ClipLeft, ClipRight - x0, y0 - ClipTop, ClipBottom - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    double ax = x0 + t0 * dx, ay = y0 + t0 * dy;
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 = ax;
    y0 = ay;
    return true;
}

void CurveSegment(TDrawList& plot, int64_t fromX, int64_t fromY, int64_t toX, int64_t toY) {
    double x0 = fromX, y0 = fromY, x1 = toX, y1 = toY;
    if (!ClipSegment(x0, y0, x1, y1))
        return;
    plot.Line(QPoint(static_cast<int>(std::lround(x0)), static_cast<int>(std::lround(y0))),
              QPoint(static_cast<int>(std::lround(x1)), static_cast<int>(std::lround(y1))),
              TInk::Blue);
}

void ValueGridLines(TDrawList& plot) {
    for (int y = ZeroLineY + DivisionHeight; y < PlotHeight; y += DivisionHeight)
        plot.Line(QPoint(1, y), QPoint(PlotWidth - 1, y), TInk::Black, true);
    for (int y = ZeroLineY - DivisionHeight; y > 0; y -= DivisionHeight)
        plot.Line(QPoint(1, y), QPoint(PlotWidth - 1, y), TInk::Black, true);
}

QString TimeLabel(int64_t elapsedMs) {
    return IntToFixedText(1, static_cast<int32_t>(elapsedMs / 100));
}

void TimeColumn(TLogChart& chart, int c, int64_t elapsedMs, bool grid) {
    chart.TimeStrip.Line(QPoint(c + StripOffsetX, 0), QPoint(c + StripOffsetX, TickLength));
    if (grid)
        chart.Plot.Line(QPoint(c, 1), QPoint(c, PlotHeight - 1), TInk::Black, true);
    chart.TimeStrip.Text(QPoint(c + StripOffsetX - 10, TickLength), TimeLabel(elapsedMs));
}

void TimeAxis(TLogChart& chart, int32_t t0, int32_t d, bool gridOn) {
    chart.TimeStrip.Fill(QRect(QPoint(0, 0), LogTimeStripSize), TInk::ButtonFace);
    if (t0 == 0) {
        int64_t elapsed = 0;
        for (int c = 0; c < PlotWidth; c += DivisionWidth, elapsed += d)
            TimeColumn(chart, c, elapsed, gridOn && c > 0 && c < PlotWidth - 1);
        return;
    }
    int64_t first = 60 - ((int64_t{t0} * DivisionWidth) / d) % DivisionWidth;
    int64_t elapsed = (int64_t{t0} / d) * d + d;
    for (int c = static_cast<int>(first); c < PlotWidth; c += DivisionWidth, elapsed += d)
        TimeColumn(chart, c, elapsed, gridOn);
}

} // namespace

int64_t LogValueY(int32_t value, int32_t unitsPerDivision) {
    return (-int64_t{value} * DivisionHeight) / unitsPerDivision + ZeroLineY;
}

int64_t LogTimeX(int32_t time, int32_t t0, int32_t msPerDivision) {
    return ((int64_t{time} - t0) * DivisionWidth) / msPerDivision;
}

TLogChart DrawLogChart(const TLogBuffer& buffer, const TLogView& view) {
    const int32_t d = LogTimeScales[ValidTimeScale(view.TimeScale)].MsPerDivision;
    const int32_t units = LogValueScales[ValidValueScale(view.ValueScale)];
    const int newest = std::clamp(buffer.Newest, -1, LogLastSlot);

    TLogChart chart;
    // Before the first reply of a recording the newest index is -1; the range stays 0 … 0.
    chart.ScrollMaximum = std::max(newest, 0);
    chart.Plot.Fill(QRect(QPoint(0, 0), LogPlotSize), TInk::White, true);
    chart.Plot.Line(QPoint(0, ZeroLineY), QPoint(PlotWidth, ZeroLineY));
    if (view.ValueGrid)
        ValueGridLines(chart.Plot);

    int s = view.AutoScroll && view.Running ? newest - d / AutoScrollDivisor : view.ScrollPosition;
    s = std::clamp(s, 0, chart.ScrollMaximum);
    chart.FirstSample = s;
    const int32_t t0 = buffer.Times[s];
    TimeAxis(chart, t0, d, view.TimeGrid);
    if (newest <= 0)
        return chart;

    // A slot whose reply held no number has no value: the curve goes on from the last one read
    // to the next, instead of dipping to 0.
    bool drawn = false;
    int64_t x = 0, y = 0;
    for (int i = s; i <= newest; ++i) {
        if (!buffer.Read[i])
            continue;
        int64_t nx = LogTimeX(buffer.Times[i], t0, d);
        int64_t ny = LogValueY(buffer.Values[i], units);
        if (drawn)
            CurveSegment(chart.Plot, x, y, nx, ny);
        drawn = true;
        x = nx;
        y = ny;
        if (x > PlotWidth)
            break;
    }
    return chart;
}

TDrawList DrawLogValueAxis(const TLogView& view) {
    const TLogSource& source = LogSources[ValidLogSource(view.Source)];
    const int64_t units = LogValueScales[ValidValueScale(view.ValueScale)];
    const int64_t step = source.Analog ? units / AnalogUnitsPerWhole : units;
    const int width = LogValueStripSize.width();

    TDrawList strip;
    strip.Fill(QRect(QPoint(0, 0), LogValueStripSize), TInk::ButtonFace);
    for (int r = 0; r < PlotHeight; r += DivisionHeight) {
        strip.Line(QPoint(width - TickLength, r + StripOffsetY + 4),
                   QPoint(width, r + StripOffsetY + 4));
        auto a = static_cast<int32_t>((5 - r / DivisionHeight) * step);
        QString label =
            source.Analog || a == 0 ? QString::number(a) : IntToFixedText(DecimalsOfPosition, a);
        strip.Text(QPoint(width - LabelGap, r + 4), label, TDrawText::TAnchor::Right);
    }
    strip.Text(QPoint(10, LogValueStripSize.height() / 2 - 5),
               QString::fromLatin1(source.UnitCaption));
    return strip;
}

QString LogBufferText(const TLogBuffer& buffer) {
    int slot = std::clamp(buffer.Newest, 0, LogLastSlot);
    return IntToFixedText(1, buffer.Times[slot] / 100) + QStringLiteral(" sec");
}

QString LogChartDescription(const TLogBuffer& buffer, int source) {
    if (buffer.Count <= 0)
        return QStringLiteral("no samples");
    const int newest = std::min(buffer.Count, LogSlotCount) - 1;
    const QString value = buffer.Read[newest] ? LogValueText(source, buffer.Values[newest])
                                              : QStringLiteral("without a value");
    return QStringLiteral("%1 samples, newest %2 at %3")
        .arg(buffer.Count)
        .arg(value, LogBufferText(buffer));
}

QString LogValueText(int source, int32_t value) {
    bool analog = LogSources[ValidLogSource(source)].Analog;
    return IntToFixedText(analog ? AnalogDecimals : DecimalsOfPosition, value);
}
