// The calibration window against the simulated controller line on a real pty, opened by the
// main window's calibration button, end to end.

#include "app/GlobalVar.h"
#include "app/KX71Main.h"
#include "calib/Calibratie.h"
#include "comm/QtHandover.h"
#include "params/ParamStore.h"
#include "support/PtySimLine.h"
#include "support/QtModalCloser.h"
#include "support/WaitUntil.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using kq9test::WaitUntil;

namespace {

constexpr int WaitMs = 5000;

class CalibratieLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        GlobalVar() = TGlobalVar();
        ParamStore() = TParamStore();
        SetProgramPath(Home.path());
        SetUiHandover(&Handover);
        Sim.UseAs(TPort::COM1);
        Main = std::make_unique<TFormMain>(QStringList{"kq9", "setupmode"});
        Main->Timer1.stop();
        Main->CmdSelectUnit->click();
        ASSERT_TRUE(WaitUntil([&] { return !Main->StatusPanel[4]->text().isEmpty(); }, WaitMs));
        Form = std::make_unique<TFormCalibratie>(&Main->LBComm1, Main.get());
        Main->SetFormCalibratie(Form.get());
        SetTimeouts(GenerousTimeoutMs);
    }
    void TearDown() override {
        Main->LBComm1.Close();
        Form.reset();
        Main.reset();
        SetUiHandover(nullptr);
    }

    // A loaded machine can hold a reply up beyond the usual first-byte time; one such time-out
    // would end a read-in chain for good. Tests of time-outs put the window's own back.
    void SetTimeouts(int ms) {
        TCalibratieLogic& logic = Form->Logic;
        for (TLD100Protocol* component :
             {&logic.LD100Kalibratie, &logic.LD100LeesKalibratieWaarden,
              &logic.LD100Lees_DAC_TeachWaarden, &logic.LD100Lees_U_AD, &logic.LD100Lees_I_AD})
            component->SetTimeoutTime(ms);
    }
    // Opens the window with the calibration button and runs `whileOpen` in it; true when the
    // window was closed by then. A check that failed half-way may leave values unstored: the
    // closing warning is answered so that the test goes on.
    bool WhileOpen(const std::function<void()>& whileOpen) {
        bool ran = false;
        QTimer::singleShot(0, Form.get(), [&] {
            whileOpen();
            ran = true;
            kq9test::TModalCloser closer(QMessageBox::Yes);
            Form->close();
        });
        Main->CmdCalibratie->click();
        return ran && !Form->isVisible();
    }
    template <typename T = QWidget> T* Find(const char* name) {
        return Form->findChild<T*>(QString::fromLatin1(name));
    }
    TSimUnit Unit() { return *Sim.Line().Unit(0); }
    // Counts the commands that begin with `command` from now on.
    void Count(const char* command) {
        Sim.Line().Configure(0, [command](TSimUnit& unit) {
            unit.Faults = {};
            unit.Faults.AppliesTo = command;
            unit.Faults.Times = Unlimited;
        });
    }
    int Counted() { return Unlimited - Unit().Faults.Times; }

    static constexpr int Unlimited = 1000000;
    static constexpr int GenerousTimeoutMs = 2000;
    QTemporaryDir Home;
    TQtHandover Handover;
    kq9test::TPtySimLine Sim;
    std::unique_ptr<TFormMain> Main;
    std::unique_ptr<TFormCalibratie> Form;
};

} // namespace

