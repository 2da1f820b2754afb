#pragma once
// Ends the program in its orderly way on SIGTERM, SIGINT or SIGHUP (the desktop session ends, a
// kill, Ctrl+C in the terminal it was started from): OnTerminate runs on the UI thread, where
// the program closes its main window as its close box would, so the port is closed and the
// settings are saved. A signal handler may do almost nothing: it only writes a byte to a socket
// that the event loop watches.

#include <QSocketNotifier>

#include <functional>
#include <memory>

class TTermSignals {
public:
    // Installs the handlers; the signals before OnTerminate is set wait in the socket.
    TTermSignals();
    // Restores the handlers that were there before.
    ~TTermSignals();
    TTermSignals(const TTermSignals&) = delete;
    TTermSignals& operator=(const TTermSignals&) = delete;

    // Without it a signal ends the event loop.
    std::function<void()> OnTerminate;

private:
    void SignalArrived();

    std::unique_ptr<QSocketNotifier> FNotifier;
};
