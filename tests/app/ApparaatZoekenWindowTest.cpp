// The device search window on a line: in-process on the simulated line, where parity and data
// bits matter as on real hardware, and on a scripted device for its buttons and failures.

#include "app/ApparaatZoeken.h"
#include "app/ErrorReport.h"
#include "comm/LBComm.h"
#include "comm/QtHandover.h"
#include "params/TransferTestSupport.h"
#include "sim/SimSerialDevice.h"
#include "support/FakeSerialDevice.h"
#include "support/WaitUntil.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

using kq9test::WaitUntil;

namespace {

class ApparaatZoekenWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUiHandover(&Handover);
        ASSERT_TRUE(kq9test::LoadShippedLanguage(1));
    }
    void TearDown() override {
        Window.reset();
        Port.reset();
        kq9test::UnloadLanguage();
        SetUiHandover(nullptr);
    }

    void Create(TSerialDeviceFactory factory) {
        Port = std::make_unique<TLBComm>(std::move(factory));
        Port->SetBaudrate(TBaudrate::br4800);
        Port->SetFrameParitybit(TParityBit::Odd);
        Window = std::make_unique<TFormApparaatZoeken>(Port.get(), &UnitSelect);
        Window->show();
    }
    QStringList Row(int row) const {
        QStringList cells;
        for (int column = 0; column < 5; ++column)
            cells << Window->StringGrid1->item(row, column)->text();
        return cells;
    }
    bool Paused() const { return Window->Sequence().State() == TSearchState::Found; }

    TQtHandover Handover;
    QSpinBox UnitSelect;
    std::unique_ptr<TLBComm> Port;
    std::unique_ptr<TFormApparaatZoeken> Window;
};

} // namespace

TEST_F(ApparaatZoekenWindowTest, UnitsAtDifferentSettingsAreFoundWithThemAndOkHandsOneOver) {
    auto line = std::make_shared<TSimLine>();
    line->AddUnit(1);
    line->AddUnit(2);
    line->Configure(1, [](TSimUnit& u) { ParseSimLineSettings("19200,E,8,2", u.Line); });
    line->Configure(2, [](TSimUnit& u) {
        ParseSimLineSettings("57600,N,8,1", u.Line);
        u.TypeText = "KX72-1";
    });
    Create(TSimSerialDevice::Factory(line));
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Device search"));
    EXPECT_EQ(Window->StringGrid1->horizontalHeaderItem(3)->text(), QStringLiteral("Parity"));
    // Two units keep the run short; the window itself always searches all 32.
    Window->Sequence().Options.FirstUnit = 1;
    Window->Sequence().Options.LastUnit = 2;
    Window->RB_parity_auto->setChecked(true);
    Window->RB_stopbits_auto->setChecked(true);
    Window->ComboBaudRate->setCurrentIndex(1);

    Window->CmdStartZoeken->click();
    EXPECT_FALSE(Window->CmdStartZoeken->isEnabled());
    EXPECT_FALSE(Window->RB_parity_com->isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return Paused(); }, 10000));
    EXPECT_EQ(Row(0).mid(2), (QStringList{"19200", "Even", "2"}));
    EXPECT_EQ(Row(0)[0], QStringLiteral("01"));
    EXPECT_TRUE(Row(0)[1].endsWith(QStringLiteral("   KX71-2412"))) << Row(0)[1].toStdString();
    EXPECT_EQ(Window->PanelZoekTekst->text(), QStringLiteral("Device found!"));
    EXPECT_EQ(Window->PanelBaudtare->text(), QStringLiteral("19200 bit/s"));
    EXPECT_EQ(Window->Panel_parity_E->accessibleDescription(), QStringLiteral("being tried"));
    EXPECT_EQ(Window->Panel_parity_N->accessibleDescription(), QStringLiteral("not being tried"));
    EXPECT_TRUE(Window->CmdOK->isEnabled());

    Window->CmdVerder->click();
    ASSERT_TRUE(WaitUntil([&] { return Paused() && !Row(1)[1].isEmpty(); }, 20000));
    EXPECT_EQ(Row(1), (QStringList{"02", Row(1)[1], "57600", "None", "1"}));
    EXPECT_TRUE(Row(1)[1].endsWith(QStringLiteral("   KX72-1")));
    EXPECT_EQ(Window->PanelApparaatNo->text(), QStringLiteral("2"));

    Window->StringGrid1->setCurrentCell(1, 2);
    Window->CmdOK->click();
    EXPECT_FALSE(Window->isVisible());
    EXPECT_EQ(Window->result(), QDialog::Accepted);
    EXPECT_FALSE(Port->Active());
    EXPECT_EQ(UnitSelect.value(), 2);
    EXPECT_EQ(Port->Baudrate(), TBaudrate::br57600);
    EXPECT_EQ(Port->FrameParitybit(), TParityBit::None);
    EXPECT_EQ(Port->FrameStopbits(), TStopBit::sb_1);
}

