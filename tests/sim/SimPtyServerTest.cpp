// The simulated line on a real pty, reached through the port component and the POSIX device:
// selection, the rate and stop bits a unit answers at, the timing knobs and a dropped line.

#include "SimTestPort.h"

#include "comm/ComNames.h"
#include "support/PtySimLine.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace std::chrono_literals;

TEST(SimPtyServer, AnswersTheSelectedUnitAndOutlivesTheProgramsOpenings) {
    kq9test::TPtySimLine sim({2, 9});
    sim.UseAs(TPort::COM3);
    sim.Line().Configure(9, [](TSimUnit& u) { u.TypeText = "KX72-0100"; });
    TSimTestPort port({}, TPort::COM3);
    port.Port.Open();
    EXPECT_EQ(port.Exchange("rt").Reply, "rt KX71-2412\r\n");
    EXPECT_EQ(port.Exchange("sc 9").Reply, "sc 9\r\n");
    port.Port.Close();
    port.Port.Open();
    EXPECT_EQ(port.Exchange("rt").Reply, "rt KX72-0100\r\n");
    TSimOutcome missing = port.Exchange("sc 3");
    EXPECT_EQ(missing.Error.Code, CommCode::Timeout);
    EXPECT_LT(missing.Took, 400ms);
}

TEST(SimPtyServer, AUnitAnswersOnlyAtItsRateAndStopBits) {
    kq9test::TPtySimLine sim({0});
    sim.UseAs(TPort::COM3);
    sim.Line().Configure(0, [](TSimUnit& u) { ParseSimLineSettings("28800,E,8,2", u.Line); });
    TSimTestPort port({}, TPort::COM3);
    port.Port.SetFrameStopbits(TStopBit::sb_2);
    port.Port.Open(); // 9600 baud
    EXPECT_EQ(port.Exchange("rf").Error.Code, CommCode::Timeout);
    port.Port.SetBaudrate(TBaudrate::br28800);
    // Parity cannot be seen on a pty: the odd parity the port asks for goes unnoticed.
    port.Port.SetFrameParitybit(TParityBit::Odd);
    EXPECT_EQ(port.Exchange("rf").Reply, "rf -1\r\n");
    port.Port.SetFrameStopbits(TStopBit::sb_1);
    EXPECT_EQ(port.Exchange("rf").Error.Code, CommCode::Timeout);
}

TEST(SimPtyServer, TimingKnobsDelayAndSplitTheReply) {
    kq9test::TPtySimLine sim({0});
    sim.UseAs(TPort::COM3);
    TSimTestPort port({}, TPort::COM3);
    port.Port.Open();
    // Pieces 20 ms apart make one reply.
    sim.Line().Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.ChunkSize = 4;
        u.Faults.ChunkGapMs = 20;
    });
    TSimOutcome chunked = port.Exchange("rt");
    EXPECT_EQ(chunked.Reply, "rt KX71-2412\r\n");
    EXPECT_GE(chunked.Took, 3 * 20ms + 50ms);
    // A first byte within the component's time-out is waited for; a later one is a time-out.
    // (The late reply then arrives after the exchange, so it comes last.)
    sim.Line().Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.FirstByteDelayMs = 150;
    });
    TSimOutcome late = port.Exchange("rf", 400);
    EXPECT_EQ(late.Reply, "rf -1\r\n");
    EXPECT_GE(late.Took, 150ms);
    EXPECT_EQ(port.Exchange("rf", 0).Error.Code, CommCode::Timeout);
}

TEST(SimPtyServer, AGapLongerThanTheSilenceEndsTheReply) {
    kq9test::TPtySimLine sim({0});
    sim.UseAs(TPort::COM3);
    TSimTestPort port({}, TPort::COM3);
    port.Port.Open();
    sim.Line().Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.ChunkSize = 4;
        u.Faults.ChunkGapMs = 400; // far beyond the 50 ms, so a busy machine still sees the gap
    });
    EXPECT_EQ(port.Exchange("rt").Reply, "rt K");
}

