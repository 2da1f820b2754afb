// The main window with its serial windows: the device search hands its unit over and the port
// opens again at the unit's settings; the serial settings window of the Extra menu; the
// library's setup form finds the port closed.

#include "MainWindowFixture.h"

#include "app/ApparaatZoeken.h"
#include "app/InitSerial.h"
#include "comm/LBSetupForm.h"
#include "support/QtModalCloser.h"
#include "support/WaitUntil.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

using kq9test::WaitUntil;

namespace {

// Runs `body` once, when a modal window has come up and is active. Closing a port runs pending
// events, so a plain single shot could run before the window is even shown.
class TWhenModal {
public:
    explicit TWhenModal(std::function<void(QWidget& modal)> body) : FBody(std::move(body)) {
        FTimer.setInterval(10);
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isActiveWindow())
                return;
            FTimer.stop();
            FBody(*modal);
        });
        FTimer.start();
    }

private:
    std::function<void(QWidget&)> FBody;
    QTimer FTimer;
};

} // namespace

TEST_F(MainWindowTest, TheSearchedUnitIsSelectedWhenThePortOpensAgain) {
    Answer("sc 0", "");
    Answer("sc 4", "sc 4\r\n");
    Start();
    TFormApparaatZoeken search(&Form->LBComm1, Form->SpinEditUnitSelect, Form.get());
    Form->FormApparaatZoeken = &search;
    Form->EnableWindowMenuItems();
    Form->LBComm1.Open();
    size_t polls = 0;
    TWhenModal drive([&](QWidget&) {
        EXPECT_FALSE(Form->LBComm1.Active());
        search.CmdStartZoeken->click();
        ASSERT_TRUE(WaitUntil([&] { return search.CmdOK->isEnabled(); }, 5000));
        // The error poll leaves the line to the search.
        Form->Timer1Timer();
        kq9test::ProcessFor(100);
        polls = CountOf("rf");
        search.StringGrid1->setCurrentCell(0, 0);
        search.CmdOK->click();
    });
    Form->KX71zoeken->trigger();
    EXPECT_EQ(polls, 0u);
    EXPECT_EQ(Form->SpinEditUnitSelect->value(), 4);
    EXPECT_TRUE(Form->LBComm1.Active());
    ASSERT_TRUE(WaitUntil([&] { return CountOf("sc 4") == 2; }, 3000));
}

TEST_F(MainWindowTest, SerieelOpensTheSettingsWindowAndTheSetupFormFindsThePortClosed) {
    Start();
    EXPECT_FALSE(Form->Serial1->isEnabled());
    TFormInitSerial settings(&Form->LBComm1, Form.get());
    Form->FormInitSerial = &settings;
    Form->EnableWindowMenuItems();
    ASSERT_TRUE(Form->Serial1->isEnabled());
    OpenAndIdentify();
    {
        kq9test::TModalCloser cancel;
        Form->Serial1->trigger();
        EXPECT_EQ(cancel.Seen(), QStringList{settings.windowTitle()});
    }
    EXPECT_FALSE(Form->LBComm1.Active());

    Form->LBComm1.Open();
    bool okEnabled = false;
    TWhenModal check([&](QWidget& modal) {
        auto* form = dynamic_cast<TLBSetupCommForm*>(&modal);
        ASSERT_NE(form, nullptr);
        okEnabled = form->OKButton->isEnabled();
        form->CancelButton->click();
    });
    EXPECT_FALSE(Form->LBSetupCommDialog1.Execute());
    EXPECT_TRUE(okEnabled);
    EXPECT_FALSE(Form->LBComm1.Active());
}
