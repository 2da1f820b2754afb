// Replies that end at their line end: every awkward reply gives the same events and bytes with
// the port's line-end option on as with the 50 ms silence alone. The scripted device keeps its
// byte times however late the worker reads, so gaps just under the silence are exact here.

#include "CommTestSupport.h"

#include "support/WaitUntil.h"

#include <gtest/gtest.h>

using kq9test::WaitUntil;

namespace {

using TChunks = std::vector<std::pair<int, std::string>>; // ms after the previous chunk

struct TOutcome {
    std::vector<std::string> Results;
    std::vector<TCommError> Errors;
    std::string NextResult; // the reply to a second request right after the first
};

// Sends "rp 1", answered with `chunks`, then "rp 2", answered at once: the second reply shows
// whether bytes of the first one were left over.
TOutcome Exchange(bool lineEnd, const TChunks& chunks, bool componentAllows = true) {
    TFakeLine line(500);
    line.Port.SetReplyEndsAtLineEnd(lineEnd);
    line.Component.SetLineEndEndsReply(componentAllows);
    line.Device->Responder = [&line, chunks](const std::string& written) {
        if (written != "rp 1\r") {
            line.Device->Reply("rp 2 9\r\n");
            return;
        }
        int at = 0;
        for (const auto& [delayMs, bytes] : chunks)
            line.Device->Reply(bytes, at += delayMs);
    };
    TOutcome outcome;
    EXPECT_TRUE(line.Exchange("rp 1"));
    EXPECT_TRUE(line.Exchange("rp 2"));
    outcome.Errors = line.Log.Errors;
    outcome.Results = line.Log.Results;
    if (!outcome.Results.empty()) {
        outcome.NextResult = outcome.Results.back();
        outcome.Results.pop_back();
    }
    return outcome;
}

void ExpectSameInBothModes(const TChunks& chunks, const std::string& reply) {
    TOutcome silence = Exchange(false, chunks);
    TOutcome lineEnd = Exchange(true, chunks);
    EXPECT_EQ(silence.Results, std::vector<std::string>{reply});
    EXPECT_EQ(lineEnd.Results, silence.Results);
    EXPECT_EQ(lineEnd.Errors, silence.Errors);
    EXPECT_TRUE(lineEnd.Errors.empty());
    EXPECT_EQ(lineEnd.NextResult, "rp 2 9\r\n");
    EXPECT_EQ(silence.NextResult, "rp 2 9\r\n");
}

} // namespace

TEST(FastReply, AwkwardRepliesGiveTheSameBytesAsTheSilence) {
    // The line end split between chunks, the CR and the LF apart.
    ExpectSameInBothModes({{5, "rp 1 "}, {15, "5\r"}, {20, "\n"}}, "rp 1 5\r\n");
    // A CR without its LF: only the silence can end the reply, so the late byte still joins.
    ExpectSameInBothModes({{5, "rp 1 5\r"}, {25, "Z"}}, "rp 1 5\rZ");
    // A refusal ends with the same line end as any reply.
    ExpectSameInBothModes({{5, "er"}, {10, " 7\r\n"}}, "er 7\r\n");
}

TEST(FastReply, TheLineEndEndsTheReplyBeforeTheSilenceWould) {
    // A byte 20 ms after the LF belongs to the reply when only the silence ends it; with the
    // line end on, the reply is complete without it.
    TChunks chunks = {{5, "rp 1 5\r\n"}, {20, "X"}};
    TOutcome silence = Exchange(false, chunks);
    TOutcome lineEnd = Exchange(true, chunks);
    EXPECT_EQ(silence.Results, std::vector<std::string>{"rp 1 5\r\nX"});
    EXPECT_EQ(lineEnd.Results, std::vector<std::string>{"rp 1 5\r\n"});
}

TEST(FastReply, AComponentForTypedCommandsGetsAReplyOfSeveralLinesWhole) {
    // The second line comes 20 ms after the first one's LF: ending there would cut the reply
    // and leave its tail to the next exchange.
    TChunks chunks = {{5, "rp 1 5\r\n"}, {20, "rp 1 6\r\n"}};
    TOutcome typed = Exchange(true, chunks, false);
    EXPECT_EQ(typed.Results, std::vector<std::string>{"rp 1 5\r\nrp 1 6\r\n"});
    EXPECT_TRUE(typed.Errors.empty());
    EXPECT_EQ(typed.NextResult, "rp 2 9\r\n");
}

TEST(FastReply, AReplyThatComesJustAfterItsTimeOutIsNotTakenForTheNextOne) {
    TFakeLine line(200);
    line.Port.SetReplyEndsAtLineEnd(true);
    // The reply to "rp 1" comes 45 ms after its time-out, inside the silence that follows it.
    line.Device->Responder = [&line](const std::string& written) {
        const std::string command = written.substr(0, written.size() - 1);
        line.Device->Reply(command + " 9\r\n", command == "rp 1" ? 245 : 10);
    };
    for (const char* command : {"rp 1", "rp 2", "rp 3"})
        ASSERT_TRUE(line.Exchange(command));
    std::vector<std::string> expected = {"rp 2 9\r\n", "rp 3 9\r\n"};
    if (line.Log.Errors.empty()) {
        // A worker held up that long by a busy machine still saw the reply in time.
        expected.insert(expected.begin(), "rp 1 9\r\n");
    } else {
        ASSERT_EQ(line.Log.Errors.size(), 1u);
        EXPECT_EQ(line.Log.Errors[0].Code, CommCode::Timeout);
    }
    EXPECT_EQ(line.Log.Results, expected);
}

TEST(FastReply, AComponentsOwnStopCharacterStays) {
    TFakePort fake;
    fake.Port.SetReplyEndsAtLineEnd(true);
    fake.Port.Open();
    TLD100Protocol component;
    ConfigureLD100(component, fake.Port);
    component.SetReceiveStop(TSequenceChar::scETX);
    component.SetFiltered(true);
    TEventLog log;
    log.Attach(component);
    fake.Device->Responder = [&](const std::string&) { fake.Device->Reply("a\r\nb\x03"); };
    component.SetASCIIProtocol("rt");
    component.Send();
    ASSERT_TRUE(WaitUntil([&] { return log.Events() == 1; }, 3000));
    EXPECT_EQ(log.Results, std::vector<std::string>{"a\r\nb"});
}
