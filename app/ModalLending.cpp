#include "app/ModalLending.h"

#include <QApplication>
#include <QEvent>

TModalLending::TModalLending(QWidget* window, QWidget* owner)
    : QObject(window), FWindow(window), FOwner(owner) {
    FWindow->installEventFilter(this);
}

void TModalLending::Show() {
    QWidget* modal = QApplication::activeModalWidget();
    MoveTo(modal && modal != FWindow ? modal : FOwner.data());
    FWindow->show();
    FWindow->raise();
    FWindow->activateWindow();
}

void TModalLending::LendToActiveModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != FWindow && FWindow->isVisible())
        MoveTo(modal);
}

bool TModalLending::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FWindow) {
        // Not from inside the event: reparenting a window while Qt blocks it is not safe.
        if (event->type() == QEvent::WindowBlocked && FWindow->isVisible())
            QMetaObject::invokeMethod(
                this, [this] { LendToActiveModal(); }, Qt::QueuedConnection);
    } else if (watched == FWindow->parentWidget() &&
               (event->type() == QEvent::Hide || event->type() == QEvent::DeferredDelete)) {
        // A borrowing window that closes (or goes) hands the window back before it could take
        // it along.
        MoveTo(FOwner);
    }
    return QObject::eventFilter(watched, event);
}

void TModalLending::MoveTo(QWidget* parent) {
    QWidget* current = FWindow->parentWidget();
    if (current == parent)
        return;
    if (current && current != FOwner)
        current->removeEventFilter(this);
    const bool shown = FWindow->isVisible();
    const QPoint position = FWindow->pos();
    FWindow->setParent(parent, FWindow->windowFlags());
    FWindow->move(position);
    if (parent && parent != FOwner)
        parent->installEventFilter(this);
    if (shown)
        FWindow->show();
}
