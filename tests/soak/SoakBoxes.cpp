#include "SoakBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace kq9soak {

TBoxes::TBoxes() {
    FTimer.setInterval(20);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Poll(); });
    FTimer.start();
}

void TBoxes::Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    {
        std::lock_guard lock(FMutex);
        FBoxes.push_back({box->windowTitle() + QStringLiteral(": ") + box->text()});
    }
    for (QMessageBox::StandardButton answer : {QMessageBox::Yes, QMessageBox::Ok}) {
        if (QAbstractButton* button = box->button(answer)) {
            button->click();
            return;
        }
    }
    box->reject();
}

bool TBoxes::Claim(const QString& fragment) {
    std::lock_guard lock(FMutex);
    for (TBox& box : FBoxes) {
        if (!box.Claimed && box.Text.contains(fragment)) {
            box.Claimed = true;
            return true;
        }
    }
    return false;
}

std::vector<QString> TBoxes::Unclaimed() const {
    std::lock_guard lock(FMutex);
    std::vector<QString> texts;
    for (const TBox& box : FBoxes)
        if (!box.Claimed)
            texts.push_back(box.Text);
    return texts;
}

int TBoxes::Count() const {
    std::lock_guard lock(FMutex);
    return static_cast<int>(FBoxes.size());
}

} // namespace kq9soak
