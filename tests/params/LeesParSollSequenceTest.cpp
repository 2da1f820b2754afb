// The bulk read: the requests of each mode, the values taken from the replies, the silent
// repetition, failures, Cancel and Again; driven by handing replies to the component.

#include "TransferTestSupport.h"

#include "comm/LBComm.h"
#include "params/LeesParSollSequence.h"

#include <gtest/gtest.h>

using namespace kq9test;

namespace {

class LeesParSollTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadShippedLanguage(1));
        View.Attach(Seq);
        Seq.LoadPanelTexts();
    }
    void TearDown() override { UnloadLanguage(); }

    std::string Sent() const { return Seq.LD100LeesParSoll.ASCIIProtocol(); }
    // Answers every request as the controller would: parameter p = 1000 - p, setpoint s = -s.
    int AnswerAll() {
        int requests = 0;
        while (!Seq.Stopped()) {
            std::string cmd = Sent();
            int n = std::stoi(cmd.substr(3));
            Reply(Seq.LD100LeesParSoll,
                  cmd + " " + std::to_string(cmd.starts_with("rp") ? 1000 - n : -n));
            ++requests;
        }
        return requests;
    }

    TLBComm Port;
    TLeesParSollSequence Seq{&Port};
    TTransferView View;
};

} // namespace

TEST_F(LeesParSollTest, EachModeSendsItsRequestsInOrderAndFinishesWithItsText) {
    Seq.Mode = 0;
    Seq.Start();
    EXPECT_EQ(View.Panel, "Reading parameter 0");
    EXPECT_EQ(View.Maximum, 399);
    EXPECT_FALSE(View.Ok);
    EXPECT_FALSE(View.Again);
    EXPECT_TRUE(View.Cancel);
    for (int p = 0; p < 400; ++p) {
        ASSERT_EQ(Sent(), "rp " + std::to_string(p));
        Reply(Seq.LD100LeesParSoll, "rp " + std::to_string(p) + " " + std::to_string(1000 - p));
        if (p == 16) {
            EXPECT_EQ(View.Panel, "Reading parameter 17");
            EXPECT_EQ(View.Position, 17);
        }
    }
    EXPECT_TRUE(Seq.Klaar());
    EXPECT_EQ(Seq.End(), TTransferEnd::Finished);
    EXPECT_EQ(View.Panel, "All parameters read");
    EXPECT_FALSE(View.Red);
    EXPECT_TRUE(View.Ok && View.Again && View.Cancel && View.FocusOK);
    EXPECT_EQ(Seq.ParBuffer[0], 1000);
    EXPECT_EQ(Seq.ParBuffer[399], 601);

    Seq.Mode = 1;
    Seq.Start();
    EXPECT_EQ(Sent(), "rs 1");
    EXPECT_EQ(View.Panel, "Reading setpoint 1");
    EXPECT_EQ(View.Maximum, 48);
    EXPECT_EQ(AnswerAll(), 48);
    EXPECT_EQ(View.Panel, "All setpoints read");
    EXPECT_EQ(Seq.SollBuffer[1], -1);
    EXPECT_EQ(Seq.SollBuffer[48], -48);

    for (int mode : {2, 3}) {
        Seq.ParBuffer = {};
        Seq.SollBuffer = {};
        Seq.Mode = mode;
        Seq.Start();
        EXPECT_EQ(Sent(), "rp 0");
        for (int p = 0; p < 400; ++p)
            Reply(Seq.LD100LeesParSoll, "rp " + std::to_string(p) + " 7");
        EXPECT_EQ(Sent(), "rs 1");
        EXPECT_EQ(View.Panel, "Reading setpoint 1");
        EXPECT_EQ(View.Maximum, 48);
        EXPECT_EQ(View.Position, 1);
        EXPECT_EQ(AnswerAll(), 48);
        EXPECT_EQ(View.Panel, "Parameters and setpoints read");
        EXPECT_EQ(Seq.ParBuffer[399], 7);
        EXPECT_EQ(Seq.SollBuffer[48], -48);
    }
}

