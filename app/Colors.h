#pragma once
// The program's named colours and the shared colouring of panels and status texts.

#include <QColor>

class QLabel;
class QString;
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
// Greys the caption of a disabled group, or gives it the window text colour again. The grey
// alone says nothing to a screen reader, so a greyed caption reads "disabled" in its accessible
// description.
void ShowCaptionEnabled(QWidget* caption, bool enabled);
// Shows `text` in a status panel, in red when it reports an error. The red alone says nothing
// to a screen reader, so a shown error also reads "error" in the panel's accessible
// description; an empty panel reports nothing.
void ShowStatusText(QLabel* panel, const QString& text, bool error);
