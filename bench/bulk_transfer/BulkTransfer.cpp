// A whole controller read and written as backup and restore do it (the read and write sequences
// in mode 3: 448 value reads; 448 value writes and the take-over) against the simulated line on
// a pty at 38400 baud. Each run's time is compared with its protocol floor: every exchange waits
// for the 50 ms of silence that ends a reply, plus the simulator's own latency, measured apart on
// the raw pty with the same commands.

#include "comm/ComNames.h"
#include "comm/LBComm.h"
#include "comm/PlainHandover.h"
#include "params/LeesParSollSequence.h"
#include "params/SchrijfParSollSequence.h"
#include "sim/SimLine.h"
#include "sim/SimPtyServer.h"
#include "support/BulkFigures.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double SilenceMs = 50.0;

std::vector<std::string> WriteCommands(const TLeesParSollSequence& read) {
    std::vector<std::string> commands;
    for (int p = 0; p < ParameterCount; ++p)
        commands.push_back("wp " + std::to_string(p) + " " +
                           std::to_string(read.ParBuffer[static_cast<size_t>(p)]));
    for (int s = 1; s <= SetpointCount; ++s)
        commands.push_back("ws " + std::to_string(s) + " " +
                           std::to_string(read.SollBuffer[static_cast<size_t>(s)]));
    commands.push_back("bp");
    return commands;
}

void Print(const TRunFigures& f) {
    double floorS = f.FloorS();
    std::printf("%s: %zu exchanges%s\n", f.Name, f.Exchanges,
                f.Finished ? "" : "  (DID NOT FINISH)");
    std::printf("  total:                     %.3f s\n", f.TotalS);
    std::printf("  protocol floor:            %.3f s (%zu x (50 ms + %.2f ms simulator latency))\n",
                floorS, f.Exchanges, f.LatencyMs);
    std::printf("  ratio:                     %.4f (target: at most 1.02)\n", f.Ratio());
    std::printf("  byte times on a real line: %.3f s more (%.2f ms an exchange; a pty has none)\n",
                static_cast<double>(f.Exchanges) * f.ByteMs / 1000.0, f.ByteMs);
}

} // namespace

int main() {
    auto line = std::make_shared<TSimLine>();
    line->AddUnit(0);
    line->Configure(0, [](TSimUnit& unit) {
        for (size_t p = 0; p < unit.Parameters.size(); ++p)
            unit.Parameters[p] = static_cast<int32_t>(p * 37) - 5000;
        for (size_t s = 0; s < unit.Setpoints.size(); ++s)
            unit.Setpoints[s] = static_cast<int32_t>(s * 123456) - 1;
    });
    TSimPtyServer server(line);
    if (server.Start() != 0) {
        std::fprintf(stderr, "no pty\n");
        return 1;
    }

    TPlainHandover handover;
    SetUiHandover(&handover);
    SetComDevicePath(TPort::COM1, server.SlavePath());
    TRunFigures read{"mode 3 read (backup)"};
    TRunFigures write{"mode 3 write (restore)"};
    {
        TLBComm port;
        port.SetBaudrate(TBaudrate::br38400);
        port.Open();
        TLeesParSollSequence lees(&port);
        TSchrijfParSollSequence schrijf(&port);
        RunBulk(handover, lees, read);
        schrijf.ParBuffer = lees.ParBuffer;
        schrijf.SollBuffer = lees.SollBuffer;
        RunBulk(handover, schrijf, write);
        port.Close();

        std::vector<std::string> readCommands = ReadCommands();
        std::vector<std::string> writeCommands = WriteCommands(lees);
        MeasureRaw(server.SlavePath(), readCommands, read);
        MeasureRaw(server.SlavePath(), writeCommands, write);
    }
    SetUiHandover(nullptr);
    Print(read);
    Print(write);
    double total = read.TotalS + write.TotalS;
    double floor = (static_cast<double>(read.Exchanges) * (SilenceMs + read.LatencyMs) +
                    static_cast<double>(write.Exchanges) * (SilenceMs + write.LatencyMs)) /
                   1000.0;
    std::printf("both runs: %.3f s against a floor of %.3f s, ratio %.4f\n", total, floor,
                total / floor);
    return read.Finished && write.Finished ? 0 : 1;
}