// A reply that never goes silent ends at the port's limit; the next command stops the stream,
// and what came before that command arrived is all the next exchange sees of it.
TEST(SimPtyServer, AnEndlessReplyEndsAtTheLimitAndTheNextCommandStopsIt) {
    kq9test::TPtySimLine sim({0});
    sim.UseAs(TPort::COM3);
    TSimTestPort port({}, TPort::COM3);
    port.Port.Open();
    sim.Line().Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.AppliesTo = "rt";
        u.Faults.Endless = true;
    });
    TSimOutcome endless = port.Exchange("rt", 500);
    EXPECT_EQ(endless.Error.Code, CommCode::ReplyTooLong);
    TSimOutcome next = port.Exchange("rf");
    EXPECT_TRUE(next.Ok) << "code " << static_cast<int>(next.Error.Code) << ", "
                         << next.Reply.size() << " bytes";
    EXPECT_TRUE(next.Reply.ends_with("rf -1\r\n")) << next.Reply;
    EXPECT_EQ(port.Exchange("rf").Reply, "rf -1\r\n");
}

TEST(SimPtyServer, ADroppedLineEndsTheReplyWithAnAbortedOperation) {
    kq9test::TPtySimLine sim({0});
    sim.UseAs(TPort::COM3);
    const std::string path = sim.SlavePath();
    TSimTestPort port({}, TPort::COM3);
    port.Port.Open();
    sim.Line().Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.CutAfter = 5;
        u.Faults.DropLineAfterMs = 20;
    });
    TSimOutcome outcome = port.Exchange("rt", 500);
    EXPECT_FALSE(outcome.Ok);
    EXPECT_EQ(outcome.Error.SystemError, ERROR_OPERATION_ABORTED);
    EXPECT_TRUE(kq9test::WaitUntil([&] { return sim.LineDropped(); }, 1000));
    port.Port.Close();
    // Once nobody holds it any more, the device is gone.
    struct stat info {};
    EXPECT_NE(::stat(path.c_str(), &info), 0);
}

TEST(SimPtyServer, DropLineFromTheTestClosesTheLine) {
    kq9test::TPtySimLine sim({0});
    sim.UseAs(TPort::COM3);
    TSimTestPort port({}, TPort::COM3);
    port.Port.Open();
    sim.DropLine();
    ASSERT_TRUE(kq9test::WaitUntil([&] { return sim.LineDropped(); }, 1000));
    EXPECT_EQ(port.Exchange("rt").Error.SystemError, ERROR_OPERATION_ABORTED);
}

TEST(SimPtyServer, StartsAgainOnANewPtyAfterStop) {
    auto line = std::make_shared<TSimLine>();
    line->AddUnit(0);
    TSimPtyServer server(line);
    ASSERT_EQ(server.Start(), 0);
    EXPECT_EQ(server.Start(), EBUSY);
    server.DropLine();
    ASSERT_TRUE(kq9test::WaitUntil([&] { return server.LineDropped(); }, 1000));
    EXPECT_EQ(server.Start(), EBUSY);
    server.Stop();
    ASSERT_EQ(server.Start(), 0);
    EXPECT_FALSE(server.LineDropped());
    SetComDevicePath(TPort::COM3, server.SlavePath());
    TSimTestPort port({}, TPort::COM3);
    port.Port.Open();
    EXPECT_EQ(port.Exchange("rf").Reply, "rf -1\r\n");
    port.Port.Close();
    ResetComDevicePaths();
}

// The link path follows the line as udev's name follows a USB adapter: gone with the dropped
// line, back on the new pty, so a port that names the link reaches the new line.
TEST(SimPtyServer, ALinkPathNamesTheLineUntilItDropsAndTheNextOneAfterwards) {
    char folder[] = "/tmp/kq9link-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string link = std::string(folder) + "/ttyKQ9";
    auto line = std::make_shared<TSimLine>();
    line->AddUnit(0);
    TSimPtyServer server(line);
    server.SetLinkPath(link);
    ASSERT_EQ(server.Start(), 0);
    SetComDevicePath(TPort::COM3, link);
    {
        TSimTestPort port({}, TPort::COM3);
        port.Port.Open();
        EXPECT_EQ(port.Exchange("rf").Reply, "rf -1\r\n");
        server.DropLine();
        ASSERT_TRUE(kq9test::WaitUntil([&] { return server.LineDropped(); }, 1000));
        struct stat info {};
        EXPECT_NE(::lstat(link.c_str(), &info), 0);
        EXPECT_EQ(port.Exchange("rf").Error.SystemError, ERROR_OPERATION_ABORTED);
        port.Port.Close();
        server.Stop();
        ASSERT_EQ(server.Start(), 0);
        port.Port.Open();
        EXPECT_EQ(port.Exchange("rf").Reply, "rf -1\r\n");
        port.Port.Close();
    }
    server.Stop();
    struct stat info {};
    EXPECT_NE(::lstat(link.c_str(), &info), 0);
    ::rmdir(folder);
    ResetComDevicePaths();
}
