#pragma once
// What the serial-line library needs from its host program: running a function on the UI
// thread while the worker waits for it, and processing the UI thread's pending messages while
// the UI thread itself waits (closing a port).

#include <functional>

class TUiHandover {
public:
    virtual ~TUiHandover() = default;

    // Worker thread: runs `fn` on the UI thread and returns once it has run.
    virtual void Synchronize(const std::function<void()>& fn) = 0;
    // UI thread: runs the pending messages (Synchronize calls among them). When there are none,
    // waits for one up to waitMs milliseconds; waitMs < 0 waits until one arrives or Wake.
    virtual void ProcessMessages(int waitMs) = 0;
    // Any thread: makes a waiting ProcessMessages return.
    virtual void Wake() = 0;
};

// The program-wide hand-over. The host installs its own before opening a port; until then a
// plain one (see PlainHandover.h) whose UI thread is the first caller of ProcessMessages serves.
TUiHandover& UiHandover();
void SetUiHandover(TUiHandover* handover);
