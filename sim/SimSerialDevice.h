#pragma once
// The simulated line behind the serial device interface, in the same process: no pty, and the
// line sees every setting, so a unit addressed at the wrong parity or data bits answers with
// garbage and line errors as real hardware would. Bytes take the time the line rate gives them,
// replies arrive when the unit sends them, and reads wait with the same time-outs as the POSIX
// device. Every operation may be called from any thread.

#include "comm/SerialDevice.h"
#include "sim/SimCommandReader.h"
#include "sim/SimLine.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

class TSimSerialDevice : public TSerialDevice {
public:
    explicit TSimSerialDevice(std::shared_ptr<TSimLine> line);

    // A factory for TLBComm: each opening of the port gets a fresh device on `line`.
    static TSerialDeviceFactory Factory(std::shared_ptr<TSimLine> line);

    // The path is not looked at: the device always reaches its line.
    int CreateFile(const std::string& path) override;
    int SetupComm(uint32_t inQueue, uint32_t outQueue) override;
    int GetCommState(TDcb& dcb) override;
    int SetCommState(const TDcb& dcb) override;
    int GetCommTimeouts(TCommTimeouts& timeouts) override;
    int SetCommTimeouts(const TCommTimeouts& timeouts) override;
    int PurgeComm(uint32_t flags) override;
    int ReadFile(uint8_t* buffer, uint32_t count, uint32_t& read) override;
    int WriteFile(const uint8_t* buffer, uint32_t count, uint32_t& written) override;
    int FlushFileBuffers() override;
    int ClearCommError(uint32_t& errors) override;
    int CloseHandle() override;
    void CancelIo() override;

private:
    using TClock = std::chrono::steady_clock;
    struct TArrival {
        TClock::time_point At;
        uint8_t Byte;
        uint32_t Errors;
        bool Filler; // of an endless reply: the unit stops sending it when it hears a command
    };

    std::chrono::nanoseconds ByteTime() const;
    void Schedule(const TSimReply& reply);
    // Moves the bytes whose time has come into the receive queue.
    void Settle(TClock::time_point now);
    bool Dropped(TClock::time_point now) const { return FDropAt && now >= *FDropAt; }

    std::shared_ptr<TSimLine> FLine;
    std::mutex FMutex;
    std::condition_variable FChanged;
    bool FOpen = false;
    bool FCancelled = false;
    TDcb FDcb;
    TCommTimeouts FTimeouts;
    TSimCommandReader FReader;
    TClock::time_point FTransmitEnd{};
    std::deque<TArrival> FInFlight;
    std::deque<uint8_t> FReceived;
    uint32_t FErrors = 0;
    std::optional<TClock::time_point> FDropAt;
};
