// The port component: settings and their coupling, refusals while open, opening and closing.

#include "CommTestSupport.h"

#include "comm/ComNames.h"
#include "comm/CommExceptions.h"
#include "comm/PosixSerialDevice.h"
#include "support/PtyPeer.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

TEST(PortComponent, HardwareCouplingCascadesThroughTheSetters) {
    TLBComm port;
    port.SetHardware(THardware::PCLabPCL745);
    EXPECT_EQ(port.PortType(), TPortType::RS485);
    EXPECT_EQ(port.TransmitDriver(), TTransmitDriver::tdRegister7to1);
    EXPECT_EQ(port.ReceiveDriver(), TReceiveDriver::rdRegister7to2);

    port.SetTransmitDriver(TTransmitDriver::tdNone);
    EXPECT_EQ(port.Hardware(), THardware::UserDefined);
    EXPECT_EQ(port.PortType(), TPortType::RS485);
    EXPECT_EQ(port.ReceiveDriver(), TReceiveDriver::rdRegister7to2);

    port.SetHardware(THardware::PhoenixPSM);
    EXPECT_EQ(port.PortType(), TPortType::RS232C);
    EXPECT_EQ(port.TransmitDriver(), TTransmitDriver::tdDTRto0);
    EXPECT_EQ(port.ReceiveDriver(), TReceiveDriver::rdNone);

    // A fitting value keeps the hardware; RS422 fits the card, not the Phoenix converter.
    port.SetPortType(TPortType::RS232C);
    EXPECT_EQ(port.Hardware(), THardware::PhoenixPSM);
    port.SetPortType(TPortType::RS422);
    EXPECT_EQ(port.Hardware(), THardware::UserDefined);

    port.SetHardware(THardware::PCLabPCL745);
    port.SetPortType(TPortType::RS422);
    EXPECT_EQ(port.Hardware(), THardware::PCLabPCL745);
}

TEST(PortComponent, PortNameSetsTheClassicAddressOnly) {
    TLBComm port;
    port.SetPortName(TPort::COM4);
    EXPECT_EQ(port.PortAddress(), TPortAddr::pa_02E8);
    EXPECT_EQ(port.IoBaseAddress(), 0x2E8);
    port.SetPortName(TPort::COM9);
    EXPECT_EQ(port.PortName(), TPort::COM9);
    EXPECT_EQ(port.PortAddress(), TPortAddr::pa_02E8);
}

TEST(PortComponent, OrdinalsOutsideTheirEnumerationKeepTheOldValue) {
    TLBComm port;
    port.SetBaudrate(static_cast<TBaudrate>(9));
    port.SetFrameParitybit(static_cast<TParityBit>(200));
    port.SetPortName(static_cast<TPort>(16));
    port.SetHardware(static_cast<THardware>(4));
    EXPECT_EQ(port.Baudrate(), TBaudrate::br9600);
    EXPECT_EQ(port.FrameParitybit(), TParityBit::Even);
    EXPECT_EQ(port.PortName(), TPort::COM1);
    EXPECT_EQ(port.Hardware(), THardware::Standard);
}

