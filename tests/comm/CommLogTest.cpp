// The communication log: its bounded buffer between two threads, the port's entries for every
// kind of outcome, the line format, and the writer that streams lines to a file.

#include "CommTestSupport.h"

#include "comm/CommLog.h"
#include "comm/CommLogWriter.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <thread>

using kq9test::WaitUntil;

namespace {

TCommLogEntry Entry(const std::string& component, const std::string& command = "rt\r") {
    TCommLogEntry entry;
    entry.Component = component;
    entry.Command = command;
    return entry;
}

// 12:34:56.789 today, local time.
std::chrono::system_clock::time_point LocalNoon() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    local.tm_hour = 12;
    local.tm_min = 34;
    local.tm_sec = 56;
    return std::chrono::system_clock::from_time_t(std::mktime(&local)) +
           std::chrono::milliseconds(789);
}

} // namespace

TEST(CommLog, AFullBufferDropsItsOldestEntriesAndCountsThem) {
    TCommLog log(3);
    for (int i = 0; i < 5; ++i)
        log.Add(Entry(std::to_string(i)));
    TCommLog::TTaken taken = log.Take();
    ASSERT_EQ(taken.Entries.size(), 3u);
    EXPECT_EQ(taken.Entries.front().Component, "2");
    EXPECT_EQ(taken.Entries.back().Component, "4");
    EXPECT_EQ(taken.Dropped, 2u);
    taken = log.Take();
    EXPECT_TRUE(taken.Entries.empty());
    EXPECT_EQ(taken.Dropped, 0u);

    log.Add(Entry("a"));
    log.Clear();
    EXPECT_TRUE(log.Take().Entries.empty());
}

TEST(CommLog, AnAdderAndATakerOnTwoThreadsKeepOrderAndAccountForEveryEntry) {
    constexpr int Count = 20000;
    TCommLog log(64);
    std::thread adder([&log] {
        for (int i = 0; i < Count; ++i)
            log.Add(Entry(std::to_string(i)));
    });
    uint64_t seen = 0, dropped = 0;
    int last = -1;
    bool ordered = true;
    while (seen + dropped < Count) {
        TCommLog::TTaken taken = log.Take();
        dropped += taken.Dropped;
        for (const TCommLogEntry& entry : taken.Entries) {
            int number = std::stoi(entry.Component);
            ordered = ordered && number > last;
            last = number;
            ++seen;
        }
    }
    adder.join();
    EXPECT_TRUE(ordered);
    EXPECT_EQ(seen + dropped, static_cast<uint64_t>(Count));
    EXPECT_EQ(last, Count - 1);
}

TEST(CommLogLine, ShowsEveryFieldWithTheBytesEscaped) {
    TCommLogEntry entry = Entry("LD100ActPos", "r0\r");
    entry.Time = LocalNoon();
    entry.Reply = std::string("r0 -12\r\n\\\x01\xFF", 11);
    entry.DurationMs = 51.26;
    std::string line = CommLogLine(entry, 1);
    EXPECT_EQ(line.substr(0, 12), "12:34:56.789");
    EXPECT_NE(line.find("  LD100ActPos  "), std::string::npos);
    EXPECT_NE(line.find("  r0\\r  "), std::string::npos);
    EXPECT_NE(line.find("  r0 -12\\r\\n\\\\\\x01\\xFF  "), std::string::npos);
    EXPECT_EQ(line.substr(line.size() - 7), "51.3 ms");
    EXPECT_EQ(line.find('\n'), std::string::npos);

    entry.ReplyCut = true;
    EXPECT_NE(CommLogLine(entry, 1).find("\\xFF...  "), std::string::npos);
}

TEST(CommLogLine, AFailureShowsTheLibrarysTextAndWhatDidArrive) {
    TCommLogEntry entry = Entry("LD100LeesParSoll", "rp 17\r");
    entry.Error.Code = CommCode::Timeout;
    EXPECT_NE(CommLogLine(entry, 1).find("  [1070h] Timeout error!  "), std::string::npos);
    EXPECT_NE(CommLogLine(entry, 2).find("[1070h] Zeitüberschreitungs-Fehler!"), std::string::npos);

    entry.Error = {CommCode::LineError, 0, static_cast<int32_t>(CE_RXPARITY)};
    entry.Reply = "rp 1";
    EXPECT_NE(CommLogLine(entry, 1).find("[1002h] General communication error [0004h]: [0004h]: "
                                         "The hardware detected a parity error. (received: rp 1)"),
              std::string::npos);

    EXPECT_EQ(CommErrorDescription({CommCode::SystemCall, EIO, 0}, 1),
              "[1001h] System error [0005h]: " + std::string(std::strerror(EIO)));
    EXPECT_EQ(CommErrorDescription({CommCode::PortClosed, 0, 0}, 1), "[0001h] Port closed!");
    EXPECT_EQ(CommErrorDescription({CommCode::StartChar, 0, 0}, 1),
              "[1076h] Incorrect start character in the protocol header!");
}

