// The calibration window through its controls, with replies handed to its components: the
// greying of the groups, the status line, the live panels, typing into the spin edits, the
// general error report and the closing warning.

#include "params/TransferTestSupport.h"

#include "app/Colors.h"
#include "app/ErrorReport.h"
#include "calib/Calibratie.h"
#include "comm/LBComm.h"
#include "support/QtModalCloser.h"
#include "support/WaitUntil.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

using kq9test::Reply;

namespace {

class CalibratieWindowTest : public ::testing::Test {
protected:
    void SetUp() override { Form.show(); }
    void TearDown() override {
        Form.Logic.OnConfirmClose = [](const QString&, const QString&) { return true; };
        Form.close();
        SetErrorReporter(nullptr);
    }

    template <typename T = QWidget> T* Find(const char* name) {
        T* widget = Form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QColor TextColor(const char* name) { return Find(name)->palette().color(QPalette::WindowText); }
    std::string Outstanding() const {
        return Form.Logic.Commands().Busy() ? Form.Logic.LD100Kalibratie.ASCIIProtocol()
                                            : std::string();
    }
    void Confirm(const std::string& command) {
        ASSERT_EQ(Outstanding(), command);
        Reply(Form.Logic.LD100Kalibratie, command);
    }

    TLBComm Port;
    TFormCalibratie Form{&Port};
    const QColor Grey = DisabledCaptionColor();
    const QColor Normal = QApplication::palette().color(QPalette::WindowText);
};

} // namespace

TEST_F(CalibratieWindowTest, GroupsAreGreyedAndEnabledAsTheControllerConfirms) {
    for (const char* name :
         {"Panel1", "CmdSetKalibtatieMode", "CmdResCalibtatieMode", "GroupBox4", "CmdSet_U_actief",
          "CmdSet_I_actief", "CmdSet_I_InActief", "CmdSaveToEEPROM", "Panel2", "Panel3",
          "CmdAct_U_AD", "CmdAct_I_AD", "cmd_LeesDAC_Teach", "Panel_DAC_Smin_spanning",
          "Panel_DAC_Smax_stroom", "SpinEdit1", "SpinEdit8", "CmdSetUmin", "CmdSetImax"})
        EXPECT_FALSE(Find(name)->accessibleName().isEmpty()) << name;
    for (const TCalibValue& value : CalibValues)
        EXPECT_FALSE(Find(value.SpinEdit)->isEnabled()) << value.SpinEdit;
    EXPECT_EQ(Find<QSpinBox>("SpinEdit6")->value(), -200000);
    EXPECT_EQ(TextColor("GroupBoxDASpanning"), Grey);
    EXPECT_EQ(TextColor("LabelEenheid_Gain_U_pos"), Grey);
    EXPECT_EQ(TextColor("LabelEenheid1"), Grey);
    EXPECT_EQ(Find("GroupBoxDASpanning")->accessibleDescription(), "disabled");
    EXPECT_FALSE(Find("CmdSetUmin")->isEnabled());
    EXPECT_EQ(TextColor("GroupBoxADStroom"), Grey);
    EXPECT_EQ(TextColor("Label_Offset_I_AD"), Grey);
    EXPECT_EQ(TextColor("LabelEenheid_Offset_I_AD"), Normal); // input unit captions stay
    EXPECT_FALSE(Find("CmdAct_I_AD")->isEnabled());
    EXPECT_EQ(TextColor("GroupBox4"), Grey);
    EXPECT_FALSE(Find("CmdSet_U_actief")->isEnabled());
    EXPECT_FALSE(Find("CmdSaveToEEPROM")->isEnabled());

    Find<QPushButton>("CmdSetKalibtatieMode")->click();
    Confirm("km 1");
    EXPECT_EQ(Find<QLabel>("Panel1")->text(), "km 1");
    EXPECT_EQ(TextColor("GroupBox4"), Normal);
    EXPECT_EQ(Find("GroupBox4")->accessibleDescription(), "");
    EXPECT_TRUE(Find("CmdSet_I_InActief")->isEnabled());
    EXPECT_EQ(TextColor("GroupBoxADSpanning"), Normal);
    EXPECT_EQ(TextColor("Label_Gain_U_neg_AD"), Normal);
    EXPECT_TRUE(Find("SpinEdit_Gain_U_neg_AD")->isEnabled());
    EXPECT_TRUE(Find("CmdAct_U_AD")->isEnabled());
    EXPECT_EQ(TextColor("GroupBoxDAStroom"), Grey);

    Find<QPushButton>("CmdSet_I_actief")->click();
    Confirm("kf 2");
    EXPECT_EQ(TextColor("GroupBoxDAStroom"), Normal);
    EXPECT_EQ(TextColor("LabelEenheid6"), Normal);
    EXPECT_TRUE(Find("SpinEdit_Offset_I")->isEnabled());
    EXPECT_TRUE(Find("CmdSetInul")->isEnabled());
    EXPECT_FALSE(Find("CmdSetUnul")->isEnabled());
    Find<QPushButton>("CmdSetImax")->click();
    EXPECT_EQ(Outstanding(), "ka 100000");

    kq9test::Error(Form.Logic.LD100Kalibratie, {CommCode::Timeout, 0, 0});
    EXPECT_EQ(Find<QLabel>("Panel1")->text(), "Timeout!");
    EXPECT_EQ(TextColor("Panel1"), QColor(Qt::red));
    EXPECT_EQ(Find<QLabel>("Panel1")->accessibleDescription(), "error");
    Find<QPushButton>("CmdResCalibtatieMode")->click();
    Confirm("km 0");
    EXPECT_EQ(TextColor("Panel1"), Normal);
    EXPECT_EQ(Find<QLabel>("Panel1")->accessibleDescription(), "");
    EXPECT_EQ(TextColor("GroupBoxDAStroom"), Grey);
    EXPECT_EQ(TextColor("GroupBox4"), Grey);
    EXPECT_FALSE(Find("CmdSet_U_actief")->isEnabled());
}

TEST_F(CalibratieWindowTest, ReadInValuesShowClampedAndTypedValuesStayInRange) {
    Reply(Form.Logic.LD100LeesKalibratieWaarden, "kr 2041 -123456");
    Reply(Form.Logic.LD100LeesKalibratieWaarden, "kr 2042 -4000");
    auto* offset = Find<QSpinBox>("SpinEdit_Offset_U");
    auto* gain = Find<QSpinBox>("SpinEdit_Gain_U_pos");
    EXPECT_EQ(offset->value(), -123456);
    EXPECT_EQ(gain->value(), -1000);
    EXPECT_EQ(Outstanding(), "");

    Form.Logic.CmdSetKalibtatieModeClick();
    Confirm("km 1");
    Form.Logic.CmdSet_U_actiefClick();
    Confirm("kf 1");
    std::vector<std::string> sent;
    // Each keystroke that makes a value sends it; one beyond the range cannot be typed.
    gain->setFocus();
    gain->selectAll();
    for (const char* key : {"1", "5", "0", "0"}) {
        QTest::keyClicks(gain, key);
        if (!Outstanding().empty()) {
            sent.push_back(Outstanding());
            Reply(Form.Logic.LD100Kalibratie, Outstanding());
        }
    }
    EXPECT_EQ(sent, (std::vector<std::string>{"kw 2042 1", "kw 2042 15", "kw 2042 150"}));
    EXPECT_EQ(gain->value(), 150);
    QTest::keyClick(gain, Qt::Key_Up);
    EXPECT_EQ(Outstanding(), "kw 2042 151");
    EXPECT_TRUE(Find("CmdSaveToEEPROM")->isEnabled());
}

TEST_F(CalibratieWindowTest, LivePanelsShowWhichInputIsReadAndItsValue) {
    Form.Logic.CmdSetKalibtatieModeClick();
    Confirm("km 1");
    auto* panel2 = Find<QLabel>("Panel2");
    auto* panel3 = Find<QLabel>("Panel3");
    auto* voltage = Find<QPushButton>("CmdAct_U_AD");
    auto* current = Find<QPushButton>("CmdAct_I_AD");
    voltage->click();
    EXPECT_EQ(voltage->text(), "OFF");
    EXPECT_EQ(panel2->palette().color(QPalette::Window), ActivePanelColor());
    EXPECT_EQ(panel2->accessibleDescription(), "live");
    Reply(Form.Logic.LD100Lees_U_AD, "r4 12345");
    EXPECT_EQ(panel2->text(), "1,2345 V");

    current->click();
    EXPECT_EQ(voltage->text(), "ON");
    EXPECT_TRUE(panel2->text().isEmpty());
    EXPECT_EQ(panel2->palette().color(QPalette::Window), NeutralColor());
    EXPECT_EQ(current->text(), "OFF");
    EXPECT_EQ(panel3->palette().color(QPalette::Window), ActivePanelColor());
    Reply(Form.Logic.LD100Lees_I_AD, "r5 1");
    // Greying the input groups leaves the live panel's text as it is.
    Reply(Form.Logic.LD100Kalibratie, "km 0");
    EXPECT_EQ(panel3->palette().color(QPalette::WindowText), Normal);
    EXPECT_EQ(panel3->text(), "0,0001 mA");
}

TEST_F(CalibratieWindowTest, ClosingWithUnstoredValuesAsksAndNoKeepsTheWindowOpen) {
    Form.Logic.CmdSetKalibtatieModeClick();
    Confirm("km 1");
    Find<QSpinBox>("SpinEdit_Gain_I_pos_AD")->setValue(33);
    Confirm("kw 2039 33");
    Find<QPushButton>("CmdAct_U_AD")->click();
    {
        kq9test::TModalCloser closer(QMessageBox::No);
        Form.close();
        ASSERT_EQ(closer.Seen().size(), 1);
        EXPECT_TRUE(closer.Seen()[0].startsWith("Waarschuwing\nEr zijn calibratie waarden"));
    }
    EXPECT_TRUE(Form.isVisible());
    EXPECT_FALSE(Form.Logic.Live(TAnalogInput::Voltage));
    EXPECT_EQ(Find<QPushButton>("CmdAct_U_AD")->text(), "ON");
    {
        kq9test::TModalCloser closer(QMessageBox::Cancel);
        QTest::keyClick(&Form, Qt::Key_Escape);
        EXPECT_EQ(closer.Seen().size(), 1);
    }
    EXPECT_TRUE(Form.isVisible());
    kq9test::TModalCloser closer(QMessageBox::Yes);
    Form.close();
    EXPECT_FALSE(Form.isVisible());

    // Shown again: a fresh start, nothing to warn about.
    Form.show();
    EXPECT_FALSE(Form.Logic.Unsaved());
    EXPECT_FALSE(Find("CmdSaveToEEPROM")->isEnabled());
    Form.close();
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(closer.Seen().size(), 1);
}

TEST_F(CalibratieWindowTest, AReadInValueThatIsNoNumberGoesToTheErrorReport) {
    QStringList reported;
    SetErrorReporter([&](const QString& message) { reported << message; });
    Reply(Form.Logic.LD100LeesKalibratieWaarden, "kr 2041 12a");
    EXPECT_EQ(reported, QStringList{"'12a' is not a valid integer value"});
    EXPECT_EQ(Find<QLabel>("Panel1")->text(), "kr 2041 12a");
    EXPECT_EQ(Form.Logic.LD100LeesKalibratieWaarden.ASCIIProtocol(), "kr 2041"); // chain ended
}
