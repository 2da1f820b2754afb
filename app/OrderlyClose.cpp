#include "app/OrderlyClose.h"

#include <QApplication>
#include <QDialog>

namespace {
// Each step lets the event loop return from the window just closed before the next look.
constexpr int StepMs = 10;
} // namespace

TOrderlyClose::TOrderlyClose(QWidget& mainWindow) : FMainWindow(mainWindow) {
    FTimer.setInterval(StepMs);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Step(); });
}

void TOrderlyClose::Request() {
    if (FRequested)
        return;
    FRequested = true;
    Step();
    if (FRequested)
        FTimer.start();
}

void TOrderlyClose::Step() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        // done() rather than reject(): a window whose Cancel only asks its run to stop, or asks
        // whether to save, would otherwise stay; the program is ending either way.
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->hide();
        return;
    }
    FTimer.stop();
    FMainWindow.close();
}
