#pragma once
// What the port component and its worker thread add to an exchange, and what an idle open port
// costs, measured against a simulated line on a pty at 38400 baud.

#include <string>

struct TExchangeFigures {
    int Exchanges = 0;
    int Failed = 0;
    double MeanMs = 0;       // an "rp n" exchange through the port component
    double SimLatencyMs = 0; // the simulator's own latency, on the raw pty
    double IdleCpuMs = 0;    // CPU time of the process in 5 s with the port open and idle

    // The 50 ms silence that ends every reply plus the simulator's latency.
    double FloorMs() const;
    double OverheadMs() const { return MeanMs - FloorMs(); }
};

// `exchanges` exchanges with the simulator at `ptyPath`; the idle port's CPU time in 5 s.
TExchangeFigures MeasureExchanges(const std::string& ptyPath, int exchanges);

// A real line also spends the byte times of "rp 123" CR out and "rp 123 -350" CR LF back, which
// a pty passes without.
double ExchangeByteTimesMs();

// CPU time (user and system) the process has used so far.
double ProcessCpuSeconds();
