#include "SoakUi.h"

#include <chrono>
#include <thread>

namespace kq9soak {

void Post(std::function<void()> action) {
    QMetaObject::invokeMethod(qApp, std::move(action), Qt::QueuedConnection);
}

bool WaitOnUi(const std::function<bool()>& condition, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (OnUi(condition))
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        Pause(20);
    }
}

void Pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace kq9soak
