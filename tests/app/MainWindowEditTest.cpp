// The main window's Edit menu: its items follow the editors that exist, switch the live view
// off and open the editors modally, which then refresh the function labels through the main
// window.

#include "MainWindowFixture.h"

#include "app/GlobalVar.h"
#include "params/EditParam.h"
#include "params/EditSollwerten.h"
#include "params/ParamStore.h"
#include "support/WaitUntil.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>

using kq9test::WaitUntil;

TEST_F(MainWindowTest, EditItemsStopTheLiveViewAndOpenTheEditors) {
    Answer("r0", "r0 1\r\n");
    Start();
    TFormEditParam editParam(&Form->LBComm1, Form.get());
    TFormEditSollwerten editSoll(&Form->LBComm1, Form.get());
    EXPECT_FALSE(Form->Par11->isEnabled());
    EXPECT_FALSE(Form->Par21->isEnabled());
    Form->FormEditParam = &editParam;
    Form->FormEditSollwerten = &editSoll;
    Form->EnableWindowMenuItems();
    ASSERT_TRUE(Form->Par11->isEnabled());
    ASSERT_TRUE(Form->Par21->isEnabled());
    OpenAndIdentify();

    Form->CmdActual->click();
    ASSERT_TRUE(GlobalVar().ActualActive);
    bool liveDuringEdit = true;
    int unit = -1;
    QTimer::singleShot(0, &editParam, [&] {
        ASSERT_TRUE(WaitUntil([&] { return editParam.isVisible(); }, 2000));
        liveDuringEdit = GlobalVar().ActualActive;
        unit = editParam.SelectedUnit();
        // Input 1's function changes in the store; closing the editor shows it.
        ParamStore().ParData[249] = 1;
        editParam.reject();
    });
    Form->Par11->trigger();
    EXPECT_FALSE(liveDuringEdit);
    EXPECT_EQ(unit, 0);
    EXPECT_EQ(Form->LabelFun_in[1]->text(), "Start");

    bool shown = false;
    QTimer::singleShot(0, &editSoll, [&] {
        ASSERT_TRUE(WaitUntil([&] { return editSoll.isVisible(); }, 2000));
        shown = true;
        editSoll.reject();
    });
    Form->Par21->trigger();
    EXPECT_TRUE(shown);
}
