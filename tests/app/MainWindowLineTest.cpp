// The main window against the simulated controller line on a real pty, end to end.

#include "app/GlobalVar.h"
#include "app/KX71Main.h"
#include "comm/QtHandover.h"
#include "params/ParamStore.h"
#include "support/PtySimLine.h"
#include "support/WaitUntil.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using kq9test::WaitUntil;

TEST(MainWindowLine, OpenIdentifyWatchAndTalkToASimulatedUnit) {
    QTemporaryDir home;
    GlobalVar() = TGlobalVar();
    ParamStore() = TParamStore();
    ParamStore().ParData[203] = 3;
    SetProgramPath(home.path());
    TQtHandover handover;
    SetUiHandover(&handover);
    {
        kq9test::TPtySimLine sim({0, 7});
        sim.UseAs(TPort::COM1);
        sim.Line().Configure(7, [](TSimUnit& unit) { unit.TypeText = "KX72-0007"; });
        TFormMain form({QStringLiteral("kq9")});
        form.Timer1.stop();
        form.SpinEditUnitSelect->setValue(7);
        form.CmdSelectUnit->click();
        ASSERT_TRUE(WaitUntil([&] { return !form.StatusPanel[4]->text().isEmpty(); }, 5000));
        EXPECT_EQ(form.StatusPanel[2]->text(), "KX72-0007");
        EXPECT_EQ(form.StatusPanel[1]->text(), "9600,O,8,1");
        EXPECT_EQ(sim.Line().Selected(), 7);

        form.CmdActual->click();
        form.CmdDuimwiel->click();
        ASSERT_TRUE(WaitUntil([&] { return form.Panel_DW[4]->text() == "12,345"; }, 5000));
        ASSERT_TRUE(WaitUntil([&] { return !form.PanelActPos->text().isEmpty(); }, 5000));
        EXPECT_TRUE(form.PanelActPos->text().contains(QRegularExpression("^-?\\d+,\\d{3}$")))
            << form.PanelActPos->text().toStdString();

        form.StopLiveMonitoring();
        form.EditZenden->setText("rt");
        form.CmdTerminalZenden->click();
        ASSERT_TRUE(WaitUntil([&] { return !form.MemoReceive->toPlainText().isEmpty(); }, 5000));
        EXPECT_EQ(form.MemoReceive->toPlainText(), "rt KX72-0007");
        form.LBComm1.Close();
    }
    SetUiHandover(nullptr);
}
