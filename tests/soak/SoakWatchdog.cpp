#include "SoakWatchdog.h"

#include "SoakDevice.h"

#include "comm/LBComm.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace kq9soak {

namespace {
constexpr int TickMs = 5;
}

int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

TWatchdog::TWatchdog(TLBComm& port, const TDeviceLog& device, int hangMs)
    : FPort(port), FDevice(device), FHangMs(hangMs), FLastTickMs(NowMs()) {
    FTimer.setTimerType(Qt::PreciseTimer);
    FTimer.setInterval(TickMs);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Tick(); });
    FTimer.start();
    FMonitor = std::thread([this] { Monitor(); });
}

TWatchdog::~TWatchdog() {
    FStopping = true;
    FMonitor.join();
}

std::shared_ptr<TProbe> TWatchdog::Watch(std::function<bool()> holds) {
    auto probe = std::make_shared<TProbe>();
    probe->Holds = std::move(holds);
    std::lock_guard lock(FMutex);
    FProbes.push_back(probe);
    return probe;
}

void TWatchdog::Forget(const std::shared_ptr<TProbe>& probe) {
    std::lock_guard lock(FMutex);
    std::erase(FProbes, probe);
}

void TWatchdog::SetActivity(const std::string& activity) {
    std::lock_guard lock(FMutex);
    FActivity = activity;
}

std::string TWatchdog::LongestBlockDuring() const {
    std::lock_guard lock(FMutex);
    return FLongestBlockDuring;
}

std::string TWatchdog::LongestRequestCommand() const {
    std::lock_guard lock(FMutex);
    return FLongestRequestCommand;
}

void TWatchdog::Tick() {
    int64_t now = NowMs();
    int64_t block = now - FLastTickMs.exchange(now);
    if (block > FLongestBlockMs) {
        FLongestBlockMs = block;
        std::lock_guard lock(FMutex);
        FLongestBlockDuring = FActivity;
    }
    std::vector<std::shared_ptr<TProbe>> probes;
    {
        std::lock_guard lock(FMutex);
        probes = FProbes;
    }
    for (const auto& probe : probes)
        if (!probe->Seen && probe->Holds())
            probe->Seen = true;
    FollowExchanges(now);
}

void TWatchdog::FollowExchanges(int64_t now) {
    if (!FPort.Active() || FPort.QueueLength() == 0) {
        FQueueBusySince = 0;
        return;
    }
    if (FQueueBusySince == 0)
        FQueueBusySince = now;
    int64_t age = now - std::max(FQueueBusySince, FDevice.LastWriteMs());
    if (age > FLongestRequestMs) {
        FLongestRequestMs = age;
        std::lock_guard lock(FMutex);
        FLongestRequestCommand = FDevice.LastCommand();
    }
}

void TWatchdog::Monitor() {
    while (!FStopping) {
        ::usleep(50'000);
        if (NowMs() - FLastTickMs > FHangMs) {
            std::string activity;
            {
                std::lock_guard lock(FMutex);
                activity = FActivity;
            }
            std::fprintf(stderr, "soak: HANG: the UI thread has not run for %d s (%s)\n",
                         FHangMs / 1000, activity.c_str());
            std::fflush(stderr);
            ::_exit(3);
        }
    }
}

} // namespace kq9soak
