// The simulated line in-process, behind the serial device interface: exchanges through the
// real port component, line settings a unit does not answer at, read time-outs, cancelling and
// a line that goes dead.

#include "SimTestPort.h"

#include "sim/SimSerialDevice.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <future>

using namespace std::chrono_literals;

namespace {

std::shared_ptr<TSimLine> LineOf(std::initializer_list<int> units) {
    auto line = std::make_shared<TSimLine>();
    for (int unit : units)
        line->AddUnit(unit);
    return line;
}

} // namespace

TEST(SimSerialDevice, ServesTheLineThroughThePortComponent) {
    auto line = LineOf({0, 4});
    TSimTestPort port(TSimSerialDevice::Factory(line));
    port.Port.Open();
    TSimOutcome select = port.Exchange("sc 4");
    ASSERT_TRUE(select.Ok);
    EXPECT_EQ(select.Reply, "sc 4\r\n");
    EXPECT_EQ(port.Exchange(" wp 8 77 ").Reply, "wp 8 77\r\n");
    EXPECT_EQ(line->Unit(4)->Parameters[8], 77);
    // The reply ends with the 50 ms silence after its last byte.
    TSimOutcome read = port.Exchange("rp 8");
    EXPECT_EQ(read.Reply, "rp 8 77\r\n");
    EXPECT_GE(read.Took, 50ms);
    EXPECT_LT(read.Took, 400ms);
    // Reopening gets a fresh device on the same line.
    port.Port.Close();
    port.Port.Open();
    EXPECT_EQ(port.Exchange("rp 8").Reply, "rp 8 77\r\n");
}

TEST(SimSerialDevice, AUnitAtOtherSettingsIsSilentOrAnswersWithGarbageAndLineErrors) {
    auto line = LineOf({0});
    line->Configure(0, [](TSimUnit& u) { ParseSimLineSettings("19200,E,8,1", u.Line); });
    // Each case on a fresh opening, so that no garbage of the case before is still arriving.
    auto exchangeAt = [&](TBaudrate rate, TParityBit parity, TDataBit dataBits, TStopBit stopBits) {
        TSimTestPort port(TSimSerialDevice::Factory(line));
        port.Port.SetBaudrate(rate);
        port.Port.SetFrameParitybit(parity);
        port.Port.SetFrameDatabits(dataBits);
        port.Port.SetFrameStopbits(stopBits);
        port.Port.Open();
        return port.Exchange("rt");
    };
    using enum TBaudrate;
    using enum TParityBit;
    using enum TDataBit;
    using enum TStopBit;
    EXPECT_EQ(exchangeAt(br19200, Even, db_8, sb_1).Reply, "rt KX71-2412\r\n");

    TSimOutcome parity = exchangeAt(br19200, Odd, db_8, sb_1);
    EXPECT_FALSE(parity.Ok);
    EXPECT_EQ(parity.Error.Code, CommCode::LineError);
    EXPECT_EQ(parity.Error.LineErrors, static_cast<int32_t>(CE_RXPARITY));
    TSimOutcome dataBits = exchangeAt(br19200, Even, db_7, sb_1);
    EXPECT_EQ(dataBits.Error.Code, CommCode::LineError);
    EXPECT_EQ(dataBits.Error.LineErrors, static_cast<int32_t>(CE_FRAME));

    EXPECT_EQ(exchangeAt(br19200, Even, db_8, sb_2).Error.Code, CommCode::Timeout);
    EXPECT_EQ(exchangeAt(br9600, Even, db_8, sb_1).Error.Code, CommCode::Timeout);
}

TEST(SimSerialDevice, LineSettingsChangedWhileOpenApplyToTheNextCommand) {
    auto line = LineOf({0});
    line->Configure(0, [](TSimUnit& u) { ParseSimLineSettings("57600,N,8,1", u.Line); });
    TSimTestPort port(TSimSerialDevice::Factory(line));
    port.Port.Open();
    EXPECT_EQ(port.Exchange("rf").Error.Code, CommCode::Timeout);
    port.Port.SetBaudrate(TBaudrate::br57600);
    port.Port.SetFrameParitybit(TParityBit::None);
    EXPECT_EQ(port.Exchange("rf").Reply, "rf -1\r\n");
}

