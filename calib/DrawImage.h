#pragma once
// An image control of a fixed size that paints a drawing list, and reports mouse moves and
// clicks in its own pixel coordinates. Its accessible description says what the picture shows.

#include "calib/DrawList.h"

#include <QColor>
#include <QWidget>

#include <functional>

// The screen colour of a drawing colour.
QColor InkColor(TInk ink);

class TDrawImage : public QWidget {
public:
    TDrawImage(const char* name, QSize size, QWidget* parent);

    void SetDrawing(TDrawList drawing);
    const TDrawList& Drawing() const { return FDrawing; }

    std::function<void(QPoint position)> OnMouseMove;
    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TDrawList FDrawing;
};
