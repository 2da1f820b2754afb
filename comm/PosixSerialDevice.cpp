#include "comm/PosixSerialDevice.h"

#include "comm/CommTypes.h"
#include "comm/Termios2.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A device that went away: the port is unusable for the rest of this opening.
bool Vanished(int error) { return error == EIO || error == ENXIO || error == ENODEV; }

using Clock = std::chrono::steady_clock;

} // namespace

TPosixSerialDevice::~TPosixSerialDevice() { CloseHandle(); }

int TPosixSerialDevice::CreateFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return error;
    }
    // Keeps other openers out even when they ignore flock (root still gets through this one).
    ::ioctl(fd, TIOCEXCL);
    int cancelFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (cancelFd < 0) {
        int error = errno;
        ::close(fd);
        return error;
    }
    FFd = fd;
    FCancelFd = cancelFd;
    SetRawMode(fd); // nothing echoes or gets translated before the line is configured
    // USB adapters otherwise hold received bytes back for up to 16 ms; best effort.
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &serial);
    }
    FHasCounters = ReadCounters(FCounters);
    return 0;
}

int TPosixSerialDevice::SetupComm(uint32_t, uint32_t) {
    // The kernel's tty buffers have a fixed size; there is nothing to set.
    return FFd < 0 ? EBADF : 0;
}

int TPosixSerialDevice::GetCommState(TDcb& dcb) { return GetLineSettings(FFd, dcb); }

int TPosixSerialDevice::SetCommState(const TDcb& dcb) {
    if (int error = SetLineSettings(FFd, dcb); error != 0)
        return error;
    FParityEnabled = dcb.Parity != NOPARITY;
    return 0;
}

int TPosixSerialDevice::GetCommTimeouts(TCommTimeouts& timeouts) {
    timeouts = FTimeouts;
    return FFd < 0 ? EBADF : 0;
}

int TPosixSerialDevice::SetCommTimeouts(const TCommTimeouts& timeouts) {
    FTimeouts = timeouts;
    return FFd < 0 ? EBADF : 0;
}

int TPosixSerialDevice::PurgeComm(uint32_t flags) {
    int queue = (flags & PURGE_RXCLEAR) && (flags & PURGE_TXCLEAR) ? TCIOFLUSH
                : (flags & PURGE_RXCLEAR)                          ? TCIFLUSH
                : (flags & PURGE_TXCLEAR)                          ? TCOFLUSH
                                                                   : -1;
    if (queue < 0)
        return 0;
    if (::tcflush(FFd, queue) != 0)
        return Vanished(errno) ? ERROR_OPERATION_ABORTED : errno;
    if (flags & PURGE_RXCLEAR)
        FDecoder.Clear();
    return 0;
}

// Waits until the descriptor is readable: 0 and true readiness, ETIMEDOUT, or 995 when the
// wait was cancelled or the device went away.
int TPosixSerialDevice::WaitReadable(int timeoutMs) {
    pollfd fds[2] = {{FFd, POLLIN, 0}, {FCancelFd, POLLIN, 0}};
    int result = ::poll(fds, 2, timeoutMs);
    if (result < 0)
        return errno == EINTR ? EINTR : errno;
    if (result == 0)
        return ETIMEDOUT;
    if (fds[1].revents)
        return ERROR_OPERATION_ABORTED;
    if (fds[0].revents & POLLIN)
        return 0;
    return ERROR_OPERATION_ABORTED; // POLLHUP, POLLERR, POLLNVAL
}

// In raw mode a read with nothing waiting returns 0; after poll() reported the descriptor
// readable, 0 means the other end is gone.
int TPosixSerialDevice::FillFromDescriptor(bool afterReadiness) {
    uint8_t raw[512];
    ssize_t n = ::read(FFd, raw, sizeof raw);
    if (n > 0) {
        FDecoder.Feed(raw, static_cast<size_t>(n), FParityEnabled);
        return 0;
    }
    if (n == 0)
        return afterReadiness ? ERROR_OPERATION_ABORTED : 0;
    if (errno == EAGAIN || errno == EINTR)
        return 0;
    return Vanished(errno) ? ERROR_OPERATION_ABORTED : errno;
}

