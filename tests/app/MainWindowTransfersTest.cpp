// The main window's Communicatie menu: its items follow the port, switch the live view off, and
// open the read dialog in the mode of the action; the store changes only on OK.

#include "MainWindowFixture.h"

#include "app/GlobalVar.h"
#include "params/LeesParSoll.h"
#include "params/ParamStore.h"
#include "params/SchrijfParSoll.h"
#include "support/WaitUntil.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

using kq9test::WaitUntil;

namespace {

// Cancels the read dialog as soon as it shows; it closes at its next reply.
void CancelWhenShown(TFormLeesParSoll& dialog, int& mode) {
    QTimer::singleShot(0, &dialog, [&dialog, &mode] {
        ASSERT_TRUE(WaitUntil([&] { return dialog.isVisible(); }, 2000));
        mode = dialog.Sequence().Mode;
        dialog.CmdCancel->click();
    });
}

} // namespace

TEST_F(MainWindowTest, CommunicatieItemsFollowThePortAndStartTheirReads) {
    Answer("r0", "r0 1\r\n");
    AnswerEveryParameter(7);
    Start();
    TTransferWindows windows(*Form);
    TFormLeesParSoll& lees = windows.Lees;
    EXPECT_FALSE(Form->KX91ontvangen1->isEnabled());
    EXPECT_FALSE(Form->Backup1->isEnabled());
    OpenAndIdentify();
    EXPECT_TRUE(Form->KX91ontvangen1->isEnabled());
    EXPECT_TRUE(Form->Restore1->isEnabled());

    Form->CmdActual->click();
    int mode = -1;
    CancelWhenShown(lees, mode);
    Form->KX91ontvangen1->trigger();
    EXPECT_EQ(mode, 2);
    EXPECT_FALSE(GlobalVar().ActualActive);
    EXPECT_EQ(CountOf("rp 0"), 1u);
    EXPECT_EQ(ParamStore().ParBron, 0);
    EXPECT_EQ(ParamStore().ParData[5], 0);

    CancelWhenShown(lees, mode);
    Form->Backup1->trigger();
    EXPECT_EQ(mode, 3);

    Form->CmdSelectUnit->click();
    EXPECT_FALSE(Form->Backup1->isEnabled());
}

TEST_F(MainWindowTest, TheDeviceSearchClosesThePortAndOpensItAgainAfterwards) {
    Start();
    EXPECT_FALSE(Form->KX71zoeken->isEnabled());
    QDialog search(Form.get());
    Form->FormApparaatZoeken = &search;
    Form->EnableWindowMenuItems();
    ASSERT_TRUE(Form->KX71zoeken->isEnabled());
    bool closedDuringSearch = false;
    size_t selectionsDuringSearch = 99;
    QTimer::singleShot(0, &search, [&] {
        ASSERT_TRUE(WaitUntil([&] { return search.isActiveWindow(); }, 2000));
        closedDuringSearch = !Form->LBComm1.Active();
        // The search opens the port itself and selects units on its own: no "sc" from here.
        Form->LBComm1.Open();
        kq9test::ProcessFor(150);
        selectionsDuringSearch = CountOf("sc 0");
        // Like the search window, it leaves the port closed when it closes.
        Form->LBComm1.Close();
        search.reject();
    });
    Form->KX71zoeken->trigger();
    EXPECT_TRUE(closedDuringSearch);
    EXPECT_EQ(selectionsDuringSearch, 0u);
    EXPECT_TRUE(Form->LBComm1.Active());
    ASSERT_TRUE(WaitUntil([&] { return !Form->StatusPanel[4]->text().isEmpty(); }, 3000));
    EXPECT_EQ(CountOf("sc 0"), 1u);
}
