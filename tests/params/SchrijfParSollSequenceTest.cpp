// The bulk write: the requests of each mode with their values, the take-over, refusals,
// repetitions and the take-over's answers; driven by handing replies to the components.

#include "TransferTestSupport.h"

#include "comm/LBComm.h"
#include "params/SchrijfParSollSequence.h"

#include <gtest/gtest.h>

using namespace kq9test;

namespace {

class SchrijfParSollTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadShippedLanguage(1));
        View.Attach(Seq);
        Seq.LoadPanelTexts();
        for (int p = 0; p < 400; ++p)
            Seq.ParBuffer[static_cast<size_t>(p)] = p * 10 - 1000;
        for (int s = 1; s <= 48; ++s)
            Seq.SollBuffer[static_cast<size_t>(s)] = 5000 + s;
    }
    void TearDown() override { UnloadLanguage(); }

    std::string Written() const { return Seq.LD100SchrijfParSoll.ASCIIProtocol(); }
    std::string TakeOver() const { return Seq.LD100BerekenParameters.ASCIIProtocol(); }
    // Echoes every value write until the take-over or the end; returns the writes.
    std::vector<std::string> EchoAll() {
        std::vector<std::string> writes;
        while (!Seq.Stopped() && TakeOver().empty()) {
            writes.push_back(Written());
            Reply(Seq.LD100SchrijfParSoll, Written());
        }
        return writes;
    }

    TLBComm Port;
    TSchrijfParSollSequence Seq{&Port};
    TTransferView View;
};

} // namespace

TEST_F(SchrijfParSollTest, EachModeWritesItsValuesThenTakesOver) {
    Seq.Mode = 0;
    Seq.Start();
    EXPECT_EQ(View.Panel, "Writing parameter 0");
    EXPECT_EQ(View.Maximum, 399);
    std::vector<std::string> writes = EchoAll();
    ASSERT_EQ(writes.size(), 400u);
    EXPECT_EQ(writes[0], "wp 0 -1000");
    EXPECT_EQ(writes[5], "wp 5 -950");
    EXPECT_EQ(writes[399], "wp 399 2990");
    EXPECT_EQ(TakeOver(), "bp");
    EXPECT_EQ(View.Panel, "Bereken parameters");
    EXPECT_FALSE(Seq.Klaar());
    Reply(Seq.LD100BerekenParameters, "bp -1");
    EXPECT_TRUE(Seq.Klaar());
    EXPECT_EQ(Seq.End(), TTransferEnd::Finished);
    EXPECT_EQ(View.Panel, "Parameters written and taken over");
    EXPECT_TRUE(View.Ok && View.FocusOK && !View.Red);

    Seq.LD100BerekenParameters.SetASCIIProtocol("");
    Seq.Mode = 1;
    Seq.Start();
    EXPECT_EQ(View.Panel, "Writing setpoint 1");
    writes = EchoAll();
    ASSERT_EQ(writes.size(), 48u);
    EXPECT_EQ(writes[0], "ws 1 5001");
    EXPECT_EQ(writes[47], "ws 48 5048");
    EXPECT_TRUE(TakeOver().empty());
    EXPECT_EQ(View.Panel, "All setpoints written");
    EXPECT_TRUE(Seq.Klaar());

    const std::pair<int, const char*> modes[] = {{2, "Parameters and setpoints written"},
                                                 {3, "Controller fully restored"}};
    for (auto [mode, text] : modes) {
        Seq.Mode = mode;
        Seq.Start();
        writes = EchoAll();
        ASSERT_EQ(writes.size(), 448u);
        EXPECT_EQ(writes[399], "wp 399 2990");
        EXPECT_EQ(writes[400], "ws 1 5001");
        EXPECT_EQ(TakeOver(), "bp");
        Reply(Seq.LD100BerekenParameters, "bp -1");
        EXPECT_EQ(View.Panel, text);
        Seq.LD100BerekenParameters.SetASCIIProtocol("");
    }
}

