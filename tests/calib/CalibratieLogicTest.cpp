// The calibration logic driven by handing replies to its components: the read-in chains, the
// commands and their confirmations, the EEPROM state, the teach points, the live inputs, the
// failures and the closing.

#include "params/TransferTestSupport.h"

#include "calib/CalibratieLogic.h"
#include "comm/LBComm.h"
#include "support/FakeSilentDevice.h"

#include <gtest/gtest.h>

#include <map>

using kq9test::Error;
using kq9test::Reply;

namespace {

class CalibratieLogicTest : public ::testing::Test {
protected:
    void SetUp() override {
        Logic.OnStatus = [this](const QString& text, bool red) {
            Status = text;
            Red = red;
        };
        Logic.OnValue = [this](int index, int32_t value) { Shown[index] = value; };
        Logic.OnDacTeachValue = [this](int index, const QString& text) { Dac[index] = text; };
        Logic.OnLiveValue = [this](TAnalogInput input, const QString& text) {
            LiveText[input] = text;
        };
        Logic.OnConversionError = [this](const QString& message) { Conversion = message; };
    }

    // The command on its way to the controller (the port here is never opened, so a command
    // stays outstanding until the test answers it).
    std::string Outstanding() const { return Logic.Commands().Outstanding(); }
    std::string Reading() const { return Logic.LD100LeesKalibratieWaarden.ASCIIProtocol(); }
    std::string TeachReading() const { return Logic.LD100Lees_DAC_TeachWaarden.ASCIIProtocol(); }
    // Answers `command` as the controller confirms it: its text echoed.
    void Confirm(const std::string& command) {
        ASSERT_EQ(Outstanding(), command);
        Reply(Logic.LD100Kalibratie, command);
    }
    // Opens the window and answers the whole read-in: value n is n - 2040.
    void ReadIn() {
        Logic.FormActivate();
        for (int number : CalibReadOrder)
            Reply(Logic.LD100LeesKalibratieWaarden,
                  "kr " + std::to_string(number) + " " + std::to_string(number - 2040));
        for (int number = 2028; number <= 2031; ++number)
            Reply(Logic.LD100Lees_DAC_TeachWaarden, "kr " + std::to_string(number) + " 7");
    }
    void ModeOn() {
        Logic.CmdSetKalibtatieModeClick();
        Confirm("km 1");
    }

    // Opened only where a request must stay under way at the port.
    TLBComm Port{[] { return std::make_shared<TSilentDevice>(); }};
    TCalibratieLogic Logic{&Port};
    QString Status;
    bool Red = false;
    std::map<int, int32_t> Shown;
    std::map<int, QString> Dac;
    std::map<TAnalogInput, QString> LiveText;
    QString Conversion;
};

int Index(int number) {
    return CalibValueIndex(number);
}

} // namespace

TEST(CalibReply, CodeKeyAndValue) {
    auto read = [](const std::string& bytes) {
        TMemoryStream stream;
        stream.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        return ReadCalibReply(stream);
    };
    TCalibReply kw = read("kw 2041 -15\r\n");
    EXPECT_EQ(kw.Text, "kw 2041 -15");
    EXPECT_EQ(kw.Code, "kw");
    EXPECT_EQ(kw.Key, "2041");
    EXPECT_EQ(kw.Value, "-15");
    TCalibReply km = read("km 1\r\n");
    EXPECT_EQ(km.Key, "1");
    EXPECT_EQ(km.Value, "1");
    TCalibReply ks = read("ks\r\n");
    EXPECT_EQ(ks.Code, "ks");
    EXPECT_TRUE(ks.Key.isEmpty());
    EXPECT_TRUE(read("k").Text.isEmpty());
    EXPECT_TRUE(read("kr 2041 " + std::string(100, '1') + "\r\n").Text.isEmpty());
}

