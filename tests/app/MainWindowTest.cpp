// The main window through its controls: start-up, opening the port, identification, the error
// poll, the general error report and the end of the program.

#include "MainWindowFixture.h"

#include "app/ErrorReport.h"
#include "app/GlobalVar.h"
#include "params/LeesParSoll.h"
#include "support/QtModalCloser.h"
#include "support/WaitUntil.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

using kq9test::ProcessFor;
using kq9test::WaitUntil;

TEST_F(MainWindowTest, TheCalibrationButtonFollowsTheFirstArgumentOnly) {
    auto visible = [this](const QStringList& arguments) {
        Start(arguments);
        bool shown = Form->CmdCalibratie->isVisibleTo(Form.get());
        Form.reset();
        return shown;
    };
    EXPECT_TRUE(visible({"kq9", "SetupMode"}));
    EXPECT_TRUE(visible({"kq9", "setupmode", "--demo"}));
    EXPECT_FALSE(visible({"kq9"}));
    EXPECT_FALSE(visible({"kq9", "--demo", "SETUPMODE"}));
}

TEST_F(MainWindowTest, OpeningIdentifiesTheUnitAndClosingResetsTheWindow) {
    WriteFile("application.ini", "[Serieel]\nbaudrate=6\nparity=1\nunit_no=5\n");
    Answer("sc 5", "sc 5\r\n");
    Start();
    EXPECT_EQ(Form->StatusPanel[1]->text(), "Offline");
    EXPECT_EQ(Form->CmdSelectUnit->text(), "Open");
    EXPECT_FALSE(Form->CmdActual->isEnabled());
    OpenAndIdentify();
    EXPECT_EQ(Form->StatusPanel[0]->text(), "COM 1");
    EXPECT_EQ(Form->StatusPanel[1]->text(), "38400,E,8,1");
    EXPECT_EQ(Form->StatusPanel[2]->text(), "KX71-0100");
    EXPECT_EQ(Form->StatusPanel[3]->text(), "HW 3");
    EXPECT_EQ(Form->StatusPanel[4]->text(), "FW 4.06");
    EXPECT_EQ(GlobalVar().DeviceType, "KX71");
    EXPECT_EQ(Commands(), (std::vector<std::string>{"sc 5", "rt", "rh", "rx"}));
    EXPECT_EQ(Form->CmdSelectUnit->text(), "Close");
    EXPECT_TRUE(Form->CmdTerminalZenden->isEnabled());
    EXPECT_TRUE(Form->CmdActual->isEnabled());

    Form->CmdSelectUnit->click();
    EXPECT_FALSE(Form->LBComm1.Active());
    EXPECT_EQ(Form->StatusPanel[1]->text(), "Offline");
    EXPECT_TRUE(Form->StatusPanel[0]->text().isEmpty());
    EXPECT_TRUE(Form->StatusPanel[2]->text().isEmpty());
    EXPECT_EQ(Form->CmdSelectUnit->text(), "Open");
    EXPECT_FALSE(Form->CmdTerminalZenden->isEnabled());
    EXPECT_FALSE(Form->CmdActual->isEnabled());
}

TEST_F(MainWindowTest, AForeignTypeIsWarnedOnceAndTheIdentificationGoesOn) {
    Answer("rt", "rt kx71 1\r\n");
    Start();
    kq9test::TModalCloser closer;
    OpenAndIdentify();
    EXPECT_EQ(closer.Seen(), QStringList{"Warning\nNot a KX71"});
    EXPECT_EQ(Form->StatusPanel[4]->text(), "FW 4.06");

    // Accepted types, and no warning at all without a language file.
    Form->CmdSelectUnit->click();
    Answer("rt", "rt KX7234\r\n");
    OpenAndIdentify();
    EXPECT_EQ(closer.Seen().size(), 1);
    Form->CmdSelectUnit->click();
    GlobalVar().LanguageFileLoaded = false;
    Answer("rt", "rt XY99\r\n");
    OpenAndIdentify();
    EXPECT_EQ(closer.Seen().size(), 1);
}

