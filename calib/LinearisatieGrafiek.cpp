#include "calib/LinearisatieGrafiek.h"

#include "app/Functies.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

// Point k's X is parameter 139 + k and its Y parameter 169 + k: point 31's X would be point 1's Y.
constexpr int NumberingLimit = 30;

constexpr int Margin = 10;       // the curve keeps this far from the plot's borders
constexpr int CurveWidth = 680;  // x 10 … 690
constexpr int CurveHeight = 500; // y 510 … 10
constexpr int LabelGap = 12;     // Y labels end this far before the strip's right edge
constexpr int TickLength = 10;

constexpr int QuadrantCentre = 100;
constexpr int QuadrantReach = 94;

const TDrawText::TAnchor Right = TDrawText::TAnchor::Right;

int32_t Par(int nr) {
    return ParamStore().ParData[nr];
}

int64_t Middle(int64_t low, int64_t high) {
    return low + (high - low) / 2;
}

QString XText(int64_t value) {
    return IntToFixedText(DecimalsOfPosition, static_cast<int32_t>(value));
}

QString YText(int64_t value) {
    return IntToFixedText(DecimalsOfLinPosition, static_cast<int32_t>(value));
}

double XRange(const TLinTable& t) {
    return double(t.LastX) - double(t.FirstX);
}

double YRange(const TLinTable& t) {
    return double(t.MaxY) - double(t.MinY);
}

// The share (0 … 1 for points within the ranges) of a point along each axis, scaled by `reach`;
// nothing when the range is not positive.
bool AlongX(const TLinTable& t, const TLinPoint& p, double reach, double& along) {
    if (XRange(t) <= 0)
        return false;
    along = reach / XRange(t) * (double(p.X) - double(t.FirstX));
    return true;
}

bool AlongY(const TLinTable& t, const TLinPoint& p, double reach, double& along) {
    if (YRange(t) <= 0)
        return false;
    along = reach / YRange(t) * (double(p.Y) - double(t.MinY));
    return true;
}

// A pixel coordinate from a double, truncated toward zero and kept within what a painter takes.
int Truncate(double value) {
    constexpr double Limit = 1 << 24;
    return static_cast<int>(std::clamp(value, -Limit, Limit));
}

// One mirrored copy of the quadrant curve, in quadrant-picture pixels; `toX` is the border the
// flat extension runs to.
void QuadrantCurve(TDrawList& picture, const std::vector<QPoint>& points, int toX) {
    for (size_t i = 1; i < points.size(); ++i)
        picture.Line(points[i - 1], points[i], TInk::Blue);
    picture.Line(points.back(), QPoint(toX, points.back().y()), TInk::Blue);
}

} // namespace

int LinPointLimit() {
    const TParamDefs& defs = ParamDefs();
    if (defs.ParameterDefGeladen()) {
        int32_t max = defs.Max(LinCountParameter);
        if (max >= 1 && max < NumberingLimit)
            return max;
    }
    return NumberingLimit;
}

TLinTable ReadLinTable() {
    TLinTable table;
    table.Mode = Par(LinModeParameter);
    int n = std::clamp(Par(LinCountParameter), 0, LinPointLimit());
    table.Points.reserve(static_cast<size_t>(n));
    for (int k = 1; k <= n; ++k)
        table.Points.push_back({Par(LinXParameter(k)), Par(LinYParameter(k))});
    if (n == 0)
        return table;
    table.FirstX = table.Points.front().X;
    table.LastX = table.Points.back().X;
    table.MinY = std::numeric_limits<int32_t>::max();
    table.MaxY = std::numeric_limits<int32_t>::min();
    for (const TLinPoint& p : table.Points) {
        table.MinY = std::min(table.MinY, p.Y);
        table.MaxY = std::max(table.MaxY, p.Y);
    }
    return table;
}

TDrawList DrawLinXAxis(const TLinTable& table) {
    TDrawList strip;
    strip.Fill(QRect(QPoint(0, 0), LinXStripSize), TInk::ButtonFace);
    for (int x : {10, 350, 690})
        strip.Line(QPoint(x, 0), QPoint(x, TickLength));
    if (table.Count() > 1) {
        strip.Text(QPoint(10, 10), XText(table.FirstX));
        strip.Text(QPoint(350, 10), XText(Middle(table.FirstX, table.LastX)));
        strip.Text(QPoint(690, 10), XText(table.LastX));
    }
    return strip;
}

TDrawList DrawLinYAxis(const TLinTable& table) {
    const int width = LinYStripSize.width();
    TDrawList strip;
    strip.Fill(QRect(QPoint(0, 0), LinYStripSize), TInk::ButtonFace);
    for (int y : {10, 260, 510})
        strip.Line(QPoint(width - TickLength, y), QPoint(width, y));
    if (table.Count() > 1) {
        strip.Text(QPoint(width - LabelGap, 4), YText(table.MaxY), Right);
        strip.Text(QPoint(width - LabelGap, 254), YText(Middle(table.MinY, table.MaxY)), Right);
        strip.Text(QPoint(width - LabelGap, 504), YText(table.MinY), Right);
    }
    return strip;
}

QPoint LinPixel(const TLinTable& table, const TLinPoint& point) {
    double along = 0;
    double x = AlongX(table, point, CurveWidth, along) ? along + Margin : CurveWidth;
    double y = AlongY(table, point, CurveHeight, along) ? LinPlotSize.height() - along - Margin
                                                        : LinPlotSize.height() - Margin;
    return QPoint(Truncate(x), Truncate(y));
}

