#include "support/QtModalCloser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>

namespace kq9test {

TModalCloser::TModalCloser(QMessageBox::StandardButton answer) : FAnswer(answer) {
    FTimer.setInterval(10);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Poll(); });
    FTimer.start();
}

void TModalCloser::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        FSeen << box->windowTitle() + u'\n' + box->text();
        QAbstractButton* button = box->button(FAnswer);
        if (button)
            button->click();
        else
            box->reject();
        return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        FSeen << dialog->windowTitle();
        dialog->reject();
    }
}

} // namespace kq9test