TEST_F(CalibratieLogicTest, OpeningReadsTheValuesInTheirOrderThenTheTeachValuesAndWritesNothing) {
    Logic.FormActivate();
    EXPECT_FALSE(Logic.CalibrationModeActive());
    for (TCalibGroup group :
         {TCalibGroup::Spanning, TCalibGroup::Stroom, TCalibGroup::AD, TCalibGroup::DASelect})
        EXPECT_FALSE(Logic.GroupEnabled(group));
    EXPECT_FALSE(Logic.EEPROMEnabled());
    EXPECT_EQ(Logic.TeachPoint(0), -100000);
    EXPECT_EQ(Logic.TeachPoint(5), 200000);

    const std::map<int, std::string> replies = {
        {2041, "-17"}, {2042, "5000"}, {2040, "$10"}, {2043, "30"}, {2044, "-1600"}, {2045, "6"},
        {2034, "3"},   {2035, "-12"},  {2036, "-5"},  {2037, "8"},  {2038, "21"},    {2039, "-7"}};
    for (int number : CalibReadOrder) {
        ASSERT_EQ(Reading(), "kr " + std::to_string(number));
        EXPECT_EQ(Logic.ReadingStep(), number);
        Reply(Logic.LD100LeesKalibratieWaarden,
              "kr " + std::to_string(number) + " " + replies.at(number));
        EXPECT_FALSE(Red);
    }
    EXPECT_EQ(Status, "kr 2039 -7");
    // A value outside its spin edit's range is shown and remembered clamped.
    EXPECT_EQ(Shown[Index(2042)], 1000);
    EXPECT_EQ(Logic.SavedValue(Index(2042)), 1000);
    EXPECT_EQ(Logic.SavedValue(Index(2044)), -1500);
    EXPECT_EQ(Logic.SavedValue(Index(2040)), 16);
    EXPECT_EQ(Logic.SavedValue(Index(2041)), -17);

    for (int number = 2028; number <= 2031; ++number) {
        ASSERT_EQ(TeachReading(), "kr " + std::to_string(number));
        Reply(Logic.LD100Lees_DAC_TeachWaarden,
              "kr " + std::to_string(number) + " " + std::to_string(-number));
    }
    EXPECT_EQ(Logic.TeachReadingStep(), DacTeachDone);
    EXPECT_EQ(Dac[0], "-2028");
    EXPECT_EQ(Dac[3], "-2031");
    // A late reply once the chain has ended changes nothing.
    Reply(Logic.LD100Lees_DAC_TeachWaarden, "kr 2031 1");
    EXPECT_EQ(Dac[3], "-2031");
    EXPECT_FALSE(Logic.Commands().Busy());

    // "Lees" reads the teach values again.
    Logic.cmd_LeesDAC_TeachClick();
    EXPECT_EQ(TeachReading(), "kr 2028");
    EXPECT_EQ(Logic.TeachReadingStep(), 2028);
}

TEST_F(CalibratieLogicTest, ModeSelectionAndWritesFollowTheControllersConfirmations) {
    ReadIn();
    Logic.SpinEditChange(Index(2042), 5);
    EXPECT_EQ(Outstanding(), "");

    Logic.CmdSetKalibtatieModeClick();
    EXPECT_FALSE(Logic.CalibrationModeActive()); // not before the reply
    Logic.SpinEditChange(Index(2042), 6);
    Confirm("km 1");
    EXPECT_TRUE(Logic.CalibrationModeActive());
    EXPECT_TRUE(Logic.GroupEnabled(TCalibGroup::DASelect));
    EXPECT_TRUE(Logic.GroupEnabled(TCalibGroup::AD));
    EXPECT_FALSE(Logic.GroupEnabled(TCalibGroup::Spanning));
    EXPECT_FALSE(Logic.GroupEnabled(TCalibGroup::Stroom));

    // Changes in quick succession go out one after another, each once.
    Logic.SpinEditChange(Index(2042), 7);
    Logic.SpinEditChange(Index(2042), 71);
    Logic.SpinEditChange(Index(2035), -3);
    EXPECT_EQ(Outstanding(), "kw 2042 7");
    EXPECT_EQ(Logic.Commands().Waiting(), (std::deque<std::string>{"kw 2042 71", "kw 2035 -3"}));
    Confirm("kw 2042 7");
    Confirm("kw 2042 71");
    Error(Logic.LD100Kalibratie, {CommCode::Timeout, 0, 0});
    EXPECT_EQ(Status, "Timeout!");
    EXPECT_TRUE(Red);
    EXPECT_FALSE(Logic.Commands().Busy());

    Logic.CmdSet_U_actiefClick();
    Confirm("kf 1");
    EXPECT_FALSE(Red);
    EXPECT_TRUE(Logic.GroupEnabled(TCalibGroup::Spanning));
    EXPECT_FALSE(Logic.GroupEnabled(TCalibGroup::Stroom));
    Logic.CmdSet_I_actiefClick();
    Confirm("kf 2");
    EXPECT_FALSE(Logic.GroupEnabled(TCalibGroup::Spanning));
    EXPECT_TRUE(Logic.GroupEnabled(TCalibGroup::Stroom));
    Reply(Logic.LD100Kalibratie, "kf 7");
    EXPECT_TRUE(Logic.GroupEnabled(TCalibGroup::Stroom));
    Reply(Logic.LD100Kalibratie, "ki");
    EXPECT_TRUE(Logic.GroupEnabled(TCalibGroup::Stroom));
    Logic.CmdSet_I_InActiefClick();
    Confirm("kf 0");
    EXPECT_FALSE(Logic.GroupEnabled(TCalibGroup::Spanning));
    EXPECT_FALSE(Logic.GroupEnabled(TCalibGroup::Stroom));

    Logic.CmdResCalibtatieModeClick();
    EXPECT_TRUE(Logic.CalibrationModeActive());
    Confirm("km 0");
    EXPECT_FALSE(Logic.CalibrationModeActive());
    EXPECT_FALSE(Logic.GroupEnabled(TCalibGroup::DASelect));
    EXPECT_FALSE(Logic.GroupEnabled(TCalibGroup::AD));
    Logic.SpinEditChange(Index(2042), 8);
    EXPECT_EQ(Outstanding(), "");

    // Reopening starts with mode off, whatever the controller said before.
    ModeOn();
    Logic.FormActivate();
    EXPECT_FALSE(Logic.CalibrationModeActive());
}