TEST_F(LeesParSollTest, ValueIsTakenAfterTheNumberWithoutComparingIt) {
    Seq.Mode = 0;
    Seq.Start();
    for (int p = 0; p < 12; ++p)
        Reply(Seq.LD100LeesParSoll, "rp " + std::to_string(p) + " 0");
    Reply(Seq.LD100LeesParSoll, "rp 12 -350");
    EXPECT_EQ(Seq.ParBuffer[12], -350);
    // The number in the reply is not checked against the request.
    Reply(Seq.LD100LeesParSoll, "rp 99 2147483647");
    EXPECT_EQ(Seq.ParBuffer[13], 2147483647);
    EXPECT_EQ(Sent(), "rp 14");
    EXPECT_FALSE(Seq.Herhaald());
}

TEST_F(LeesParSollTest, UnusableReplyIsRepeatedOnceThenNamed) {
    Seq.Mode = 0;
    Seq.Start();
    for (int p = 0; p < 17; ++p)
        Reply(Seq.LD100LeesParSoll, "rp " + std::to_string(p) + " 1");
    Reply(Seq.LD100LeesParSoll, "er 3");
    EXPECT_TRUE(Seq.Herhaald());
    EXPECT_EQ(Sent(), "rp 17");
    EXPECT_FALSE(View.Red);
    Reply(Seq.LD100LeesParSoll, "er 3");
    EXPECT_TRUE(Seq.Fout());
    EXPECT_EQ(Seq.End(), TTransferEnd::UnexpectedReply);
    EXPECT_TRUE(View.Red);
    EXPECT_EQ(View.Panel, "Unexpected reply: er 3   P[017]");
    EXPECT_TRUE(View.Again);
    EXPECT_FALSE(View.Ok);

    // A good reply after one repetition clears it; a later failure again gets its repetition.
    Seq.Mode = 1;
    Seq.Start();
    Reply(Seq.LD100LeesParSoll, "xx");
    Reply(Seq.LD100LeesParSoll, "rs 1 5");
    EXPECT_FALSE(Seq.Herhaald());
    EXPECT_EQ(Seq.SollBuffer[1], 5);
    // More than 100 bytes counts as no echo, even when it begins with one.
    Reply(Seq.LD100LeesParSoll, "rs 2 " + std::string(100, '1'));
    EXPECT_TRUE(Seq.Herhaald());
    Reply(Seq.LD100LeesParSoll, "rs 2 " + std::string(100, '1'));
    EXPECT_EQ(View.Panel, "Unexpected reply:    S[002]");

    // Replies whose value part is no decimal number are never stored: a fraction, hex, no
    // value at all (the number alone), a value beyond 32 bits, a reply cut before its line end.
    const std::vector<std::pair<std::string, bool>> unusable = {
        {"rs 1 12,5", true}, {"rs 1 0x10", true},       {"rs 1", true},
        {"rs 1 ", true},     {"rs 1 2147483648", true}, {"rs 1 -35", false},
    };
    for (const auto& [reply, lineEnd] : unusable) {
        Seq.SollBuffer[1] = 77;
        Seq.Start();
        Reply(Seq.LD100LeesParSoll, reply, lineEnd);
        Reply(Seq.LD100LeesParSoll, reply, lineEnd);
        EXPECT_EQ(Seq.End(), TTransferEnd::UnexpectedReply) << reply;
        EXPECT_EQ(Seq.SollBuffer[1], 77) << reply;
    }
    EXPECT_EQ(View.Panel, "Unexpected reply: rs 1   S[001]");
}

TEST_F(LeesParSollTest, CommunicationErrorsStopWithTheirText) {
    Seq.Mode = 0;
    Seq.Start();
    Error(Seq.LD100LeesParSoll, {CommCode::Timeout, 0, 0});
    EXPECT_EQ(Seq.End(), TTransferEnd::Timeout);
    EXPECT_EQ(View.Panel, "Time-out: controller does not answer");
    EXPECT_TRUE(View.Red && View.Again && !View.Ok);
    EXPECT_TRUE(Seq.Fout());

    Seq.Start();
    Error(Seq.LD100LeesParSoll, {CommCode::SystemCall, ERROR_OPERATION_ABORTED, 0});
    EXPECT_EQ(View.Panel, "Communication error");
    EXPECT_EQ(Seq.LastError().SystemError, ERROR_OPERATION_ABORTED);

    // An error with neither a system error nor line errors stops the run just the same, and
    // Cancel must then close the dialog: no request is left whose event could do it.
    Seq.Start();
    Error(Seq.LD100LeesParSoll, {CommCode::PortClosed, 0, 0});
    EXPECT_TRUE(Seq.Fout());
    EXPECT_EQ(Seq.End(), TTransferEnd::CommError);
    Seq.CmdCancelClick();
    EXPECT_EQ(View.Closed, mrCancel);
}

