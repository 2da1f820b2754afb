#pragma once
// A line of up to 32 simulated controllers. One unit at a time is selected and answers: at the
// start the lowest-numbered one; "sc n" selects unit n and is answered by it, and selects none
// when there is no unit n, so that the line then stays silent. Safe to use from several
// threads: the transports ask for replies while tests turn the units' knobs.

#include "sim/SimInterpreter.h"
#include "sim/SimParameterTable.h"
#include "sim/SimUnit.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// What the line sends back for one command, and how.
struct TSimReply {
    std::string Bytes;        // the reply, line end included; empty: silence
    int FirstByteDelayMs = 0; // pause before the first byte: the unit's turn-around and any delay
    int ChunkSize = 0;        // bytes per piece; 0: all at once
    int ChunkGapMs = 0;       // pause between pieces
    uint32_t LineErrors = 0;  // CE_* errors every byte arrives with
    int DropLineAfterMs = -1; // the line goes dead this long after the last byte; -1: never
    bool Endless = false;     // then filler bytes, without a pause, until the next command
};

class TSimLine {
public:
    static constexpr int MaxUnits = 32;

    // Adds unit `number` (0 … 31) with its defaults; false when out of range or present.
    bool AddUnit(int number);
    std::vector<int> Units() const;
    // Changes unit `number` under the line's lock; false when there is no such unit.
    bool Configure(int number, const std::function<void(TSimUnit&)>& change);
    // A copy of unit `number`.
    std::optional<TSimUnit> Unit(int number) const;
    // The selected unit; -1 when none is.
    int Selected() const;

    // Takes parameter defaults and limits from a definition file and resets every unit's
    // parameters to the defaults. False when the file cannot be read.
    bool LoadParameterFile(const std::string& path);
    // The time the live values follow, in ms; by default the time since the line was made.
    void SetClock(std::function<int64_t()> nowMs);

    // The reply to `command` (its text without CR) sent at line settings `seen`.
    // `framingVisible`: the transport reveals parity and data bits (a pty does not).
    TSimReply Respond(const std::string& command, const TDcb& seen, bool framingVisible);

private:
    void Select(const TSimCommand& command);
    int64_t Now() const;
    std::string Noise(int count);

    mutable std::mutex FMutex;
    std::array<std::unique_ptr<TSimUnit>, MaxUnits> FUnits;
    int FSelected = -1;
    bool FSelectionMade = false;
    TSimParameterTable FTable;
    std::function<int64_t()> FClock;
    int64_t FStartMs = SteadyMs();
    uint32_t FNoise = 0x2545F491; // the state of the line noise's generator

    static int64_t SteadyMs();
};