TEST_F(MainWindowTest, TheErrorPollShowsTheErrorNumberAndCountsItsReplies) {
    Start();
    OpenAndIdentify();
    auto poll = [this] {
        size_t before = CountOf("rf");
        QString dots = Form->StatusPanel[5]->text();
        Form->Timer1Timer();
        ASSERT_TRUE(WaitUntil([&] { return CountOf("rf") > before; }, 2000));
        ASSERT_TRUE(WaitUntil([&] { return Form->StatusPanel[5]->text() != dots; }, 2000));
    };
    Answer("rf", "rf 5\r\n");
    poll();
    EXPECT_EQ(Form->PanelErrorNo->text(), "KX71... Error: 5");
    EXPECT_EQ(Form->PanelErrorNo->accessibleDescription(), "error");
    EXPECT_EQ(Form->StatusPanel[5]->text(), ". ");
    Answer("rf", "rf -12\r\n");
    poll();
    EXPECT_TRUE(Form->PanelErrorNo->text().isEmpty());
    EXPECT_TRUE(Form->PanelErrorNo->accessibleDescription().isEmpty());
    for (int i = 0; i < 4; ++i)
        poll();
    EXPECT_EQ(Form->StatusPanel[5]->text(), ". . . . . . ");
    poll();
    EXPECT_EQ(Form->StatusPanel[5]->text(), ". ");

    // No answer: the time-out text in red, the error panel cleared.
    Answer("rf", "rf 7\r\n");
    poll();
    Answer("rf", "");
    Form->Timer1Timer();
    ASSERT_TRUE(WaitUntil([&] { return Form->PanelComInfo->text() == "No answer"; }, 2000));
    EXPECT_TRUE(Form->PanelErrorNo->text().isEmpty());
    EXPECT_EQ(Form->PanelComInfo->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(Form->PanelComInfo->accessibleDescription(), "error");

    // A reply that never ends is no line error by its numbers, but a failure all the same.
    Answer("rf", std::string(LD100ReplyLimit + 100, '.'));
    Form->Timer1Timer();
    EXPECT_TRUE(WaitUntil([&] { return Form->PanelComInfo->text() == "Line error 0, 0"; }, 3000))
        << Form->PanelComInfo->text().toStdString();
}

TEST_F(MainWindowTest, NoPollWhileThePortIsClosed) {
    Start();
    Form->Timer1Timer();
    ProcessFor(150);
    EXPECT_TRUE(Device->Written().empty());
}

TEST_F(MainWindowTest, APortThatCannotBeOpenedGoesToTheErrorReport) {
    QStringList reported;
    SetErrorReporter([&](const QString& message) { reported << message; });
    Device->FailCreate = ENOENT;
    Start();
    Form->CmdSelectUnit->click();
    EXPECT_EQ(reported, QStringList{"No such file or directory"});
    EXPECT_FALSE(Form->LBComm1.Active());
    EXPECT_EQ(Form->CmdSelectUnit->text(), "Open");
    EXPECT_EQ(Form->StatusPanel[1]->text(), "Offline");
}

TEST_F(MainWindowTest, ClosingTheWindowClosesThePortAndWritesEverySetting) {
    WriteFile("application.ini", "; kept\n[Serieel]\nbaudrate=4\n[Other]\nkey=value\n");
    Start();
    OpenAndIdentify();
    Form->CmdActual->click();
    Form->SpinEditUnitSelect->setValue(7);
    Form->close();
    EXPECT_FALSE(Form->LBComm1.Active());
    QFile file(Home.filePath("application.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith("; kept\n[Serieel]\nbaudrate=4\n"));
    EXPECT_TRUE(text.contains("[Other]\nkey=value\n"));
    EXPECT_TRUE(text.contains("unit_no=7"));
    EXPECT_TRUE(text.contains("parity=1")); // a missing key takes its default
    EXPECT_TRUE(text.contains("Lin_Y_hulplijn=0"));
}

TEST_F(MainWindowTest, APortThatFailsToCloseStillLetsTheSettingsBeWritten) {
    QStringList reported;
    SetErrorReporter([&](const QString& message) { reported << message; });
    Start();
    OpenAndIdentify();
    Device->FailClose = EIO;
    Form->close();
    EXPECT_EQ(reported, QStringList{"Input/output error"});
    EXPECT_TRUE(QFile::exists(Home.filePath("application.ini")));
}

TEST_F(MainWindowTest, EnterAnywhereInTheWindowSendsWhileTheSendButtonCanBePressed) {
    auto pressEnter = [](QWidget* focus) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(focus, &press);
    };
    Start();
    Form->EditZenden->setText("rt");
    pressEnter(Form->EditZenden);
    kq9test::ProcessFor(100);
    EXPECT_TRUE(Device->Written().empty());
    OpenAndIdentify();
    // Once per Enter, wherever the focus is.
    for (QWidget* focus : std::initializer_list<QWidget*>{
             Form->EditZenden, Form->SpinEditUnitSelect, Form->CmdActual}) {
        size_t before = CountOf("rt");
        Form->MemoReceive->clear();
        pressEnter(focus);
        ASSERT_TRUE(WaitUntil([&] { return !Form->MemoReceive->toPlainText().isEmpty(); }, 2000))
            << focus->objectName().toStdString();
        EXPECT_EQ(CountOf("rt"), before + 1) << focus->objectName().toStdString();
    }
    EXPECT_EQ(Form->MemoReceive->toPlainText(), "rt KX71-0100");
    EXPECT_FALSE(GlobalVar().ActualActive);
}

TEST_F(MainWindowTest, TheTerminalShowsEveryLineOfAReplyWhileRepliesEndAtTheirLineEnd) {
    Start();
    Form->LBComm1.SetReplyEndsAtLineEnd(true);
    OpenAndIdentify();
    Answer("rl", "rl 1\r\nrl 2\r\n");
    Form->EditZenden->setText("rl");
    Form->CmdTerminalZenden->click();
    ASSERT_TRUE(WaitUntil([&] { return !Form->MemoReceive->toPlainText().isEmpty(); }, 2000));
    EXPECT_EQ(Form->MemoReceive->toPlainText(), "rl 1\nrl 2");
}

TEST_F(MainWindowTest, TheTransferAndSearchWindowsHoldThePollAndSelectionOffEvenWithoutFocus) {
    Start();
    OpenAndIdentify();
    QDialog search(Form.get());
    TFormLeesParSoll lees(&Form->LBComm1, Form.get());
    Form->FormApparaatZoeken = &search;
    Form->FormLeesParSoll = &lees;
    // The user has switched to another program: none of the windows has the focus.
    QWidget elsewhere;
    auto showUnfocused = [&](QWidget& window) {
        window.show();
        elsewhere.show();
        QApplication::setActiveWindow(&elsewhere);
        ASSERT_FALSE(window.isActiveWindow());
    };
    for (QWidget* window : std::initializer_list<QWidget*>{&search, &lees}) {
        showUnfocused(*window);
        Form->Timer1Timer();
        ProcessFor(150);
        EXPECT_EQ(CountOf("rf"), 0u) << window->metaObject()->className();
        window->hide();
    }
    Form->Timer1Timer();
    EXPECT_TRUE(WaitUntil([&] { return CountOf("rf") == 1; }, 2000));

    // Opened while the search window is up, the port selects no unit: the search does.
    Form->CmdSelectUnit->click();
    showUnfocused(search);
    Form->CmdSelectUnit->click();
    ProcessFor(150);
    EXPECT_EQ(CountOf("sc 0"), 1u);
    search.hide();
}

TEST_F(MainWindowTest, ErrorPollRepliesQueuedBehindTheLiveViewKeepToThemselves) {
    // Two polls wait behind the live requests; the first reply is the longer one.
    int polls = 0;
    auto table = Device->Responder;
    Device->Responder = [&, table](const std::string& written) {
        if (written == "rf\r")
            Device->Reply(++polls == 1 ? "rf 12345\r\n" : "rf 5\r\n");
        else
            table(written);
    };
    Answer("r0", "r0 1\r\n");
    Start();
    OpenAndIdentify();
    Form->CmdActual->click();
    Form->Timer1Timer();
    Form->Timer1Timer();
    ASSERT_TRUE(WaitUntil([&] { return Form->StatusPanel[5]->text() == ". . "; }, 3000));
    EXPECT_EQ(Form->PanelErrorNo->text(), "KX71... Error: 5");
}

TEST_F(MainWindowTest, LanguageTextsAndTheirAbsence) {
    WriteFile("Taal0.ini", "[Main]\nGroepActual=Ist\n");
    Start();
    EXPECT_EQ(Form->GroupBoxActual->title(), "Ist");
    EXPECT_EQ(Form->GroupBoxIngangen->title(), "Ingangen");
    EXPECT_EQ(Form->Backup1->text(), "Backup");
    EXPECT_EQ(Form->CmdActual->text(), "Actual ON");
    Form.reset();

    QFile::remove(Home.filePath("Taal0.ini"));
    GlobalVar() = TGlobalVar();
    SetProgramPath(Home.path());
    Start();
    EXPECT_TRUE(Form->CmdActual->text().isEmpty());
    EXPECT_TRUE(Form->CmdSelectUnit->text().isEmpty());
    EXPECT_TRUE(Form->CmdDuimwiel->text().isEmpty());
    EXPECT_TRUE(Form->LabelFun_K0->text().isEmpty());
    EXPECT_EQ(Form->GroupBoxActual->title(), "Actual"); // as the window was built
    EXPECT_EQ(Form->LabelActPos->text(), "Positie:");
    EXPECT_EQ(Form->Backup1->text(), "Backup KX91...");
}