TEST_F(LeesParSollTest, CancelWaitsForTheOutstandingRequest) {
    Seq.Mode = 2;
    Seq.Start();
    Reply(Seq.LD100LeesParSoll, "rp 0 1");
    Seq.CmdCancelClick();
    EXPECT_TRUE(Seq.Stoppen());
    EXPECT_EQ(View.Closed, 0);
    Reply(Seq.LD100LeesParSoll, "rp 1 1");
    EXPECT_EQ(View.Closed, mrCancel);
    EXPECT_EQ(Seq.End(), TTransferEnd::Cancelled);
    EXPECT_EQ(Sent(), "rp 1");

    View.Closed = 0;
    Seq.Start();
    EXPECT_FALSE(Seq.Stoppen());
    Seq.CmdCancelClick();
    Error(Seq.LD100LeesParSoll, {CommCode::Timeout, 0, 0});
    EXPECT_EQ(View.Closed, mrCancel);
    EXPECT_FALSE(View.Red);

    // Finished: Cancel and OK close at once.
    View.Closed = 0;
    Seq.Mode = 1;
    Seq.Start();
    AnswerAll();
    Seq.CmdCancelClick();
    EXPECT_EQ(View.Closed, mrCancel);
    Seq.CmdOKClick();
    EXPECT_EQ(View.Closed, mrOK);
}

TEST_F(LeesParSollTest, AgainStartsFromTheFirstValue) {
    Seq.Mode = 3;
    Seq.Start();
    for (int p = 0; p < 250; ++p)
        Reply(Seq.LD100LeesParSoll, "rp " + std::to_string(p) + " 3");
    Error(Seq.LD100LeesParSoll, {CommCode::Timeout, 0, 0});
    EXPECT_EQ(Seq.Index(), 250);
    EXPECT_EQ(Seq.Transferred(), 250);
    Seq.CmdAgainClick();
    EXPECT_EQ(Sent(), "rp 0");
    EXPECT_EQ(Seq.Index(), 0);
    EXPECT_TRUE(Seq.ParFase());
    EXPECT_FALSE(Seq.Fout());
    EXPECT_EQ(View.Position, 0);
    EXPECT_EQ(View.Panel, "Reading parameter 0");
    EXPECT_FALSE(View.Red);
    EXPECT_FALSE(View.Again);
    EXPECT_EQ(AnswerAll(), 448);
    EXPECT_EQ(Seq.End(), TTransferEnd::Finished);
    EXPECT_EQ(Seq.Transferred(), Seq.ValueCount());
}

TEST(LeesParSollTexts, WithoutLanguageFileThePanelTextsAreEmpty) {
    TLBComm port;
    TLeesParSollSequence seq(&port);
    TTransferView view;
    view.Attach(seq);
    seq.LoadPanelTexts();
    seq.Mode = 1;
    seq.Start();
    EXPECT_EQ(view.Panel, " 1");
    Reply(seq.LD100LeesParSoll, "er 1");
    Reply(seq.LD100LeesParSoll, "er 1");
    EXPECT_EQ(view.Panel, " er 1   S[001]");
}

TEST(LeesParSollStore, EachModeTakesItsPartIntoTheStore) {
    TLBComm port;
    TLeesParSollSequence seq(&port);
    seq.ParBuffer.fill(4);
    seq.SollBuffer.fill(8);
    const std::pair<int, std::pair<bool, bool>> modes[] = {
        {0, {true, false}}, {1, {false, true}}, {2, {true, true}}, {3, {false, false}}};
    for (auto [mode, parts] : modes) {
        TParamStore store;
        seq.Mode = mode;
        StoreReadValues(seq, store);
        EXPECT_EQ(store.ParData[399] == 4, parts.first) << mode;
        EXPECT_EQ(store.ParBron == Bron::Device, parts.first) << mode;
        EXPECT_EQ(store.SollData[48] == 8, parts.second) << mode;
        EXPECT_EQ(store.SollBron == Bron::Device, parts.second) << mode;
        EXPECT_EQ(store.SollData[0], 0);
    }
}
