#include "sim/SimPtyServer.h"

#include "comm/Termios2.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

TSimPtyServer::TSimPtyServer(std::shared_ptr<TSimLine> line) : FLine(std::move(line)) {}

TSimPtyServer::~TSimPtyServer() {
    Stop();
}

int TSimPtyServer::Start() {
    if (FThread.joinable())
        return EBUSY;
    FStopping = FDropRequested = FDropped = false;
    FReader = TSimCommandReader{};
    int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0)
        return errno;
    char name[128];
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0) {
        int error = errno;
        ::close(master);
        return error;
    }
    int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        int error = errno;
        ::close(master);
        return error;
    }
    // Raw from the start, so that nothing the program sends is echoed back to it.
    SetRawMode(slave);
    int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0) {
        int error = errno;
        ::close(slave);
        ::close(master);
        return error;
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    FMaster = master;
    FSlave = slave;
    FWake = wake;
    FSlavePath = name;
    Link();
    FThread = std::thread([this] { Serve(); });
    return 0;
}

void TSimPtyServer::Stop() {
    if (FThread.joinable()) {
        FStopping = true;
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(FWake, &one, sizeof one);
        FThread.join();
    }
    CloseLine();
    Unlink();
    if (FWake >= 0) {
        ::close(FWake);
        FWake = -1;
    }
}

void TSimPtyServer::DropLine() {
    FDropRequested = true;
    if (FWake >= 0) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(FWake, &one, sizeof one);
    }
}

void TSimPtyServer::CloseLine() {
    if (FMaster >= 0) {
        ::close(FMaster);
        ::close(FSlave);
        FMaster = FSlave = -1;
    }
}

void TSimPtyServer::Link() {
    if (FLinkPath.empty())
        return;
    // Made beside the link and renamed over it, so that the path never names nothing while a
    // program looks for it.
    std::string temporary = FLinkPath + ".new";
    ::unlink(temporary.c_str());
    if (::symlink(FSlavePath.c_str(), temporary.c_str()) == 0 &&
        std::rename(temporary.c_str(), FLinkPath.c_str()) != 0)
        ::unlink(temporary.c_str());
}

void TSimPtyServer::Unlink() {
    if (!FLinkPath.empty())
        ::unlink(FLinkPath.c_str());
}

TDcb TSimPtyServer::SeenSettings() const {
    TDcb dcb;
    GetLineSettings(FSlave, dcb);
    return dcb;
}

bool TSimPtyServer::Pause(int ms) {
    if (ms > 0) {
        pollfd fd{FWake, POLLIN, 0};
        ::poll(&fd, 1, ms);
    }
    return !FStopping && !FDropRequested;
}

bool TSimPtyServer::WriteAll(const char* data, size_t count) {
    while (count > 0) {
        ssize_t n = ::write(FMaster, data, count);
        if (n > 0) {
            data += n;
            count -= static_cast<size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            // Nobody reads the slave and its input queue is full: wait for room.
            pollfd fds[2] = {{FMaster, POLLOUT, 0}, {FWake, POLLIN, 0}};
            ::poll(fds, 2, -1);
            if (fds[1].revents)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

bool TSimPtyServer::Send(const TSimReply& reply, bool more) {
    if (reply.Bytes.empty() && reply.DropLineAfterMs < 0 && !reply.Endless)
        return true;
    if (!Pause(reply.FirstByteDelayMs))
        return false;
    size_t chunk = reply.ChunkSize > 0 ? static_cast<size_t>(reply.ChunkSize) : reply.Bytes.size();
    for (size_t at = 0; at < reply.Bytes.size(); at += chunk) {
        if (at > 0 && !Pause(reply.ChunkGapMs))
            return false;
        if (!WriteAll(reply.Bytes.data() + at, std::min(chunk, reply.Bytes.size() - at)))
            return false;
    }
    if (reply.DropLineAfterMs >= 0) {
        Pause(reply.DropLineAfterMs);
        FDropRequested = true;
        return false;
    }
    return !reply.Endless || more || SendUntilCommand();
}

bool TSimPtyServer::SendUntilCommand() {
    // A piece every millisecond, some 64 000 bytes a second and far beyond any baud rate, so the
    // line is never quiet for long even when this thread runs late; but never more than `Ahead`
    // bytes the program has not read yet, so that the next command stops the stream within a
    // short reply's worth of bytes.
    constexpr int PieceMs = 1;
    constexpr int Ahead = 1024;
    static const std::string Piece(64, '.');
    for (;;) {
        pollfd fds[2] = {{FMaster, POLLIN, 0}, {FWake, POLLIN, 0}};
        if (::poll(fds, 2, PieceMs) < 0 && errno != EINTR)
            return false;
        if (fds[1].revents)
            return false;
        if (fds[0].revents & POLLIN)
            return true;
        if (fds[0].revents)
            return false; // the line went away
        int unread = 0;
        if (::ioctl(FSlave, FIONREAD, &unread) == 0 && unread >= Ahead)
            continue;
        ssize_t n = ::write(FMaster, Piece.data(), Piece.size());
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
    }
}

void TSimPtyServer::Serve() {
    while (!FStopping && !FDropRequested) {
        pollfd fds[2] = {{FMaster, POLLIN, 0}, {FWake, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            break;
        if (fds[1].revents)
            break;
        uint8_t buffer[512];
        ssize_t n = ::read(FMaster, buffer, sizeof buffer);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0)
            break;
        bool serving = true;
        std::vector<std::string> commands = FReader.Feed(buffer, static_cast<size_t>(n));
        for (size_t i = 0; i < commands.size() && serving; ++i)
            serving =
                Send(FLine->Respond(commands[i], SeenSettings(), false), i + 1 < commands.size());
        if (!serving)
            break;
    }
    if (FDropRequested && !FStopping) {
        CloseLine();
        Unlink();
        FDropped = true;
    }
}
