// Exchanges through the port and its worker on a scripted device: wire bytes, attempts after
// line errors, the queue, cyclic requests, and closing at awkward moments.

#include "CommTestSupport.h"

#include "comm/CommTypes.h"
#include "comm/LBCommThread.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

using kq9test::ProcessFor;
using kq9test::WaitUntil;

namespace {

// A device that answers every request with its own text and CR LF after `delayMs`.
void EchoResponder(TFakeSerialDevice& device, int delayMs = 0) {
    device.Responder = [&device, delayMs](const std::string& written) {
        std::string text = written.substr(0, written.size() - 1);
        device.Reply(text + " ok\r\n", delayMs);
    };
}

} // namespace

TEST(Exchange, CommandsGoOnTheWireTrimmedWithHeadAndFoot) {
    TFakeLine line;
    ASSERT_TRUE(line.Exchange("  rt "));
    EXPECT_EQ(line.Component.ASCIIProtocol(), "rt");
    ASSERT_TRUE(line.Exchange("\t\r"));
    line.Component.SetProtocolHead(TSequenceChar::scSTX);
    line.Component.SetProtocolFoot(TSequenceChar::scETX);
    ASSERT_TRUE(line.Exchange("A"));
    std::vector<std::string> expected = {"rt\r", "\r",
                                         "\x02"
                                         "A\x03"};
    EXPECT_EQ(line.Device->Written(), expected);
}

TEST(Exchange, AReplyArrivesWholeInTheResultStream) {
    TFakeLine line;
    EchoResponder(*line.Device);
    ASSERT_TRUE(line.Exchange("rp 12"));
    EXPECT_EQ(line.Log.Results, std::vector<std::string>{"rp 12 ok\r\n"});
}

TEST(Exchange, ALineErrorIsTriedAgainAndDropsTheBytesOfTheFailedAttempt) {
    TFakeLine line;
    int attempt = 0;
    line.Device->Responder = [&](const std::string&) {
        ++attempt;
        if (attempt == 1)
            line.Device->Reply("rt KX71-bad\r\n", 0, 0, 3, CE_RXPARITY);
        else
            line.Device->Reply("rt KX71-0001\r\n");
    };
    ASSERT_TRUE(line.Exchange("rt"));
    EXPECT_EQ(line.Log.Results, std::vector<std::string>{"rt KX71-0001\r\n"});
    EXPECT_EQ(line.Device->Written().size(), 2u);
}

TEST(Exchange, PersistentLineErrorsEndAfterThreeAttemptsWithTheirMask) {
    TFakeLine line;
    line.Device->Responder = [&](const std::string&) {
        line.Device->Reply("rt\r\n", 0, 0, 0, CE_FRAME);
    };
    ASSERT_TRUE(line.Exchange("rt"));
    ASSERT_EQ(line.Log.Errors.size(), 1u);
    EXPECT_EQ(line.Log.Errors[0].Code, CommCode::LineError);
    EXPECT_EQ(line.Log.Errors[0].LineErrors, static_cast<int32_t>(CE_FRAME));
    EXPECT_EQ(line.Device->Written().size(), 3u);

    // Failed writes count as attempts as well, and report the system error.
    line.Device->Responder = nullptr;
    line.Device->FailWrites = 3;
    ASSERT_TRUE(line.Exchange("rt"));
    EXPECT_EQ(line.Log.Errors.back().Code, CommCode::SystemCall);
    EXPECT_EQ(line.Log.Errors.back().SystemError, EIO);
}

TEST(Exchange, TheQueueServesComponentsFirstInFirstOut) {
    TFakePort fake;
    fake.Port.Open();
    EchoResponder(*fake.Device, 5);
    TLD100Protocol a, b, c;
    std::vector<std::string> order;
    for (TLD100Protocol* component : {&a, &b, &c}) {
        ConfigureLD100(*component, fake.Port);
        component->OnCommResult = [&order](TLBProtocolComponent*, TMemoryStream& result) {
            order.push_back(result.ToString());
        };
    }
    a.SetASCIIProtocol("r0");
    a.Send();
    b.SetASCIIProtocol("r1");
    b.Send();
    c.SetASCIIProtocol("rf");
    c.Send();
    a.SetASCIIProtocol("r8");
    a.Send(); // the same record queued twice: both entries carry the newer frame
    ASSERT_TRUE(WaitUntil([&] { return order.size() == 4; }, 3000));
    std::vector<std::string> written = {"r0\r", "r1\r", "rf\r", "r8\r"};
    EXPECT_EQ(fake.Device->Written(), written);
    EXPECT_EQ(order[1], "r1 ok\r\n");
    EXPECT_EQ(order[2], "rf ok\r\n");
    EXPECT_EQ(order[3], "r8 ok\r\n");
}

