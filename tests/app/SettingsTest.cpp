// The settings file: defaults for missing keys, bad values, the port table, and writing every key
// in place.

#include "app/Settings.h"
#include "app/FixtureFiles.h"
#include "comm/ComNames.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using kq9test::ReadFixture;
using kq9test::WriteFixture;

namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        FSettings.SettingsPath = FDir.path() + u'/';
        // The values the main window's port is built with.
        FPort.SetFrameParitybit(TParityBit::Odd);
        FPort.SetHardware(THardware::PCLabPCL745);
    }
    void TearDown() override { ResetComDevicePaths(); }

    QString IniPath() const { return FDir.path() + "/application.ini"; }

    QTemporaryDir FDir;
    TLBComm FPort;
    int FUnitNo = 0;
    TGlobalVar FSettings;
};

} // namespace

TEST_F(Settings, MissingFileChangesNothing) {
    FUnitNo = 9;
    EXPECT_FALSE(Configfile_lezen(FPort, FUnitNo, FSettings));
    EXPECT_EQ(FUnitNo, 9);
    EXPECT_EQ(FPort.FrameParitybit(), TParityBit::Odd);
    EXPECT_EQ(FPort.PortType(), TPortType::RS485);
    EXPECT_EQ(FPort.TransmitDriver(), TTransmitDriver::tdRegister7to1);
    EXPECT_EQ(FSettings.Taal, 0);
}

TEST_F(Settings, PartialFileTakesDefaultsAndIsCompletedInPlace) {
    const QByteArray original = "; written by hand\r\n"
                                "[Serieel]\r\n"
                                "baudrate=8\r\n"
                                "extra=kept\r\n"
                                "\r\n"
                                "[Poorten]\r\n"
                                "COM2=/dev/ttyUSB0\r\n"
                                "com16 = /dev/serial/by-id/usb-x \r\n"
                                "\r\n"
                                "[Opties]\r\n"
                                "Taal=1\r\n"
                                "[Afdrukken]\r\n"
                                "Firma=  Acme BV  \r\n"
                                "[Unknown]\r\n"
                                "foo=bar\r\n";
    WriteFixture(FDir.path(), "application.ini", original);
    ASSERT_TRUE(Configfile_lezen(FPort, FUnitNo, FSettings));

    EXPECT_EQ(FPort.Baudrate(), TBaudrate::br115200);
    EXPECT_EQ(FPort.FrameDatabits(), TDataBit::db_8);
    EXPECT_EQ(FPort.FrameParitybit(), TParityBit::Even);
    EXPECT_EQ(FPort.FrameStopbits(), TStopBit::sb_1);
    EXPECT_EQ(FPort.Hardware(), THardware::PhoenixPSM);
    EXPECT_EQ(FPort.PortName(), TPort::COM1);
    // Address 3 is read first; the port name then sets its own address.
    EXPECT_EQ(FPort.PortAddress(), TPortAddr::pa_03F8);
    EXPECT_EQ(FPort.PortType(), TPortType::RS232C);
    EXPECT_EQ(FPort.ReceiveDriver(), TReceiveDriver::rdNone);
    EXPECT_EQ(FPort.TransmitDriver(), TTransmitDriver::tdDTRto0);
    EXPECT_EQ(FUnitNo, 0);
    EXPECT_EQ(FSettings.Taal, 1);
    EXPECT_FALSE(FPort.ReplyEndsAtLineEnd());
    EXPECT_EQ(FSettings.Firma, "Acme BV");
    EXPECT_EQ(FSettings.Type, "");
    EXPECT_EQ(ComDevicePath(TPort::COM2), "/dev/ttyUSB0");
    EXPECT_EQ(ComDevicePath(TPort::COM16), "/dev/serial/by-id/usb-x");
    EXPECT_EQ(ComDevicePath(TPort::COM1), "/dev/ttyS0");

    FUnitNo = 12;
    FSettings.X_hulplijn = true;
    QString error;
    ASSERT_TRUE(ProgrammaInstellingen_opslaan(FPort, FUnitNo, FSettings, &error))
        << error.toStdString();
    EXPECT_EQ(ReadFixture(IniPath()), "; written by hand\r\n"
                                      "[Serieel]\r\n"
                                      "baudrate=8\r\n"
                                      "extra=kept\r\n"
                                      "databit=1\r\n"
                                      "parity=1\r\n"
                                      "stopbit=0\r\n"
                                      "hardware=2\r\n"
                                      "portaddr=0\r\n"
                                      "portname=0\r\n"
                                      "porttype=0\r\n"
                                      "receivedrv=0\r\n"
                                      "transmitdrv=3\r\n"
                                      "unit_no=12\r\n"
                                      "\r\n"
                                      "[Poorten]\r\n"
                                      "COM2=/dev/ttyUSB0\r\n"
                                      "com16 = /dev/serial/by-id/usb-x \r\n"
                                      "\r\n"
                                      "[Opties]\r\n"
                                      "Taal=1\r\n"
                                      "SnelAntwoord=0\r\n"
                                      "[Afdrukken]\r\n"
                                      "Firma=  Acme BV\r\n"
                                      "Type=\r\n"
                                      "Sn=\r\n"
                                      "[Unknown]\r\n"
                                      "foo=bar\r\n"
                                      "\r\n"
                                      "[Algemeen]\r\n"
                                      "OpenCloseDialoogPath=\r\n"
                                      "\r\n"
                                      "[Grafiek]\r\n"
                                      "X_Div=0\r\n"
                                      "Y_Div=0\r\n"
                                      "BronItem=0\r\n"
                                      "X_hulplijn=1\r\n"
                                      "Y_hulplijn=0\r\n"
                                      "\r\n"
                                      "[Linearisatie]\r\n"
                                      "Puntgrootte=0\r\n"
                                      "Lin_X_hulplijn=0\r\n"
                                      "Lin_Y_hulplijn=0\r\n");
}

