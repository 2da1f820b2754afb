#include "support/WaitUntil.h"

#include "comm/UiHandover.h"

#include <algorithm>
#include <chrono>

namespace kq9test {

using Clock = std::chrono::steady_clock;

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition())
            return true;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return condition();
        UiHandover().ProcessMessages(static_cast<int>(std::min<long>(left.count(), 10)));
    }
}

void ProcessFor(int ms) {
    WaitUntil([] { return false; }, ms);
}

} // namespace kq9test
