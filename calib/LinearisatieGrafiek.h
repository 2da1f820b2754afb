#pragma once
// The linearisation table as a picture: the support points held in the parameter store, their
// ranges and axis labels, the curve in the plot (700 x 520) with its flat extensions to both
// borders, the quadrant picture (201 x 201) that shows how the curve is mirrored, and finding
// the point under the mouse. The curve spans x 10 … 690 and y 510 (smallest Y) … 10 (largest).

#include "calib/DrawList.h"

#include <QSize>

#include <array>
#include <cstdint>
#include <vector>

inline constexpr QSize LinPlotSize{700, 520};
inline constexpr QSize LinXStripSize{737, 29};
inline constexpr QSize LinYStripSize{80, 523};
inline constexpr QSize LinQuadrantSize{201, 201};

// Points the mouse can pick; the table never shows more.
constexpr int LinHitSlots = 32;
// A click picks a point within this many pixels in both directions.
constexpr int LinHitDistance = 5;

// Parameters of the table.
constexpr int LinCountParameter = 247;
constexpr int LinModeParameter = 241;
constexpr int LinSourceParameter = 246;
constexpr int LinXParameter(int point) {
    return 139 + point;
}
constexpr int LinYParameter(int point) {
    return 169 + point;
}

struct TLinPoint {
    int32_t X = 0;
    int32_t Y = 0;
};

struct TLinTable {
    // Point k is Points[k - 1].
    std::vector<TLinPoint> Points;
    // X from the first and the last point (the X values rise); Y over all points.
    int32_t FirstX = 0, LastX = 0, MinY = 0, MaxY = 0;
    int32_t Mode = 0;

    int Count() const { return static_cast<int>(Points.size()); }
    // A curve needs two points.
    bool Drawable() const { return Count() >= 2; }
};

// How many points the table can hold: X values (from 140) and Y values (from 170) meet after
// 30 points; the definitions of parameter 247 may allow fewer.
int LinPointLimit();
// The table as the store holds it now, with its point count brought within 0 … LinPointLimit().
TLinTable ReadLinTable();

// The axis strips: ticks, and for more than one point the first, middle and last X (position
// decimals) and the largest, middle and smallest Y (decimals of parameter 248).
TDrawList DrawLinXAxis(const TLinTable& table);
TDrawList DrawLinYAxis(const TLinTable& table);

struct TLinGraph {
    TDrawList Plot;
    // Pixel position of point k at Positions[k - 1]; only the table's points are held.
    std::vector<QPoint> Positions;
};

struct TLinLook {
    int Selected = 1; // drawn again in red
    int DotSize = 0;  // circle radius, 0 … 10
    bool XLines = false;
    bool YLines = false;
};

// The pixel position of a point (truncated toward zero); a range that is not positive puts
// every point on x 680 or y 510.
QPoint LinPixel(const TLinTable& table, const TLinPoint& point);
// The plot: white with its border, the help lines, and for a drawable table the curve.
TLinGraph DrawLinGraph(const TLinTable& table, const TLinLook& look);
// The quadrant picture of modes 1 and 2: the curve from the centre into the right half, and its
// mirror into the upper-left (mode 1) or lower-left (mode 2) quadrant.
TDrawList DrawLinQuadrant(const TLinTable& table);
// Whether the mode shows the quadrant picture.
constexpr bool LinShowsQuadrant(int32_t mode) {
    return mode == 1 || mode == 2;
}

// The first point (1 …) within reach of `mouse`, or 0.
int LinHitTest(const std::vector<QPoint>& positions, QPoint mouse);
// What the plot shows, for its accessible description.
QString LinGraphDescription(const TLinTable& table, int selected);
