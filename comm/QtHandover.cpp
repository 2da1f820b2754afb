#include "comm/QtHandover.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

TQtHandover::TQtHandover() : FTarget(new QObject) {}

TQtHandover::~TQtHandover() { delete FTarget; }

void TQtHandover::Synchronize(const std::function<void()>& fn) {
    if (QThread::currentThread() == FTarget->thread()) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(FTarget, [&fn] { fn(); }, Qt::BlockingQueuedConnection);
}

void TQtHandover::ProcessMessages(int waitMs) {
    if (waitMs == 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    if (waitMs < 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        return;
    }
    // A timer ends the wait at the latest after waitMs.
    QTimer limit;
    limit.setSingleShot(true);
    limit.start(waitMs);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TQtHandover::Wake() {
    QMetaObject::invokeMethod(FTarget, [] {}, Qt::QueuedConnection);
}