TEST(Exchange, CyclicRequestsReportAnErrorOnlyWhenItChanges) {
    TFakePort fake;
    fake.Port.Open();
    std::atomic<bool> silent{false};
    fake.Device->Responder = [&](const std::string&) {
        if (!silent)
            fake.Device->Reply("r0 5\r\n");
    };
    TLD100Protocol component;
    ConfigureLD100(component, fake.Port, 20);
    TEventLog log;
    log.Attach(component);
    component.SetASCIIProtocol("r0");
    component.SetCyclic(true);
    ASSERT_TRUE(WaitUntil([&] { return log.Results.size() >= 2; }, 3000));
    silent = true;
    size_t writesBefore = fake.Device->Written().size();
    ASSERT_TRUE(WaitUntil([&] { return fake.Device->Written().size() >= writesBefore + 5; }, 3000));
    ASSERT_EQ(log.Errors.size(), 1u);
    EXPECT_EQ(log.Errors[0].Code, CommCode::Timeout);
    silent = false;
    size_t resultsBefore = log.Results.size();
    ASSERT_TRUE(WaitUntil([&] { return log.Results.size() >= resultsBefore + 2; }, 3000));
    ASSERT_EQ(log.Errors.size(), 2u);
    EXPECT_TRUE(log.Errors[1].IsZero());
    // Recovery: the result of the cycle first, then the all-zero record.
    auto firstZero = std::find(log.Order.begin(), log.Order.end(), "error");
    firstZero = std::find(firstZero + 1, log.Order.end(), "error");
    EXPECT_EQ(*(firstZero - 1), "result");

    component.SetCyclic(false);
    EXPECT_EQ(log.Order.back(), "deactivate");
}

TEST(Exchange, ANonCyclicFailureIsReportedEveryTime) {
    TFakeLine line(10);
    ASSERT_TRUE(line.Exchange("rf"));
    ASSERT_TRUE(line.Exchange("rf"));
    ASSERT_EQ(line.Log.Errors.size(), 2u);
    EXPECT_EQ(line.Log.Errors[1].Code, CommCode::Timeout);
    EXPECT_TRUE(line.Log.Results.empty());
}

TEST(Exchange, CyclicOnAClosedPortStaysOffAndRepeatedCyclicSendsAgain) {
    TFakePort fake;
    TLD100Protocol component;
    ConfigureLD100(component, fake.Port);
    TEventLog log;
    log.Attach(component);
    component.SetCyclic(true);
    EXPECT_FALSE(component.Cyclic());
    EXPECT_EQ(log.Order, std::vector<std::string>{"deactivate"});

    fake.Port.Open();
    component.SetASCIIProtocol("r0");
    component.SetCyclic(true);
    component.SetCyclic(true);
    EXPECT_EQ(fake.Port.QueueLength(), 2u);
    EXPECT_EQ(std::count(log.Order.begin(), log.Order.end(), "activate"), 2);
}

TEST(Exchange, ADestroyedComponentsQueuedEntriesNeverRun) {
    TFakePort fake;
    fake.Port.Open();
    EchoResponder(*fake.Device, 30);
    TLD100Protocol first;
    ConfigureLD100(first, fake.Port);
    TEventLog log;
    log.Attach(first);
    first.SetASCIIProtocol("r0");
    first.Send();
    {
        TLD100Protocol doomed;
        ConfigureLD100(doomed, fake.Port);
        doomed.SetASCIIProtocol("rx");
        doomed.Send();
        doomed.Send();
    }
    TLD100Protocol last;
    ConfigureLD100(last, fake.Port);
    TEventLog lastLog;
    lastLog.Attach(last);
    last.SetASCIIProtocol("rf");
    last.Send();
    ASSERT_TRUE(WaitUntil([&] { return lastLog.Events() == 1; }, 3000));
    std::vector<std::string> written = {"r0\r", "rf\r"};
    EXPECT_EQ(fake.Device->Written(), written);
}

TEST(Exchange, AComponentDestroyedDuringItsExchangeIsNotCalledAndTheQueueMovesOn) {
    TFakePort fake;
    fake.Port.Open();
    EchoResponder(*fake.Device, 30);
    auto doomed = std::make_unique<TLD100Protocol>();
    ConfigureLD100(*doomed, fake.Port);
    TEventLog doomedLog;
    doomedLog.Attach(*doomed);
    doomed->SetASCIIProtocol("rt");
    doomed->Send();
    TLD100Protocol next;
    ConfigureLD100(next, fake.Port);
    TEventLog log;
    log.Attach(next);
    next.SetASCIIProtocol("rh");
    next.Send();
    ASSERT_TRUE(WaitUntil([&] { return fake.Device->Written().size() == 1; }, 2000));
    doomed.reset();
    ASSERT_TRUE(WaitUntil([&] { return log.Events() == 1; }, 3000));
    EXPECT_EQ(log.Results, std::vector<std::string>{"rh ok\r\n"});
}

