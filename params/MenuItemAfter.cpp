#include "params/MenuItemAfter.h"

#include <QAction>
#include <QMenu>

QAction* MenuItemAfter(QMenu* menu, QAction* after, const char* name, const QString& caption) {
    auto* item = new QAction(caption, menu);
    item->setObjectName(QString::fromLatin1(name));
    const QList<QAction*> items = menu->actions();
    const qsizetype next = items.indexOf(after) + 1;
    menu->insertAction(next > 0 && next < items.size() ? items[next] : nullptr, item);
    return item;
}