TLinGraph DrawLinGraph(const TLinTable& table, const TLinLook& look) {
    const int width = LinPlotSize.width(), height = LinPlotSize.height();
    TLinGraph graph;
    graph.Plot.Fill(QRect(QPoint(0, 0), LinPlotSize), TInk::White, true);
    if (look.XLines)
        for (int j = 0; j <= 10; ++j)
            graph.Plot.Line(QPoint(10 + 68 * j, 0), QPoint(10 + 68 * j, height - 1), TInk::Black,
                            true);
    if (look.YLines)
        for (int j = 0; j <= 10; ++j)
            graph.Plot.Line(QPoint(0, 10 + 50 * j), QPoint(width - 1, 10 + 50 * j), TInk::Black,
                            true);
    if (!table.Drawable())
        return graph;

    const int d = std::clamp(look.DotSize, 0, 10);
    auto dot = [&](QPoint p, TInk fill) {
        graph.Plot.Ellipse(QRect(QPoint(p.x() - d, p.y() - d), QPoint(p.x() + d, p.y() + d)), fill);
    };
    for (const TLinPoint& point : table.Points) {
        QPoint p = LinPixel(table, point);
        if (graph.Positions.empty())
            graph.Plot.Line(QPoint(0, p.y()), p, TInk::Blue);
        else
            graph.Plot.Line(graph.Positions.back(), p, TInk::Blue);
        dot(p, TInk::Blue);
        graph.Positions.push_back(p);
    }
    graph.Plot.Line(graph.Positions.back(), QPoint(width, graph.Positions.back().y()), TInk::Blue);
    if (look.Selected >= 1 && look.Selected <= table.Count())
        dot(graph.Positions[static_cast<size_t>(look.Selected - 1)], TInk::Red);
    return graph;
}

TDrawList DrawLinQuadrant(const TLinTable& table) {
    const QSize half(QuadrantCentre + 1, QuadrantCentre + 1);
    TDrawList picture;
    picture.Fill(QRect(QPoint(0, 0), LinQuadrantSize), TInk::White);
    for (QPoint corner : {QPoint(0, 0), QPoint(100, 0), QPoint(0, 100), QPoint(100, 100)})
        picture.Fill(QRect(corner, half), TInk::White, true);
    if (!table.Drawable() || !LinShowsQuadrant(table.Mode))
        return picture;
    picture.Fill(QRect(1, 1, LinQuadrantSize.width() - 2, LinQuadrantSize.height() - 2),
                 TInk::White);

    // Each copy starts on the centre line: the first point fixes its vertical offset.
    auto curve = [&](auto sxOf, auto syOf, int shiftX, int toX) {
        std::vector<QPoint> points;
        int offset = 0;
        for (const TLinPoint& p : table.Points) {
            int sx = sxOf(p), sy = syOf(p);
            if (points.empty())
                offset = QuadrantCentre - sy;
            points.push_back(QPoint(sx + shiftX, sy + offset));
        }
        QuadrantCurve(picture, points, toX);
    };
    auto sx = [&](const TLinPoint& p) {
        double along = 0;
        return AlongX(table, p, QuadrantReach, along) ? Truncate(along) : QuadrantCentre;
    };
    auto mirroredX = [&](const TLinPoint& p) {
        double along = 0;
        return AlongX(table, p, QuadrantReach, along) ? Truncate(QuadrantCentre - along)
                                                      : QuadrantCentre;
    };
    auto sy = [&](const TLinPoint& p) {
        double along = 0;
        return AlongY(table, p, QuadrantReach, along) ? Truncate(QuadrantCentre - along)
                                                      : QuadrantCentre;
    };
    auto downwardY = [&](const TLinPoint& p) {
        double along = 0;
        return AlongY(table, p, QuadrantReach, along) ? Truncate(along) : QuadrantCentre;
    };
    const int right = LinQuadrantSize.width();
    curve(sx, sy, QuadrantCentre + 1, right);
    if (table.Mode == 1)
        curve(mirroredX, sy, 0, 0);
    else
        curve(mirroredX, downwardY, 0, 0);
    return picture;
}

int LinHitTest(const std::vector<QPoint>& positions, QPoint mouse) {
    for (size_t i = 0; i < positions.size() && i < LinHitSlots; ++i) {
        QPoint p = positions[i];
        if (std::abs(p.x() - mouse.x()) <= LinHitDistance &&
            std::abs(p.y() - mouse.y()) <= LinHitDistance)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

QString LinGraphDescription(const TLinTable& table, int selected) {
    if (!table.Drawable())
        return QStringLiteral("linearisation table with %1 points: no curve").arg(table.Count());
    QString text =
        QStringLiteral("linearisation curve of %1 points, X %2 to %3, Y %4 to %5")
            .arg(table.Count())
            .arg(XText(table.FirstX), XText(table.LastX), YText(table.MinY), YText(table.MaxY));
    if (selected >= 1 && selected <= table.Count()) {
        const TLinPoint& p = table.Points[static_cast<size_t>(selected - 1)];
        text += QStringLiteral("; point %1 selected at X %2, Y %3")
                    .arg(selected)
                    .arg(XText(p.X), YText(p.Y));
    }
    return text;
}
