// The main window when its device goes away (a USB adapter pulled out): the port is closed as by
// its button, the reason stays in the status bar, nothing keeps running, and the port opens
// again once the device is back.

#include "MainWindowFixture.h"

#include "app/GlobalVar.h"
#include "comm/ComNames.h"
#include "comm/CommTexts.h"
#include "params/ParamStore.h"
#include "support/PtySimLine.h"
#include "support/WaitUntil.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>

using kq9test::ProcessFor;
using kq9test::WaitUntil;

namespace {

QString LostText(const std::string& path) {
    return QString::fromStdString(path + ": " + SysErrorMessage(ERROR_OPERATION_ABORTED));
}

} // namespace

TEST_F(MainWindowTest, AVanishedDeviceClosesThePortAndSaysWhy) {
    Answer("r0", "r0 1\r\n");
    Answer("ri", "ri 1\r\n");
    Start();
    OpenAndIdentify();
    Form->CmdActual->click();
    Form->CmdInUit->click();
    ASSERT_TRUE(WaitUntil([&] { return Form->PanelActPos->text() == "1"; }, 2000));

    Device->Vanish = true;
    ASSERT_TRUE(WaitUntil([&] { return !Form->LBComm1.Active(); }, 3000));
    EXPECT_EQ(Form->CmdSelectUnit->text(), "Open");
    EXPECT_FALSE(Form->CmdActual->isEnabled());
    EXPECT_FALSE(GlobalVar().ActualActive);
    EXPECT_EQ(Form->statusBar()->currentMessage(), LostText(ComDevicePath(TPort::COM1)));
    EXPECT_EQ(Form->statusBar()->palette().color(QPalette::WindowText), QColor(Qt::red));
    // Idle: nothing more goes out, also not the error poll.
    size_t written = Device->Written().size();
    Form->Timer1Timer();
    ProcessFor(300);
    EXPECT_EQ(Device->Written().size(), written);

    // The adapter is back: opening works, and the status bar shows its panels again.
    Device->Vanish = false;
    OpenAndIdentify();
    EXPECT_TRUE(Form->statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(Form->StatusPanel[2]->text(), "KX71-0100");
    EXPECT_NE(Form->statusBar()->palette().color(QPalette::WindowText), QColor(Qt::red));
}

TEST_F(MainWindowTest, ATransferThatSeesTheDeviceVanishKeepsItsErrorWhileThePortCloses) {
    AnswerEveryParameter(7);
    Start();
    TTransferWindows windows(*Form);
    TFormLeesParSoll& lees = windows.Lees;
    OpenAndIdentify();
    bool closedWhileShown = false;
    QString panel, againPanel;
    bool again = false;
    QTimer::singleShot(0, &lees, [&] {
        EXPECT_TRUE(WaitUntil([&] { return CountOf("rp 20") > 0; }, 3000));
        Device->Vanish = true;
        EXPECT_TRUE(WaitUntil([&] { return !Form->LBComm1.Active(); }, 3000));
        ProcessFor(100);
        closedWhileShown = lees.isVisible();
        panel = lees.Panel1->text();
        again = lees.CmdAgain->isEnabled();
        // Again on the closed port fails at once, so that Cancel can still close the window.
        lees.CmdAgain->click();
        againPanel = lees.Panel1->text();
        lees.CmdCancel->click();
        if (!WaitUntil([&] { return !lees.isVisible(); }, 1000)) {
            ADD_FAILURE() << "the read window could not be closed";
            lees.done(mrCancel);
        }
    });
    Form->KX91ontvangen1->trigger();
    EXPECT_TRUE(closedWhileShown);
    EXPECT_EQ(panel, "tekst 1");
    EXPECT_TRUE(again);
    EXPECT_EQ(againPanel, "tekst 1");
    EXPECT_EQ(lees.Sequence().End(), TTransferEnd::CommError);
    EXPECT_EQ(ParamStore().ParBron, 0);
    EXPECT_EQ(Form->statusBar()->currentMessage(), LostText(ComDevicePath(TPort::COM1)));
}

TEST(MainWindowLineLoss, ARepluggedAdapterAtTheSamePathOpensAgain) {
    QTemporaryDir home;
    GlobalVar() = TGlobalVar();
    ParamStore() = TParamStore();
    SetProgramPath(home.path());
    TQtHandover handover;
    SetUiHandover(&handover);
    // The adapter's stable name, as /dev/serial/by-id/... gives it, pointing at its current tty.
    const std::string link = home.filePath("ttyKQ9").toStdString();
    auto plugIn = [&](const kq9test::TPtySimLine& line) {
        std::filesystem::remove(link);
        std::filesystem::create_symlink(line.SlavePath(), link);
    };
    {
        auto first = std::make_unique<kq9test::TPtySimLine>();
        plugIn(*first);
        SetComDevicePath(TPort::COM1, link);
        TFormMain form({QStringLiteral("kq9")});
        form.Timer1.stop();
        form.CmdSelectUnit->click();
        ASSERT_TRUE(WaitUntil([&] { return !form.StatusPanel[4]->text().isEmpty(); }, 5000));
        form.CmdActual->click();
        ASSERT_TRUE(WaitUntil([&] { return !form.PanelActPos->text().isEmpty(); }, 5000));

        first->DropLine();
        ASSERT_TRUE(WaitUntil([&] { return !form.LBComm1.Active(); }, 3000));
        EXPECT_EQ(form.statusBar()->currentMessage(), LostText(link));
        first.reset();

        kq9test::TPtySimLine second;
        plugIn(second);
        SetComDevicePath(TPort::COM1, link);
        form.CmdSelectUnit->click();
        ASSERT_TRUE(form.LBComm1.Active());
        ASSERT_TRUE(WaitUntil([&] { return !form.StatusPanel[4]->text().isEmpty(); }, 5000));
        EXPECT_TRUE(form.statusBar()->currentMessage().isEmpty());
        form.LBComm1.Close();
    }
    ResetComDevicePaths();
    SetUiHandover(nullptr);
}