TEST(Exchange, ARequestOfAnUnknownProtocolClassCompletesWithAnError) {
    TFakePort fake;
    fake.Port.Open();
    TLBProtocolComponent plain;
    plain.SetLBComm(&fake.Port);
    plain.SetFrameByte(0, 2);
    plain.SetFrameByte(1, 'x');
    TEventLog log;
    log.Attach(plain);
    plain.Send();
    ASSERT_TRUE(WaitUntil([&] { return log.Events() == 1; }, 2000));
    ASSERT_EQ(log.Errors.size(), 1u);
    EXPECT_EQ(log.Errors[0].Code, CommCode::UnknownProtocol);
    EXPECT_TRUE(fake.Device->Written().empty());
    EXPECT_TRUE(WaitUntil([&] { return fake.Port.QueueLength() == 0; }, 1000));
}

TEST(Exchange, ClosingWhileTheWorkerWaitsInAHandoverReturnsInOrder) {
    TFakePort fake;
    fake.Port.Open();
    fake.Device->Responder = [&](const std::string&) { fake.Device->Reply("r0 1\r\n"); };
    TLD100Protocol a, b;
    ConfigureLD100(a, fake.Port);
    ConfigureLD100(b, fake.Port);
    std::vector<std::string> order;
    a.OnDeactivate = [&](TLBProtocolComponent*) { order.push_back("a"); };
    b.OnDeactivate = [&](TLBProtocolComponent*) { order.push_back("b"); };
    fake.Port.OnDeactivate = [&](TLBComm*) { order.push_back("port"); };
    bool resulted = false;
    a.OnCommResult = [&](TLBProtocolComponent*, TMemoryStream&) { resulted = true; };
    a.SetASCIIProtocol("r0");
    a.Send();
    // Nothing processes the UI messages: the worker now waits in its first hand-over.
    ASSERT_TRUE(WaitUntil([&] { return fake.Device->Written().size() == 1; }, 2000));
    fake.Port.Close();
    EXPECT_FALSE(fake.Port.Active());
    EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "port"}));
    EXPECT_FALSE(resulted);
    ProcessFor(100);
    EXPECT_FALSE(resulted);
}

TEST(Exchange, ClosingAndReopeningFromAResultHandlerNeitherHangsNorCrashes) {
    TFakePort fake;
    fake.Port.Open();
    fake.Device->Responder = [&](const std::string&) { fake.Device->Reply("rt x\r\n"); };
    TLD100Protocol component;
    ConfigureLD100(component, fake.Port);
    int results = 0;
    component.OnCommResult = [&](TLBProtocolComponent*, TMemoryStream&) {
        ++results;
        fake.Port.Close();
        if (results < 3) {
            fake.Port.Open();
            component.Send();
        }
    };
    component.SetASCIIProtocol("rt");
    component.Send();
    ASSERT_TRUE(WaitUntil([&] { return results == 3; }, 3000));
    EXPECT_FALSE(fake.Port.Active());
}

TEST(Exchange, AVanishedDeviceEndsTheExchangeWithAbortedOperation) {
    TFakeLine line;
    line.Device->Vanish = true;
    ASSERT_TRUE(line.Exchange("rt"));
    ASSERT_EQ(line.Log.Errors.size(), 1u);
    EXPECT_EQ(line.Log.Errors[0].Code, CommCode::SystemCall);
    EXPECT_EQ(line.Log.Errors[0].SystemError, ERROR_OPERATION_ABORTED);
}

TEST(Exchange, AThrowingHandlerNeitherStopsTheWorkerNorBlocksClosing) {
    TFakePort fake;
    fake.Port.Open();
    fake.Device->Responder = [&](const std::string&) { fake.Device->Reply("rt x\r\n"); };
    TLD100Protocol component;
    ConfigureLD100(component, fake.Port);
    component.OnCommResult = [](TLBProtocolComponent*, TMemoryStream&) {
        throw std::runtime_error("handler failed");
    };
    component.SetASCIIProtocol("rt");
    component.Send();
    EXPECT_THROW(WaitUntil([] { return false; }, 2000), std::runtime_error);
    EXPECT_FALSE(fake.Port.Thread()->InHandover());
    component.OnCommResult = nullptr;
    component.Send();
    ASSERT_TRUE(WaitUntil([&] { return fake.Device->Written().size() == 2; }, 2000));
    fake.Port.Close();
    EXPECT_FALSE(fake.Port.Active());
}
