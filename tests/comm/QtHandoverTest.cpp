// The serial library on the Qt event loop: the worker's hand-overs run as queued calls, and
// closing processes them while waiting.

#include "CommTestSupport.h"

#include "comm/QtHandover.h"
#include "support/WaitUntil.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

using kq9test::WaitUntil;

TEST(QtHandover, ExchangesAndClosingRunOnTheQtEventLoop) {
    TQtHandover handover;
    SetUiHandover(&handover);
    {
        TFakePort fake;
        fake.Device->Responder = [&](const std::string&) { fake.Device->Reply("rt KX72\r\n"); };
        fake.Port.Open();
        TLD100Protocol component;
        ConfigureLD100(component, fake.Port);
        TEventLog log;
        log.Attach(component);
        component.SetASCIIProtocol("rt");
        component.Send();
        ASSERT_TRUE(WaitUntil([&] { return log.Events() == 1; }, 3000));
        EXPECT_EQ(log.Results, std::vector<std::string>{"rt KX72\r\n"});

        // The worker is left waiting in a hand-over; closing must still return.
        component.Send();
        ASSERT_TRUE(WaitUntil([&] { return fake.Device->Written().size() == 2; }, 2000));
        // A click that reopens the port while closing waits for the worker is dropped.
        QTimer::singleShot(0, [&] { fake.Port.Open(); });
        fake.Port.Close();
        EXPECT_FALSE(fake.Port.Active());
        EXPECT_EQ(fake.Port.Thread(), nullptr);
    }
    SetUiHandover(nullptr);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
