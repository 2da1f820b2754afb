#pragma once
// The UI-thread hand-over on Qt: a worker's call runs as a blocking queued call on an object
// living in the GUI thread; waiting processes the Qt event queue.

#include "comm/UiHandover.h"

#include <QObject>

class TQtHandover : public TUiHandover {
public:
    // Must be created on the GUI thread, after the QCoreApplication.
    TQtHandover();
    ~TQtHandover() override;

    void Synchronize(const std::function<void()>& fn) override;
    void ProcessMessages(int waitMs) override;
    void Wake() override;

private:
    QObject* FTarget;
};
