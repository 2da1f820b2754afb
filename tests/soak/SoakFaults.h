#pragma once
// The faults the soak injects, and the simulator's knobs that make each of them.

#include "sim/SimFaults.h"

#include <random>
#include <string>

namespace kq9soak {

enum class TFault {
    Silence,       // no answer at all
    SlowFirstByte, // the first byte late, but within the request's time-out
    LateFirstByte, // the first byte after the request's time-out
    Gaps,          // pauses of more than 50 ms inside the answer
    Garbage,       // line noise instead of the answer
    NoEcho,        // the answer without the command's letters
    Refusal,       // "er 7"
    LongReply,     // an answer of more than 100 bytes
    Endless,       // an answer that never goes silent
    LineDrop,      // the line goes away; a new pty appears at the same path
    Count
};

const char* FaultName(TFault fault);

// The knobs for `fault` on the commands beginning with `appliesTo`, for `times` of them, against
// a request that waits `timeoutMs` for the first byte.
TSimFaults MakeFaults(TFault fault, const std::string& appliesTo, int times, int timeoutMs,
                      std::mt19937& random);

// A whole number from `low` to `high`.
int Between(std::mt19937& random, int low, int high);

} // namespace kq9soak
