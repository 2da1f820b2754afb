// The log graph window through its controls: what opening it shows, the fixed scales of the
// analog sources, how a recording ends, the settings it hands back, and a recording against the
// simulated controller on a pty.

#include "params/TransferTestSupport.h"

#include "app/GlobalVar.h"
#include "calib/DrawImage.h"
#include "calib/Grafiek.h"
#include "comm/LBComm.h"
#include "comm/QtHandover.h"
#include "params/ParamStore.h"
#include "support/FakeSerialDevice.h"
#include "support/PtySimLine.h"
#include "support/WaitUntil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace kq9test;

namespace {

class GrafiekWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ParamStore() = TParamStore();
        GlobalVar() = TGlobalVar();
        ASSERT_TRUE(LoadShippedLanguage(1));
        SetUiHandover(&Handover);
    }
    void TearDown() override {
        Port.Close();
        UnloadLanguage();
        SetUiHandover(nullptr);
    }
    // The port open on a device that never answers: the test hands the replies over itself.
    void OpenPort() {
        Port.Open();
        ASSERT_TRUE(Port.Active());
    }
    void ReplyLog(const std::string& text) { Reply(Form.LD100LeesLogData(), text); }
    std::vector<QString> TimeLabels() const {
        std::vector<QString> texts;
        for (const TDrawText& text : Form.ImageX->Drawing().All<TDrawText>())
            texts.push_back(text.Text);
        return texts;
    }

    TQtHandover Handover;
    std::shared_ptr<TFakeSerialDevice> Device = std::make_shared<TFakeSerialDevice>();
    TLBComm Port{[this] { return Device; }};
    TFormGrafiek Form{&Port};
};

bool IsRed(QWidget* widget) {
    return widget->palette().color(QPalette::WindowText) == QColor(Qt::red);
}

} // namespace

TEST_F(GrafiekWindowTest, OpensWithItsSettingsAndHandsThemBackOnClose) {
    GlobalVar().X_Div = 1;
    GlobalVar().Y_Div = 4;
    GlobalVar().BronItem = 1;
    GlobalVar().Y_hulplijn = true;
    Form.show();
    EXPECT_EQ(Form.windowTitle(), "Log graph");
    // The port is closed: nothing to record.
    EXPECT_FALSE(Form.CmdStartLog->isEnabled());
    EXPECT_FALSE(Form.CmdStopLog->isEnabled());
    EXPECT_EQ(Form.ListBoxX->currentRow(), 1);
    EXPECT_EQ(Form.ListBoxY->currentRow(), 4);
    EXPECT_EQ(Form.ComboBoxBron->count(), 7);
    EXPECT_EQ(Form.ComboBoxBron->currentText(), "Velocity");
    EXPECT_TRUE(Form.CheckHulplijnenYas->isChecked());
    EXPECT_FALSE(Form.CheckHulplijnenXas->isChecked());
    EXPECT_EQ(Form.LabelBufferCount->text(), "0,0 sec");
    EXPECT_EQ(TimeLabels()[0], "0,0");
    EXPECT_EQ(TimeLabels()[1], "0,5");
    Form.ListBoxX->setCurrentRow(3);
    EXPECT_EQ(TimeLabels()[1], "2,0");

    Form.CheckHulplijnenXas->setChecked(true);
    Form.ComboBoxBron->setCurrentIndex(6);
    Form.close();
    EXPECT_EQ(GlobalVar().X_Div, 3);
    EXPECT_EQ(GlobalVar().Y_Div, 8); // fixed by the analog source
    EXPECT_EQ(GlobalVar().BronItem, 6);
    EXPECT_TRUE(GlobalVar().X_hulplijn);

    // Settings that name no entry of a list take its first.
    GlobalVar().X_Div = 17;
    GlobalVar().BronItem = -2;
    Form.show();
    EXPECT_EQ(Form.ListBoxX->currentRow(), 0);
    EXPECT_EQ(Form.ComboBoxBron->currentIndex(), 0);
}

TEST_F(GrafiekWindowTest, AnalogSourcesKeepTheirFixedValueScaleThroughARecording) {
    OpenPort();
    Form.show();
    EXPECT_TRUE(Form.CmdStartLog->isEnabled());
    Form.ComboBoxBron->setCurrentIndex(3);
    EXPECT_EQ(Form.ListBoxY->currentRow(), 7);
    EXPECT_FALSE(Form.ListBoxY->isEnabled());
    EXPECT_EQ(Form.ImageY->Drawing().All<TDrawText>().back().Text, "(V)");
    Form.ComboBoxBron->setCurrentIndex(4);
    EXPECT_EQ(Form.ListBoxY->currentRow(), 8);
    EXPECT_EQ(Form.ImageY->Drawing().All<TDrawText>()[0].Text, "20");

    Form.CmdStartLog->click();
    EXPECT_EQ(Form.LD100LeesLogData().ASCIIProtocol(), "r3");
    EXPECT_FALSE(Form.CmdStartLog->isEnabled());
    EXPECT_FALSE(Form.ComboBoxBron->isEnabled());
    EXPECT_TRUE(Form.CmdStopLog->isEnabled());
    EXPECT_EQ(Form.PanelCommError->text(), "Recording...");
    ReplyLog("r3 40000");
    Form.CmdStopLog->click();
    EXPECT_EQ(Form.PanelCommError->text(), "Recording stopped");
    EXPECT_FALSE(IsRed(Form.PanelCommError));
    EXPECT_FALSE(Form.ListBoxY->isEnabled()) << "another scale would mislabel the axis";
    EXPECT_EQ(Form.ImageY->Drawing().All<TDrawText>()[0].Text, "20");
    EXPECT_TRUE(Form.ComboBoxBron->isEnabled());
    EXPECT_TRUE(Form.CmdStartLog->isEnabled());
    EXPECT_FALSE(Form.CmdStopLog->isEnabled());

    Form.ComboBoxBron->setCurrentIndex(0);
    EXPECT_TRUE(Form.ListBoxY->isEnabled());
}

