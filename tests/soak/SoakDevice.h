#pragma once
// The serial device the soak gives the program: the real POSIX device, watched. It keeps the
// time of the last request written (a request that never completes shows as a write long past
// while the port's queue is not empty) and the last commands with their times, for the report
// of a failure.

#include "comm/SerialDevice.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

namespace kq9soak {

class TDeviceLog {
public:
    void Written(const uint8_t* data, uint32_t count);
    int64_t LastWriteMs() const { return FLastWriteMs.load(); }
    // The last commands, oldest first, each with its time in ms since the soak began.
    std::string Recent() const;
    std::string LastCommand() const;
    int64_t Writes() const { return FWrites.load(); }

private:
    std::atomic<int64_t> FLastWriteMs{0};
    std::atomic<int64_t> FWrites{0};
    mutable std::mutex FMutex;
    std::deque<std::string> FRecent;
};

// A factory for TLBComm: each opening gets a watched POSIX device.
TSerialDeviceFactory WatchedDeviceFactory(TDeviceLog& log);

} // namespace kq9soak
