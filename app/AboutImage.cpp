#include "app/AboutImage.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Steel(150, 160, 172);
const QColor DarkSteel(70, 78, 90);
const QColor Housing(40, 72, 120);
const QColor Display(170, 230, 150);

void DrawBackground(QPainter& painter, const QRectF& area) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, QColor(232, 240, 250));
    sky.setColorAt(1, QColor(190, 208, 232));
    painter.setPen(QPen(QColor(110, 130, 160), 0.8));
    painter.setBrush(sky);
    painter.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
}

// The controller: a housing with a display reading the controller family and four keys.
void DrawController(QPainter& painter) {
    painter.save();
    painter.translate(24, 0);
    QLinearGradient body(QPointF(14, 12), QPointF(14, 62));
    body.setColorAt(0, Housing.lighter(130));
    body.setColorAt(1, Housing);
    painter.setPen(QPen(Housing.darker(160), 1.2));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(14, 12, 52, 50), 4, 4);
    painter.setPen(QPen(QColor(40, 60, 40), 0.8));
    painter.setBrush(Display);
    painter.drawRect(QRectF(20, 18, 40, 16));
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(30, 60, 30));
    painter.drawText(QRectF(20, 18, 40, 16), Qt::AlignCenter, QStringLiteral("KX71"));
    painter.setPen(Qt::NoPen);
    const QColor keys[] = {QColor(220, 60, 50), QColor(240, 200, 60), QColor(90, 190, 90),
                           QColor(230, 230, 230)};
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(keys[i]);
        painter.drawEllipse(QRectF(21 + i * 10, 42, 7, 7));
    }
    painter.setBrush(QColor(210, 215, 225));
    painter.drawRect(QRectF(20, 54, 40, 3));
    painter.restore();
}

// The cable from the controller down to the motor.
void DrawCable(QPainter& painter) {
    QPainterPath cable(QPointF(52, 62));
    cable.cubicTo(QPointF(52, 82), QPointF(18, 72), QPointF(21, 94));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(30, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(cable);
}

// The axis: a motor at the left end of a ball screw with a carriage on it.
void DrawAxis(QPainter& painter) {
    painter.setPen(QPen(DarkSteel, 1));
    QLinearGradient motor(QPointF(8, 94), QPointF(8, 116));
    motor.setColorAt(0, QColor(90, 96, 104));
    motor.setColorAt(0.5, QColor(150, 156, 164));
    motor.setColorAt(1, QColor(60, 64, 70));
    painter.setBrush(motor);
    painter.drawRoundedRect(QRectF(8, 94, 26, 22), 3, 3);

    painter.setBrush(DarkSteel);
    painter.drawRect(QRectF(34, 100, 4, 10));
    painter.drawRect(QRectF(112, 100, 6, 14));
    painter.setPen(QPen(Steel.darker(130), 1));
    painter.setBrush(Steel);
    painter.drawRect(QRectF(38, 103, 74, 4));
    painter.setPen(QPen(DarkSteel, 0.8));
    for (int x = 40; x < 112; x += 4)
        painter.drawLine(QPointF(x, 103), QPointF(x + 3, 107));

    QLinearGradient carriage(QPointF(66, 92), QPointF(66, 114));
    carriage.setColorAt(0, QColor(250, 170, 60));
    carriage.setColorAt(1, QColor(210, 110, 20));
    painter.setPen(QPen(QColor(150, 80, 10), 1));
    painter.setBrush(carriage);
    painter.drawRoundedRect(QRectF(64, 94, 24, 20), 2, 2);
    // Arrows on both sides: the carriage is positioned in either direction.
    painter.setPen(QPen(QColor(200, 40, 30), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int side : {-1, 1}) {
        const double tip = 76 + side * 26;
        const double base = 76 + side * 16;
        painter.drawLine(QPointF(base, 86), QPointF(tip, 86));
        painter.drawLine(QPointF(tip, 86), QPointF(tip - side * 4, 82));
        painter.drawLine(QPointF(tip, 86), QPointF(tip - side * 4, 90));
    }
}

} // namespace

QPixmap AboutImage(int size) {
    // Drawn in a 128 by 128 design space, scaled to the size asked for.
    constexpr double DesignSize = 128;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / DesignSize, size / DesignSize);
    DrawBackground(painter, QRectF(0, 0, DesignSize, DesignSize));
    DrawController(painter);
    DrawCable(painter);
    DrawAxis(painter);
    return pixmap;
}
