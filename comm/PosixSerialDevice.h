#pragma once
// The serial device on a POSIX tty: exclusive open (flock plus TIOCEXCL), raw mode with parity
// marking, all nine line rates, poll() deadlines on CLOCK_MONOTONIC, line errors from the
// driver's counters or from the parity marks, and an eventfd that cancels a waiting read.

#include "comm/ParmrkDecoder.h"
#include "comm/SerialDevice.h"

#include <atomic>
#include <linux/serial.h>

class TPosixSerialDevice : public TSerialDevice {
public:
    TPosixSerialDevice() = default;
    ~TPosixSerialDevice() override;

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

protected:
    // The driver's error counters; false when it keeps none (a pty, some USB adapters).
    virtual bool ReadCounters(serial_icounter_struct& counters);

private:
    int WaitReadable(int timeoutMs);
    int FillFromDescriptor(bool afterReadiness);
    uint32_t CounterErrors();

    int FFd = -1;
    int FCancelFd = -1;
    TCommTimeouts FTimeouts;
    TParmrkDecoder FDecoder;
    std::atomic<bool> FParityEnabled{false};
    bool FHasCounters = false;
    serial_icounter_struct FCounters{};
};