TEST_F(Settings, BadValuesKeepTheirDefaults) {
    WriteFixture(FDir.path(), "application.ini",
                 "[Serieel]\nbaudrate=fast\ndatabit=-1\nparity=7\nhardware=256\nportname=16\n"
                 "porttype=\nunit_no=x\n"
                 "[Opties]\nTaal=1.5\n[Grafiek]\nX_Div=12abc\nX_hulplijn=yes\nY_hulplijn=-3\n");
    FUnitNo = 5;
    ASSERT_TRUE(Configfile_lezen(FPort, FUnitNo, FSettings));
    // No number: the default of the key.
    EXPECT_EQ(FPort.Baudrate(), TBaudrate::br38400);
    EXPECT_EQ(FUnitNo, 0);
    EXPECT_EQ(FSettings.Taal, 0);
    EXPECT_EQ(FSettings.X_Div, 0);
    EXPECT_FALSE(FSettings.X_hulplijn);
    EXPECT_TRUE(FSettings.Y_hulplijn);
    // An ordinal outside its enumeration is not applied: 256 must not wrap to Standard.
    EXPECT_EQ(FPort.FrameDatabits(), TDataBit::db_8);
    EXPECT_EQ(FPort.FrameParitybit(), TParityBit::Odd);
    EXPECT_EQ(FPort.PortName(), TPort::COM1);
    // porttype is empty, so its default RS232C breaks the card's coupling.
    EXPECT_EQ(FPort.PortType(), TPortType::RS232C);
    EXPECT_EQ(FPort.TransmitDriver(), TTransmitDriver::tdDTRto0);
    EXPECT_EQ(FPort.ReceiveDriver(), TReceiveDriver::rdNone);
    EXPECT_EQ(FPort.Hardware(), THardware::UserDefined);
}

TEST_F(Settings, RoundTripThroughANewFile) {
    FPort.SetBaudrate(TBaudrate::br19200);
    FPort.SetFrameDatabits(TDataBit::db_7);
    FPort.SetFrameStopbits(TStopBit::sb_2);
    FPort.SetPortName(TPort::COM9);
    FPort.SetPortType(TPortType::RS422);
    FPort.SetReplyEndsAtLineEnd(true);
    FSettings.Taal = 2;
    FSettings.OpenCloseDialoogPath = QString::fromUtf8("/home/ö/params");
    FSettings.Firma = "Firma";
    FSettings.Type = "KX71-100";
    FSettings.Sn = "123";
    FSettings.X_Div = 4;
    FSettings.Y_Div = -5;
    FSettings.BronItem = 3;
    FSettings.Y_hulplijn = true;
    FSettings.Puntgrootte = 6;
    FSettings.Lin_X_hulplijn = true;
    FSettings.Lin_Y_hulplijn = true;
    ASSERT_TRUE(ProgrammaInstellingen_opslaan(FPort, 31, FSettings));

    TLBComm port;
    int unitNo = 0;
    TGlobalVar settings;
    settings.SettingsPath = FSettings.SettingsPath;
    ASSERT_TRUE(Configfile_lezen(port, unitNo, settings));
    EXPECT_EQ(unitNo, 31);
    for (auto [read, written] : {std::pair{Ord(port.Baudrate()), Ord(FPort.Baudrate())},
                                 {Ord(port.FrameDatabits()), Ord(FPort.FrameDatabits())},
                                 {Ord(port.FrameParitybit()), Ord(FPort.FrameParitybit())},
                                 {Ord(port.FrameStopbits()), Ord(FPort.FrameStopbits())},
                                 {Ord(port.Hardware()), Ord(FPort.Hardware())},
                                 {Ord(port.PortAddress()), Ord(FPort.PortAddress())},
                                 {Ord(port.PortName()), Ord(FPort.PortName())},
                                 {Ord(port.PortType()), Ord(FPort.PortType())},
                                 {Ord(port.ReceiveDriver()), Ord(FPort.ReceiveDriver())},
                                 {Ord(port.TransmitDriver()), Ord(FPort.TransmitDriver())}})
        EXPECT_EQ(read, written);
    EXPECT_TRUE(port.ReplyEndsAtLineEnd());
    EXPECT_EQ(settings.Taal, 2);
    EXPECT_EQ(settings.OpenCloseDialoogPath, FSettings.OpenCloseDialoogPath);
    EXPECT_EQ(settings.Firma, "Firma");
    EXPECT_EQ(settings.Type, "KX71-100");
    EXPECT_EQ(settings.Sn, "123");
    EXPECT_EQ(settings.X_Div, 4);
    EXPECT_EQ(settings.Y_Div, -5);
    EXPECT_EQ(settings.BronItem, 3);
    EXPECT_FALSE(settings.X_hulplijn);
    EXPECT_TRUE(settings.Y_hulplijn);
    EXPECT_EQ(settings.Puntgrootte, 6);
    EXPECT_TRUE(settings.Lin_X_hulplijn);
    EXPECT_TRUE(settings.Lin_Y_hulplijn);
}

TEST_F(Settings, FailedWriteLeavesTheOldFileIntact) {
    const QByteArray original = "[Opties]\nTaal=1\n";
    WriteFixture(FDir.path(), "application.ini", original);
    QString error;
    bool saved = kq9test::WithFileSizeLimit(
        20, [&] { return ProgrammaInstellingen_opslaan(FPort, 0, FSettings, &error); });
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadFixture(IniPath()), original);
}
