// What the port component and its worker thread add to an exchange: 200 "rp n" exchanges
// through TLBComm against the simulated line on a pty at 38400 baud, compared with the protocol
// floor (the 50 ms silence that ends a reply plus the simulator's own reply latency, measured on
// the raw pty). Also the CPU time an open, idle port uses in 5 s.

#include "sim/SimLine.h"
#include "sim/SimPtyServer.h"
#include "support/ExchangeFigures.h"

#include <cstdio>

int main() {
    auto line = std::make_shared<TSimLine>();
    line->AddUnit(0);
    TSimPtyServer server(line);
    if (server.Start() != 0) {
        std::fprintf(stderr, "no pty\n");
        return 1;
    }
    const TExchangeFigures f = MeasureExchanges(server.SlavePath(), 200);
    if (f.Failed)
        std::printf("failed exchanges:            %d\n", f.Failed);
    std::printf("exchanges:                   %d x \"rp n\" at 38400 baud on a pty\n", f.Exchanges);
    std::printf("mean exchange time:          %.2f ms\n", f.MeanMs);
    std::printf("simulator reply latency:     %.2f ms (raw pty, measured apart)\n", f.SimLatencyMs);
    std::printf("protocol floor:              %.2f ms (50 ms silence + simulator latency)\n",
                f.FloorMs());
    std::printf("overhead per exchange:       %.2f ms (target: below 1 ms)\n", f.OverheadMs());
    std::printf("byte times on a real line:   %.2f ms more per exchange\n", ExchangeByteTimesMs());
    std::printf("CPU of an idle open port:    %.2f ms in 5 s (target: under 10 ms)\n", f.IdleCpuMs);
    return 0;
}
