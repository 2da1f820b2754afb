#include "comm/CommLogWriter.h"

#include <cerrno>
#include <string>

std::string CommLogDroppedLine(uint64_t dropped) {
    return "... " + std::to_string(dropped) +
           " exchanges are missing here: the log buffer was full";
}

TCommLogWriter::TCommLogWriter(std::shared_ptr<TCommLog> log, std::FILE* file, uint8_t language,
                               std::chrono::milliseconds period)
    : FLog(std::move(log)), FFile(file), FLanguage(language), FPeriod(period) {
    FThread = std::thread([this] { Run(); });
}

TCommLogWriter::~TCommLogWriter() {
    Finish();
}

int TCommLogWriter::Finish() {
    {
        std::lock_guard lock(FMutex);
        FStopping = true;
    }
    FWake.notify_all();
    if (FThread.joinable())
        FThread.join();
    return FError;
}

void TCommLogWriter::Run() {
    for (;;) {
        bool stopping = false;
        {
            std::unique_lock lock(FMutex);
            FWake.wait_for(lock, FPeriod, [this] { return FStopping; });
            stopping = FStopping;
        }
        // The last round takes what was added before the stop.
        WriteHeld();
        if (stopping)
            return;
    }
}

void TCommLogWriter::WriteHeld() {
    TCommLog::TTaken taken = FLog->Take();
    if (FError != 0 || (taken.Entries.empty() && taken.Dropped == 0))
        return;
    std::string text;
    if (taken.Dropped > 0)
        text += CommLogDroppedLine(taken.Dropped) + "\n";
    for (const TCommLogEntry& entry : taken.Entries)
        text += CommLogLine(entry, FLanguage) + "\n";
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), FFile) != text.size() || std::fflush(FFile) != 0)
        FError = errno != 0 ? errno : EIO;
}
