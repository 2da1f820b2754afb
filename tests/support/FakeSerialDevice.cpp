#include "support/FakeSerialDevice.h"

#include "comm/CommTypes.h"

#include <cerrno>

void TFakeSerialDevice::Reply(const std::string& bytes, int delayMs, int gapMs, int errorIndex,
                              uint32_t errorMask) {
    std::lock_guard lock(FMutex);
    auto due = Clock::now() + std::chrono::milliseconds(delayMs);
    for (size_t i = 0; i < bytes.size(); ++i) {
        uint32_t errors = static_cast<int>(i) == errorIndex ? errorMask : 0;
        FInput.push_back({due, static_cast<uint8_t>(bytes[i]), errors});
        due += std::chrono::milliseconds(gapMs);
    }
    FChanged.notify_all();
}

std::vector<std::string> TFakeSerialDevice::Written() {
    std::lock_guard lock(FMutex);
    return FWritten;
}

int TFakeSerialDevice::DcbWrites() {
    std::lock_guard lock(FMutex);
    return FDcbWrites;
}

TDcb TFakeSerialDevice::LastDcb() {
    std::lock_guard lock(FMutex);
    return FDcb;
}

int TFakeSerialDevice::CreateFile(const std::string& path) {
    std::lock_guard lock(FMutex);
    OpenedPath = path;
    FCancelled = false; // the same fake serves every opening of a port
    return FailCreate;
}

int TFakeSerialDevice::GetCommState(TDcb& dcb) {
    std::lock_guard lock(FMutex);
    dcb = FDcb;
    return 0;
}

int TFakeSerialDevice::SetCommState(const TDcb& dcb) {
    std::lock_guard lock(FMutex);
    if (FailSetCommState != 0)
        return FailSetCommState;
    if (RefusedBaudRate != 0 && dcb.BaudRate == RefusedBaudRate)
        return EINVAL;
    FDcb = dcb;
    ++FDcbWrites;
    return 0;
}

int TFakeSerialDevice::GetCommTimeouts(TCommTimeouts& timeouts) {
    std::lock_guard lock(FMutex);
    timeouts = FTimeouts;
    return 0;
}

int TFakeSerialDevice::SetCommTimeouts(const TCommTimeouts& timeouts) {
    std::lock_guard lock(FMutex);
    FTimeouts = timeouts;
    return 0;
}

int TFakeSerialDevice::PurgeComm(uint32_t flags) {
    std::lock_guard lock(FMutex);
    if (flags & PURGE_RXCLEAR) {
        // Only what has already arrived is thrown away; scheduled bytes are still on the way.
        auto now = Clock::now();
        while (!FInput.empty() && FInput.front().Due <= now)
            FInput.pop_front();
    }
    return 0;
}

int TFakeSerialDevice::ReadFile(uint8_t* buffer, uint32_t count, uint32_t& read) {
    read = 0;
    std::unique_lock lock(FMutex);
    auto deadline = Clock::now() + std::chrono::milliseconds(FTimeouts.ReadTotalTimeoutConstant);
    for (;;) {
        if (FCancelled || Vanish)
            return ERROR_OPERATION_ABORTED;
        auto now = Clock::now();
        if (!FInput.empty() && FInput.front().Due <= now)
            break;
        auto wakeAt = deadline;
        if (!FInput.empty() && FInput.front().Due < wakeAt)
            wakeAt = FInput.front().Due;
        if (now >= deadline && (FInput.empty() || FInput.front().Due > deadline))
            return 0;
        FChanged.wait_until(lock, wakeAt);
    }
    auto now = Clock::now();
    while (read < count && !FInput.empty() && FInput.front().Due <= now) {
        buffer[read++] = FInput.front().Value;
        FPendingErrors |= FInput.front().Errors;
        FInput.pop_front();
    }
    return 0;
}

int TFakeSerialDevice::WriteFile(const uint8_t* buffer, uint32_t count, uint32_t& written) {
    std::function<void(const std::string&)> responder;
    std::string frame(reinterpret_cast<const char*>(buffer), count);
    {
        std::lock_guard lock(FMutex);
        if (FailWrites > 0) {
            --FailWrites;
            written = 0;
            return EIO;
        }
        FWritten.push_back(frame);
        written = count;
        responder = Responder;
    }
    if (responder)
        responder(frame);
    return 0;
}

int TFakeSerialDevice::ClearCommError(uint32_t& errors) {
    std::lock_guard lock(FMutex);
    errors = FPendingErrors;
    FPendingErrors = 0;
    return 0;
}

void TFakeSerialDevice::CancelIo() {
    std::lock_guard lock(FMutex);
    FCancelled = true;
    FChanged.notify_all();
}
