#pragma once
// A scripted serial device for tests of the port and its worker: it records what is written,
// answers through a responder that schedules reply bytes with delays and line errors, and can be
// told to fail any call or to vanish.

#include "comm/SerialDevice.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class TFakeSerialDevice : public TSerialDevice {
public:
    using Clock = std::chrono::steady_clock;

    // Called (on the worker thread) with every written frame; schedules the answer.
    std::function<void(const std::string& written)> Responder;

    // Schedules reply bytes: the first after delayMs from now, the others each gapMs later.
    // errorMask is reported by ClearCommError once the byte at errorIndex has been read.
    void Reply(const std::string& bytes, int delayMs = 0, int gapMs = 0, int errorIndex = -1,
               uint32_t errorMask = 0);
    std::vector<std::string> Written();
    int DcbWrites();
    TDcb LastDcb();

    // Knobs: the next calls of these kinds fail with the given errno.
    int FailCreate = 0;
    int FailSetCommState = 0;
    uint32_t RefusedBaudRate = 0; // SetCommState fails with EINVAL for this rate
    int FailWrites = 0;      // number of writes that fail with EIO
    std::atomic<bool> Vanish{false}; // every read fails with 995; may change while open
    int FailClose = 0;       // CloseHandle fails with this errno
    std::string OpenedPath;

    int CreateFile(const std::string& path) override;
    int SetupComm(uint32_t, uint32_t) override { return 0; }
    int GetCommState(TDcb& dcb) override;
    int SetCommState(const TDcb& dcb) override;
    int GetCommTimeouts(TCommTimeouts& timeouts) override;
    int SetCommTimeouts(const TCommTimeouts& timeouts) override;
    int PurgeComm(uint32_t flags) override;
    int ReadFile(uint8_t* buffer, uint32_t count, uint32_t& read) override;
    int WriteFile(const uint8_t* buffer, uint32_t count, uint32_t& written) override;
    int FlushFileBuffers() override { return 0; }
    int ClearCommError(uint32_t& errors) override;
    int CloseHandle() override { return FailClose; }
    void CancelIo() override;

private:
    struct TByte {
        Clock::time_point Due;
        uint8_t Value;
        uint32_t Errors;
    };
    std::mutex FMutex;
    std::condition_variable FChanged;
    std::deque<TByte> FInput;
    std::vector<std::string> FWritten;
    TCommTimeouts FTimeouts;
    TDcb FDcb;
    int FDcbWrites = 0;
    uint32_t FPendingErrors = 0;
    bool FCancelled = false;
};
