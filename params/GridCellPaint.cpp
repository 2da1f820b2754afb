#include "params/GridCellPaint.h"

#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>

void PaintRightAlignedCell(QPainter& painter, const QRect& rect, const QString& text,
                           const QBrush& background, const QColor& textColor) {
    painter.save();
    painter.fillRect(rect, background);
    painter.setPen(textColor);
    painter.drawText(rect.adjusted(0, CellTopMargin, -CellRightMargin, 0),
                     Qt::AlignRight | Qt::AlignTop, text);
    painter.restore();
}
