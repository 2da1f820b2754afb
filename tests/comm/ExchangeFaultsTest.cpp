// The port and its components when an exchange goes wrong: replies that overlap a component's
// next request, a reply that never goes silent, event handlers that throw, and a device that
// vanishes while the port is open.

#include "CommTestSupport.h"

#include "comm/ComNames.h"
#include "comm/LBCommThread.h"
#include "support/PtyPeer.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <stdexcept>

using kq9test::ProcessFor;
using kq9test::WaitUntil;

namespace {

// Records each reply as a handler that reads the stream would see it.
void RecordByReading(TLD100Protocol& component, std::vector<std::string>& replies) {
    component.OnCommResult = [&replies](TLBProtocolComponent*, TMemoryStream& result) {
        std::string bytes(result.Size(), '\0');
        bytes.resize(result.Read(bytes.data(), bytes.size()));
        replies.push_back(bytes);
    };
}

} // namespace

TEST(ExchangeFaults, EachReplyHoldsExactlyTheBytesOfItsOwnExchange) {
    TFakeLine line;
    std::vector<std::string> answers = {"rf 12345\r\n", "rf 5\r\n", "rf -1\r\n"};
    size_t next = 0;
    line.Device->Responder = [&](const std::string&) { line.Device->Reply(answers[next++]); };
    std::vector<std::string> replies;
    RecordByReading(line.Component, replies);
    // Two entries of one component in the queue: a longer reply, then a shorter one.
    line.Component.SetASCIIProtocol("rf");
    line.Component.Send();
    line.Component.Send();
    ASSERT_TRUE(WaitUntil([&] { return replies.size() == 2; }, 3000));
    EXPECT_EQ(replies, (std::vector<std::string>{"rf 12345\r\n", "rf 5\r\n"}));

    // A request sent again while its reply is still arriving (a timer's poll) neither cuts that
    // reply short nor mixes it with the next.
    replies.clear();
    line.Device->Responder = [&](const std::string&) {
        line.Device->Reply(next == 2 ? "rf 77\r\n" : "rf 8\r\n", 0, 15);
        ++next;
    };
    line.Component.Send();
    ASSERT_TRUE(WaitUntil([&] { return line.Component.ResultStream().Size() > 0; }, 2000));
    line.Component.Send();
    ASSERT_TRUE(WaitUntil([&] { return replies.size() == 2; }, 3000));
    EXPECT_EQ(replies, (std::vector<std::string>{"rf 77\r\n", "rf 8\r\n"}));
}

TEST(ExchangeFaults, AReplyThatNeverGoesSilentEndsAtItsBoundAndTheQueueMovesOn) {
    TFakeLine line;
    line.Device->Responder = [&](const std::string& written) {
        if (written == "rt\r")
            line.Device->Reply(std::string(6000, 'x'));
        else
            line.Device->Reply("rh ok\r\n");
    };
    TLD100Protocol next;
    ConfigureLD100(next, line.Port);
    TEventLog nextLog;
    nextLog.Attach(next);
    line.Component.SetASCIIProtocol("rt");
    line.Component.Send();
    next.SetASCIIProtocol("rh");
    next.Send();
    ASSERT_TRUE(WaitUntil([&] { return nextLog.Events() == 1; }, 10000));
    ASSERT_EQ(line.Log.Errors.size(), 1u);
    EXPECT_EQ(line.Log.Errors[0].Code, CommCode::ReplyTooLong);
    EXPECT_TRUE(line.Log.Results.empty());
    // Not tried again: the stream would only hold the queue up once more.
    EXPECT_EQ(line.Device->Written(), (std::vector<std::string>{"rt\r", "rh\r"}));
    EXPECT_EQ(nextLog.Results, std::vector<std::string>{"rh ok\r\n"});

    // A reply of exactly the bound is still a reply.
    line.Device->Responder = [&](const std::string&) {
        line.Device->Reply(std::string(4094, 'y') + "\r\n");
    };
    ASSERT_TRUE(line.Exchange("rt", 10000));
    ASSERT_EQ(line.Log.Results.size(), 1u);
    EXPECT_EQ(line.Log.Results[0].size(), 4096u);
}

TEST(ExchangeFaults, AThrowingResultHandlerDoesNotStopTheCycle) {
    TFakePort fake;
    fake.Port.Open();
    fake.Device->Responder = [&](const std::string&) { fake.Device->Reply("r0 5\r\n"); };
    TLD100Protocol component;
    ConfigureLD100(component, fake.Port);
    int results = 0;
    component.OnCommResult = [&](TLBProtocolComponent*, TMemoryStream&) {
        if (++results == 1)
            throw std::runtime_error("handler failed");
    };
    component.SetASCIIProtocol("r0");
    component.SetCyclic(true);
    // The exception still reaches whoever runs the UI thread's messages.
    EXPECT_THROW(WaitUntil([] { return false; }, 2000), std::runtime_error);
    EXPECT_TRUE(WaitUntil([&] { return results >= 3; }, 3000));
    fake.Port.Close();
}