TEST_F(SchrijfParSollTest, RefusalStopsAtOnceAndMissingEchoIsRepeatedOnce) {
    Seq.Mode = 1;
    Seq.Start();
    Reply(Seq.LD100SchrijfParSoll, "ws 1 5001");
    Reply(Seq.LD100SchrijfParSoll, "ws 2 5002");
    Reply(Seq.LD100SchrijfParSoll, "er 7");
    EXPECT_FALSE(Seq.Herhaald());
    EXPECT_TRUE(Seq.Fout());
    EXPECT_EQ(Seq.End(), TTransferEnd::Refused);
    EXPECT_EQ(Seq.Index(), 3);
    EXPECT_EQ(View.Panel, "(er 7) value refused by the controller");
    EXPECT_TRUE(View.Red && View.Again && !View.Ok);

    Seq.Mode = 0;
    Seq.Start();
    Reply(Seq.LD100SchrijfParSoll, "er 2");
    EXPECT_TRUE(Seq.Herhaald());
    EXPECT_EQ(Written(), "wp 0 -1000");
    Reply(Seq.LD100SchrijfParSoll, "wp 0 -1000");
    EXPECT_FALSE(Seq.Herhaald());
    Reply(Seq.LD100SchrijfParSoll, "");
    Reply(Seq.LD100SchrijfParSoll, "rp 1");
    EXPECT_EQ(View.Panel, "Unexpected reply: rp 1   P[001]");
    EXPECT_EQ(Seq.End(), TTransferEnd::UnexpectedReply);
}

TEST_F(SchrijfParSollTest, TakeOverAnswers) {
    Seq.Mode = 3;
    Seq.Start();
    EchoAll();
    Reply(Seq.LD100BerekenParameters, "bp 57");
    // A rejected parameter still finishes, and OK may be pressed.
    EXPECT_EQ(View.Panel, "Take-over refused: parameter 57 invalid");
    EXPECT_TRUE(View.Red && View.Ok && View.Again);
    EXPECT_TRUE(Seq.Klaar());
    EXPECT_FALSE(Seq.Fout());
    EXPECT_EQ(Seq.End(), TTransferEnd::TakeOverRejected);
    EXPECT_EQ(Seq.RejectedParameter(), "57");
    Seq.CmdOKClick();
    EXPECT_EQ(View.Closed, mrOK);

    // An answer that is not the take-over's own with a number names no parameter: it is shown as
    // it came, and the run ends as a rejection does, every value written but not taken over.
    Seq.Mode = 0;
    const std::pair<std::string, QString> others[] = {
        {"er 3", "Unexpected reply: er 3"},
        {"bp x7", "Unexpected reply: bp x7"},
        {"", "Unexpected reply: "},
        {"bp " + std::string(120, '9'), "Unexpected reply: "},
    };
    for (const auto& [answer, panel] : others) {
        Seq.Start();
        EchoAll();
        Reply(Seq.LD100BerekenParameters, answer);
        EXPECT_EQ(Seq.End(), TTransferEnd::TakeOverUnexpected) << answer;
        EXPECT_EQ(View.Panel, panel) << answer;
        EXPECT_EQ(Seq.FailedReplyBytes(), answer + "\r\n");
        EXPECT_TRUE(View.Red && View.Ok && View.Again) << answer;
        EXPECT_TRUE(Seq.Klaar());
        EXPECT_TRUE(Seq.RejectedParameter().isEmpty());
    }
    Seq.CmdOKClick();
    EXPECT_EQ(View.Closed, mrOK);

    // The take-over's time-out and Cancel while it runs.
    Seq.Start();
    EchoAll();
    Error(Seq.LD100BerekenParameters, {CommCode::Timeout, 0, 0});
    EXPECT_EQ(View.Panel, "Time-out: controller does not answer");
    Seq.Start();
    EchoAll();
    View.Closed = 0;
    Seq.CmdCancelClick();
    EXPECT_EQ(View.Closed, 0);
    Reply(Seq.LD100BerekenParameters, "bp -1");
    EXPECT_EQ(View.Closed, mrCancel);
    EXPECT_EQ(Seq.End(), TTransferEnd::Cancelled);
}
