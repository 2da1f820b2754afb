#pragma once
// The program's named colours and the shared colouring of panels and status texts.

#include <QColor>

class QWidget;

// Active live panels and highlighted panels: light yellow.
QColor ActivePanelColor();
// Captions and labels of a disabled group.
QColor DisabledCaptionColor();
// The neutral colour: the palette's button colour.
QColor NeutralColor();
// A set input or output bit, and a clear one.
QColor BitSetColor();
QColor BitClearColor();

// Fills the widget's background with `color`.
void SetBackground(QWidget* widget, const QColor& color);
// The colour of the widget's text; red for error texts, the window text colour otherwise.
void SetTextColor(QWidget* widget, const QColor& color);
void SetErrorText(QWidget* widget, bool error);
