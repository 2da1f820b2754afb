#include "support/PtyPeer.h"

#include "comm/Termios2.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace kq9test {

using Clock = std::chrono::steady_clock;

TPtyPeer::TPtyPeer() {
    FMaster = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (FMaster < 0 || ::grantpt(FMaster) != 0 || ::unlockpt(FMaster) != 0)
        throw std::runtime_error("no pty");
    FSlavePath = ::ptsname(FMaster);
    FSlave = ::open(FSlavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    ::tcgetattr(FSlave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(FSlave, TCSANOW, &tio);
}

TPtyPeer::~TPtyPeer() {
    Hangup();
    if (FSlave >= 0)
        ::close(FSlave);
}

std::string TPtyPeer::ReadRequest(int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        size_t cr = FPending.find('\r');
        if (cr != std::string::npos) {
            std::string request = FPending.substr(0, cr + 1);
            FPending.erase(0, cr + 1);
            return request;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || FMaster < 0)
            return {};
        pollfd fd{FMaster, POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(left.count())) <= 0 || !(fd.revents & POLLIN))
            continue;
        char buffer[256];
        ssize_t n = ::read(FMaster, buffer, sizeof buffer);
        if (n > 0)
            FPending.append(buffer, static_cast<size_t>(n));
    }
}

std::string TPtyPeer::ReadAll(int timeoutMs, int quietMs) {
    std::string all;
    std::swap(all, FPending);
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline && FMaster >= 0) {
        pollfd fd{FMaster, POLLIN, 0};
        if (::poll(&fd, 1, quietMs) <= 0 || !(fd.revents & POLLIN)) {
            if (!all.empty())
                break;
            continue;
        }
        char buffer[256];
        ssize_t n = ::read(FMaster, buffer, sizeof buffer);
        if (n <= 0)
            break;
        all.append(buffer, static_cast<size_t>(n));
    }
    return all;
}

void TPtyPeer::Write(const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size() && FMaster >= 0) {
        ssize_t n = ::write(FMaster, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR)
            return;
        if (n > 0)
            done += static_cast<size_t>(n);
    }
}

void TPtyPeer::Hangup() {
    if (FMaster >= 0) {
        ::close(FMaster);
        FMaster = -1;
    }
}

unsigned TPtyPeer::SlaveBaud() const {
    TDcb dcb;
    GetLineSettings(FSlave, dcb);
    return dcb.BaudRate;
}

bool TPtyPeer::SlaveTwoStopBits() const {
    termios tio{};
    ::tcgetattr(FSlave, &tio);
    return (tio.c_cflag & CSTOPB) != 0;
}

} // namespace kq9test
