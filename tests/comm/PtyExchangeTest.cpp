// Exchanges over a real pty: the timing of the end of a reply, time-outs, and the line vanishing.

#include "CommTestSupport.h"

#include "comm/ComNames.h"
#include "support/PtyPeer.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using kq9test::ProcessFor;
using kq9test::TPtyPeer;
using kq9test::WaitUntil;
using Clock = std::chrono::steady_clock;

namespace {

struct TPtyPort {
    TPtyPeer Peer;
    TLBComm Port;
    TLD100Protocol Component;
    TEventLog Log;

    explicit TPtyPort(int timeoutMs = 0) {
        SetComDevicePath(TPort::COM2, Peer.SlavePath());
        Port.SetPortName(TPort::COM2);
        Port.SetBaudrate(TBaudrate::br38400);
        Port.Open();
        ConfigureLD100(Component, Port, timeoutMs);
        Log.Attach(Component);
    }
    ~TPtyPort() { ResetComDevicePaths(); }

    void Send(const std::string& text) {
        Component.SetASCIIProtocol(text);
        Component.Send();
    }
};

// The peer's answer, written from its own thread while the test processes UI messages.
std::thread Answer(TPtyPeer& peer, std::vector<std::pair<int, std::string>> chunks) {
    return std::thread([&peer, chunks] {
        if (peer.ReadRequest(2000).empty())
            return;
        for (const auto& [delayMs, bytes] : chunks) {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            peer.Write(bytes);
        }
    });
}

} // namespace

TEST(PtyExchange, GapsUnderTheSilenceJoinChunksAndALongerGapEndsTheReply) {
    TPtyPort line(500);
    std::thread peer =
        Answer(line.Peer, {{5, "rt KX"}, {20, "71-01"}, {20, "\r\n"}, {250, "late"}});
    auto start = Clock::now();
    line.Send("rt");
    ASSERT_TRUE(WaitUntil([&] { return line.Log.Events() == 1; }, 3000));
    auto elapsed = Clock::now() - start;
    peer.join();
    ASSERT_EQ(line.Log.Results.size(), 1u);
    EXPECT_EQ(line.Log.Results[0], "rt KX71-01\r\n");
    // Complete about 50 ms after the last byte, well before the late chunk.
    EXPECT_GE(elapsed, std::chrono::milliseconds(90));
    EXPECT_LT(elapsed, std::chrono::milliseconds(290));
}

TEST(PtyExchange, ASilentDeviceGivesOneTimeOutAndNoRepetition) {
    TPtyPort line(0); // 100 ms for the first byte
    auto start = Clock::now();
    line.Send("rf");
    ASSERT_TRUE(WaitUntil([&] { return line.Log.Events() == 1; }, 3000));
    auto elapsed = Clock::now() - start;
    ASSERT_EQ(line.Log.Errors.size(), 1u);
    EXPECT_EQ(line.Log.Errors[0].Code, CommCode::Timeout);
    EXPECT_GE(elapsed, std::chrono::milliseconds(95));
    EXPECT_LT(elapsed, std::chrono::milliseconds(600));
    ProcessFor(200);
    EXPECT_EQ(line.Log.Events(), 1u);
    EXPECT_EQ(line.Peer.ReadAll(300), "rf\r");
}

TEST(PtyExchange, TheLineVanishingMidReplyEndsWithAnErrorAndTheProgramGoesOn) {
    TPtyPort line(500);
    std::thread peer = Answer(line.Peer, {{5, "rt KX7"}});
    line.Send("rt");
    ASSERT_TRUE(WaitUntil([&] { return line.Component.ResultStream().Size() > 0; }, 2000));
    peer.join();
    line.Peer.Hangup();
    ASSERT_TRUE(WaitUntil([&] { return line.Log.Events() == 1; }, 3000));
    ASSERT_EQ(line.Log.Errors.size(), 1u);
    EXPECT_EQ(line.Log.Errors[0].SystemError, ERROR_OPERATION_ABORTED);
    line.Port.Close();
    EXPECT_FALSE(line.Port.Active());
}

TEST(PtyExchange, ClosingDoesNotWaitOutAPendingTimeOut) {
    TPtyPort line(5000);
    line.Send("rt");
    ASSERT_EQ(line.Peer.ReadRequest(2000), "rt\r");
    auto start = Clock::now();
    line.Port.Close();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_EQ(line.Log.Events(), 0u);
}
