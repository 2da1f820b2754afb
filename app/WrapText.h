#pragma once
// Long message texts broken into lines for message boxes that would otherwise grow as wide as
// the screen.

#include <QString>

// The width of the warning boxes' lines.
constexpr int MessageWrapWidth = 42;

// Breaks `text` into lines of at most `width` characters by inserting CR LF after the last blank,
// tab, "-" or "." that keeps a line within the width. A blank or tab at a break gives way to the
// line end; a word longer than the width stays whole on a line of its own. Line ends already in
// the text are kept.
QString WrapText(const QString& text, int width = MessageWrapWidth);