TEST_F(ApparaatZoekenWindowTest, OkOnAnEmptyRowDoesNothingAndCancelRestoresTheSettings) {
    auto device = std::make_shared<TFakeSerialDevice>();
    Create([device] { return device; });
    EXPECT_FALSE(Window->CmdOK->isEnabled());
    EXPECT_FALSE(Window->CmdStop->isEnabled());
    Window->RB_parity_auto->setChecked(true);
    Window->ComboBaudRate->setCurrentIndex(4);
    Window->CmdStartZoeken->click();
    EXPECT_EQ(Port->Baudrate(), TBaudrate::br57600);
    EXPECT_EQ(Port->FrameParitybit(), TParityBit::None);
    ASSERT_TRUE(WaitUntil([&] { return Port->FrameParitybit() == TParityBit::Odd; }, 3000));

    Window->StringGrid1->setCurrentCell(3, 1);
    Window->CmdOK->click();
    EXPECT_TRUE(Window->isVisible());
    EXPECT_TRUE(Port->Active());

    Window->CmdStop->click();
    ASSERT_TRUE(WaitUntil([&] { return Window->CmdVerder->isEnabled(); }, 3000));
    EXPECT_EQ(Window->PanelZoekTekst->text(), QStringLiteral("Stopped!"));
    Window->CmdCancel->click();
    EXPECT_FALSE(Window->isVisible());
    EXPECT_EQ(Window->result(), QDialog::Rejected);
    EXPECT_FALSE(Port->Active());
    EXPECT_EQ(Port->Baudrate(), TBaudrate::br4800);
    EXPECT_EQ(Port->FrameParitybit(), TParityBit::Odd);
}

TEST_F(ApparaatZoekenWindowTest, AVanishedDeviceStopsTheRunWithTheCommErrorMessage) {
    auto device = std::make_shared<TFakeSerialDevice>();
    device->Vanish = true;
    Create([device] { return device; });
    QStringList messages;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = Window->findChild<QMessageBox*>(QStringLiteral("CommErrorMessage"))) {
            messages << box->windowTitle() + u'\n' + box->text();
            box->accept();
        }
    });
    answer.start(10);
    Window->CmdStartZoeken->click();
    ASSERT_TRUE(WaitUntil([&] { return Window->CmdStartZoeken->isEnabled(); }, 3000));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Comm Error\nWindows Comm error! ")});
    kq9test::ProcessFor(300);
    EXPECT_EQ(messages.size(), 1) << "nothing more was sent";
    EXPECT_FALSE(Window->CmdVerder->isEnabled());
    EXPECT_FALSE(Port->Active());
    EXPECT_EQ(Window->PanelApparaatNo->text(), QStringLiteral("0"));

    // The device is back: a new start opens the port afresh.
    device->Vanish = false;
    Window->CmdStartZoeken->click();
    EXPECT_TRUE(Port->Active());
    ASSERT_TRUE(WaitUntil([&] { return Window->PanelApparaatNo->text() == "1"; }, 3000));
    Window->CmdStop->click();
    ASSERT_TRUE(WaitUntil([&] { return Window->CmdVerder->isEnabled(); }, 3000));
}

TEST_F(ApparaatZoekenWindowTest, ARateTheAdapterRefusesIsReportedAndLeavesTheWindowAsAfterStop) {
    auto device = std::make_shared<TFakeSerialDevice>();
    device->RefusedBaudRate = 28800;
    Create([device] { return device; });
    QStringList reported;
    SetErrorReporter([&](const QString& message) { reported << message; });
    Window->Sequence().Options.LastUnit = 0;
    Window->ComboBaudRate->setCurrentIndex(1);
    Window->CmdStartZoeken->click();
    ASSERT_TRUE(WaitUntil([&] { return !reported.isEmpty(); }, 3000));
    EXPECT_TRUE(reported[0].startsWith(QStringLiteral("28800 bit/s: "))) << reported[0].toStdString();
    EXPECT_EQ(Window->PanelZoekTekst->text(), QStringLiteral("Stopped!"));
    EXPECT_TRUE(Window->CmdStartZoeken->isEnabled());
    EXPECT_TRUE(Window->CmdVerder->isEnabled());
    EXPECT_TRUE(Window->ComboBaudRate->isEnabled());
    EXPECT_EQ(Port->Baudrate(), TBaudrate::br19200);

    Window->CmdVerder->click();
    ASSERT_TRUE(WaitUntil([&] { return Window->PanelBaudtare->text() == "57600 bit/s"; }, 3000));
    EXPECT_EQ(reported.size(), 1);
    SetErrorReporter(nullptr);
}
