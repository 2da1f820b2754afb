#pragma once
// The communication log: one entry for every exchange a port performs (when it began, which
// component asked, the bytes that went out, the bytes that came back or why it failed, and how
// long it took). The port's worker adds the entries; a reader (the log window, kq9ctl --log)
// takes them on its own schedule. The buffer is bounded: when the reader falls behind, the
// oldest entries go and are counted, so the worker never waits for the reader and memory stays
// bounded however long the line runs.

#include "comm/CommTypes.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

struct TCommLogEntry {
    std::chrono::system_clock::time_point Time; // when the request went out
    std::string Component;                      // the requesting component's name
    std::string Command;                        // the request frame's bytes as sent
    std::string Reply;                          // the bytes received, at most ReplyKept
    bool ReplyCut = false;                      // more bytes came than Reply holds
    TCommError Error;
    double DurationMs = 0; // from the request going out to the end of its reply
};

class TCommLog {
public:
    static constexpr size_t DefaultCapacity = 4096;
    // Enough for any real reply; a runaway reply of 4 KB is kept as its beginning.
    static constexpr size_t ReplyKept = 256;

    explicit TCommLog(size_t capacity = DefaultCapacity);
    TCommLog(const TCommLog&) = delete;
    TCommLog& operator=(const TCommLog&) = delete;

    // Any thread. A full buffer drops its oldest entry.
    void Add(TCommLogEntry entry);

    struct TTaken {
        std::vector<TCommLogEntry> Entries; // oldest first
        uint64_t Dropped = 0;               // entries lost to a full buffer since the last Take
    };
    // Any thread: everything held, which leaves the buffer empty.
    TTaken Take();
    // Any thread: forgets what is held and the count of lost entries.
    void Clear();
    size_t Capacity() const { return FCapacity; }

private:
    const size_t FCapacity;
    std::mutex FMutex;
    std::deque<TCommLogEntry> FEntries;
    uint64_t FDropped = 0;
};

// Bytes as printable ASCII: CR, LF and TAB as \r, \n, \t, a backslash doubled, every other
// byte outside 0x20 … 0x7E as \xHH.
std::string EscapeBytes(std::string_view bytes);
// An exchange's failure in the library's texts of `language` (1 English, 2 German), its code
// first: "[1070h] Timeout error!".
std::string CommErrorDescription(const TCommError& error, uint8_t language);
// One line of the log, without a line end: local time with milliseconds, component, command,
// reply or failure, duration. Columns are padded so that a run of lines reads as a table.
std::string CommLogLine(const TCommLogEntry& entry, uint8_t language);