TEST(PortComponent, HardwareChangesAreRefusedWhileOpenWithTheExactMessage) {
    TFakePort fake;
    fake.Port.Open();
    auto message = [&](auto&& change) {
        try {
            change();
        } catch (const ECommInitError& e) {
            return std::string(e.what());
        }
        return std::string("no exception");
    };
    EXPECT_EQ(message([&] { fake.Port.SetPortName(TPort::COM2); }),
              "COM 1 is active!\r\n\r\nCannot change port");
    EXPECT_EQ(message([&] { fake.Port.SetPortAddress(TPortAddr::pa_02F8); }),
              "COM 1 is active!\r\n\r\nCannot change the port address");
    EXPECT_EQ(message([&] { fake.Port.SetPortType(TPortType::RS485); }),
              "COM 1 is active!\r\n\r\nCannot change the port type");
    EXPECT_EQ(message([&] { fake.Port.SetHardware(THardware::PhoenixPSM); }),
              "COM 1 is active!\r\n\r\nCannot change port hardware");
    EXPECT_EQ(message([&] { fake.Port.SetTransmitDriver(TTransmitDriver::tdRTSto1); }),
              "COM 1 is active!\r\n\r\nCannot change device driver");
    EXPECT_EQ(message([&] { fake.Port.SetReceiveDriver(TReceiveDriver::rdRegister7to2); }),
              "COM 1 is active!\r\n\r\nCannot change device driver");
    EXPECT_EQ(fake.Port.PortName(), TPort::COM1);
    EXPECT_EQ(fake.Port.Hardware(), THardware::Standard);

    // Assign copies nothing into an open port and raises nothing.
    TLBComm other;
    other.SetPortName(TPort::COM3);
    fake.Port.Assign(other);
    EXPECT_EQ(fake.Port.PortName(), TPort::COM1);
}

TEST(PortComponent, AssignCopiesInCouplingOrder) {
    TLBComm source;
    source.SetPortName(TPort::COM2);
    source.SetHardware(THardware::PCLabPCL745);
    source.SetPortType(TPortType::RS422);
    source.SetBaudrate(TBaudrate::br38400);
    source.SetFrameParitybit(TParityBit::Odd);
    TLBComm target;
    target.Assign(source);
    EXPECT_EQ(target.PortName(), TPort::COM2);
    EXPECT_EQ(target.PortAddress(), TPortAddr::pa_02F8);
    EXPECT_EQ(target.Hardware(), THardware::PCLabPCL745);
    EXPECT_EQ(target.PortType(), TPortType::RS422);
    EXPECT_EQ(target.Baudrate(), TBaudrate::br38400);
    EXPECT_EQ(target.FrameParitybit(), TParityBit::Odd);
}

TEST(PortComponent, OpenAppliesTheLineSettingsAndLineSettersReconfigureWhileOpen) {
    TFakePort fake;
    int activated = 0, deactivated = 0;
    fake.Port.OnActivate = [&](TLBComm*) { ++activated; };
    fake.Port.OnDeactivate = [&](TLBComm*) { ++deactivated; };
    fake.Port.SetBaudrate(TBaudrate::br38400);
    fake.Port.SetFrameParitybit(TParityBit::Odd);
    fake.Port.SetFrameStopbits(TStopBit::sb_2);
    fake.Port.SetFrameDatabits(TDataBit::db_7);
    EXPECT_EQ(fake.Device->DcbWrites(), 0);

    fake.Port.SetActive(true);
    fake.Port.SetActive(true);
    EXPECT_EQ(activated, 1);
    EXPECT_EQ(fake.Device->OpenedPath, ComDevicePath(TPort::COM1));
    TDcb dcb = fake.Device->LastDcb();
    EXPECT_EQ(dcb.BaudRate, 38400u);
    EXPECT_EQ(dcb.Parity, ODDPARITY);
    EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);
    EXPECT_EQ(dcb.ByteSize, 7);

    fake.Port.SetBaudrate(TBaudrate::br115200);
    EXPECT_EQ(fake.Device->LastDcb().BaudRate, 115200u);
    fake.Port.SetFrameParitybit(TParityBit::Even);
    EXPECT_EQ(fake.Device->LastDcb().Parity, EVENPARITY);

    fake.Port.SetActive(false);
    fake.Port.SetActive(false);
    EXPECT_EQ(deactivated, 1);
    EXPECT_FALSE(fake.Port.Active());
}

