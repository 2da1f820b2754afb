// Sending the compare window's ticked values: the requests of parameters and setpoints, the one
// take-over, the sent-but-not-taken-over mark, and where refusals, failures and a stop end it.

#include "TransferTestSupport.h"

#include "comm/LBComm.h"
#include "params/CompareSendSequence.h"

#include <gtest/gtest.h>

using namespace kq9test;

namespace {

class CompareSendTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadShippedLanguage(1));
        Seq.OnStatus = [this](const QString& text, bool red) {
            Status = text;
            Red = red;
        };
        Seq.OnWritten = [this](const TCompareValue& value) { Written.push_back(value.Number); };
        Seq.OnParGezonden = [this](bool sent) { Marks.push_back(sent); };
        Seq.OnStopped = [this] { ++Stops; };
    }
    void TearDown() override { UnloadLanguage(); }

    std::string Request() const { return Seq.LD100ZendWaarde.ASCIIProtocol(); }
    std::string TakeOver() const { return Seq.LD100BerekenParameters.ASCIIProtocol(); }
    void Echo() { Reply(Seq.LD100ZendWaarde, Request()); }

    TLBComm Port;
    TCompareSendSequence Seq{&Port};
    QString Status;
    bool Red = false;
    std::vector<int> Written;
    std::vector<bool> Marks;
    int Stops = 0;
};

} // namespace

TEST_F(CompareSendTest, ParametersAreWrittenOneByOneThenTakenOverOnce) {
    Seq.Start(TCompareKind::Parameters, {{17, -120}, {250, 7}});
    EXPECT_TRUE(Seq.Running());
    EXPECT_EQ(Request(), "wp 17 -120");
    EXPECT_EQ(Status, "Sending the value... 017");
    Echo();
    EXPECT_EQ(Request(), "wp 250 7");
    Echo();
    EXPECT_EQ(TakeOver(), "bp");
    EXPECT_EQ(Status, "Taking over...");
    EXPECT_EQ(Written, (std::vector<int>{17, 250}));
    Reply(Seq.LD100BerekenParameters, "bp -1");
    EXPECT_FALSE(Seq.Running());
    EXPECT_EQ(Status, "Parameters taken over");
    EXPECT_FALSE(Red);
    EXPECT_EQ(Marks, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(Stops, 1);

    // A rejected take-over names the parameter; the mark ends all the same.
    Seq.Start(TCompareKind::Parameters, {{3, 1}});
    Echo();
    Reply(Seq.LD100BerekenParameters, "bp 57");
    EXPECT_EQ(Status, "Parameter 57 not taken over");
    EXPECT_TRUE(Red);
    EXPECT_FALSE(Marks.back());
}

TEST_F(CompareSendTest, SetpointsAreWrittenWithoutTakeOver) {
    Seq.Start(TCompareKind::Setpoints, {{3, 150}, {48, -1}});
    EXPECT_EQ(Request(), "ws 3 150");
    EXPECT_EQ(Status, "Sending the value... 3");
    Echo();
    EXPECT_EQ(Request(), "ws 48 -1");
    Echo();
    EXPECT_FALSE(Seq.Running());
    EXPECT_TRUE(TakeOver().empty());
    EXPECT_EQ(Status, "Value sent");
    EXPECT_EQ(Written, (std::vector<int>{3, 48}));
    EXPECT_TRUE(Marks.empty());
}

TEST_F(CompareSendTest, RefusalsAndFailuresEndTheRunAtTheirValue) {
    Seq.Start(TCompareKind::Parameters, {{1, 5}, {17, 9999}, {20, 1}});
    Echo();
    Reply(Seq.LD100ZendWaarde, "er 7");
    EXPECT_FALSE(Seq.Running());
    EXPECT_EQ(Status, "(er 7) value refused   P[017]");
    EXPECT_TRUE(Red);
    EXPECT_TRUE(TakeOver().empty());
    EXPECT_EQ(Written, (std::vector<int>{1}));
    // The value written before stays marked as not taken over.
    EXPECT_EQ(Marks, (std::vector<bool>{true}));

    // A setpoint write answered with the parameter's echo is no accepted write.
    Seq.Start(TCompareKind::Setpoints, {{2, 5}});
    Reply(Seq.LD100ZendWaarde, "wp 2 5");
    EXPECT_EQ(Status, "Communication error   S[002]");
    EXPECT_EQ(Written.size(), 1u);

    Seq.Start(TCompareKind::Parameters, {{4, 1}});
    Error(Seq.LD100ZendWaarde, {CommCode::Timeout, 0, 0});
    EXPECT_EQ(Status, "Time-out: no answer   P[004]");
    Seq.Start(TCompareKind::Parameters, {{4, 1}});
    Echo();
    Error(Seq.LD100BerekenParameters, {CommCode::Timeout, 0, 0});
    EXPECT_EQ(Status, "Time-out: no answer");
    EXPECT_TRUE(Marks.back());
    EXPECT_EQ(Stops, 4);
}

TEST_F(CompareSendTest, AStopTakesTheOutstandingAnswerAndSendsNothingMore) {
    Seq.Start(TCompareKind::Parameters, {{1, 5}, {2, 6}});
    Seq.Stop();
    EXPECT_TRUE(Seq.Running());
    Echo();
    EXPECT_FALSE(Seq.Running());
    EXPECT_EQ(Request(), "wp 1 5");
    EXPECT_TRUE(TakeOver().empty());
    EXPECT_EQ(Written, (std::vector<int>{1}));
    EXPECT_EQ(Marks, (std::vector<bool>{true}));
    EXPECT_EQ(Stops, 1);
    // Late answers of an ended run change nothing.
    Echo();
    EXPECT_EQ(Written.size(), 1u);
    Seq.Start(TCompareKind::Parameters, {});
    EXPECT_FALSE(Seq.Running());
}
