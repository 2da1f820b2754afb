#pragma once
// Keeps a window that is shown beside the others usable while modal windows run. A modal window
// blocks every window that is not its own, so the window is lent to the modal window in front:
// when it is shown from one, and when one opens while it is up. It returns to its owner when
// the borrowing window closes (and is lent again if another modal window is still in front).

#include <QObject>
#include <QPointer>
#include <QWidget>

class TModalLending : public QObject {
public:
    TModalLending(QWidget* window, QWidget* owner);

    // Shows the window without waiting, lent to the modal window in front if there is one.
    void Show();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LendToActiveModal();
    void MoveTo(QWidget* parent);

    QWidget* FWindow;
    QPointer<QWidget> FOwner;
};
