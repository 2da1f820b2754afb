#pragma once
// A device on which the first request stays under way until the port closes: tests open a port
// on it so that their components have a request pending, and hand the replies to the components'
// events themselves.

#include "support/FakeSerialDevice.h"

#include <condition_variable>
#include <mutex>

class TSilentDevice : public TFakeSerialDevice {
public:
    int CreateFile(const std::string& path) override;
    int ReadFile(uint8_t*, uint32_t, uint32_t& read) override;
    void CancelIo() override;

private:
    std::mutex FMutex;
    std::condition_variable FChanged;
    bool FCancelled = false;
};