TEST_F(GrafiekWindowTest, ATimeOutEndsTheRecordingInRedAndKeepsTheSamples) {
    OpenPort();
    Form.show();
    Form.CmdStartLog->click();
    ReplyLog("r0 100");
    ReplyLog("r0 200");
    EXPECT_EQ(Form.Gauge1->value(), 1);
    Error(Form.LD100LeesLogData(), {CommCode::Timeout, 0, 0});
    EXPECT_EQ(Form.PanelCommError->text(), "Time-out: controller does not answer");
    EXPECT_TRUE(IsRed(Form.PanelCommError));
    EXPECT_EQ(Form.PanelCommError->accessibleDescription(), "error");
    EXPECT_TRUE(Form.CmdStartLog->isEnabled());
    EXPECT_FALSE(Form.CmdStopLog->isEnabled());
    EXPECT_EQ(Form.Image1->accessibleDescription().left(18), "2 samples, newest ");
    EXPECT_EQ(Form.ScrollBar2->maximum(), 1);

    // A line error shows the other text; the samples stay visible after reopening.
    Form.CmdStartLog->click();
    EXPECT_EQ(Form.ScrollBar2->maximum(), 0);
    ReplyLog("r0 7");
    Error(Form.LD100LeesLogData(), {CommCode::LineError, 0, 0x04});
    EXPECT_EQ(Form.PanelCommError->text(), "Communication error");
    Form.close();
    Form.show();
    EXPECT_EQ(Form.PanelCommError->accessibleDescription(), "");
    EXPECT_EQ(Form.Image1->accessibleDescription().left(9), "1 samples");
}

TEST_F(GrafiekWindowTest, TheLastSlotEndsTheRecordingWithAFullGauge) {
    OpenPort();
    Form.show();
    Form.CheckBoxAutoScroll->setChecked(true);
    Form.CmdStartLog->click();
    for (int i = 0; i < LogSlotCount; ++i)
        ReplyLog("r0 " + std::to_string(i % 50));
    EXPECT_EQ(Form.Gauge1->value(), 4000);
    EXPECT_EQ(Form.PanelCommError->text(), "Buffer full, recording ended");
    EXPECT_TRUE(Form.CmdStartLog->isEnabled());
    EXPECT_FALSE(Form.LD100LeesLogData().Cyclic());
    // The view stays where auto-scroll last put it, 25 samples before the sample before.
    EXPECT_EQ(Form.ScrollBar2->maximum(), 4000);
    EXPECT_EQ(Form.ScrollBar2->value(), 3974);
}

TEST(GrafiekLineTest, ARecordingOnTheSimulatedLineAndARestartWhileARequestIsOut) {
    TQtHandover handover;
    SetUiHandover(&handover);
    TPtySimLine sim{0};
    sim.UseAs(TPort::COM5);
    TLBComm port;
    port.SetPortName(TPort::COM5);
    port.SetBaudrate(TBaudrate::br38400);
    port.Open();
    ASSERT_TRUE(port.Active());
    GlobalVar() = TGlobalVar();
    {
        TFormGrafiek form(&port);
        form.show();
        form.ComboBoxBron->setCurrentIndex(1);
        form.CmdStartLog->click();
        const TLogBuffer& buffer = form.Recorder().Buffer;
        ASSERT_TRUE(WaitUntil([&] { return buffer.Count >= 8; }, 5000));
        for (int i = 1; i < buffer.Count; ++i)
            EXPECT_GT(buffer.Times[i], buffer.Times[i - 1]) << i;
        for (int i = 0; i < buffer.Count; ++i)
            EXPECT_TRUE(buffer.Read[i]) << i;
        EXPECT_EQ(buffer.Times[0], 0);

        // Stop and start again at once, for the analog output current: the velocity request
        // still out is not a sample, and it carries the new recording on, without a second one.
        form.CmdStopLog->click();
        ASSERT_TRUE(form.Recorder().RequestOut());
        const size_t queued = port.QueueLength();
        form.ComboBoxBron->setCurrentIndex(4);
        form.CmdStartLog->click();
        EXPECT_EQ(port.QueueLength(), queued);
        ASSERT_TRUE(WaitUntil([&] { return buffer.Count >= 5; }, 5000));
        for (int i = 0; i < buffer.Count; ++i)
            EXPECT_GE(buffer.Values[i], 40000) << i;
        form.close();
        EXPECT_TRUE(WaitUntil([&] { return !form.Recorder().RequestOut(); }, 2000));
        EXPECT_FALSE(form.LD100LeesLogData().Cyclic());
    }
    port.Close();
    SetUiHandover(nullptr);
}
