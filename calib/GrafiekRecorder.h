#pragma once
// The log graph's recording: one live quantity requested over and over (each request sent when
// the previous one completes), every reply stored as a time-stamped sample in a buffer of 4001
// slots. The window and kq9ctl log both record through this class.
//
// Only one request is ever out. Stopping does not cut it short: the recording ends at once, the
// request's reply is dropped when it comes, and a new recording started meanwhile carries on
// from that request instead of queueing a second one.

#include "calib/GrafiekSources.h"
#include "comm/CommTypes.h"
#include "comm/LD100Protocol.h"
#include "comm/MemoryStream.h"

#include <array>
#include <cstdint>
#include <functional>

class TLBComm;

struct TLogBuffer {
    std::array<int32_t, LogSlotCount> Values{};
    // Milliseconds since slot 0 was filled.
    std::array<int32_t, LogSlotCount> Times{};
    // Whether the slot's reply held a number; a slot whose reply did not keeps value 0.
    std::array<bool, LogSlotCount> Read{};
    // The newest sample's slot: -1 while a recording waits for its first reply, 0 before any
    // recording.
    int Newest = 0;
    // How many samples the buffer holds (0 … 4001).
    int Count = 0;
    // The clock's reading when slot 0 was filled.
    int64_t StartTick = 0;
    // The source recorded (index into LogSources), which the samples' decimals follow even when
    // the window's source list has moved on since.
    int Source = 0;

    // Empties the buffer for a new recording.
    void Clear();
};

// Why a recording ended.
enum class TLogEnd {
    Running,   // recording, or nothing recorded yet
    Stopped,   // stopped by the user or by the window's closing
    Full,      // the 4001st sample filled the last slot
    Timeout,   // a request got no reply
    CommError, // a line or system error
    Other,     // another failure of the exchange, or the port closed
};

// A monotonic clock in milliseconds.
int64_t MonotonicMs();

class TGrafiekRecorder {
public:
    // Replies of more than this many bytes are not read.
    static constexpr size_t ReplyLimit = 50;
    static constexpr int RequestTimeoutMs = 300;

    explicit TGrafiekRecorder(TLBComm* port, std::function<int64_t()> clock = MonotonicMs);

    TLD100Protocol LD100LeesLogData;
    TLogBuffer Buffer;

    // Empties the buffer and starts requesting source `source` (0 … 6) cyclically.
    void Start(int source);
    // Ends the recording; the samples stay.
    void Stop();
    bool Recording() const { return FRecording; }
    TLogEnd End() const { return FEnd; }
    // The failure of a recording that ended with Timeout, CommError or Other.
    const TCommError& LastError() const { return FLastError; }
    // A request of this recorder is still out (its reply will be dropped when not recording).
    bool RequestOut() const { return FRequestOut; }

    // A sample was stored in Buffer.Newest.
    std::function<void()> OnSample;
    // The recording ended by itself (full buffer, failure, port closed); not called for Stop.
    std::function<void(TLogEnd end)> OnEnd;

    void LD100LeesLogDataCommResult(TMemoryStream& result);
    void LD100LeesLogDataCommError(const TCommError& error);

private:
    void StoreSample(const TMemoryStream& result);
    void EndRecording(TLogEnd end);
    // The port closed: nothing is out any more.
    void PortClosed();

    std::function<int64_t()> FClock;
    bool FRecording = false;
    bool FRequestOut = false;
    // The outstanding reply belongs to a recording that has been stopped.
    bool FDropReply = false;
    TLogEnd FEnd = TLogEnd::Running;
    TCommError FLastError;
};
