#pragma once
// The soak's driver runs on a thread of its own and reaches the program only through its UI
// thread, as a user reaches it through the window system: every action and every look runs
// there while the driver waits. A window that opens modally is opened with Post, since the
// action that opens it returns only when it closes again.

#include <QCoreApplication>
#include <QMetaObject>

#include <functional>
#include <type_traits>

namespace kq9soak {

// Runs `f` on the UI thread and returns its result.
template <typename F> auto OnUi(F&& f) {
    using R = std::invoke_result_t<F&>;
    if constexpr (std::is_void_v<R>) {
        QMetaObject::invokeMethod(
            qApp, [&] { f(); }, Qt::BlockingQueuedConnection);
    } else {
        R result{};
        QMetaObject::invokeMethod(
            qApp, [&] { result = f(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

// Queues `action` on the UI thread without waiting for it.
void Post(std::function<void()> action);
// Looks at the program every 20 ms until `condition` holds on the UI thread; false when
// `timeoutMs` passed first.
bool WaitOnUi(const std::function<bool()>& condition, int timeoutMs);
// A pause of the driver (the program runs on meanwhile).
void Pause(int ms);

} // namespace kq9soak