TEST(PortComponent, AFailingConfigurationClosesThePortAgain) {
    TFakePort fake;
    fake.Device->FailSetCommState = EINVAL;
    int activated = 0;
    fake.Port.OnActivate = [&](TLBComm*) { ++activated; };
    EXPECT_THROW(fake.Port.Open(), ECommInitError);
    EXPECT_FALSE(fake.Port.Active());
    EXPECT_EQ(fake.Port.Thread(), nullptr);
    EXPECT_EQ(activated, 0);

    // While open, a failing line setting raises, and the port stays open.
    fake.Device->FailSetCommState = 0;
    fake.Port.Open();
    const TBaudrate running = fake.Port.Baudrate();
    ASSERT_NE(running, TBaudrate::br19200);
    fake.Device->FailSetCommState = EIO;
    EXPECT_THROW(fake.Port.SetBaudrate(TBaudrate::br19200), ECommInitError);
    EXPECT_TRUE(fake.Port.Active());
    // The port goes on saying what the device runs at, and a later change keeps that rate.
    EXPECT_EQ(fake.Port.Baudrate(), running);
    EXPECT_THROW(fake.Port.SetFrameStopbits(TStopBit::sb_2), ECommInitError);
    EXPECT_EQ(fake.Port.FrameStopbits(), TStopBit::sb_1);
    fake.Device->FailSetCommState = 0;
    fake.Port.SetFrameParitybit(TParityBit::Odd);
    EXPECT_EQ(fake.Device->LastDcb().BaudRate, BitsPerSecond(running));
    EXPECT_EQ(fake.Device->LastDcb().StopBits, ONESTOPBIT);
}

TEST(PortComponent, QueueRequestOnAClosedPortIsRefused) {
    TFakePort fake;
    TLD100Protocol component;
    ConfigureLD100(component, fake.Port);
    TCommRequest request;
    EXPECT_EQ(fake.Port.QueueRequest(&request), -1);
    component.SetASCIIProtocol("rt");
    component.Send();
    EXPECT_TRUE(fake.Device->Written().empty());
    EXPECT_EQ(fake.Port.QueueLength(), 0u);
}

TEST(PortComponent, ComponentListFollowsBindingAndSurvivesThePort) {
    auto fake = std::make_unique<TFakePort>();
    TLD100Protocol first, second;
    first.SetLBComm(&fake->Port);
    second.SetLBComm(&fake->Port);
    EXPECT_EQ(fake->Port.Components().size(), 2u);
    first.SetLBComm(nullptr);
    EXPECT_EQ(first.ListIndex(), 0);
    EXPECT_EQ(fake->Port.Components().size(), 1u);
    fake.reset();
    EXPECT_EQ(second.LBComm(), nullptr);
}

TEST(PosixDevice, OpeningAMissingDeviceRaisesTheSystemText) {
    SetComDevicePath(TPort::COM7, "/dev/kq9-no-such-device");
    TLBComm port;
    port.SetPortName(TPort::COM7);
    try {
        port.Open();
        FAIL() << "opened a missing device";
    } catch (const ECommHandleError& e) {
        EXPECT_EQ(std::string(e.what()), "No such file or directory");
    }
    EXPECT_FALSE(port.Active());
    ResetComDevicePaths();
}

TEST(PosixDevice, APortOpenElsewhereCannotBeOpenedAgain) {
    kq9test::TPtyPeer peer;
    TPosixSerialDevice first, second;
    ASSERT_EQ(first.CreateFile(peer.SlavePath()), 0);
    // The lock holds even for root, who passes the exclusive-tty flag.
    EXPECT_EQ(second.CreateFile(peer.SlavePath()), EBUSY);
    first.CloseHandle();
    EXPECT_EQ(second.CreateFile(peer.SlavePath()), 0);
}

TEST(PosixDevice, EveryRateIsSetOnARealPty) {
    kq9test::TPtyPeer peer;
    TPosixSerialDevice device;
    ASSERT_EQ(device.CreateFile(peer.SlavePath()), 0);
    for (uint32_t baud : {1200u, 9600u, 28800u, 38400u, 115200u}) {
        TDcb dcb;
        ASSERT_EQ(device.GetCommState(dcb), 0);
        dcb.BaudRate = baud;
        dcb.StopBits = TWOSTOPBITS;
        EXPECT_EQ(device.SetCommState(dcb), 0) << baud;
        TDcb back;
        ASSERT_EQ(device.GetCommState(back), 0);
        EXPECT_EQ(back.BaudRate, baud);
        EXPECT_EQ(peer.SlaveBaud(), baud);
        EXPECT_TRUE(peer.SlaveTwoStopBits());
    }
    TDcb bad;
    bad.BaudRate = 12345;
    bad.ByteSize = 6;
    EXPECT_NE(device.SetCommState(bad), 0);
}