TEST(ExchangeFaults, AThrowingDeactivationHandlerStillClosesThePortCompletely) {
    kq9test::TPtyPeer peer;
    SetComDevicePath(TPort::COM3, peer.SlavePath());
    TLBComm port;
    port.SetPortName(TPort::COM3);
    TLD100Protocol component;
    ConfigureLD100(component, port);
    component.OnDeactivate = [](TLBProtocolComponent*) {
        throw std::runtime_error("deactivation failed");
    };
    bool portDeactivated = false;
    port.OnDeactivate = [&](TLBComm*) { portDeactivated = true; };
    port.Open();
    component.SetASCIIProtocol("rt");
    component.Send();
    EXPECT_THROW(port.Close(), std::runtime_error);
    EXPECT_FALSE(port.Active());
    EXPECT_EQ(port.Thread(), nullptr);
    EXPECT_EQ(port.QueueLength(), 0u);
    EXPECT_TRUE(portDeactivated);
    // The descriptor and its lock were released: the port opens again.
    component.OnDeactivate = nullptr;
    EXPECT_NO_THROW(port.Open());
    EXPECT_TRUE(port.Active());
    port.Close();
    ResetComDevicePaths();
}

TEST(ExchangeFaults, AVanishedDeviceEndsThePortsUseUntilItIsOpenedAgain) {
    TFakeLine line;
    line.Device->Responder = [&](const std::string&) { line.Device->Reply("r0 5\r\n"); };
    std::vector<TCommError> lost;
    line.Port.OnDeviceLost = [&](TLBComm*, const TCommError& error) { lost.push_back(error); };
    TLD100Protocol other;
    ConfigureLD100(other, line.Port);
    line.Component.SetASCIIProtocol("r0");
    line.Component.SetCyclic(true);
    other.SetASCIIProtocol("rf");
    other.SetCyclic(true);
    ASSERT_TRUE(WaitUntil([&] { return line.Log.Results.size() >= 2; }, 3000));

    line.Device->Vanish = true;
    ASSERT_TRUE(WaitUntil([&] { return !lost.empty(); }, 3000));
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].SystemError, ERROR_OPERATION_ABORTED);
    // Nothing is sent any more, and nothing waits: the worker is idle, not failing in a loop.
    size_t written = line.Device->Written().size();
    ProcessFor(300);
    EXPECT_EQ(line.Device->Written().size(), written);
    EXPECT_EQ(lost.size(), 1u);
    EXPECT_EQ(line.Port.QueueLength(), 0u);
    EXPECT_FALSE(line.Component.RequestPending());
    line.Component.Send();
    EXPECT_EQ(line.Port.QueueLength(), 0u);

    // Opened again once the device is back, the port works as before.
    line.Port.Close();
    line.Device->Vanish = false;
    line.Port.Open();
    size_t results = line.Log.Results.size();
    ASSERT_TRUE(line.Exchange("r0"));
    EXPECT_EQ(line.Log.Results.size(), results + 1);
}

TEST(ExchangeFaults, SwitchingACycleOffAndOnWhileItsRequestIsPendingKeepsOneChain) {
    TFakePort fake;
    fake.Port.Open();
    fake.Device->Responder = [&](const std::string&) { fake.Device->Reply("r0 5\r\n", 30); };
    TLD100Protocol component;
    ConfigureLD100(component, fake.Port);
    int results = 0;
    component.OnCommResult = [&](TLBProtocolComponent*, TMemoryStream&) { ++results; };
    component.SetASCIIProtocol("r0");
    component.SetCyclic(true);
    ASSERT_TRUE(component.RequestPending());
    for (int toggle = 0; toggle < 3; ++toggle) {
        component.SetCyclic(false);
        component.SetCyclic(true);
    }
    // The pending request goes on with the cycle; nothing was queued beside it.
    EXPECT_EQ(fake.Port.QueueLength(), 1u);
    ASSERT_TRUE(WaitUntil([&] { return results >= 3; }, 3000));
    EXPECT_LE(fake.Port.QueueLength(), 2u);
    component.SetCyclic(false);
    ASSERT_TRUE(WaitUntil([&] { return !component.RequestPending(); }, 2000));
    // With nothing pending, switching on sends at once.
    int before = results;
    component.SetCyclic(true);
    EXPECT_TRUE(component.RequestPending());
    EXPECT_TRUE(WaitUntil([&] { return results > before; }, 2000));
    fake.Port.Close();
}
