#pragma once
// A dialog that reads its texts and state each time it is shown. Returning to it from a child
// window or another application is no new activation.

#include <QDialog>
#include <QShowEvent>

class TActivatedDialog : public QDialog {
public:
    using QDialog::QDialog;
    virtual void FormActivate() = 0;

protected:
    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        if (!event->spontaneous())
            FormActivate();
    }
};
