#include "calib/DrawImage.h"

#include "app/Colors.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

struct TPainterVisitor {
    QPainter& Painter;

    void operator()(const TDrawLine& line) const {
        QPen pen(InkColor(line.Ink), 0, line.Dotted ? Qt::DotLine : Qt::SolidLine);
        Painter.setPen(pen);
        Painter.drawLine(line.From, line.To);
    }
    void operator()(const TDrawRect& rect) const {
        Painter.fillRect(rect.Rect, InkColor(rect.Fill));
        if (rect.Border) {
            Painter.setPen(QPen(Qt::black, 0));
            Painter.setBrush(Qt::NoBrush);
            Painter.drawRect(rect.Rect.adjusted(0, 0, -1, -1));
        }
    }
    void operator()(const TDrawEllipse& ellipse) const {
        Painter.setPen(QPen(Qt::black, 0));
        Painter.setBrush(InkColor(ellipse.Fill));
        Painter.drawEllipse(ellipse.Bounds);
        Painter.setBrush(Qt::NoBrush);
    }
    void operator()(const TDrawText& text) const {
        QFontMetrics metrics = Painter.fontMetrics();
        int x = text.At.x();
        if (text.Anchor == TDrawText::TAnchor::Right)
            x = std::max(0, x - metrics.horizontalAdvance(text.Text));
        Painter.setPen(Qt::black);
        Painter.drawText(QPoint(x, text.At.y() + metrics.ascent()), text.Text);
    }
};

} // namespace

QColor InkColor(TInk ink) {
    switch (ink) {
    case TInk::Black:
        return Qt::black;
    case TInk::White:
        return Qt::white;
    case TInk::Blue:
        return Qt::blue;
    case TInk::Red:
        return Qt::red;
    case TInk::Lime:
        return QColor(0, 255, 0);
    case TInk::Yellow:
        return Qt::yellow;
    case TInk::ButtonFace:
        break;
    }
    return NeutralColor();
}

TDrawImage::TDrawImage(const char* name, QSize size, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromLatin1(name));
    setFixedSize(size);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TDrawImage::SetDrawing(TDrawList drawing) {
    FDrawing = std::move(drawing);
    update();
}

void TDrawImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), NeutralColor());
    TPainterVisitor visitor{painter};
    for (const TDrawStep& step : FDrawing.Steps())
        std::visit(visitor, step);
}

void TDrawImage::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove)
        OnMouseMove(event->position().toPoint());
}

void TDrawImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (OnMouseMove)
        OnMouseMove(event->position().toPoint());
    if (OnClick)
        OnClick();
}