namespace {

// A descriptor of its own on the pty's slave, opened before the device under test locks it, to
// look at and change the tty's settings from outside.
struct TSlaveView {
    int Fd;
    explicit TSlaveView(const std::string& path) : Fd(::open(path.c_str(), O_RDWR | O_NOCTTY)) {}
    ~TSlaveView() { ::close(Fd); }
    termios Get() const {
        termios tio{};
        ::tcgetattr(Fd, &tio);
        return tio;
    }
    void Set(const termios& tio) const { ::tcsetattr(Fd, TCSANOW, &tio); }
};

// A driver that keeps error counters, none of which moves.
class TCountingDevice : public TPosixSerialDevice {
protected:
    bool ReadCounters(serial_icounter_struct& counters) override {
        counters = {};
        return true;
    }
};

// Reads what has arrived within 200 ms and the line errors reported for it.
std::string ReadWithErrors(TSerialDevice& device, uint32_t& errors) {
    TCommTimeouts timeouts;
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = 200;
    device.SetCommTimeouts(timeouts);
    std::string bytes;
    uint8_t byte = 0;
    uint32_t read = 0;
    while (device.ReadFile(&byte, 1, read) == 0 && read == 1) {
        bytes.push_back(static_cast<char>(byte));
        timeouts.ReadTotalTimeoutConstant = 50;
        device.SetCommTimeouts(timeouts);
    }
    device.ClearCommError(errors);
    return bytes;
}

} // namespace

TEST(PosixDevice, EvenParityIsNeverLeftAsStickParity) {
    kq9test::TPtyPeer peer;
    TSlaveView view(peer.SlavePath());
    termios sticky = view.Get();
    sticky.c_cflag |= CMSPAR;
    view.Set(sticky);
    ASSERT_NE(view.Get().c_cflag & CMSPAR, 0u);
    TPosixSerialDevice device;
    ASSERT_EQ(device.CreateFile(peer.SlavePath()), 0);
    TDcb dcb;
    ASSERT_EQ(device.GetCommState(dcb), 0);
    dcb.Parity = EVENPARITY;
    ASSERT_EQ(device.SetCommState(dcb), 0);
    EXPECT_EQ(view.Get().c_cflag & CMSPAR, 0u);
}

TEST(PosixDevice, WithDriverCountersTheParityMarksAddNoGuessedError) {
    auto marked = [](TPosixSerialDevice& device, uint32_t& errors) {
        kq9test::TPtyPeer peer;
        TSlaveView view(peer.SlavePath());
        EXPECT_EQ(device.CreateFile(peer.SlavePath()), 0);
        TDcb dcb;
        device.GetCommState(dcb);
        dcb.Parity = EVENPARITY;
        device.SetCommState(dcb);
        // A pty marks nothing itself and would double the 0xFF: without marking, the bytes below
        // arrive as a driver that marks a bad byte would deliver them.
        termios tio = view.Get();
        tio.c_iflag &= ~PARMRK;
        view.Set(tio);
        peer.Write(std::string("\xFF\x00", 2) + "A\r");
        std::string bytes = ReadWithErrors(device, errors);
        device.CloseHandle();
        return bytes;
    };
    TPosixSerialDevice plain;
    uint32_t errors = 0;
    EXPECT_EQ(marked(plain, errors), "A\r");
    EXPECT_EQ(errors, CE_RXPARITY);
    TCountingDevice counting;
    EXPECT_EQ(marked(counting, errors), "A\r");
    EXPECT_EQ(errors, 0u);
}
