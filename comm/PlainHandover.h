#pragma once
// A hand-over in plain C++: calls from the worker wait in a queue until the UI thread runs them
// in ProcessMessages. Used by programs and tests without a Qt event loop.

#include "comm/UiHandover.h"

#include <condition_variable>
#include <deque>
#include <mutex>

class TPlainHandover : public TUiHandover {
public:
    void Synchronize(const std::function<void()>& fn) override;
    void ProcessMessages(int waitMs) override;
    void Wake() override;

private:
    struct TCall {
        const std::function<void()>* Fn;
        bool Done = false;
    };
    std::mutex FMutex;
    std::condition_variable FPosted; // a call was queued or Wake
    std::condition_variable FDone;   // a call has run
    std::deque<TCall*> FCalls;
    bool FWoken = false;
};
