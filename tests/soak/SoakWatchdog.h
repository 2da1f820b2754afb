#pragma once
// What the soak measures on the UI thread itself. A timer there ticks every 5 ms: the longest
// time between two ticks is the longest the UI thread was kept from its events; at each tick it
// also takes the looks the driver asked for (a transient text is seen there even when it shows
// for a moment only), and it follows every request of the port's components from being queued
// to being answered. A thread of its own ends the soak when the UI thread stops ticking
// altogether.

#include <QTimer>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TLBComm;

namespace kq9soak {

class TDeviceLog;

// A condition on the program's windows, taken on the UI thread until it held once.
struct TProbe {
    std::function<bool()> Holds;
    std::atomic<bool> Seen{false};
};

class TWatchdog {
public:
    // UI thread. `hangMs`: how long the UI thread may not tick before the soak is ended.
    TWatchdog(TLBComm& port, const TDeviceLog& device, int hangMs);
    ~TWatchdog();

    // Any thread: takes `holds` at every tick from now on until it holds.
    std::shared_ptr<TProbe> Watch(std::function<bool()> holds);
    void Forget(const std::shared_ptr<TProbe>& probe);
    // Any thread: what the soak is doing, for the report of the longest block.
    void SetActivity(const std::string& activity);

    // The longest time between two ticks, and what the soak was doing then.
    int64_t LongestBlockMs() const { return FLongestBlockMs.load(); }
    std::string LongestBlockDuring() const;
    // The longest time an exchange took, from the last write of its request, and its command.
    int64_t LongestRequestMs() const { return FLongestRequestMs.load(); }
    std::string LongestRequestCommand() const;

private:
    void Tick();
    void FollowExchanges(int64_t now);
    void Monitor();

    TLBComm& FPort;
    const TDeviceLog& FDevice;
    int64_t FQueueBusySince = 0;
    const int FHangMs;
    QTimer FTimer;
    std::atomic<int64_t> FLastTickMs;
    std::atomic<int64_t> FLongestBlockMs{0};
    std::atomic<int64_t> FLongestRequestMs{0};

    mutable std::mutex FMutex;
    std::vector<std::shared_ptr<TProbe>> FProbes;
    std::string FActivity;
    std::string FLongestBlockDuring;
    std::string FLongestRequestCommand;

    std::atomic<bool> FStopping{false};
    std::thread FMonitor;
};

// Milliseconds of the monotonic clock.
int64_t NowMs();

} // namespace kq9soak