TEST_F(CalibratieLineTest, CalibrateTheVoltageOutputAndStoreItInTheEeprom) {
    ASSERT_TRUE(Main->CmdCalibratie->isEnabled());
    Count("kw");
    EXPECT_TRUE(WhileOpen([&] {
        // The read-in fills the spin edits and panels with the unit's values and writes nothing.
        ASSERT_TRUE(WaitUntil(
            [&] { return Find<QLabel>("Panel_DAC_Smax_stroom")->text() == "32010"; }, WaitMs));
        EXPECT_EQ(Find<QSpinBox>("SpinEdit_Offset_U")->value(), -17);
        EXPECT_EQ(Find<QSpinBox>("SpinEdit_Gain_I_neg_AD")->value(), 8);
        EXPECT_EQ(Find<QLabel>("Panel_DAC_Smin_spanning")->text(), "-32112");
        EXPECT_EQ(Counted(), 0);

        Find<QPushButton>("CmdSetKalibtatieMode")->click();
        ASSERT_TRUE(WaitUntil([&] { return Find("CmdSet_U_actief")->isEnabled(); }, WaitMs));
        Find<QPushButton>("CmdSet_U_actief")->click();
        ASSERT_TRUE(WaitUntil([&] { return Find("CmdSetUmax")->isEnabled(); }, WaitMs));
        Find<QPushButton>("CmdSetUmax")->click();
        ASSERT_TRUE(WaitUntil([&] { return Unit().TeachValue == 100000; }, WaitMs));
        EXPECT_EQ(Unit().CalibratedOutput, 1);

        Find<QSpinBox>("SpinEdit_Gain_U_pos")->setValue(20);
        ASSERT_TRUE(WaitUntil([&] { return Find("CmdSaveToEEPROM")->isEnabled(); }, WaitMs));
        EXPECT_EQ(Unit().Calibration.at(2042), 20);
        EXPECT_EQ(Unit().StoredCalibration.at(2042), 9);
        // Changed again at once, the value goes out after the "ks": the EEPROM keeps 20.
        auto* gain = Find<QSpinBox>("SpinEdit_Gain_U_pos");
        Find<QPushButton>("CmdSaveToEEPROM")->click();
        gain->setValue(25);
        ASSERT_TRUE(WaitUntil(
            [&] { return !Form->Logic.Commands().Busy() && Unit().Calibration.at(2042) == 25; },
            WaitMs));
        EXPECT_EQ(Unit().StoredCalibration.at(2042), 20);
        EXPECT_EQ(Form->Logic.SavedValue(CalibValueIndex(2042)), 20);
        EXPECT_TRUE(Find("CmdSaveToEEPROM")->isEnabled());
        Find<QPushButton>("CmdSaveToEEPROM")->click();
        ASSERT_TRUE(WaitUntil([&] { return !Find("CmdSaveToEEPROM")->isEnabled(); }, WaitMs));
        EXPECT_EQ(Unit().StoredCalibration.at(2042), 25);

        Find<QPushButton>("CmdResCalibtatieMode")->click();
        ASSERT_TRUE(WaitUntil([&] { return !Unit().CalibrationMode; }, WaitMs));
        ASSERT_TRUE(WaitUntil([&] { return !Find("CmdSet_U_actief")->isEnabled(); }, WaitMs));
    }));
}

TEST_F(CalibratieLineTest, TheCurrentInputReadLiveAfterTheVoltageInput) {
    EXPECT_TRUE(WhileOpen([&] {
        ASSERT_TRUE(WaitUntil(
            [&] { return !Find<QLabel>("Panel_DAC_Smax_stroom")->text().isEmpty(); }, WaitMs));
        Find<QPushButton>("CmdSetKalibtatieMode")->click();
        ASSERT_TRUE(WaitUntil([&] { return Find("CmdAct_U_AD")->isEnabled(); }, WaitMs));
        Find<QPushButton>("CmdAct_U_AD")->click();
        auto* panel2 = Find<QLabel>("Panel2");
        ASSERT_TRUE(WaitUntil([&] { return panel2->text().endsWith(" V"); }, WaitMs));
        ASSERT_TRUE(WaitUntil([&] { return !Form->Logic.Commands().Busy(); }, WaitMs));
        EXPECT_NE(panel2->text(), "0,0000 V");

        Count("bp");
        Find<QPushButton>("CmdAct_I_AD")->click();
        EXPECT_TRUE(panel2->text().isEmpty());
        auto* panel3 = Find<QLabel>("Panel3");
        // The current input is the one measured once the input mode has been written.
        ASSERT_TRUE(WaitUntil([&] { return Counted() == 1; }, WaitMs));
        ASSERT_TRUE(WaitUntil(
            [&] { return panel3->text().endsWith(" mA") && panel3->text() != "0,0000 mA"; },
            WaitMs));
        EXPECT_EQ(Unit().Parameters[226], 1);
        kq9test::ProcessFor(300);
        EXPECT_EQ(Counted(), 1) << "one take-over";
        // The voltage input is no longer polled.
        Count("r4");
        kq9test::ProcessFor(300);
        EXPECT_EQ(Counted(), 0);
        EXPECT_TRUE(panel2->text().isEmpty());
    }));
    EXPECT_FALSE(Form->Logic.Live(TAnalogInput::Current));
}

TEST_F(CalibratieLineTest, ATimeOutIsShownInRedAndEndsTheReadIn) {
    SetTimeouts(0);
    Sim.Line().Configure(0, [](TSimUnit& unit) {
        unit.Faults.AppliesTo = "kr 2044";
        unit.Faults.Silent = true;
    });
    EXPECT_TRUE(WhileOpen([&] {
        auto* panel1 = Find<QLabel>("Panel1");
        ASSERT_TRUE(WaitUntil([&] { return panel1->text() == "Timeout!"; }, WaitMs));
        EXPECT_EQ(panel1->palette().color(QPalette::WindowText), QColor(Qt::red));
        kq9test::ProcessFor(300);
        EXPECT_EQ(panel1->text(), "Timeout!");
        EXPECT_EQ(Find<QSpinBox>("SpinEdit_Offset_I")->value(), 30);
        EXPECT_EQ(Find<QSpinBox>("SpinEdit_Gain_I_neg")->value(), 0); // never read
    }));
}