TEST_F(CalibratieLogicTest, EepromIsOfferedOnceAChangedValueWasTakenAndUntilItIsStored) {
    ReadIn();
    ModeOn();
    int gain = Index(2044);
    ASSERT_EQ(Logic.SavedValue(gain), 4);
    Logic.SpinEditChange(gain, 4);
    Confirm("kw 2044 4");
    EXPECT_FALSE(Logic.EEPROMEnabled());
    EXPECT_FALSE(Logic.Unsaved());
    // A refusal is no confirmation.
    Logic.SpinEditChange(gain, 9);
    Reply(Logic.LD100Kalibratie, "er 7");
    EXPECT_FALSE(Logic.EEPROMEnabled());
    Logic.SpinEditChange(gain, 10);
    Confirm("kw 2044 10");
    EXPECT_TRUE(Logic.EEPROMEnabled());
    EXPECT_TRUE(Logic.Unsaved());
    // Turning the value back does not undo the flag.
    Logic.SpinEditChange(gain, 4);
    Confirm("kw 2044 4");
    EXPECT_TRUE(Logic.EEPROMEnabled());

    Logic.SpinEditChange(gain, 12);
    Confirm("kw 2044 12");
    Logic.CmdSaveToEEPROMClick();
    EXPECT_TRUE(Logic.EEPROMEnabled()); // not before the reply
    Confirm("ks");
    EXPECT_FALSE(Logic.EEPROMEnabled());
    EXPECT_FALSE(Logic.Unsaved());
    EXPECT_EQ(Logic.SavedValue(gain), 12);
    Logic.SpinEditChange(gain, 12);
    Confirm("kw 2044 12");
    EXPECT_FALSE(Logic.EEPROMEnabled());
    EXPECT_TRUE(Logic.FormClose());

    // A change made right after "EEPROM" goes out after the "ks": the EEPROM does not hold it.
    Logic.SpinEditChange(gain, 20);
    Confirm("kw 2044 20");
    Logic.CmdSaveToEEPROMClick();
    Logic.SpinEditChange(gain, 25);
    Logic.SpinEditChange(Index(2041), 3);
    Confirm("ks");
    EXPECT_EQ(Logic.SavedValue(gain), 20);
    EXPECT_EQ(Logic.SavedValue(Index(2041)), 1);
    EXPECT_FALSE(Logic.EEPROMEnabled());
    Confirm("kw 2044 25");
    EXPECT_EQ(Logic.TakenValue(gain), 25);
    EXPECT_TRUE(Logic.EEPROMEnabled());
    EXPECT_TRUE(Logic.Unsaved());
    // A value changed while calibration mode was off never reached the controller.
    Confirm("kw 2041 3");
    Reply(Logic.LD100Kalibratie, "km 0"); // no command of ours: nothing outstanding
    Logic.SpinEditChange(Index(2041), 9);
    Reply(Logic.LD100Kalibratie, "ks");
    EXPECT_EQ(Logic.SavedValue(gain), 25);
    EXPECT_EQ(Logic.SavedValue(Index(2041)), 3);
}

