#include "sim/SimSerialDevice.h"

#include "comm/CommTypes.h"

#include <algorithm>
#include <cerrno>

TSimSerialDevice::TSimSerialDevice(std::shared_ptr<TSimLine> line) : FLine(std::move(line)) {}

TSerialDeviceFactory TSimSerialDevice::Factory(std::shared_ptr<TSimLine> line) {
    return [line] { return std::make_shared<TSimSerialDevice>(line); };
}

int TSimSerialDevice::CreateFile(const std::string&) {
    std::lock_guard lock(FMutex);
    if (FOpen)
        return EBUSY;
    FOpen = true;
    return 0;
}

int TSimSerialDevice::SetupComm(uint32_t, uint32_t) {
    std::lock_guard lock(FMutex);
    return FOpen ? 0 : EBADF;
}

int TSimSerialDevice::GetCommState(TDcb& dcb) {
    std::lock_guard lock(FMutex);
    if (!FOpen)
        return EBADF;
    dcb = FDcb;
    return 0;
}

int TSimSerialDevice::SetCommState(const TDcb& dcb) {
    std::lock_guard lock(FMutex);
    if (!FOpen)
        return EBADF;
    if (dcb.BaudRate == 0 || (dcb.ByteSize != 7 && dcb.ByteSize != 8) || dcb.Parity > EVENPARITY ||
        (dcb.StopBits != ONESTOPBIT && dcb.StopBits != TWOSTOPBITS))
        return EINVAL;
    FDcb = dcb;
    return 0;
}

int TSimSerialDevice::GetCommTimeouts(TCommTimeouts& timeouts) {
    std::lock_guard lock(FMutex);
    timeouts = FTimeouts;
    return FOpen ? 0 : EBADF;
}

int TSimSerialDevice::SetCommTimeouts(const TCommTimeouts& timeouts) {
    std::lock_guard lock(FMutex);
    FTimeouts = timeouts;
    return FOpen ? 0 : EBADF;
}

int TSimSerialDevice::PurgeComm(uint32_t flags) {
    std::lock_guard lock(FMutex);
    if (!FOpen)
        return EBADF;
    auto now = TClock::now();
    if (Dropped(now))
        return ERROR_OPERATION_ABORTED;
    // Bytes still on their way from a unit are not in the queue yet and arrive later.
    if (flags & PURGE_RXCLEAR) {
        Settle(now);
        FReceived.clear();
    }
    return 0;
}

std::chrono::nanoseconds TSimSerialDevice::ByteTime() const {
    int64_t bits = 1 + FDcb.ByteSize + (FDcb.Parity != NOPARITY ? 1 : 0) +
                   (FDcb.StopBits == TWOSTOPBITS ? 2 : 1);
    return std::chrono::nanoseconds(bits * 1'000'000'000 / FDcb.BaudRate);
}

void TSimSerialDevice::Schedule(const TSimReply& reply) {
    // A unit starts to answer once the command is complete, and after its previous answer.
    auto at = FTransmitEnd;
    if (!FInFlight.empty())
        at = std::max(at, FInFlight.back().At);
    at += std::chrono::milliseconds(reply.FirstByteDelayMs);
    const auto byteTime = ByteTime();
    for (size_t i = 0; i < reply.Bytes.size(); ++i) {
        if (i > 0 && reply.ChunkSize > 0 && i % static_cast<size_t>(reply.ChunkSize) == 0)
            at += std::chrono::milliseconds(reply.ChunkGapMs);
        at += byteTime;
        FInFlight.push_back({at, static_cast<uint8_t>(reply.Bytes[i]), reply.LineErrors, false});
    }
    // Far more than any reader takes; the next command ends it.
    constexpr int EndlessBytes = 16384;
    for (int i = 0; reply.Endless && i < EndlessBytes; ++i) {
        at += byteTime;
        FInFlight.push_back({at, '.', reply.LineErrors, true});
    }
    if (reply.DropLineAfterMs >= 0) {
        auto dropAt = at + std::chrono::milliseconds(reply.DropLineAfterMs);
        FDropAt = FDropAt ? std::min(*FDropAt, dropAt) : dropAt;
    }
}

void TSimSerialDevice::Settle(TClock::time_point now) {
    while (!FInFlight.empty() && FInFlight.front().At <= now && !Dropped(FInFlight.front().At)) {
        FReceived.push_back(FInFlight.front().Byte);
        FErrors |= FInFlight.front().Errors;
        FInFlight.pop_front();
    }
}

int TSimSerialDevice::ReadFile(uint8_t* buffer, uint32_t count, uint32_t& read) {
    read = 0;
    std::unique_lock lock(FMutex);
    if (!FOpen)
        return EBADF;
    uint32_t waitMs = FTimeouts.ReadTotalTimeoutConstant;
    if (FTimeouts.ReadIntervalTimeout == MAXDWORD && FTimeouts.ReadTotalTimeoutMultiplier == 0)
        waitMs = 0;
    const auto deadline = TClock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        if (FCancelled)
            return ERROR_OPERATION_ABORTED;
        auto now = TClock::now();
        Settle(now);
        if (!FReceived.empty())
            break;
        if (Dropped(now))
            return ERROR_OPERATION_ABORTED;
        if (now >= deadline)
            return 0;
        auto wake = deadline;
        if (!FInFlight.empty())
            wake = std::min(wake, FInFlight.front().At);
        if (FDropAt)
            wake = std::min(wake, *FDropAt);
        FChanged.wait_until(lock, wake);
    }
    while (read < count && !FReceived.empty()) {
        buffer[read++] = FReceived.front();
        FReceived.pop_front();
    }
    return 0;
}

int TSimSerialDevice::WriteFile(const uint8_t* buffer, uint32_t count, uint32_t& written) {
    written = 0;
    std::lock_guard lock(FMutex);
    if (!FOpen)
        return EBADF;
    auto now = TClock::now();
    if (Dropped(now))
        return ERROR_OPERATION_ABORTED;
    FTransmitEnd = std::max(FTransmitEnd, now) + ByteTime() * count;
    for (const std::string& command : FReader.Feed(buffer, count)) {
        std::erase_if(FInFlight, [](const TArrival& arrival) { return arrival.Filler; });
        Schedule(FLine->Respond(command, FDcb, true));
    }
    written = count;
    FChanged.notify_all();
    return 0;
}

int TSimSerialDevice::FlushFileBuffers() {
    std::unique_lock lock(FMutex);
    if (!FOpen)
        return EBADF;
    FChanged.wait_until(lock, FTransmitEnd, [this] { return FCancelled; });
    return Dropped(TClock::now()) ? ERROR_OPERATION_ABORTED : 0;
}

int TSimSerialDevice::ClearCommError(uint32_t& errors) {
    std::lock_guard lock(FMutex);
    if (!FOpen)
        return EBADF;
    Settle(TClock::now());
    errors = FErrors;
    FErrors = 0;
    return 0;
}

int TSimSerialDevice::CloseHandle() {
    std::lock_guard lock(FMutex);
    FOpen = false;
    FCancelled = false;
    FInFlight.clear();
    FReceived.clear();
    FErrors = 0;
    FDropAt.reset();
    FChanged.notify_all();
    return 0;
}

void TSimSerialDevice::CancelIo() {
    std::lock_guard lock(FMutex);
    FCancelled = true;
    FChanged.notify_all();
}
