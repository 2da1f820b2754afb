// The serial settings window: it closes the port, shows its settings in the language file's
// lists, couples the hardware lists, and on OK writes the lists and opens the port.

#include "app/InitSerial.h"
#include "comm/ComNames.h"
#include "comm/LBComm.h"
#include "comm/QtHandover.h"
#include "params/TransferTestSupport.h"
#include "support/FakeSerialDevice.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class InitSerialTest : public ::testing::Test {
protected:
    void SetUp() override { SetUiHandover(&Handover); }
    void TearDown() override {
        Port.Close();
        kq9test::UnloadLanguage();
        ResetComDevicePaths();
        SetUiHandover(nullptr);
    }
    // The user picks entry `index` of `combo`.
    static void Pick(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static QStringList Items(const QComboBox* combo) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }

    TQtHandover Handover;
    std::shared_ptr<TFakeSerialDevice> Device = std::make_shared<TFakeSerialDevice>();
    TLBComm Port{[device = Device] { return device; }};
    TFormInitSerial Window{&Port};
};

} // namespace

TEST_F(InitSerialTest, ShowingClosesThePortAndCancelLeavesItClosedAsItWas) {
    ASSERT_TRUE(kq9test::LoadShippedLanguage(1));
    Port.SetBaudrate(TBaudrate::br57600);
    Port.Open();
    Window.show();
    EXPECT_FALSE(Port.Active());
    EXPECT_EQ(Window.windowTitle(), QStringLiteral("Serial port"));
    EXPECT_EQ(Window.PageControl1->currentWidget(), Window.TabSheet1);
    EXPECT_EQ(Window.ComboPoort->count(), 16);
    EXPECT_EQ(Window.ComboBaud->currentText(), QStringLiteral("57600"));
    EXPECT_EQ(Window.ComboParity->currentText(), QStringLiteral("Even"));
    for (QComboBox* fixed : {Window.Combo_IO, Window.ComboHardware, Window.ComboTransmitter})
        EXPECT_FALSE(fixed->isEnabled());
    Pick(Window.ComboBaud, 0);
    Window.CmdCancel->click();
    EXPECT_FALSE(Window.isVisible());
    EXPECT_FALSE(Port.Active());
    EXPECT_EQ(Port.Baudrate(), TBaudrate::br57600);
}

TEST_F(InitSerialTest, OkWritesEveryListThroughTheCouplingRulesAndOpensThePort) {
    ASSERT_TRUE(kq9test::LoadShippedLanguage(1));
    Window.show();
    Pick(Window.ComboPoort, 2);
    EXPECT_EQ(Window.Combo_IO->currentIndex(), 2);
    Pick(Window.ComboBaud, 3);
    Pick(Window.ComboParity, 0);
    Pick(Window.ComboStopBits, 1);

    // The hardware lists follow the chosen hardware; a driver of its own makes it user-defined.
    Pick(Window.ComboHardware, Ord(THardware::PCLabPCL745));
    EXPECT_EQ(Window.ComboPortType->currentText(), QStringLiteral("RS 485"));
    EXPECT_EQ(Window.ComboReceiver->currentIndex(), 1);
    EXPECT_EQ(Window.ComboTransmitter->currentIndex(), 1);
    Pick(Window.ComboHardware, Ord(THardware::PhoenixPSM));
    EXPECT_EQ(Window.ComboPortType->currentIndex(), 0);
    EXPECT_EQ(Window.ComboReceiver->currentIndex(), 0);
    EXPECT_EQ(Window.ComboTransmitter->currentText(), QStringLiteral("DTR = 0"));
    Pick(Window.ComboPortType, Ord(TPortType::RS422));
    EXPECT_EQ(Window.ComboHardware->currentIndex(), Ord(THardware::UserDefined));
    EXPECT_EQ(Window.ComboTransmitter->currentIndex(), 3);

    Window.CmdOK->click();
    EXPECT_FALSE(Window.isVisible());
    EXPECT_EQ(Window.result(), QDialog::Accepted);
    EXPECT_TRUE(Port.Active());
    EXPECT_EQ(Port.PortName(), TPort::COM3);
    EXPECT_EQ(Port.PortAddress(), TPortAddr::pa_03E8);
    EXPECT_EQ(Port.Baudrate(), TBaudrate::br38400);
    EXPECT_EQ(Device->LastDcb().BaudRate, 38400u);
    EXPECT_EQ(Port.FrameParitybit(), TParityBit::None);
    EXPECT_EQ(Port.FrameStopbits(), TStopBit::sb_2);
    EXPECT_EQ(Port.Hardware(), THardware::UserDefined);
    EXPECT_EQ(Port.PortType(), TPortType::RS422);
    EXPECT_EQ(Port.TransmitDriver(), TTransmitDriver::tdDTRto0);
}

TEST_F(InitSerialTest, WithoutALanguageFileThePlaceholdersStayAndOkChangesNothingUnshown) {
    Port.SetPortName(TPort::COM2);
    Port.SetBaudrate(TBaudrate::br2400);
    Window.show();
    EXPECT_EQ(Window.ComboPoort->count(), 0);
    const QStringList placeholders{"1", "2", "3", "4", "5"};
    for (QComboBox* list : {Window.Combo_IO, Window.ComboBaud, Window.ComboDataBits,
                            Window.ComboParity, Window.ComboStopBits, Window.ComboHardware,
                            Window.ComboPortType, Window.ComboReceiver, Window.ComboTransmitter})
        EXPECT_EQ(Items(list), placeholders) << list->objectName().toStdString();
    // A rate below the list's first entry, and a port the empty list cannot show, stay.
    EXPECT_EQ(Window.ComboBaud->currentIndex(), -1);
    Window.CmdOK->click();
    EXPECT_TRUE(Port.Active());
    EXPECT_EQ(Port.PortName(), TPort::COM2);
    EXPECT_EQ(Port.Baudrate(), TBaudrate::br2400);
}

TEST_F(InitSerialTest, BesideThePortItsDeviceAndWhetherItIsThereAreShown) {
    ASSERT_TRUE(kq9test::LoadShippedLanguage(1));
    QTemporaryDir dir;
    const QString present = dir.filePath(QStringLiteral("ttyUSB0"));
    QFile file(present);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    SetComDevicePath(TPort::COM2, present.toStdString());
    SetComDevicePath(TPort::COM3, "/dev/kq9-no-such-device");
    Window.show();
    Pick(Window.ComboPoort, 1);
    EXPECT_EQ(Window.LabelPoortApparaat->text(), present + QStringLiteral(" (present)"));
    Pick(Window.ComboPoort, 2);
    EXPECT_EQ(Window.LabelPoortApparaat->text(),
              QStringLiteral("/dev/kq9-no-such-device (not found)"));
}
