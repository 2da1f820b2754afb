// The live view's rules apart from the window.

#include "app/LiveView.h"
#include "comm/LBComm.h"

#include <gtest/gtest.h>

namespace {

TMemoryStream Reply(const std::string& bytes) {
    TMemoryStream stream;
    stream.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return stream;
}

} // namespace

TEST(LiveView, FrameSummaryOfTheLineSettings) {
    TLBComm port;
    port.SetBaudrate(TBaudrate::br115200);
    port.SetFrameParitybit(TParityBit::Even);
    EXPECT_EQ(FrameSummary(port), "115200,E,8,1");
    port.SetBaudrate(TBaudrate::br1200);
    port.SetFrameParitybit(TParityBit::None);
    port.SetFrameDatabits(TDataBit::db_7);
    port.SetFrameStopbits(TStopBit::sb_2);
    EXPECT_EQ(FrameSummary(port), "1200,N,7,2");
}

TEST(LiveView, DeviceTypeErrorNumberAndActivityDots) {
    EXPECT_TRUE(IsAcceptedDeviceType("KX71"));
    EXPECT_TRUE(IsAcceptedDeviceType("KX72"));
    EXPECT_FALSE(IsAcceptedDeviceType("kx71"));
    EXPECT_FALSE(IsAcceptedDeviceType("KX7 "));
    EXPECT_EQ(ErrorNumberText(""), "");
    EXPECT_EQ(ErrorNumberText("-1"), "");
    EXPECT_EQ(ErrorNumberText("-12"), "");
    EXPECT_EQ(ErrorNumberText("5"), "KX71... Error: 5");
    QString dots;
    for (int i = 0; i < 6; ++i)
        dots = NextActivityDots(dots);
    EXPECT_EQ(dots, ". . . . . . ");
    EXPECT_EQ(NextActivityDots(dots), ". ");
}

TEST(LiveView, RepliesBecomePanelTextsWithinTheirLimits) {
    EXPECT_EQ(LiveValueText(Reply("r4 50000\r\n"), "r4", 20, 4, " V"), "5,0000 V");
    EXPECT_EQ(LiveValueText(Reply("r4 5\r\n"), "r4", 20, 0), "5");
    EXPECT_EQ(LiveValueText(Reply("r4\r\n"), "r4", 20, 0), "????");
    EXPECT_EQ(LiveValueText(Reply("r4 " + std::string(16, '1') + "\r\n"), "r4", 20, 0), "????");
    EXPECT_EQ(LiveValueText(Reply("r0 " + std::string(96, '1') + "\r\n"), "r0", 100, 0), "????");
    EXPECT_EQ(BitPattern(Reply("ri 31\r\n"), "ri"), 31);
    EXPECT_EQ(BitPattern(Reply("ri x\r\n"), "ri"), 0);
    EXPECT_EQ(BitPattern(Reply("ri 31" + std::string(16, ' ') + "\r\n"), "ri"), 0);
    int32_t value = 0;
    ASSERT_TRUE(ThumbwheelValue(Reply("rd 1 12345\r\n"), "rd 1", value));
    EXPECT_EQ(value, 12345);
    EXPECT_FALSE(ThumbwheelValue(Reply("rd 1\r\n"), "rd 1", value));
}

// What a disturbed line brings back is never shown as a value: a refusal, a reply without its
// letters or cut short by a pause, another request's reply.
TEST(LiveView, OnlyAReplyToTheRequestIsAValue) {
    for (const char* reply : {"er 7\r\n", "12345\r\n", "r0 123", "r1 12345\r\n"})
        EXPECT_EQ(LiveValueText(Reply(reply), "r0", 100, 0), "????") << reply;
    EXPECT_EQ(BitPattern(Reply("er 7\r\n"), "ri"), 0);
    EXPECT_EQ(BitPattern(Reply("ru 15\r\n"), "ri"), 0);
    int32_t value = 0;
    EXPECT_FALSE(ThumbwheelValue(Reply("1 12345\r\n"), "rd 1", value));
    EXPECT_FALSE(ThumbwheelValue(Reply("rd 1 123"), "rd 1", value));
}
