// The live view of the main window: values with the store's decimals, "????" and "?", the
// input and output bits, the thumbwheel chain, the terminal and the function labels.

#include "MainWindowFixture.h"

#include "app/Colors.h"
#include "app/GlobalVar.h"
#include "app/IndicatorBox.h"
#include "params/ParamStore.h"
#include "support/QtModalCloser.h"
#include "support/WaitUntil.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using kq9test::ProcessFor;
using kq9test::WaitUntil;
using State = TIndicatorBox::TState;

namespace {

bool HasText(QLabel* label, const QString& text) {
    return WaitUntil([&] { return label->text() == text; }, 2000);
}

} // namespace

TEST_F(MainWindowTest, ActualValuesFollowTheStoreAndRecoverFromErrors) {
    auto& par = ParamStore().ParData;
    par[203] = 2;
    par[248] = 3;
    par[246] = 1;
    par[388] = 1;
    par[226] = 1;
    Answer("r0", "r0 12345\r\n");
    Answer("r1", "r1 -7\r\n");
    Answer("r8", "r8 5\r\n");
    Answer("r2", "r2 12345\r\n");
    Answer("r5", "r5 200000\r\n");
    Answer("r6", "r6 abc\r\n");
    Start();
    OpenAndIdentify();
    Form->CmdActual->click();
    EXPECT_EQ(Form->CmdActual->text(), "Actual OFF");
    EXPECT_TRUE(HasText(Form->PanelActPos, "123,45"));
    EXPECT_TRUE(HasText(Form->PanelSnelheid, "-0,07"));
    EXPECT_TRUE(HasText(Form->PanelActPosLin, "0,005"));
    EXPECT_TRUE(HasText(Form->PanelSpanning_uit, "1,2345 V"));
    EXPECT_TRUE(HasText(Form->PanelStroom_in, "20,0000 mA"));
    EXPECT_TRUE(HasText(Form->PanelAnaloog_in_AWE, "abc"));
    EXPECT_EQ(Form->PanelActPos->palette().color(QPalette::Window), ActivePanelColor());
    // Parameter 388 = 1 and 226 = 1: neither "r3" nor "r4" is asked for.
    EXPECT_EQ(CountOf("r3") + CountOf("r4"), 0u);
    EXPECT_EQ(Form->PanelStroom_uit->palette().color(QPalette::Window), NeutralColor());

    Answer("r0", "r0 1x\r\n");
    EXPECT_TRUE(HasText(Form->PanelActPos, "????"));
    Answer("r0", "");
    EXPECT_TRUE(HasText(Form->PanelActPos, "?"));
    Answer("r0", "r0 1\r\n");
    EXPECT_TRUE(HasText(Form->PanelActPos, "0,01"));

    Form->CmdActual->click();
    EXPECT_EQ(Form->CmdActual->text(), "Actual ON");
    EXPECT_TRUE(Form->PanelActPos->text().isEmpty());
    EXPECT_EQ(Form->PanelActPos->palette().color(QPalette::Window), NeutralColor());
    ProcessFor(250); // replies still on their way are ignored
    EXPECT_TRUE(Form->PanelActPos->text().isEmpty());
    EXPECT_TRUE(Form->PanelAnaloog_in_AWE->text().isEmpty());
}

