#include "comm/PlainHandover.h"

#include <chrono>

void TPlainHandover::Synchronize(const std::function<void()>& fn) {
    TCall call{&fn};
    std::unique_lock lock(FMutex);
    FCalls.push_back(&call);
    FPosted.notify_all();
    FDone.wait(lock, [&] { return call.Done; });
}

void TPlainHandover::ProcessMessages(int waitMs) {
    std::unique_lock lock(FMutex);
    auto ready = [&] { return !FCalls.empty() || FWoken; };
    if (waitMs < 0)
        FPosted.wait(lock, ready);
    else if (waitMs > 0)
        FPosted.wait_for(lock, std::chrono::milliseconds(waitMs), ready);
    FWoken = false;
    while (!FCalls.empty()) {
        TCall* call = FCalls.front();
        FCalls.pop_front();
        lock.unlock();
        {
            // The waiting worker is released even when the call throws.
            struct TComplete {
                TPlainHandover& Handover;
                TCall* Call;
                ~TComplete() {
                    std::lock_guard done(Handover.FMutex);
                    Call->Done = true;
                    Handover.FDone.notify_all();
                }
            } complete{*this, call};
            (*call->Fn)();
        }
        lock.lock();
    }
}

void TPlainHandover::Wake() {
    std::lock_guard lock(FMutex);
    FWoken = true;
    FPosted.notify_all();
}
