// The parameter editor's Venster menu opens the cam display and the linearisation window.

#include "EditorTestSupport.h"

#include "calib/Linearisatie.h"
#include "comm/LBComm.h"
#include "params/DisplayNokken.h"
#include "params/EditParam.h"
#include "params/ParamStore.h"

#include <QAction>
#include <QTableWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace kq9test;

TEST_F(EditorTest, TheVensterItemsOpenTheCamDisplayAndTheLinearisation) {
    TLBComm port;
    TFormEditParam form(&port);
    TFormDisplayNokken nokken;
    TFormLinearisatie linearisatie;
    Answer(form.Dialogs);
    std::vector<QDialog*> opened;
    Exec = [&](QDialog& dialog) {
        opened.push_back(&dialog);
        return 0;
    };
    form.show();
    EXPECT_FALSE(form.subNokkenInfo->isEnabled());
    EXPECT_FALSE(form.subLinearisatie->isEnabled());
    form.FormDisplayNokken = &nokken;
    form.FormLinearisatie = &linearisatie;
    form.EnableWindowMenuItems();
    ASSERT_TRUE(form.subNokkenInfo->isEnabled());
    ASSERT_TRUE(form.subLinearisatie->isEnabled());
    form.subNokkenInfo->trigger();
    form.subLinearisatie->trigger();
    EXPECT_EQ(opened, (std::vector<QDialog*>{&nokken, &linearisatie}));

    // A point edited in the linearisation window changes the store; the page shows it after.
    QTreeWidgetItem* group = form.TreeView1->topLevelItem(0)->child(1);
    form.TreeView1->setCurrentItem(group->child(2));
    ASSERT_EQ(form.StringGrid1->item(0, 1)->text(), QStringLiteral("017"));
    Exec = [](QDialog&) {
        ParamStore().ParData[17] = -12;
        return 0;
    };
    form.subLinearisatie->trigger();
    EXPECT_EQ(form.StringGrid1->item(0, 3)->text(), QStringLiteral("-1,2"));
}
