#include "sim/SimLine.h"

#include "sim/SimInterpreter.h"

#include <chrono>

namespace {

constexpr size_t LongReplyBytes = 120;

// The command with single blanks between its words, as the fault filter is written.
std::string Normalised(const TSimCommand& command) {
    std::string text = command.Name;
    for (const std::string& argument : command.Arguments)
        text += " " + argument;
    return text;
}

bool Applies(TSimFaults& faults, const TSimCommand& command) {
    if (faults.Times == 0 || !Normalised(command).starts_with(faults.AppliesTo))
        return false;
    if (faults.Times > 0)
        --faults.Times;
    return true;
}

// The answer as the faults shape it, line end included.
std::string Finished(std::string text, const TSimFaults& faults) {
    if (faults.NoEcho)
        text.erase(0, 3);
    if (faults.LongReply && text.size() < LongReplyBytes)
        text.resize(LongReplyBytes, '.');
    text += "\r\n";
    if (faults.CutAfter >= 0 && static_cast<size_t>(faults.CutAfter) < text.size())
        text.resize(static_cast<size_t>(faults.CutAfter));
    return text;
}

// Bytes that no reader can take for a number or a line end.
bool NoiseByte(uint8_t byte) {
    return byte != 0 && byte != '\r' && byte != '\n' && !(byte >= '0' && byte <= '9') &&
           byte != '$' && byte != 'x' && byte != 'X';
}

void ResetParameters(TSimUnit& unit, const TSimParameterTable& table) {
    for (int n = 0; n < TSimUnit::ParameterCount; ++n)
        unit.Parameters[n] = table.Def(n).Default;
}

} // namespace

int64_t TSimLine::SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t TSimLine::Now() const {
    return FClock ? FClock() : SteadyMs() - FStartMs;
}

bool TSimLine::AddUnit(int number) {
    std::lock_guard lock(FMutex);
    if (number < 0 || number >= MaxUnits || FUnits[number])
        return false;
    FUnits[number] = std::make_unique<TSimUnit>(number);
    ResetParameters(*FUnits[number], FTable);
    if (!FSelectionMade && (FSelected < 0 || number < FSelected))
        FSelected = number;
    return true;
}

std::vector<int> TSimLine::Units() const {
    std::lock_guard lock(FMutex);
    std::vector<int> numbers;
    for (int n = 0; n < MaxUnits; ++n) {
        if (FUnits[n])
            numbers.push_back(n);
    }
    return numbers;
}

bool TSimLine::Configure(int number, const std::function<void(TSimUnit&)>& change) {
    std::lock_guard lock(FMutex);
    if (number < 0 || number >= MaxUnits || !FUnits[number])
        return false;
    change(*FUnits[number]);
    return true;
}

std::optional<TSimUnit> TSimLine::Unit(int number) const {
    std::lock_guard lock(FMutex);
    if (number < 0 || number >= MaxUnits || !FUnits[number])
        return std::nullopt;
    return *FUnits[number];
}

int TSimLine::Selected() const {
    std::lock_guard lock(FMutex);
    return FSelected;
}

bool TSimLine::LoadParameterFile(const std::string& path) {
    TSimParameterTable table;
    if (!table.LoadFromFile(path))
        return false;
    std::lock_guard lock(FMutex);
    FTable = table;
    for (auto& unit : FUnits) {
        if (unit)
            ResetParameters(*unit, FTable);
    }
    return true;
}

void TSimLine::SetClock(std::function<int64_t()> nowMs) {
    std::lock_guard lock(FMutex);
    FClock = std::move(nowMs);
}

// Every unit hears a selection; a malformed one changes nothing and is refused by the unit
// selected so far.
void TSimLine::Select(const TSimCommand& parsed) {
    int64_t number = 0;
    if (parsed.Name != "sc" || parsed.Arguments.size() != 1 ||
        !ParseSimNumber(parsed.Arguments[0], number))
        return;
    FSelectionMade = true;
    FSelected = number >= 0 && number < MaxUnits && FUnits[number] ? static_cast<int>(number) : -1;
}

std::string TSimLine::Noise(int count) {
    std::string bytes;
    while (static_cast<int>(bytes.size()) < count) {
        // xorshift32: cheap, and a different noise for every reply
        FNoise ^= FNoise << 13;
        FNoise ^= FNoise >> 17;
        FNoise ^= FNoise << 5;
        auto byte = static_cast<uint8_t>(FNoise);
        if (NoiseByte(byte))
            bytes += static_cast<char>(byte);
    }
    return bytes;
}

TSimReply TSimLine::Respond(const std::string& command, const TDcb& seen, bool framingVisible) {
    std::lock_guard lock(FMutex);
    TSimReply reply;
    const TSimCommand parsed = ParseSimCommand(command);
    if (parsed.Name.empty())
        return reply; // an empty line is not a command
    Select(parsed);
    if (FSelected < 0)
        return reply;
    TSimUnit& unit = *FUnits[FSelected];
    TSimHearing hearing = SimHearing(unit.Line, seen, framingVisible);
    if (hearing == TSimHearing::Deaf)
        return reply;
    TSimFaults faults;
    if (Applies(unit.Faults, parsed))
        faults = unit.Faults;
    if (faults.Silent)
        return reply;

    std::string text = faults.RefuseWith != 0 ? "er " + std::to_string(faults.RefuseWith)
                                              : SimAnswer(unit, FTable, command, Now());
    reply.Bytes = faults.Garbage > 0 ? Noise(faults.Garbage) : Finished(text, faults);
    if (hearing == TSimHearing::Garbled) {
        reply.Bytes = SimGarble(reply.Bytes, seen);
        reply.LineErrors = SimFramingErrors(unit.Line.Dcb, seen);
    }
    reply.FirstByteDelayMs = unit.TurnaroundMs + faults.FirstByteDelayMs;
    reply.ChunkSize = faults.ChunkSize;
    reply.ChunkGapMs = faults.ChunkGapMs;
    reply.DropLineAfterMs = faults.DropLineAfterMs;
    reply.Endless = faults.Endless;
    return reply;
}
