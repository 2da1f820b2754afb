// The main window's Venster menu: its items follow the windows that exist, and the error poll
// pauses while the log graph is open.

#include "MainWindowFixture.h"

#include "calib/Grafiek.h"
#include "calib/Linearisatie.h"
#include "params/DisplayNokken.h"

#include <QAction>
#include <QTimer>

TEST_F(MainWindowTest, VensterItemsOpenTheirWindowsAndTheGraphPausesTheErrorPoll) {
    Start();
    EXPECT_FALSE(Form->Grafiek1->isEnabled());
    EXPECT_FALSE(Form->Grafiek2->isEnabled());
    EXPECT_FALSE(Form->displaynokken1->isEnabled());
    TFormGrafiek grafiek(&Form->LBComm1, Form.get());
    TFormLinearisatie linearisatie(Form.get());
    TFormDisplayNokken nokken(Form.get());
    Form->FormGrafiek = &grafiek;
    Form->FormLinearisatie = &linearisatie;
    Form->FormDisplayNokken = &nokken;
    Form->EnableWindowMenuItems();
    ASSERT_TRUE(Form->Grafiek1->isEnabled());
    ASSERT_TRUE(Form->Grafiek2->isEnabled());
    ASSERT_TRUE(Form->displaynokken1->isEnabled());

    Form->Timer1.start();
    bool pollingWhileOpen = true;
    QTimer::singleShot(0, &grafiek, [&] {
        pollingWhileOpen = Form->Timer1.isActive();
        grafiek.reject();
    });
    Form->Grafiek1->trigger();
    EXPECT_FALSE(pollingWhileOpen);
    EXPECT_TRUE(Form->Timer1.isActive());
    Form->Timer1.stop();

    for (auto [item, window] : {std::pair<QAction*, QDialog*>{Form->Grafiek2, &linearisatie},
                                {Form->displaynokken1, &nokken}}) {
        bool shown = false;
        QTimer::singleShot(0, window, [&, window] {
            shown = window->isVisible();
            window->reject();
        });
        item->trigger();
        EXPECT_TRUE(shown) << item->objectName().toStdString();
    }
}