TEST_F(MainWindowTest, InputAndOutputBitsColourTheirBoxes) {
    Answer("ri", "ri 31\r\n");
    Answer("ru", "ru 5\r\n");
    Start();
    OpenAndIdentify();
    Form->CmdInUit->click();
    ASSERT_TRUE(WaitUntil([&] { return Form->Tb_in[4]->State() == State::Set; }, 2000));
    EXPECT_EQ(Form->TB_K0->State(), State::Set);
    EXPECT_EQ(Form->Tb_in[1]->accessibleDescription(), "input 1 on");
    ASSERT_TRUE(WaitUntil([&] { return Form->TbUitgang[3]->State() == State::Set; }, 2000));
    EXPECT_EQ(Form->TbUitgang[2]->State(), State::Clear);
    EXPECT_EQ(Form->TbUitgang[1]->palette().color(QPalette::Window), BitSetColor());

    Answer("ri", "ri 1\r\n");
    ASSERT_TRUE(WaitUntil([&] { return Form->Tb_in[4]->State() == State::Clear; }, 2000));
    EXPECT_EQ(Form->TB_K0->State(), State::Set);
    EXPECT_EQ(Form->Tb_in[1]->State(), State::Clear);
    Answer("ri", "ri nothing\r\n");
    ASSERT_TRUE(WaitUntil([&] { return Form->TB_K0->State() == State::Clear; }, 2000));
    Answer("ri", "ri 31  " + std::string(20, ' ') + "\r\n"); // longer than 20 bytes: unreadable
    ProcessFor(200);
    EXPECT_EQ(Form->TB_K0->State(), State::Clear);

    Form->CmdInUit->click();
    EXPECT_EQ(Form->TB_K0->State(), State::Neutral);
    EXPECT_EQ(Form->TbUitgang[1]->State(), State::Neutral);
}

TEST_F(MainWindowTest, ThumbwheelsAreReadInTurnAndStopAtAnError) {
    ParamStore().ParData[203] = 2;
    for (int i = 1; i <= 4; ++i)
        Answer("rd " + std::to_string(i),
               "rd " + std::to_string(i) + " " + std::to_string(i * 12345) + "\r\n");
    Answer("rd 3", "rd 3 x\r\n");
    Start();
    OpenAndIdentify();
    Form->CmdDuimwiel->click();
    EXPECT_TRUE(HasText(Form->Panel_DW[1], "123,45"));
    EXPECT_TRUE(HasText(Form->Panel_DW[4], "493,80"));
    EXPECT_TRUE(HasText(Form->Panel_DW[3], "????"));
    EXPECT_EQ(ParamStore().DuimwielWaarde[1], 12345);
    EXPECT_EQ(ParamStore().DuimwielWaarde[3], 0);

    Answer("rd 2", "");
    EXPECT_TRUE(HasText(Form->Panel_DW[2], "?"));
    size_t requests = Device->Written().size();
    ProcessFor(300);
    EXPECT_EQ(Device->Written().size(), requests);

    Form->CmdDuimwiel->click();
    EXPECT_TRUE(Form->Panel_DW[1]->text().isEmpty());
    EXPECT_EQ(Form->Panel_DW[1]->palette().color(QPalette::Window), NeutralColor());
}

TEST_F(MainWindowTest, TheTerminalSendsTheTextAndShowsTheWholeReply) {
    Start();
    OpenAndIdentify();
    Answer("xx 1", "xx 1\r\nsecond line\r\n");
    Form->EditZenden->setText("  xx 1 ");
    Form->CmdTerminalZenden->click();
    ASSERT_TRUE(WaitUntil([&] { return !Form->MemoReceive->toPlainText().isEmpty(); }, 2000));
    EXPECT_EQ(Form->MemoReceive->toPlainText(), "xx 1\nsecond line");
    EXPECT_EQ(Form->MemoReceive->document()->blockCount(), 2);
    EXPECT_EQ(Form->EditZenden->selectedText(), "  xx 1 ");

    // An empty text sends the carriage return alone; nobody answers it.
    Form->EditZenden->clear();
    Form->CmdTerminalZenden->click();
    EXPECT_TRUE(Form->MemoReceive->toPlainText().isEmpty());
    ASSERT_TRUE(WaitUntil([&] { return Form->PanelComInfo->text() == "No answer"; }, 3000));
    EXPECT_EQ(Device->Written().back(), "\r");
}

