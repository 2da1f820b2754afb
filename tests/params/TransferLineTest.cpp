// The bulk transfers over a real pty against the simulated controller: short runs (setpoints)
// end to end, and faults that stop a run early.

#include "comm/LBComm.h"
#include "params/LeesParSollSequence.h"
#include "params/SchrijfParSollSequence.h"
#include "support/PtySimLine.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

using kq9test::ProcessFor;
using kq9test::WaitUntil;

namespace {

class TransferLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        Sim.UseAs(TPort::COM4);
        Port.SetPortName(TPort::COM4);
        Port.SetBaudrate(TBaudrate::br38400);
        Port.Open();
        ASSERT_TRUE(Port.Active());
    }
    void TearDown() override { Port.Close(); }

    void Fault(const std::string& appliesTo, const std::function<void(TSimFaults&)>& set) {
        Sim.Line().Configure(0, [&](TSimUnit& unit) {
            unit.Faults = {};
            unit.Faults.AppliesTo = appliesTo;
            set(unit.Faults);
        });
    }
    static bool Run(TTransferSequence& seq, int mode, int timeoutMs = 10000) {
        seq.Mode = mode;
        seq.Start();
        return WaitUntil([&] { return seq.Stopped(); }, timeoutMs);
    }

    kq9test::TPtySimLine Sim{0};
    TLBComm Port;
    TLeesParSollSequence Lees{&Port};
    TSchrijfParSollSequence Schrijf{&Port};
};

} // namespace

TEST_F(TransferLineTest, SetpointsReadAndWrittenOverTheLine) {
    Sim.Line().Configure(0, [](TSimUnit& unit) {
        for (int s = 0; s < 48; ++s)
            unit.Setpoints[static_cast<size_t>(s)] = 1000 * s - 7;
    });
    ASSERT_TRUE(Run(Lees, 1));
    EXPECT_EQ(Lees.End(), TTransferEnd::Finished);
    for (int s = 1; s <= 48; ++s)
        EXPECT_EQ(Lees.SollBuffer[static_cast<size_t>(s)], 1000 * (s - 1) - 7) << s;

    for (int s = 1; s <= 48; ++s)
        Schrijf.SollBuffer[static_cast<size_t>(s)] = -s * 25;
    ASSERT_TRUE(Run(Schrijf, 1));
    EXPECT_EQ(Schrijf.End(), TTransferEnd::Finished);
    std::optional<TSimUnit> unit = Sim.Line().Unit(0);
    ASSERT_TRUE(unit);
    for (int s = 1; s <= 48; ++s)
        EXPECT_EQ(unit->Setpoints[static_cast<size_t>(s - 1)], -s * 25) << s;
}

TEST_F(TransferLineTest, FaultsStopTheRunWhereTheyHappen) {
    // No echo twice: the request is repeated once, then the run stops at that parameter.
    Fault("rp 3", [](TSimFaults& f) { f.NoEcho = true; });
    ASSERT_TRUE(Run(Lees, 0));
    EXPECT_EQ(Lees.End(), TTransferEnd::UnexpectedReply);
    EXPECT_EQ(Lees.Index(), 3);
    EXPECT_TRUE(Lees.Herhaald());
    // Once only: the repetition succeeds and the run goes on.
    Fault("rs 2", [](TSimFaults& f) {
        f.LongReply = true;
        f.Times = 1;
    });
    ASSERT_TRUE(Run(Lees, 1));
    EXPECT_EQ(Lees.End(), TTransferEnd::Finished);
    // Over 100 bytes every time.
    Fault("rs 2", [](TSimFaults& f) { f.LongReply = true; });
    ASSERT_TRUE(Run(Lees, 1));
    EXPECT_EQ(Lees.End(), TTransferEnd::UnexpectedReply);
    EXPECT_EQ(Lees.Index(), 2);

    Fault("rs 1", [](TSimFaults& f) { f.Silent = true; });
    ASSERT_TRUE(Run(Lees, 1));
    EXPECT_EQ(Lees.End(), TTransferEnd::Timeout);

    Fault("ws 3", [](TSimFaults& f) { f.RefuseWith = 7; });
    ASSERT_TRUE(Run(Schrijf, 1));
    EXPECT_EQ(Schrijf.End(), TTransferEnd::Refused);
    EXPECT_EQ(Schrijf.Index(), 3);
    EXPECT_FALSE(Schrijf.Herhaald());
    // The value writes allow 100 ms for the first byte.
    Fault("ws 2", [](TSimFaults& f) { f.FirstByteDelayMs = 300; });
    ASSERT_TRUE(Run(Schrijf, 1));
    EXPECT_EQ(Schrijf.End(), TTransferEnd::Timeout);
    EXPECT_EQ(Schrijf.Index(), 2);
}

TEST_F(TransferLineTest, CancelClosesAtTheOutstandingRequestsEvent) {
    Fault("rs 1", [](TSimFaults& f) { f.FirstByteDelayMs = 200; });
    int closed = 0;
    Lees.OnClose = [&](int modalResult) { closed = modalResult; };
    Lees.Mode = 1;
    Lees.Start();
    Lees.CmdCancelClick();
    ProcessFor(100);
    EXPECT_EQ(closed, 0);
    ASSERT_TRUE(WaitUntil([&] { return closed != 0; }, 2000));
    EXPECT_EQ(closed, mrCancel);
    ProcessFor(100);
    EXPECT_EQ(Port.QueueLength(), 0u);
    EXPECT_EQ(Lees.Index(), 1);
}
