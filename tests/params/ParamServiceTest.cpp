// The service-parameter dialog and the parameter loader through their controls: both faces of
// the dialog with its key filter and validation, its replies, and the loader's take-over.

#include "EditorTestSupport.h"
#include "TransferTestSupport.h"

#include "comm/LBComm.h"
#include "comm/QtHandover.h"
#include "params/EditParamPage.h"
#include "params/ParLoader.h"
#include "params/ParamService.h"
#include "params/ParamStore.h"
#include "support/FakeSerialDevice.h"
#include "support/WaitUntil.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace kq9test;

namespace {

class ParamServiceTest : public EditorTest {
protected:
    // Opens the dialog for parameter `nr` as the editor does after selecting its row.
    void Open(int nr) {
        SelectParamRow(ParameterRow(nr), ParamStore().SelPar);
        Form.show();
    }
    // Whether the status is shown in red; a screen reader is told of the error as well.
    bool Red() const {
        bool red = Form.PanelService->palette().color(QPalette::WindowText) == QColor(Qt::red);
        EXPECT_EQ(Form.PanelService->accessibleDescription(),
                  red && !Form.PanelService->text().isEmpty() ? "error" : "");
        return red;
    }
    void Type(const QString& text) {
        Form.MaskEditParData->clear();
        QTest::keyClicks(Form.MaskEditParData, text);
    }
    bool ButtonsEnabled() const {
        return Form.CmdOK->isEnabled() && Form.CmdDefault->isEnabled() &&
               Form.CmdCancel->isEnabled();
    }

    TLBComm Port;
    TFormParamService Form{&Port};
};

} // namespace

