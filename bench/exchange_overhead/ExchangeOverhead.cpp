// What the port component and its worker thread add to an exchange: 200 "rp n" exchanges
// through TLBComm against the simulated line on a pty at 38400 baud, compared with the protocol
// floor (the 50 ms silence that ends a reply plus the simulator's own reply latency, measured on
// the raw pty). Also the CPU time an open, idle port uses in 5 s.

#include "comm/ComNames.h"
#include "comm/LBComm.h"
#include "comm/LD100Protocol.h"
#include "comm/PlainHandover.h"
#include "sim/SimLine.h"
#include "sim/SimPtyServer.h"
#include "support/RawExchange.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Exchanges = 200;
constexpr double SilenceMs = 50.0;
constexpr double BitsPerByte = 11.0; // start, 8 data, parity, stop

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The simulator's latency: from writing a command on the raw pty to the last byte of its reply.
double SimulatorLatencyMs(const std::string& path, int count) {
    TRawExchange raw(path);
    double total = 0;
    for (int i = 0; i < count; ++i) {
        auto start = Clock::now();
        raw.Exchange("rp " + std::to_string(i % 400));
        total += Ms(Clock::now() - start);
    }
    return total / count;
}

} // namespace

int main() {
    auto line = std::make_shared<TSimLine>();
    line->AddUnit(0);
    TSimPtyServer server(line);
    if (server.Start() != 0) {
        std::fprintf(stderr, "no pty\n");
        return 1;
    }
    double simLatency = SimulatorLatencyMs(server.SlavePath(), Exchanges);

    TPlainHandover handover;
    SetUiHandover(&handover);
    SetComDevicePath(TPort::COM1, server.SlavePath());
    double meanMs = 0, idleCpuMs = 0;
    {
        TLBComm port;
        port.SetBaudrate(TBaudrate::br38400);
        port.Open();
        TLD100Protocol component;
        component.SetProtocolFoot(TSequenceChar::scCR);
        component.SetLBComm(&port);
        int done = 0, failed = 0;
        auto next = [&] {
            component.SetASCIIProtocol("rp " + std::to_string(done % 400));
            component.Send();
        };
        component.OnCommResult = [&](TLBProtocolComponent*, TMemoryStream&) {
            if (++done < Exchanges)
                next();
        };
        component.OnCommError = [&](TLBProtocolComponent*, const TCommError&, TMemoryStream&) {
            ++failed;
            if (++done < Exchanges)
                next();
        };
        auto start = Clock::now();
        next();
        while (done < Exchanges)
            handover.ProcessMessages(-1);
        meanMs = Ms(Clock::now() - start) / Exchanges;
        if (failed)
            std::printf("failed exchanges:            %d\n", failed);

        double cpuBefore = CpuSeconds();
        auto idleEnd = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < idleEnd)
            handover.ProcessMessages(static_cast<int>(Ms(idleEnd - Clock::now())) + 1);
        idleCpuMs = (CpuSeconds() - cpuBefore) * 1000.0;
    }
    SetUiHandover(nullptr);

    // A real line at 38400 baud also spends the byte times: "rp 123" CR out, "rp 123 -350" CR LF
    // back. A pty passes bytes without them, so they are shown apart.
    double byteTimesMs = (7 + 13) * BitsPerByte / 38400.0 * 1000.0;
    double floorMs = SilenceMs + simLatency;
    std::printf("exchanges:                   %d x \"rp n\" at 38400 baud on a pty\n", Exchanges);
    std::printf("mean exchange time:          %.2f ms\n", meanMs);
    std::printf("simulator reply latency:     %.2f ms (raw pty, measured apart)\n", simLatency);
    std::printf("protocol floor:              %.2f ms (50 ms silence + simulator latency)\n",
                floorMs);
    std::printf("overhead per exchange:       %.2f ms (target: below 1 ms)\n", meanMs - floorMs);
    std::printf("byte times on a real line:   %.2f ms more per exchange\n", byteTimesMs);
    std::printf("CPU of an idle open port:    %.2f ms in 5 s (target: under 10 ms)\n", idleCpuMs);
    return 0;
}
