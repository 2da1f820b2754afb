#pragma once
// The editors' grids draw their value cells themselves: a plain background and the text
// right-aligned, 4 pixels from the right edge and 2 from the top.

class QBrush;
class QColor;
class QPainter;
class QRect;
class QString;

constexpr int CellRightMargin = 4;
constexpr int CellTopMargin = 2;

void PaintRightAlignedCell(QPainter& painter, const QRect& rect, const QString& text,
                           const QBrush& background, const QColor& textColor);
