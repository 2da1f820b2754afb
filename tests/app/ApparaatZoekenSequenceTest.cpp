// The device search's exchanges, driven by handing scripted replies and errors to its two
// components: the line itself never answers, so every step is immediate.

#include "app/ApparaatZoekenSequence.h"
#include "comm/CommExceptions.h"
#include "comm/LBComm.h"
#include "params/TransferTestSupport.h"
#include "support/FakeSilentDevice.h"

#include <gtest/gtest.h>

using kq9test::Error;
using kq9test::Reply;

namespace {

const TCommError Timeout{CommCode::Timeout, 0, 0};

class ApparaatZoekenSequenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        Port.SetBaudrate(TBaudrate::br115200);
        Port.SetFrameParitybit(TParityBit::Odd);
        Port.SetFrameStopbits(TStopBit::sb_2);
        Search.OnStatus = [this](const QString& text) { Status = text; };
        Search.OnFound = [this](const TFoundUnit& found) { Found.push_back(found); };
        Search.OnLineLost = [this] { ++LinesLost; };
        Search.FormActivate();
    }

    std::string Selection() const { return Search.LD100ApparaatZoeken.ASCIIProtocol(); }
    std::string TypeQuery() const { return Search.ASCIILeesTypeInfo.ASCIIProtocol(); }
    // The selected unit echoes its selection and answers the three type queries.
    void Identify(const std::string& type) {
        Reply(Search.LD100ApparaatZoeken, Selection());
        for (const char* query : {"rt", "rh", "rx"}) {
            ASSERT_EQ(TypeQuery(), query);
            Reply(Search.ASCIILeesTypeInfo, std::string(query) + " " + type + "-" + query);
        }
    }

    std::shared_ptr<TSilentDevice> Device = std::make_shared<TSilentDevice>();
    TLBComm Port{[device = Device] { return device; }};
    TApparaatZoekenSequence Search{&Port};
    QString Status;
    std::vector<TFoundUnit> Found;
    int LinesLost = 0;
};

} // namespace

TEST_F(ApparaatZoekenSequenceTest, ARunKeepingThePortsFramingGoesRoundEveryRateAndFinishes) {
    Search.Options.StartRate = 1; // 19200
    Search.CmdStartZoekenClick();
    EXPECT_TRUE(Port.Active());
    EXPECT_EQ(Search.Controls(), (TSearchControls{false, true, false, false, false}));
    std::vector<TBaudrate> rates;
    int selections = 0;
    while (Search.State() == TSearchState::Searching && selections < 1000) {
        ASSERT_EQ(Selection(), "sc " + std::to_string(selections % 32));
        EXPECT_EQ(Status, QStringLiteral("Zoeken.."));
        if (selections % 32 == 0)
            rates.push_back(Port.Baudrate());
        EXPECT_EQ(Port.FrameParitybit(), TParityBit::Odd);
        EXPECT_EQ(Port.FrameStopbits(), TStopBit::sb_2);
        ++selections;
        Error(Search.LD100ApparaatZoeken, Timeout);
    }
    EXPECT_EQ(selections, 160);
    EXPECT_EQ(rates,
              (std::vector<TBaudrate>{TBaudrate::br19200, TBaudrate::br28800, TBaudrate::br38400,
                                      TBaudrate::br57600, TBaudrate::br9600}));
    EXPECT_EQ(Search.State(), TSearchState::Finished);
    EXPECT_EQ(Status, QStringLiteral("beeindigd!"));
    EXPECT_EQ(Port.Baudrate(), TBaudrate::br19200);
    EXPECT_EQ(Search.Controls(), (TSearchControls{true, false, false, false, true}));
    EXPECT_EQ(Device->LastDcb().BaudRate, 19200u);
    EXPECT_TRUE(Found.empty());
}

