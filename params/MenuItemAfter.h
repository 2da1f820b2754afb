#pragma once
// Adds an item to a menu built elsewhere, in its place beside an item already there.

class QAction;
class QMenu;
class QString;

// A new item named `name` right after `after` (at the end when `after` is the last item or not
// in the menu).
QAction* MenuItemAfter(QMenu* menu, QAction* after, const char* name, const QString& caption);
