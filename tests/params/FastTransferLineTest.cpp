// A whole controller read over a real pty with replies ending at their line end and the
// communication log attached: the same values as always, and one log entry per exchange.

#include "comm/CommLog.h"
#include "comm/LBComm.h"
#include "params/LeesParSollSequence.h"
#include "support/PtySimLine.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

TEST(FastTransferLine, ABackupReadEndingRepliesAtTheirLineEndIsCompleteAndLogged) {
    kq9test::TPtySimLine sim{0};
    sim.Line().Configure(0, [](TSimUnit& unit) {
        for (size_t p = 0; p < unit.Parameters.size(); ++p)
            unit.Parameters[p] = static_cast<int32_t>(p * 37) - 5000;
        for (size_t s = 0; s < unit.Setpoints.size(); ++s)
            unit.Setpoints[s] = static_cast<int32_t>(s * 123457) - 1;
    });
    sim.UseAs(TPort::COM4);
    TLBComm port;
    port.SetPortName(TPort::COM4);
    port.SetBaudrate(TBaudrate::br38400);
    port.SetReplyEndsAtLineEnd(true);
    auto log = std::make_shared<TCommLog>();
    port.SetLog(log);
    port.Open();
    TLeesParSollSequence lees(&port);
    lees.Mode = 3;
    lees.Start();
    ASSERT_TRUE(kq9test::WaitUntil([&] { return lees.Stopped(); }, 60000));
    port.Close();
    ASSERT_EQ(lees.End(), TTransferEnd::Finished);
    for (int p = 0; p < 400; ++p)
        EXPECT_EQ(lees.ParBuffer[static_cast<size_t>(p)], p * 37 - 5000) << p;
    for (int s = 1; s <= 48; ++s)
        EXPECT_EQ(lees.SollBuffer[static_cast<size_t>(s)], (s - 1) * 123457 - 1) << s;

    std::vector<TCommLogEntry> entries = log->Take().Entries;
    ASSERT_EQ(entries.size(), 448u);
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string number = std::to_string(i < 400 ? i : i - 399);
        const std::string command = (i < 400 ? "rp " : "rs ") + number;
        EXPECT_EQ(entries[i].Command, command + "\r");
        EXPECT_EQ(entries[i].Component, "LD100LeesParSoll");
        EXPECT_TRUE(entries[i].Error.IsZero());
        // The reply whole, its line end included: nothing left to the next exchange.
        EXPECT_TRUE(entries[i].Reply.starts_with(command + " ")) << entries[i].Reply;
        EXPECT_TRUE(entries[i].Reply.ends_with("\r\n")) << entries[i].Reply;
    }
}
