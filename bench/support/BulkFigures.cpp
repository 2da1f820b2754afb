#include "support/BulkFigures.h"

#include "comm/PlainHandover.h"
#include "params/ParamStore.h"
#include "params/TransferSequence.h"
#include "support/RawExchange.h"

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double SilenceMs = 50.0;
constexpr double BitsPerByte = 10.0; // start, 8 data, stop: the pty's frame
constexpr double Baud = 38400.0;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

} // namespace

double TRunFigures::FloorS() const {
    return static_cast<double>(Exchanges) * (SilenceMs + LatencyMs) / 1000.0;
}

std::vector<std::string> ReadCommands() {
    std::vector<std::string> commands;
    for (int p = 0; p < ParameterCount; ++p)
        commands.push_back("rp " + std::to_string(p));
    for (int s = 1; s <= SetpointCount; ++s)
        commands.push_back("rs " + std::to_string(s));
    return commands;
}

void RunBulk(TPlainHandover& handover, TTransferSequence& sequence, TRunFigures& figures) {
    sequence.Mode = 3;
    auto start = Clock::now();
    sequence.Start();
    while (!sequence.Stopped())
        handover.ProcessMessages(-1);
    figures.TotalS = Seconds(Clock::now() - start);
    figures.Finished = sequence.End() == TTransferEnd::Finished;
}

void MeasureRaw(const std::string& path, const std::vector<std::string>& commands,
                TRunFigures& figures) {
    TRawExchange raw(path);
    double totalMs = 0;
    size_t bytes = 0;
    for (const std::string& command : commands) {
        auto start = Clock::now();
        std::string reply = raw.Exchange(command);
        totalMs += Seconds(Clock::now() - start) * 1000.0;
        bytes += command.size() + 1 + reply.size();
    }
    figures.Exchanges = commands.size();
    figures.LatencyMs = totalMs / static_cast<double>(commands.size());
    figures.ByteMs = static_cast<double>(bytes) / static_cast<double>(commands.size()) *
                     BitsPerByte / Baud * 1000.0;
}