int TPosixSerialDevice::ReadFile(uint8_t* buffer, uint32_t count, uint32_t& read) {
    read = 0;
    if (FFd < 0)
        return EBADF;
    uint32_t waitMs = FTimeouts.ReadTotalTimeoutConstant;
    if (FTimeouts.ReadIntervalTimeout == MAXDWORD && FTimeouts.ReadTotalTimeoutMultiplier == 0)
        waitMs = 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    auto& bytes = FDecoder.Bytes();
    bool readable = false;
    for (;;) {
        // Take what is already in the kernel's buffer before judging the deadline.
        int fill = FillFromDescriptor(readable);
        if (fill != 0)
            return fill;
        if (!bytes.empty())
            break;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return 0;
        int wait = WaitReadable(static_cast<int>(left.count()) + 1);
        readable = wait == 0;
        if (wait == ETIMEDOUT) {
            if (Clock::now() >= deadline)
                return 0;
            continue;
        }
        if (wait != 0 && wait != EINTR)
            return wait;
    }
    while (read < count && !bytes.empty()) {
        buffer[read++] = bytes.front();
        bytes.pop_front();
    }
    return 0;
}

int TPosixSerialDevice::WriteFile(const uint8_t* buffer, uint32_t count, uint32_t& written) {
    written = 0;
    while (written < count) {
        ssize_t n = ::write(FFd, buffer + written, count - written);
        if (n > 0) {
            written += static_cast<uint32_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd fds[2] = {{FFd, POLLOUT, 0}, {FCancelFd, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0 && errno != EINTR)
                return errno;
            if (fds[1].revents || (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)))
                return ERROR_OPERATION_ABORTED;
            continue;
        }
        return n < 0 && !Vanished(errno) ? errno : ERROR_OPERATION_ABORTED;
    }
    return 0;
}

int TPosixSerialDevice::FlushFileBuffers() {
    if (::tcdrain(FFd) != 0)
        return Vanished(errno) ? ERROR_OPERATION_ABORTED : errno;
    return 0;
}

bool TPosixSerialDevice::ReadCounters(serial_icounter_struct& counters) {
    return ::ioctl(FFd, TIOCGICOUNT, &counters) == 0;
}

uint32_t TPosixSerialDevice::CounterErrors() {
    serial_icounter_struct now{};
    if (!ReadCounters(now))
        return 0;
    uint32_t errors = 0;
    if (now.frame != FCounters.frame)
        errors |= CE_FRAME;
    if (now.parity != FCounters.parity)
        errors |= CE_RXPARITY;
    if (now.overrun != FCounters.overrun)
        errors |= CE_OVERRUN;
    if (now.brk != FCounters.brk)
        errors |= CE_BREAK;
    if (now.buf_overrun != FCounters.buf_overrun)
        errors |= CE_RXOVER;
    FCounters = now;
    return errors;
}

int TPosixSerialDevice::ClearCommError(uint32_t& errors) {
    if (FFd < 0)
        return EBADF;
    // The marks in the data are taken out either way, but only a driver without counters needs
    // them as the error report: with counters they would add a guessed parity error to what the
    // driver counted exactly.
    uint32_t marked = FDecoder.TakeErrors();
    errors = FHasCounters ? CounterErrors() : marked;
    return 0;
}

int TPosixSerialDevice::CloseHandle() {
    if (FFd < 0)
        return 0;
    int result = ::close(FFd) == 0 ? 0 : errno;
    ::close(FCancelFd);
    FFd = FCancelFd = -1;
    return result;
}

void TPosixSerialDevice::CancelIo() {
    if (FCancelFd >= 0) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(FCancelFd, &one, sizeof one);
    }
}
