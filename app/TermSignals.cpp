#include "app/TermSignals.h"

#include <QCoreApplication>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> Signals{SIGTERM, SIGINT, SIGHUP};
int WakeSockets[2] = {-1, -1};
struct sigaction Previous[Signals.size()];

void Handler(int) {
    int saved = errno;
    char byte = 1;
    [[maybe_unused]] ssize_t ignored = ::write(WakeSockets[0], &byte, 1);
    errno = saved;
}

} // namespace

TTermSignals::TTermSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, WakeSockets) != 0)
        return;
    FNotifier = std::make_unique<QSocketNotifier>(WakeSockets[1], QSocketNotifier::Read);
    QObject::connect(FNotifier.get(), &QSocketNotifier::activated, [this] { SignalArrived(); });
    struct sigaction action {};
    action.sa_handler = Handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < Signals.size(); ++i)
        sigaction(Signals[i], &action, &Previous[i]);
}

TTermSignals::~TTermSignals() {
    if (!FNotifier)
        return;
    for (size_t i = 0; i < Signals.size(); ++i)
        sigaction(Signals[i], &Previous[i], nullptr);
    FNotifier.reset();
    ::close(WakeSockets[0]);
    ::close(WakeSockets[1]);
    WakeSockets[0] = WakeSockets[1] = -1;
}

void TTermSignals::SignalArrived() {
    char byte = 0;
    if (::read(WakeSockets[1], &byte, 1) != 1)
        return;
    if (OnTerminate)
        OnTerminate();
    else
        QCoreApplication::quit();
}
