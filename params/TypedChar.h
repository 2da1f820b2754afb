#pragma once
// The character a key press types into a value field, for the fields' own key filters: the
// printable character, u'\b' for backspace, nothing for keys that type nothing (arrows, Enter,
// shortcuts with Ctrl or Alt, which pass the filters untouched).

#include <QChar>

class QKeyEvent;

QChar TypedChar(const QKeyEvent& event);