TEST_F(CalibratieLogicTest, SetDrivesTheOutputToTheTeachPointHalvedForCurrent) {
    ReadIn();
    Logic.CmdSetClick(0);
    EXPECT_EQ(Outstanding(), "ka -100000");
    Reply(Logic.LD100Kalibratie, "ka -100000");
    Logic.CmdSetClick(3); // current minimum, preset -200000
    EXPECT_EQ(Outstanding(), "ka -100000");
    Reply(Logic.LD100Kalibratie, "ka -100000");
    Logic.TeachPointChange(3, -3);
    Logic.TeachPointChange(5, 3);
    Logic.TeachPointChange(1, -3);
    Logic.CmdSetClick(3);
    Logic.CmdSetClick(5);
    Logic.CmdSetClick(1);
    EXPECT_EQ(Outstanding(), "ka -1");
    EXPECT_EQ(Logic.Commands().Waiting(), (std::deque<std::string>{"ka 1", "ka -3"}));
    // Each opening presets the teach points again.
    Logic.FormActivate();
    EXPECT_EQ(Logic.TeachPoint(3), -200000);
    EXPECT_EQ(Logic.TeachPoint(1), 0);
    EXPECT_FALSE(Logic.Commands().Busy());
}

TEST_F(CalibratieLogicTest, OneLiveInputAtATimeWithTheInputModeWrittenAndTakenOver) {
    ReadIn();
    std::map<TAnalogInput, bool> live;
    Logic.OnLive = [&](TAnalogInput input, bool on) { live[input] = on; };

    Logic.Actual_U_AD();
    EXPECT_TRUE(Logic.Live(TAnalogInput::Voltage));
    EXPECT_TRUE(live[TAnalogInput::Voltage]);
    EXPECT_EQ(Logic.LD100Lees_U_AD.ASCIIProtocol(), "r4");
    Confirm("wp 226 0");
    Confirm("bp");
    Reply(Logic.LD100Kalibratie, "bp -1");
    EXPECT_FALSE(Logic.Commands().Busy());

    Reply(Logic.LD100Lees_U_AD, "r4 50000");
    EXPECT_EQ(LiveText[TAnalogInput::Voltage], "5,0000 V");
    Reply(Logic.LD100Lees_U_AD, "r4 x");
    EXPECT_EQ(LiveText[TAnalogInput::Voltage], "????");
    Reply(Logic.LD100Lees_U_AD, "r4 -5");
    Reply(Logic.LD100Lees_U_AD, "r4"); // shorter than 6 bytes: no value
    EXPECT_EQ(LiveText[TAnalogInput::Voltage], "????");

    Logic.Actual_I_AD();
    EXPECT_FALSE(Logic.Live(TAnalogInput::Voltage));
    EXPECT_FALSE(live[TAnalogInput::Voltage]);
    EXPECT_TRUE(Logic.Live(TAnalogInput::Current));
    EXPECT_EQ(Logic.LD100Lees_I_AD.ASCIIProtocol(), "r5");
    EXPECT_EQ(Outstanding(), "wp 226 1");
    // A voltage reading under way when its side went off is not shown.
    LiveText.clear();
    Reply(Logic.LD100Lees_U_AD, "r4 50000");
    EXPECT_EQ(LiveText.count(TAnalogInput::Voltage), 0u);
    Confirm("wp 226 1");
    EXPECT_EQ(Outstanding(), "bp");
    EXPECT_TRUE(Logic.Commands().Waiting().empty());
    Reply(Logic.LD100Kalibratie, "bp -1");
    EXPECT_FALSE(Logic.Commands().Busy());
    Reply(Logic.LD100Lees_I_AD, "r5 200000");
    EXPECT_EQ(LiveText[TAnalogInput::Current], "20,0000 mA");

    // The same button again switches its side off; "Uit" switches off whatever is live.
    Logic.Actual_I_AD();
    EXPECT_FALSE(Logic.Live(TAnalogInput::Current));
    EXPECT_FALSE(Logic.Commands().Busy());
    Logic.Actual_U_AD();
    Confirm("wp 226 0");
    Logic.CmdResCalibtatieModeClick();
    EXPECT_FALSE(Logic.Live(TAnalogInput::Voltage));
    EXPECT_EQ(Outstanding(), "bp");
    EXPECT_EQ(Logic.Commands().Waiting(), (std::deque<std::string>{"km 0"}));
}

