#pragma once
// A plain client of a simulated line on a pty, without the port component: it writes a command
// and reads until the reply's line end. Benchmarks measure the simulator's own latency with it.

#include <string>

class TRawExchange {
public:
    // Opens the pty's slave side raw at 38400 baud.
    explicit TRawExchange(const std::string& path);
    ~TRawExchange();
    TRawExchange(const TRawExchange&) = delete;
    TRawExchange& operator=(const TRawExchange&) = delete;

    // Sends `command` with CR appended; the reply up to and including CR LF (less on a time-out
    // of 1 s).
    std::string Exchange(const std::string& command);

private:
    int FFd = -1;
};
