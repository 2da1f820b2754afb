#include "SoakDevice.h"

#include "SoakWatchdog.h"

#include "comm/PosixSerialDevice.h"

namespace kq9soak {

namespace {

class TWatchedDevice : public TSerialDevice {
public:
    explicit TWatchedDevice(TDeviceLog& log) : FLog(log) {}

    int CreateFile(const std::string& path) override { return FDevice.CreateFile(path); }
    int SetupComm(uint32_t in, uint32_t out) override { return FDevice.SetupComm(in, out); }
    int GetCommState(TDcb& dcb) override { return FDevice.GetCommState(dcb); }
    int SetCommState(const TDcb& dcb) override { return FDevice.SetCommState(dcb); }
    int GetCommTimeouts(TCommTimeouts& t) override { return FDevice.GetCommTimeouts(t); }
    int SetCommTimeouts(const TCommTimeouts& t) override { return FDevice.SetCommTimeouts(t); }
    int PurgeComm(uint32_t flags) override { return FDevice.PurgeComm(flags); }
    int ReadFile(uint8_t* buffer, uint32_t count, uint32_t& read) override {
        return FDevice.ReadFile(buffer, count, read);
    }
    int WriteFile(const uint8_t* buffer, uint32_t count, uint32_t& written) override {
        FLog.Written(buffer, count);
        return FDevice.WriteFile(buffer, count, written);
    }
    int FlushFileBuffers() override { return FDevice.FlushFileBuffers(); }
    int ClearCommError(uint32_t& errors) override { return FDevice.ClearCommError(errors); }
    int CloseHandle() override { return FDevice.CloseHandle(); }
    void CancelIo() override { FDevice.CancelIo(); }

private:
    TDeviceLog& FLog;
    TPosixSerialDevice FDevice;
};

constexpr size_t RecentCommands = 40;

} // namespace

void TDeviceLog::Written(const uint8_t* data, uint32_t count) {
    int64_t now = NowMs();
    FLastWriteMs = now;
    ++FWrites;
    std::string command(reinterpret_cast<const char*>(data), count);
    while (!command.empty() && (command.back() == '\r' || command.back() == '\n'))
        command.pop_back();
    std::lock_guard lock(FMutex);
    FRecent.push_back(std::to_string(now % 100000) + " " + command);
    if (FRecent.size() > RecentCommands)
        FRecent.pop_front();
}

std::string TDeviceLog::Recent() const {
    std::lock_guard lock(FMutex);
    std::string text;
    for (const std::string& line : FRecent)
        text += "    " + line + '\n';
    return text;
}

std::string TDeviceLog::LastCommand() const {
    std::lock_guard lock(FMutex);
    return FRecent.empty() ? std::string() : FRecent.back().substr(FRecent.back().find(' ') + 1);
}

TSerialDeviceFactory WatchedDeviceFactory(TDeviceLog& log) {
    return [&log] { return std::make_shared<TWatchedDevice>(log); };
}

} // namespace kq9soak
