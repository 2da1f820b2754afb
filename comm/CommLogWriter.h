#pragma once
// Writes a communication log to a file as it fills: a thread of its own takes the entries every
// period and appends their lines, so neither the port's worker nor the thread that runs the
// exchanges ever waits for the disk.

#include "comm/CommLog.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

class TCommLogWriter {
public:
    // Starts writing the lines of `log` to `file` (kept open by the caller) in `language`.
    TCommLogWriter(std::shared_ptr<TCommLog> log, std::FILE* file, uint8_t language,
                   std::chrono::milliseconds period = std::chrono::milliseconds(100));
    ~TCommLogWriter();
    TCommLogWriter(const TCommLogWriter&) = delete;
    TCommLogWriter& operator=(const TCommLogWriter&) = delete;

    // Stops the thread after writing what the log still holds. 0, or the error number of the
    // first write that failed (the lines after it are not written).
    int Finish();

private:
    void Run();
    void WriteHeld();

    std::shared_ptr<TCommLog> FLog;
    std::FILE* FFile;
    uint8_t FLanguage;
    std::chrono::milliseconds FPeriod;
    std::mutex FMutex;
    std::condition_variable FWake;
    bool FStopping = false;
    int FError = 0; // the writer thread's until it has been joined
    std::thread FThread;
};

// The line that stands for entries a full buffer dropped.
std::string CommLogDroppedLine(uint64_t dropped);
