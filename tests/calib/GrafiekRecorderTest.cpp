// The log graph's recording driven with scripted replies and a clock the test sets: what each
// reply leaves in the buffer, how a recording ends, and the samples as comma-separated text.

#include "params/TransferTestSupport.h"

#include "calib/GrafiekCsv.h"
#include "calib/GrafiekRecorder.h"
#include "params/ParamStore.h"

#include <gtest/gtest.h>

using kq9test::Error;
using kq9test::Reply;

namespace {

class GrafiekRecorderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ParamStore() = TParamStore();
        Recorder.OnEnd = [this](TLogEnd end) { Ends.push_back(end); };
    }
    void At(int64_t ms, const std::string& reply) {
        Now = ms;
        Reply(Recorder.LD100LeesLogData, reply);
    }

    int64_t Now = 0;
    TGrafiekRecorder Recorder{nullptr, [this] { return Now; }};
    std::vector<TLogEnd> Ends;
};

} // namespace

TEST_F(GrafiekRecorderTest, EachReplyIsASampleTimedFromTheFirst) {
    Recorder.Start(2);
    EXPECT_EQ(Recorder.LD100LeesLogData.ASCIIProtocol(), "r8");
    EXPECT_EQ(Recorder.Buffer.Newest, -1);
    EXPECT_TRUE(Recorder.Recording());

    At(5000, "r8 123");
    At(5060, "r8 -5");
    // No number, and a reply too long to read: the slots advance with their time but hold none.
    At(5100, "r8 abc");
    At(5170, "r8 " + std::string(50, '7'));
    At(5230, "r8 9");
    // Neither is a position: a refusal, and a reply without its letters.
    At(5290, "er 7");
    At(5350, "8 77");
    const TLogBuffer& b = Recorder.Buffer;
    EXPECT_EQ(b.Newest, 6);
    EXPECT_EQ(b.Count, 7);
    EXPECT_EQ(b.StartTick, 5000);
    EXPECT_EQ(std::vector<int32_t>(b.Times.begin(), b.Times.begin() + 7),
              (std::vector<int32_t>{0, 60, 100, 170, 230, 290, 350}));
    EXPECT_EQ(std::vector<int32_t>(b.Values.begin(), b.Values.begin() + 7),
              (std::vector<int32_t>{123, -5, 0, 0, 9, 0, 0}));

    ParamStore().ParData[203] = 2;
    EXPECT_EQ(LogCsvText(b, 2),
              "ms,value\n0,1.23\n60,-0.05\n100,\n170,\n230,0.09\n290,\n350,\n");
    EXPECT_EQ(LogCsvText(b, 4).split('\n')[1], "0,0.0123");

    // A new recording empties the buffer.
    Recorder.Start(0);
    At(9000, "r0 1");
    EXPECT_EQ(Recorder.Buffer.Count, 1);
    EXPECT_EQ(Recorder.Buffer.Values[1], 0);
    EXPECT_EQ(Recorder.Buffer.Times[1], 0);
}

TEST_F(GrafiekRecorderTest, TheBufferFullEndsTheRecordingAtSlot4000) {
    int samples = 0;
    Recorder.OnSample = [&] { ++samples; };
    Recorder.Start(0);
    for (int i = 0; i < LogSlotCount; ++i)
        At(i * 50, "r0 " + std::to_string(i));
    EXPECT_EQ(samples, LogSlotCount);
    EXPECT_EQ(Recorder.Buffer.Newest, LogLastSlot);
    EXPECT_EQ(Recorder.Buffer.Values[LogLastSlot], 4000);
    EXPECT_EQ(Recorder.Buffer.Times[LogLastSlot], 200000);
    EXPECT_FALSE(Recorder.Recording());
    EXPECT_EQ(Ends, std::vector<TLogEnd>{TLogEnd::Full});
    EXPECT_FALSE(Recorder.LD100LeesLogData.Cyclic());
}

TEST_F(GrafiekRecorderTest, FailuresEndTheRecordingAndKeepTheSamples) {
    Recorder.Start(0);
    At(0, "r0 10");
    At(60, "r0 20");
    // The component reports the return to success as an error event without an error.
    Error(Recorder.LD100LeesLogData, {});
    EXPECT_TRUE(Recorder.Recording());
    Error(Recorder.LD100LeesLogData, {CommCode::Timeout, 0, 0});
    EXPECT_EQ(Ends, std::vector<TLogEnd>{TLogEnd::Timeout});
    EXPECT_EQ(Recorder.LastError().Code, CommCode::Timeout);
    EXPECT_EQ(Recorder.Buffer.Count, 2);
    EXPECT_EQ(Recorder.Buffer.Values[1], 20);

    Recorder.Start(0);
    Error(Recorder.LD100LeesLogData, {CommCode::LineError, 0, 0x08});
    Recorder.Start(0);
    Error(Recorder.LD100LeesLogData, {CommCode::EmptyFrame, 0, 0});
    EXPECT_EQ(Ends, (std::vector<TLogEnd>{TLogEnd::Timeout, TLogEnd::CommError, TLogEnd::Other}));

    // Stopping is no failure, and a reply after the stop is not a sample.
    Recorder.Start(0);
    At(0, "r0 1");
    Recorder.Stop();
    At(60, "r0 2");
    EXPECT_EQ(Recorder.End(), TLogEnd::Stopped);
    EXPECT_EQ(Recorder.Buffer.Count, 1);
    EXPECT_EQ(Ends.size(), 3u);
}