TEST(SimSerialDevice, ReadsWaitLikeTheSerialDeviceAndCanBeCancelled) {
    auto line = LineOf({0});
    line->Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.AppliesTo = "rt";
        u.Faults.FirstByteDelayMs = 60;
        u.Faults.ChunkSize = 3;
        u.Faults.ChunkGapMs = 30;
    });
    TSimSerialDevice device(line);
    uint8_t byte = 0;
    uint32_t count = 0;
    EXPECT_EQ(device.ReadFile(&byte, 1, count), EBADF);
    ASSERT_EQ(device.CreateFile("ignored"), 0);
    EXPECT_EQ(device.CreateFile("ignored"), EBUSY);
    EXPECT_EQ(device.SetCommState(TDcb{9600, 9, NOPARITY, ONESTOPBIT}), EINVAL);
    TCommTimeouts waitFirst{MAXDWORD, MAXDWORD, 20, 0, 0};
    device.SetCommTimeouts(waitFirst);

    // Nothing sent: the read waits out its time-out and returns nothing.
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device.ReadFile(&byte, 1, count), 0);
    EXPECT_EQ(count, 0u);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 20ms);

    // The first byte comes after the unit's delay, then pieces of three bytes 30 ms apart.
    const std::string command = "rt\r";
    uint32_t written = 0;
    ASSERT_EQ(device.WriteFile(reinterpret_cast<const uint8_t*>(command.data()), 3, written), 0);
    EXPECT_EQ(device.FlushFileBuffers(), 0);
    EXPECT_EQ(device.ReadFile(&byte, 1, count), 0);
    EXPECT_EQ(count, 0u); // 20 ms is not enough
    device.SetCommTimeouts(TCommTimeouts{MAXDWORD, MAXDWORD, 200, 0, 0});
    std::string received;
    while (received.size() < 14 && device.ReadFile(&byte, 1, count) == 0 && count == 1)
        received += static_cast<char>(byte);
    EXPECT_EQ(received, "rt KX71-2412\r\n");
    EXPECT_GE(std::chrono::steady_clock::now() - start, 60ms + 4 * 30ms);
    uint32_t errors = 1;
    EXPECT_EQ(device.ClearCommError(errors), 0);
    EXPECT_EQ(errors, 0u);

    // Cancelling releases a waiting read at once with the aborted-operation error.
    device.SetCommTimeouts(TCommTimeouts{MAXDWORD, MAXDWORD, 5000, 0, 0});
    auto waiting = std::async(std::launch::async, [&] {
        uint8_t b = 0;
        uint32_t n = 0;
        return device.ReadFile(&b, 1, n);
    });
    EXPECT_EQ(waiting.wait_for(50ms), std::future_status::timeout);
    device.CancelIo();
    ASSERT_EQ(waiting.wait_for(1s), std::future_status::ready);
    EXPECT_EQ(waiting.get(), ERROR_OPERATION_ABORTED);
    EXPECT_EQ(device.CloseHandle(), 0);
}

TEST(SimSerialDevice, ALineThatGoesDeadMidReplyIsAnAbortedOperation) {
    auto line = LineOf({0});
    line->Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.CutAfter = 4;
        u.Faults.DropLineAfterMs = 10;
    });
    TSimTestPort port(TSimSerialDevice::Factory(line));
    port.Port.Open();
    TSimOutcome outcome = port.Exchange("rt");
    EXPECT_FALSE(outcome.Ok);
    EXPECT_EQ(outcome.Error.Code, CommCode::SystemCall);
    EXPECT_EQ(outcome.Error.SystemError, ERROR_OPERATION_ABORTED);
    // Nothing more goes out on the dead line until the port is opened again.
    ASSERT_TRUE(kq9test::WaitUntil([&] { return port.Port.DeviceLost(); }, 2000));
    port.Component.Send();
    EXPECT_EQ(port.Port.QueueLength(), 0u);
    port.Port.Close();
    EXPECT_FALSE(port.Port.DeviceLost());
}

TEST(SimSerialDevice, AnEndlessReplyGoesOnUntilTheNextCommand) {
    auto line = LineOf({0});
    line->Configure(0, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.AppliesTo = "rt";
        u.Faults.Endless = true;
    });
    TSimTestPort port(TSimSerialDevice::Factory(line));
    port.Port.SetBaudrate(TBaudrate::br115200);
    port.Port.Open();
    EXPECT_EQ(port.Exchange("rt").Error.Code, CommCode::ReplyTooLong);
    EXPECT_EQ(port.Exchange("rf").Reply, "rf -1\r\n");
}
