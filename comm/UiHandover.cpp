#include "comm/UiHandover.h"

#include "comm/PlainHandover.h"

#include <atomic>

namespace {

std::atomic<TUiHandover*> installed{nullptr};

TUiHandover& Fallback() {
    static TPlainHandover fallback;
    return fallback;
}

} // namespace

TUiHandover& UiHandover() {
    TUiHandover* handover = installed.load();
    return handover ? *handover : Fallback();
}

void SetUiHandover(TUiHandover* handover) { installed.store(handover); }
