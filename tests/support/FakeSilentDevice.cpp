#include "support/FakeSilentDevice.h"

#include "comm/CommTypes.h"

int TSilentDevice::CreateFile(const std::string& path) {
    std::lock_guard lock(FMutex);
    FCancelled = false;
    return TFakeSerialDevice::CreateFile(path);
}

int TSilentDevice::ReadFile(uint8_t*, uint32_t, uint32_t& read) {
    read = 0;
    std::unique_lock lock(FMutex);
    FChanged.wait(lock, [this] { return FCancelled; });
    return ERROR_OPERATION_ABORTED;
}

void TSilentDevice::CancelIo() {
    TFakeSerialDevice::CancelIo();
    std::lock_guard lock(FMutex);
    FCancelled = true;
    FChanged.notify_all();
}