TEST_F(ApparaatZoekenSequenceTest, AUnitIsListedOnlyOnceItAnswersEveryTypeQueryAndTheRunPauses) {
    Search.Options.ParityAuto = Search.Options.StopbitsAuto = true;
    Search.CmdStartZoekenClick();
    EXPECT_EQ(Port.FrameParitybit(), TParityBit::None);
    EXPECT_EQ(Port.FrameStopbits(), TStopBit::sb_1);
    // Units 0 … 4 are silent, garbled or echo something else.
    for (int step = 0; step < 30; ++step) {
        ASSERT_EQ(Selection(), "sc " + std::to_string(step / 6));
        if (step % 3 == 0)
            Error(Search.LD100ApparaatZoeken, Timeout);
        else if (step % 3 == 1)
            Error(Search.LD100ApparaatZoeken, {CommCode::LineError, 0, CE_RXPARITY});
        else
            Reply(Search.LD100ApparaatZoeken, "sc 9");
    }
    // Unit 5 echoes its selection but does not answer "rt": not listed; on with unit 5's next
    // framing, and after all six with unit 6.
    ASSERT_EQ(Selection(), "sc 5");
    Reply(Search.LD100ApparaatZoeken, "sc 5");
    ASSERT_EQ(TypeQuery(), "rt");
    Error(Search.ASCIILeesTypeInfo, Timeout);
    EXPECT_EQ(Selection(), "sc 5");
    EXPECT_EQ(Port.FrameParitybit(), TParityBit::Odd);
    for (int i = 0; i < 5; ++i)
        Error(Search.LD100ApparaatZoeken, Timeout);
    ASSERT_EQ(Selection(), "sc 6");
    EXPECT_TRUE(Found.empty());

    // An echo longer than a readable reply is no echo.
    Reply(Search.LD100ApparaatZoeken, "sc 6" + std::string(100, ' '));
    ASSERT_EQ(Port.FrameParitybit(), TParityBit::Odd);
    Identify("KX71");
    ASSERT_EQ(Found.size(), 1u);
    EXPECT_EQ(Found[0].Type, QStringLiteral("KX71-rx   KX71-rh   KX71-rt"));
    EXPECT_EQ(Found[0].Point,
              (TSearchPoint{TBaudrate::br9600, TParityBit::Odd, TStopBit::sb_1, 6}));
    EXPECT_EQ(Search.State(), TSearchState::Found);
    EXPECT_EQ(Status, QStringLiteral("Apparaat gevonden!"));
    EXPECT_EQ(Search.Controls(), (TSearchControls{true, true, true, true, true}));

    // Continued, it goes on from where it paused.
    Search.CmdVerderClick();
    EXPECT_EQ(Search.Controls(), (TSearchControls{false, true, false, true, false}));
    EXPECT_EQ(Selection(), "sc 6");
    EXPECT_EQ(Port.FrameParitybit(), TParityBit::Even);
    EXPECT_EQ(Port.FrameStopbits(), TStopBit::sb_1);
}

TEST_F(ApparaatZoekenSequenceTest, StopTakesEffectAtTheNextReplyAndContinueGoesOnFromThere) {
    Search.CmdStartZoekenClick();
    Error(Search.LD100ApparaatZoeken, Timeout);
    Search.CmdStopClick();
    Error(Search.LD100ApparaatZoeken, Timeout);
    EXPECT_EQ(Search.State(), TSearchState::Stopped);
    EXPECT_EQ(Status, QStringLiteral("Gestopt!"));
    EXPECT_EQ(Search.Controls(), (TSearchControls{true, true, true, false, true}));
    EXPECT_EQ(Search.Unit(), 1);
    Search.CmdVerderClick();
    EXPECT_EQ(Selection(), "sc 2");

    // A unit that echoes goes on to "rh", and stops before "rx".
    Search.CmdStopClick();
    Reply(Search.LD100ApparaatZoeken, "sc 2");
    Reply(Search.ASCIILeesTypeInfo, "rt KX72");
    EXPECT_EQ(TypeQuery(), "rh");
    Reply(Search.ASCIILeesTypeInfo, "rh HW");
    EXPECT_EQ(TypeQuery(), "rh");
    EXPECT_EQ(Search.State(), TSearchState::Stopped);
    EXPECT_TRUE(Found.empty());
}

TEST_F(ApparaatZoekenSequenceTest, AVanishedDeviceEndsTheRunWithItsMessageAndClosesThePort) {
    Search.CmdStartZoekenClick();
    Error(Search.LD100ApparaatZoeken, Timeout);
    Error(Search.LD100ApparaatZoeken, {CommCode::SystemCall, ERROR_OPERATION_ABORTED, 0});
    EXPECT_EQ(LinesLost, 1);
    EXPECT_EQ(Search.State(), TSearchState::LineLost);
    EXPECT_EQ(Selection(), "sc 1") << "nothing more is sent";
    EXPECT_FALSE(Port.Active());
    EXPECT_EQ(Search.Controls(), (TSearchControls{true, true, false, false, true}));
    // A new start opens the port again; any other system error just skips the unit.
    Search.CmdStartZoekenClick();
    EXPECT_TRUE(Port.Active());
    EXPECT_EQ(Selection(), "sc 0");
    Error(Search.LD100ApparaatZoeken, {CommCode::SystemCall, 5, 0});
    EXPECT_EQ(Selection(), "sc 1");
}