TEST(PortLog, EveryExchangeGetsOneEntryWithItsOutcome) {
    TFakeLine line;
    auto log = std::make_shared<TCommLog>();
    line.Port.SetLog(log);
    line.Component.SetName("LD100TypeInfo");
    line.Device->Responder = [&](const std::string& written) {
        if (written == "rt\r")
            line.Device->Reply("rt KX71\r\n");
        else if (written == "rp 1\r")
            line.Device->Reply("rp 1 5\r\n", 0, 0, 2, CE_FRAME); // every attempt fails
    };
    ASSERT_TRUE(line.Exchange("rt"));
    ASSERT_TRUE(line.Exchange("rf")); // silent
    ASSERT_TRUE(line.Exchange("rp 1"));
    {
        // A component destroyed while its request runs: the exchange still ends, and is logged.
        TLD100Protocol gone;
        ConfigureLD100(gone, line.Port);
        gone.SetName("LD100Gone");
        gone.SetASCIIProtocol("rt");
        gone.Send();
    }
    ASSERT_TRUE(WaitUntil([&] { return line.Port.QueueLength() == 0; }, 3000));

    std::vector<TCommLogEntry> entries = log->Take().Entries;
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].Component, "LD100TypeInfo");
    EXPECT_EQ(entries[0].Command, "rt\r");
    EXPECT_EQ(entries[0].Reply, "rt KX71\r\n");
    EXPECT_EQ(entries[0].Error, TCommError{});
    EXPECT_EQ(entries[1].Command, "rf\r");
    EXPECT_EQ(entries[1].Error.Code, CommCode::Timeout);
    EXPECT_TRUE(entries[1].Reply.empty());
    EXPECT_GE(entries[1].DurationMs, 90.0); // the 100 ms wait for a first byte
    // Three attempts, one entry: the outcome and the bytes of the last attempt.
    EXPECT_EQ(entries[2].Error.Code, CommCode::LineError);
    EXPECT_EQ(entries[2].Error.LineErrors, static_cast<int32_t>(CE_FRAME));
    EXPECT_EQ(entries[2].Reply.substr(0, 3), "rp ");
    EXPECT_EQ(line.Device->Written().size(), 6u);
    EXPECT_EQ(entries[3].Component, "LD100Gone");
    EXPECT_EQ(entries[3].Reply, "rt KX71\r\n");
    for (const TCommLogEntry& entry : entries)
        EXPECT_LE(entry.Time, std::chrono::system_clock::now());

    // Without a log the port records nothing.
    line.Port.SetLog(nullptr);
    ASSERT_TRUE(line.Exchange("rt"));
    EXPECT_TRUE(log->Take().Entries.empty());
}

TEST(PortLog, ARunawayReplyIsKeptAsItsBeginning) {
    TFakeLine line;
    auto log = std::make_shared<TCommLog>();
    line.Port.SetLog(log);
    line.Device->Responder = [&](const std::string&) {
        line.Device->Reply(std::string(TCommLog::ReplyKept + 10, 'a') + "\r\n");
    };
    ASSERT_TRUE(line.Exchange("rt"));
    std::vector<TCommLogEntry> entries = log->Take().Entries;
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Reply, std::string(TCommLog::ReplyKept, 'a'));
    EXPECT_TRUE(entries[0].ReplyCut);
    // The component's own reply is whole.
    EXPECT_EQ(line.Log.Results[0].size(), TCommLog::ReplyKept + 12);
}

TEST(CommLogWriter, StreamsEveryLineAndReportsAFailedWrite) {
    auto log = std::make_shared<TCommLog>();
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    {
        TCommLogWriter writer(log, file, 1, std::chrono::milliseconds(5));
        std::thread adder([&log] {
            for (int i = 0; i < 300; ++i)
                log->Add(Entry("C" + std::to_string(i)));
        });
        adder.join();
        EXPECT_EQ(writer.Finish(), 0);
    }
    std::rewind(file);
    std::string text;
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, file))
        text.append(buffer, n);
    std::fclose(file);
    std::istringstream lines(text);
    std::string linetext;
    int count = 0;
    while (std::getline(lines, linetext)) {
        EXPECT_NE(linetext.find("  C" + std::to_string(count) + " "), std::string::npos)
            << linetext;
        ++count;
    }
    EXPECT_EQ(count, 300);

    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    TCommLogWriter failing(log, full, 1);
    log->Add(Entry("x"));
    EXPECT_EQ(failing.Finish(), ENOSPC);
    std::fclose(full);
}
