// Ending the program by a signal: the close runs on the event loop, also for a signal that came
// before anyone listened, and the handlers that were there before come back afterwards.

#include "app/TermSignals.h"
#include "comm/QtHandover.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

void (*CurrentHandler(int signal))(int) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    return action.sa_handler;
}

} // namespace

TEST(TermSignals, SignalsCloseOnTheEventLoopAndTheOldHandlersReturn) {
    TQtHandover handover;
    SetUiHandover(&handover);
    void (*before)(int) = CurrentHandler(SIGTERM);
    {
        TTermSignals termSignals;
        int closes = 0;
        std::raise(SIGTERM); // before the main window exists: it waits
        termSignals.OnTerminate = [&] { ++closes; };
        EXPECT_TRUE(kq9test::WaitUntil([&] { return closes == 1; }, 3000));
        std::raise(SIGINT);
        std::raise(SIGHUP);
        EXPECT_TRUE(kq9test::WaitUntil([&] { return closes == 3; }, 3000));
        kq9test::ProcessFor(50);
        EXPECT_EQ(closes, 3);
    }
    EXPECT_EQ(CurrentHandler(SIGTERM), before);
    SetUiHandover(nullptr);
}