TEST_F(ParamServiceTest, NumberFaceFiltersKeysAndStoresOnlyValidValues) {
    ParamStore().ParData[17] = 25;
    Open(17);
    EXPECT_EQ(Form.windowTitle(), "[017]   Offset");
    EXPECT_EQ(Form.PanelMin->text(), "-10,0");
    EXPECT_EQ(Form.PanelMax->text(), "100,0");
    EXPECT_EQ(Form.PanelDefault->text(), "0,5");
    EXPECT_TRUE(Form.MaskEditParData->isVisible());
    EXPECT_FALSE(Form.ComboParData->isVisible());
    EXPECT_EQ(Form.MaskEditParData->text(), "2,5");
    EXPECT_EQ(Form.DigitLimit(), 3);
    // The line is closed: nothing to send to.
    EXPECT_FALSE(Form.CmdZenden->isEnabled());
    EXPECT_FALSE(Form.CmdBerPar->isEnabled());

    Type("1234");
    EXPECT_EQ(Form.MaskEditParData->text(), "123");
    QTest::keyClicks(Form.MaskEditParData, "-.45");
    EXPECT_EQ(Form.MaskEditParData->text(), "-123,4");
    // Editing keys are no typed characters: the filter lets them do their work.
    QTest::keyClick(Form.MaskEditParData, Qt::Key_Home);
    PressKey(Form.MaskEditParData, Qt::Key_Delete, QStringLiteral("\x7f"));
    EXPECT_EQ(Form.MaskEditParData->text(), "123,4");
    PressKey(Form.MaskEditParData, Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);
    PressKey(Form.MaskEditParData, Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(Form.MaskEditParData->text(), "");
    QTest::keyClicks(Form.MaskEditParData, "-1234");
    EXPECT_EQ(Form.MaskEditParData->text(), "-123");
    Form.CmdOK->click();
    EXPECT_TRUE(Form.isVisible());
    EXPECT_TRUE(Red());
    EXPECT_EQ(Form.PanelService->text(), "tekst 2");
    EXPECT_EQ(ParamStore().ParData[17], 25);

    // Text that reached the field past the filter.
    for (const char* pasted : {"5-", "1,2,3", "--1", "12a", "-"}) {
        Form.MaskEditParData->setText(pasted);
        Form.CmdOK->click();
        EXPECT_EQ(Form.PanelService->text(), "tekst 2") << pasted;
    }
    Form.MaskEditParData->setText("1,25");
    Form.CmdOK->click();
    EXPECT_EQ(Form.PanelService->text(), "tekst 3");
    EXPECT_EQ(ParamStore().ParData[17], 25);

    Form.CmdDefault->click();
    EXPECT_EQ(Form.MaskEditParData->text(), "0,5");
    EXPECT_EQ(ParamStore().ParData[17], 25);
    Type("-9.5");
    Form.CmdOK->click();
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(Form.result(), QDialog::Accepted);
    EXPECT_EQ(ParamStore().ParData[17], -95);
}

TEST_F(ParamServiceTest, OptionFaceOffersTheListAndNeverGuessesAChoice) {
    ParamStore().ParData[20] = 2;
    Open(20);
    EXPECT_TRUE(Form.ComboParData->isVisible());
    EXPECT_FALSE(Form.MaskEditParData->isVisible());
    ASSERT_EQ(Form.ComboParData->count(), 3);
    EXPECT_EQ(Form.ComboParData->itemText(0), "0 - Off");
    EXPECT_EQ(Form.ComboParData->currentText(), "2 - Fast");
    int optionLabelX = Form.LabelParData->x();
    Form.hide();
    Open(17);
    EXPECT_GT(Form.LabelParData->x(), optionLabelX + 100);
    Form.hide();

    ParamStore().ParData[20] = 3;
    Open(20);
    EXPECT_EQ(Form.ComboParData->currentIndex(), -1);
    Form.CmdOK->click();
    EXPECT_TRUE(Form.isVisible());
    EXPECT_TRUE(Red());
    EXPECT_EQ(ParamStore().ParData[20], 3);
    Form.CmdDefault->click();
    EXPECT_EQ(Form.ComboParData->currentIndex(), 1);
    Form.CmdOK->click();
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(ParamStore().ParData[20], 1);
}

TEST_F(ParamServiceTest, SendAndTakeOverShowTheControllersAnswers) {
    std::vector<bool> marks;
    Form.OnParGezonden = [&](bool sent) { marks.push_back(sent); };
    Open(17);
    Form.MaskEditParData->setText("7,5");
    Form.CmdZendenClick();
    EXPECT_EQ(ParamStore().ParData[17], 75);
    EXPECT_EQ(Form.LD100ZendServiceParameter.ASCIIProtocol(), "wp 17 75");
    EXPECT_EQ(Form.PanelService->text(), "tekst 1");
    EXPECT_FALSE(Form.CmdOK->isEnabled());
    EXPECT_FALSE(Form.CmdCancel->isEnabled());
    Reply(Form.LD100ZendServiceParameter, "er 7");
    EXPECT_EQ(Form.PanelService->text(), "(er 7) tekst 6");
    EXPECT_TRUE(Red());
    EXPECT_TRUE(ButtonsEnabled());
    EXPECT_TRUE(marks.empty());
    // Only the echo counts as written.
    Reply(Form.LD100ZendServiceParameter, "ok");
    EXPECT_TRUE(Red());
    EXPECT_TRUE(marks.empty());
    Reply(Form.LD100ZendServiceParameter, "wp 17 75");
    EXPECT_EQ(Form.PanelService->text(), "tekst 4");
    EXPECT_FALSE(Red());
    EXPECT_EQ(marks, std::vector<bool>{true});

    Form.CmdBerParClick();
    EXPECT_EQ(Form.LD100ServiceBerPar.ASCIIProtocol(), "bp");
    EXPECT_EQ(Form.PanelService->text(), "tekst 9");
    EXPECT_FALSE(Form.CmdDefault->isEnabled());
    Reply(Form.LD100ServiceBerPar, "bp 123");
    EXPECT_EQ(Form.PanelService->text(), "tekst 7 123 tekst 8");
    EXPECT_TRUE(Red());
    Reply(Form.LD100ServiceBerPar, "bp -1");
    EXPECT_EQ(Form.PanelService->text(), "tekst 10");
    // An answer of another kind ends the mark as well, and says what came back.
    Reply(Form.LD100ServiceBerPar, "er 1");
    EXPECT_EQ(Form.PanelService->text(), "tekst 5: er 1");
    EXPECT_TRUE(Red());
    EXPECT_EQ(marks, (std::vector<bool>{true, false, false, false}));

    Error(Form.LD100ServiceBerPar, {CommCode::Timeout, 0, 0});
    EXPECT_EQ(Form.PanelService->text(), "tekst 0");
    Error(Form.LD100ZendServiceParameter, {CommCode::SystemCall, 5, 0});
    EXPECT_EQ(Form.PanelService->text(), "tekst 5");
    EXPECT_TRUE(ButtonsEnabled());

    // Escape closes; the value stored by sending stays.
    QTest::keyClick(&Form, Qt::Key_Escape);
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(ParamStore().ParData[17], 75);
}

TEST_F(ParamServiceTest, TextsComeFromTheLanguageFile) {
    LoadLanguage();
    Open(17);
    EXPECT_EQ(Form.CmdBerPar->text(), "Take over");
    EXPECT_EQ(Form.CmdCancel->text(), "Cancel");
    Form.MaskEditParData->setText("999");
    Form.CmdOK->click();
    EXPECT_EQ(Form.PanelService->text(), "Value out of limits");
    EXPECT_GE(Form.PanelService->width(), Form.PanelService->sizeHint().width());
}

TEST(ParLoader, EveryOpeningSendsOneTakeOverAndAnyAnswerClearsTheMark) {
    TQtHandover handover;
    SetUiHandover(&handover);
    auto device = std::make_shared<TFakeSerialDevice>();
    std::string answer = "bp 123\r\n";
    device->Responder = [&](const std::string&) { device->Reply(answer); };
    TLBComm port([device] { return device; });
    port.Open();
    TFormParLoader loader(&port);
    int cleared = 0;
    loader.OnTakeOverAnswered = [&] { ++cleared; };

    loader.show();
    EXPECT_TRUE(loader.Panel1->text().isEmpty());
    ASSERT_TRUE(WaitUntil([&] { return cleared == 1; }, 3000));
    EXPECT_EQ(loader.Panel1->text(), " 123 ");
    EXPECT_EQ(loader.Panel1->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(loader.Panel1->accessibleDescription(), "error");
    loader.CmdOK->click();
    EXPECT_FALSE(loader.isVisible());

    answer = "bp -1\r\n";
    loader.show();
    ASSERT_TRUE(WaitUntil([&] { return cleared == 2; }, 3000));
    EXPECT_NE(loader.Panel1->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(loader.Panel1->accessibleDescription(), "");
    loader.CmdOK->click();

    // An answer that is no "bp" answer at all still ends the mark, in red with what came back.
    answer = "er 1\r\n";
    loader.show();
    ASSERT_TRUE(WaitUntil([&] { return cleared == 3; }, 3000));
    EXPECT_EQ(loader.Panel1->text(), "er 1");
    EXPECT_EQ(loader.Panel1->palette().color(QPalette::WindowText), QColor(Qt::red));
    ProcessFor(100);
    EXPECT_EQ(device->Written(), (std::vector<std::string>{"bp\r", "bp\r", "bp\r"}));

    // No answer: the time-out, and the mark stays.
    answer.clear();
    device->Responder = nullptr;
    loader.LD100ParLoaderCommError(nullptr, {CommCode::Timeout, 0, 0},
                                   loader.LD100ParLoader.ResultStream());
    EXPECT_EQ(cleared, 3);
    port.Close();
    SetUiHandover(nullptr);
}
