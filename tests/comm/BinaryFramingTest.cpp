// The two binary framings of the library: frames on the wire, replies, and broken replies.

#include "CommTestSupport.h"

#include "comm/LB2Protocol.h"
#include "comm/SSBProtocol.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

using kq9test::WaitUntil;

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values)
        bytes.push_back(static_cast<char>(v));
    return bytes;
}

void SetFrame(TLBProtocolComponent& component, std::initializer_list<int> data) {
    component.SetFrameByte(0, static_cast<uint8_t>(data.size() + 1));
    int position = 1;
    for (int v : data)
        component.SetFrameByte(position++, static_cast<uint8_t>(v));
}

template <typename TProtocol> struct TBinaryLine {
    TFakePort Fake;
    TProtocol Component;
    TEventLog Log;

    TBinaryLine() {
        Fake.Port.Open();
        Component.SetLBComm(&Fake.Port);
        Log.Attach(Component);
    }
    void Exchange(std::initializer_list<int> data, const std::string& reply) {
        Fake.Device->Responder = [this, reply](const std::string& written) {
            if (written.size() > 4 || written[1] != 0x00)
                Fake.Device->Reply(reply);
        };
        SetFrame(Component, data);
        Component.Send();
        ASSERT_TRUE(WaitUntil([&] { return Log.Events() > 0; }, 3000));
    }
};

} // namespace

TEST(LB2Framing, FrameAndReplyWithDoubledMarksAndChecksum) {
    TBinaryLine<TLB2Protocol> line;
    line.Exchange({0x82, 0x01}, Bytes({0x82, 0x96, 0x03, 0x82, 0x82, 0x07, 0x86}));
    EXPECT_EQ(line.Fake.Device->Written()[0], Bytes({0x82, 0x96, 0x03, 0x82, 0x82, 0x01, 0x80}));
    ASSERT_EQ(line.Log.Results.size(), 1u);
    EXPECT_EQ(line.Log.Results[0], Bytes({0x03, 0x82, 0x07}));
}

TEST(LB2Framing, BrokenRepliesEndWithTheirCodeAndTheAbortFrame) {
    struct TCase {
        std::string Reply;
        int32_t Code;
    };
    const TCase cases[] = {
        {Bytes({0x82, 0x96, 0x03, 0x01, 0x02, 0x55}), CommCode::Checksum},
        {Bytes({0x82, 0x95, 0x03, 0x01, 0x02, 0x00}), CommCode::Lb2Header},
        {Bytes({0x82, 0x96, 0x03, 0x82, 0x01, 0x00}), CommCode::Lb2Doubling},
    };
    for (const TCase& c : cases) {
        TBinaryLine<TLB2Protocol> line;
        line.Exchange({0x01, 0x02}, c.Reply);
        ASSERT_EQ(line.Log.Errors.size(), 1u);
        EXPECT_EQ(line.Log.Errors[0].Code, c.Code);
        ASSERT_TRUE(WaitUntil([&] { return line.Fake.Device->Written().size() == 2; }, 2000));
        EXPECT_EQ(line.Fake.Device->Written()[1], Bytes({0x82, 0x00, 0x82, 0x00}));
    }
}

TEST(LB2Framing, AnErrorAnswerAndAnEmptyFrame) {
    TBinaryLine<TLB2Protocol> line;
    // Reply data 0xFF 0x04: the device refuses.
    line.Exchange({0x01}, Bytes({0x82, 0x96, 0x03, 0xFF, 0x04, 0x03 ^ 0xFF ^ 0x04}));
    ASSERT_EQ(line.Log.Errors.size(), 1u);
    EXPECT_EQ(line.Log.Errors[0].Code, CommCode::ErrorAnswer);
    EXPECT_EQ(line.Fake.Device->Written().size(), 1u);

    TBinaryLine<TLB2Protocol> empty;
    empty.Component.Send();
    ASSERT_TRUE(WaitUntil([&] { return empty.Log.Events() > 0; }, 2000));
    EXPECT_EQ(empty.Log.Errors[0].Code, CommCode::EmptyFrame);
    EXPECT_TRUE(empty.Fake.Device->Written().empty());
}

TEST(SSBFraming, FrameAndReplyWithDoubledDle) {
    TBinaryLine<TSSBProtocol> line;
    line.Exchange({0x10, 0x05},
                  Bytes({0x10, 0x02, 0x41, 0x10, 0x10, 0x42, 0x10, 0x03, 0x41 ^ 0x10 ^ 0x42}));
    EXPECT_EQ(line.Fake.Device->Written()[0],
              Bytes({0x10, 0x02, 0x10, 0x10, 0x05, 0x10, 0x03, 0x15}));
    ASSERT_EQ(line.Log.Results.size(), 1u);
    EXPECT_EQ(line.Log.Results[0], Bytes({0x04, 0x41, 0x10, 0x42}));
}

TEST(SSBFraming, BrokenRepliesAreTriedThreeTimesWithAbortFrames) {
    TBinaryLine<TSSBProtocol> line;
    line.Exchange({0x01}, Bytes({0x10, 0x02, 0x41, 0x10, 0x03, 0x00}));
    ASSERT_EQ(line.Log.Errors.size(), 1u);
    EXPECT_EQ(line.Log.Errors[0].Code, CommCode::Checksum);
    auto written = line.Fake.Device->Written();
    ASSERT_EQ(written.size(), 6u);
    for (int i = 1; i < 6; i += 2)
        EXPECT_EQ(written[i], Bytes({0x10, 0x00, 0x10, 0x00}));
}

TEST(SSBFraming, AReplyLongerThanItsCountCanHoldIsAProtocolError) {
    TBinaryLine<TSSBProtocol> line;
    std::string longReply = Bytes({0x10, 0x02}) + std::string(400, 'A');
    line.Exchange({0x01}, longReply);
    ASSERT_EQ(line.Log.Errors.size(), 1u);
    EXPECT_EQ(line.Log.Errors[0].Code, CommCode::SsbDoubling);
}

TEST(SSBFraming, TheLongestReplyItsCountCanDescribeIsAccepted) {
    // 254 data bytes: the count byte, which counts itself, is 255. An even number of equal bytes
    // gives the block check 0.
    TBinaryLine<TSSBProtocol> line;
    line.Exchange({0x01}, Bytes({0x10, 0x02}) + std::string(254, 'A') + Bytes({0x10, 0x03, 0x00}));
    ASSERT_EQ(line.Log.Results.size(), 1u) << line.Log.Errors.size();
    EXPECT_EQ(line.Log.Results[0], Bytes({0xFF}) + std::string(254, 'A'));

    TBinaryLine<TSSBProtocol> over;
    over.Exchange({0x01}, Bytes({0x10, 0x02}) + std::string(255, 'A') + Bytes({0x10, 0x03, 'A'}));
    ASSERT_EQ(over.Log.Errors.size(), 1u);
    EXPECT_EQ(over.Log.Errors[0].Code, CommCode::SsbDoubling);
}