TEST_F(CalibratieLogicTest, AFailedStepEndsItsChainAndOpeningAgainRestartsIt) {
    Logic.FormActivate();
    Reply(Logic.LD100LeesKalibratieWaarden, "kr 2041 1");
    Error(Logic.LD100LeesKalibratieWaarden, {CommCode::Timeout, 0, 0});
    EXPECT_EQ(Status, "Timeout!");
    EXPECT_TRUE(Red);
    EXPECT_EQ(Reading(), "kr 2042"); // nothing further was sent
    Error(Logic.LD100LeesKalibratieWaarden, {CommCode::SystemCall, 5, 0});
    EXPECT_EQ(Status, "Communicatie error");
    Status.clear();
    Error(Logic.LD100LeesKalibratieWaarden, {CommCode::StartChar, 0, 0});
    EXPECT_TRUE(Status.isEmpty());

    // A value that is no whole number goes to the error report and stops the chain.
    Logic.FormActivate();
    EXPECT_EQ(Reading(), "kr 2041");
    Reply(Logic.LD100LeesKalibratieWaarden, "kr 2041 1");
    Reply(Logic.LD100LeesKalibratieWaarden, "kr 2042 1,5");
    EXPECT_EQ(Conversion, "'1,5' is not a valid integer value");
    EXPECT_EQ(Reading(), "kr 2042");

    // A refusal is no value: the chain stops with the reply in red.
    Logic.FormActivate();
    Reply(Logic.LD100LeesKalibratieWaarden, "er 3");
    EXPECT_EQ(Status, "er 3");
    EXPECT_TRUE(Red);
    EXPECT_EQ(Logic.Value(Index(2041)), 1);
    EXPECT_EQ(Reading(), "kr 2041");

    // The teach chain likewise.
    Logic.cmd_LeesDAC_TeachClick();
    Reply(Logic.LD100Lees_DAC_TeachWaarden, "kr 2028 12");
    Reply(Logic.LD100Lees_DAC_TeachWaarden, "kr 2029 x");
    EXPECT_EQ(Conversion, "'x' is not a valid integer value");
    EXPECT_EQ(Dac[0], "12");
    EXPECT_EQ(Dac.count(1), 0u);
    EXPECT_EQ(TeachReading(), "kr 2029");
}

TEST_F(CalibratieLogicTest, ClosingSwitchesTheLiveInputsOffAndAsksAboutUnstoredValues) {
    ReadIn();
    ModeOn();
    Logic.SpinEditChange(Index(2036), 40);
    Confirm("kw 2036 40");
    Logic.Actual_I_AD();
    QString caption, text;
    bool answer = false;
    Logic.OnConfirmClose = [&](const QString& c, const QString& t) {
        caption = c;
        text = t;
        EXPECT_FALSE(Logic.Live(TAnalogInput::Current)); // already off while asking
        return answer;
    };
    EXPECT_FALSE(Logic.FormClose());
    EXPECT_EQ(caption, "Waarschuwing");
    EXPECT_EQ(text, "Er zijn calibratie waarden naar de KX7x...\r\n"
                    "gezonden maar nog niet gesaved in EEPROM.\r\n"
                    "Wilt U toch afsluiten?");
    answer = true;
    EXPECT_TRUE(Logic.FormClose());

    // Values still on their way, outstanding or waiting, count as not stored, even the stored
    // value itself.
    ReadIn();
    ModeOn();
    answer = false;
    const int gain = Index(2036);
    Logic.SpinEditChange(gain, Logic.SavedValue(gain));
    EXPECT_FALSE(Logic.FormClose());
    Confirm("kw 2036 -4");
    EXPECT_TRUE(Logic.FormClose());
    Logic.CmdSetClick(0);
    Logic.SpinEditChange(gain, -4);
    EXPECT_FALSE(Logic.FormClose());
    Confirm("ka -100000");
    caption.clear();
    Confirm("kw 2036 -4");
    EXPECT_TRUE(Logic.FormClose());
    EXPECT_TRUE(caption.isEmpty());
}

TEST_F(CalibratieLogicTest, AnOpeningAgainWaitsForTheCommandStillUnderWayAndIgnoresItsReply) {
    Port.Open();
    ReadIn();
    Logic.CmdSetKalibtatieModeClick();
    ASSERT_TRUE(Logic.LD100Kalibratie.RequestPending());
    // Shown again before "km 1" came back: what is typed now waits for that exchange.
    Logic.FormActivate();
    Logic.CmdSet_U_actiefClick();
    EXPECT_TRUE(Logic.Commands().Busy());
    EXPECT_EQ(Outstanding(), "");
    EXPECT_EQ(Logic.Commands().Waiting(), (std::deque<std::string>{"kf 1"}));
    Status.clear();
    Reply(Logic.LD100Kalibratie, "km 1");
    EXPECT_FALSE(Logic.CalibrationModeActive()) << "a reply to the earlier opening";
    EXPECT_TRUE(Status.isEmpty());
    EXPECT_EQ(Outstanding(), "kf 1");
    Confirm("kf 1");
    EXPECT_TRUE(Logic.GroupEnabled(TCalibGroup::Spanning));

    // Without a request under way nothing is waited for.
    Logic.CmdSet_I_actiefClick();
    Port.Close();
    Logic.FormActivate();
    EXPECT_FALSE(Logic.Commands().Busy());
}