TEST_F(ApparaatZoekenSequenceTest, ARateTheDeviceRefusesStopsTheRunAndContinuingSkipsIt) {
    Device->RefusedBaudRate = 28800;
    Search.Options.StartRate = 1; // 19200
    Search.Options.LastUnit = 1;
    Search.Options.StopbitsAuto = true;
    Search.CmdStartZoekenClick();
    for (int i = 0; i < 3; ++i)
        Error(Search.LD100ApparaatZoeken, Timeout);
    ASSERT_EQ(Selection(), "sc 1");
    ASSERT_EQ(Port.FrameStopbits(), TStopBit::sb_2);
    try {
        Error(Search.LD100ApparaatZoeken, Timeout);
        ADD_FAILURE() << "28800 bit/s was taken";
    } catch (const ECommInitError& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with("28800 bit/s: ")) << e.what();
    }
    EXPECT_EQ(Search.State(), TSearchState::Refused);
    EXPECT_EQ(Status, QStringLiteral("Gestopt!"));
    EXPECT_EQ(Search.Controls(), (TSearchControls{true, true, true, false, true}));
    // The port stays at what the device runs at.
    EXPECT_TRUE(Port.Active());
    EXPECT_EQ(Port.Baudrate(), TBaudrate::br19200);
    EXPECT_EQ(Device->LastDcb().BaudRate, 19200u);

    Search.CmdVerderClick();
    EXPECT_EQ(Search.State(), TSearchState::Searching);
    EXPECT_EQ(Selection(), "sc 0");
    EXPECT_EQ(Port.Baudrate(), TBaudrate::br38400);
    EXPECT_EQ(Port.FrameStopbits(), TStopBit::sb_1);

    // A run that starts at the refused rate skips it at once and still goes round once.
    Search.Options.StartRate = 2;
    Search.Options.LastUnit = 0;
    Search.Options.StopbitsAuto = false;
    EXPECT_THROW(Search.CmdStartZoekenClick(), ECommInitError);
    EXPECT_EQ(Search.State(), TSearchState::Refused);
    std::vector<TBaudrate> rates;
    Search.CmdVerderClick();
    while (Search.State() == TSearchState::Searching && rates.size() < 10) {
        rates.push_back(Port.Baudrate());
        Error(Search.LD100ApparaatZoeken, Timeout);
    }
    EXPECT_EQ(rates, (std::vector<TBaudrate>{TBaudrate::br38400, TBaudrate::br57600,
                                             TBaudrate::br9600, TBaudrate::br19200}));
    EXPECT_EQ(Search.State(), TSearchState::Finished);
    EXPECT_EQ(Port.Baudrate(), TBaudrate::br19200);
}

TEST_F(ApparaatZoekenSequenceTest, CancelAndTakeOverLeaveThePortClosedAtTheirSettings) {
    Search.Options.ParityAuto = true;
    Search.CmdStartZoekenClick();
    Error(Search.LD100ApparaatZoeken, Timeout);
    ASSERT_EQ(Port.FrameParitybit(), TParityBit::Odd);
    Search.CmdCancelClick();
    EXPECT_FALSE(Port.Active());
    EXPECT_EQ(Port.Baudrate(), TBaudrate::br115200);
    EXPECT_EQ(Port.FrameParitybit(), TParityBit::Odd);
    EXPECT_EQ(Port.FrameStopbits(), TStopBit::sb_2);

    Port.Open();
    Search.TakeOverRow({"03", "KX71", "38400", "None", "1"});
    EXPECT_FALSE(Port.Active());
    EXPECT_EQ(Port.Baudrate(), TBaudrate::br38400);
    EXPECT_EQ(Port.FrameParitybit(), TParityBit::None);
    EXPECT_EQ(Port.FrameStopbits(), TStopBit::sb_1);
    Search.TakeOverRow({"03", "KX71", "14400", "Mark", "1.5"});
    EXPECT_EQ(Port.Baudrate(), TBaudrate::br38400);
    EXPECT_EQ(Port.FrameParitybit(), TParityBit::None);
    EXPECT_EQ(Port.FrameStopbits(), TStopBit::sb_1);
}

TEST_F(ApparaatZoekenSequenceTest, APortThatCannotOpenLeavesTheWindowReadyForAnotherTry) {
    Device->FailCreate = ENOENT;
    EXPECT_THROW(Search.CmdStartZoekenClick(), ECommHandleError);
    EXPECT_EQ(Search.State(), TSearchState::Idle);
    EXPECT_EQ(Search.Controls(), (TSearchControls{true, false, false, false, true}));
    Device->FailCreate = 0;
    Search.CmdStartZoekenClick();
    EXPECT_EQ(Selection(), "sc 0");
}