TEST_F(MainWindowTest, FunctionLabelsComeFromTheDefinitionsAndTheK0Rules) {
    auto& par = ParamStore().ParData;
    par[249] = 1;
    par[250] = 3;
    par[251] = 9;
    par[389] = 2;
    par[390] = 3;
    par[200] = 2;
    Start();
    EXPECT_EQ(Form->LabelFun_in[1]->text(), "Start");
    EXPECT_EQ(Form->LabelFun_in[2]->text(), "Ref switch");
    EXPECT_EQ(Form->LabelFun_in[3]->text(), "########");
    EXPECT_EQ(Form->LabelFun_in[4]->text(), "Off");
    EXPECT_EQ(Form->LabelFun_uit[1]->text(), "In position");
    EXPECT_EQ(Form->LabelFun_uit[2]->text(), "########");
    EXPECT_EQ(Form->LabelFun_K0->text(), "Hold");

    par[200] = 0;
    par[201] = 2;
    par[212] = 1;
    Form->InputFunctieTeksten();
    EXPECT_EQ(Form->LabelFun_K0->text(), "Fine ref");
    par[201] = 1;
    par[218] = 4;
    Form->InputFunctieTeksten();
    EXPECT_EQ(Form->LabelFun_K0->text(), "SSI adjust");
    par[218] = 3;
    Form->InputFunctieTeksten();
    EXPECT_EQ(Form->LabelFun_K0->text(), "Inactive");
}

TEST_F(MainWindowTest, SwitchingGroupsOffAndOnWhileARequestIsOnItsWayKeepsOneChain) {
    for (int i = 1; i <= 4; ++i)
        Answer("rd " + std::to_string(i),
               "rd " + std::to_string(i) + " " + std::to_string(i * 1001) + "\r\n");
    Answer("r0", "r0 1\r\n");
    Start();
    OpenAndIdentify();
    Form->CmdActual->click();
    Form->CmdDuimwiel->click();
    ASSERT_TRUE(HasText(Form->Panel_DW[2], "2002"));
    // Fast toggles: each group's request is still on its way every time it is switched on.
    for (int toggle = 0; toggle < 3; ++toggle) {
        Form->CmdActual->click();
        Form->CmdActual->click();
        Form->CmdDuimwiel->click();
        Form->CmdDuimwiel->click();
    }
    // One entry per running request (r0, r1, r4, r6, the thumbwheel), one more at most while a
    // completed request hands over to the next.
    EXPECT_LE(Form->LBComm1.QueueLength(), 6u);
    // The late replies land in the panel of the thumbwheel they answer.
    Form->CmdActual->click();
    auto reads = [this] {
        return CountOf("rd 1") + CountOf("rd 2") + CountOf("rd 3") + CountOf("rd 4");
    };
    size_t before = reads();
    ASSERT_TRUE(WaitUntil([&] { return reads() > before + 5; }, 5000));
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(Form->Panel_DW[i]->text(), QString::number(i * 1001)) << i;
        EXPECT_EQ(ParamStore().DuimwielWaarde[i], i * 1001) << i;
    }
}

TEST_F(MainWindowTest, TheTerminalSendsTheEightBitCharactersItReadsAndRefusesOthers) {
    Start();
    OpenAndIdentify();
    Form->EditZenden->setText(QString::fromUtf8("xx \u00e9\u20ac"));
    Form->CmdTerminalZenden->click();
    ASSERT_TRUE(WaitUntil([&] { return CountOf("xx \xE9\x80") == 1; }, 2000));

    kq9test::TModalCloser closer;
    size_t written = Device->Written().size();
    Form->EditZenden->setText(QString::fromUtf8("xx \u03a9 1"));
    Form->CmdTerminalZenden->click();
    ProcessFor(150);
    EXPECT_EQ(Device->Written().size(), written);
    EXPECT_EQ(closer.Seen(), QStringList{QString::fromUtf8("Warning\nDit teken kan niet worden "
                                                           "gezonden: \u03a9")});
    EXPECT_EQ(Form->EditZenden->selectedText(), QString::fromUtf8("\u03a9"));
}
