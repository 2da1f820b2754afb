#include "app/Colors.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>

QColor ActivePanelColor() {
    return QColor(255, 255, 151);
}
QColor DisabledCaptionColor() {
    return QColor(128, 128, 128);
}
QColor NeutralColor() {
    return QApplication::palette().color(QPalette::Button);
}
QColor BitSetColor() {
    return QColor(0, 0, 255);
}
QColor BitClearColor() {
    return QColor(255, 255, 255);
}

void SetBackground(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

void SetErrorText(QWidget* widget, bool error) {
    SetTextColor(widget,
                 error ? QColor(Qt::red) : QApplication::palette().color(QPalette::WindowText));
}

void ShowCaptionEnabled(QWidget* caption, bool enabled) {
    SetTextColor(caption, enabled ? QApplication::palette().color(QPalette::WindowText)
                                  : DisabledCaptionColor());
    caption->setAccessibleDescription(enabled ? QString() : QStringLiteral("disabled"));
}

void ShowStatusText(QLabel* panel, const QString& text, bool error) {
    panel->setText(text);
    SetErrorText(panel, error);
    panel->setAccessibleDescription(error && !text.isEmpty() ? QStringLiteral("error") : QString());
}
