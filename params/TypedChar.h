#pragma once
// The character a key press types into a value field, for the fields' own key filters: the
// printable character, u'\b' for backspace, nothing for every other key. Keys that type nothing
// printable (arrows, Delete, Enter, Tab, Escape, shortcuts with Ctrl or Alt) are editing keys:
// they pass the filters untouched and the field does what it always does with them.

#include <QChar>

class QKeyEvent;

QChar TypedChar(const QKeyEvent& event);
