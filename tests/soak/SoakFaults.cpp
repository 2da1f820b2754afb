#include "SoakFaults.h"

#include <algorithm>

namespace kq9soak {

const char* FaultName(TFault fault) {
    switch (fault) {
    case TFault::Silence:
        return "silence";
    case TFault::SlowFirstByte:
        return "slow first byte";
    case TFault::LateFirstByte:
        return "first byte too late";
    case TFault::Gaps:
        return "gaps over 50 ms";
    case TFault::Garbage:
        return "garbage";
    case TFault::NoEcho:
        return "no echo";
    case TFault::Refusal:
        return "er 7";
    case TFault::LongReply:
        return "reply over 100 bytes";
    case TFault::Endless:
        return "never silent";
    case TFault::LineDrop:
        return "line dropped";
    case TFault::Count:
        break;
    }
    return "?";
}

int Between(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

TSimFaults MakeFaults(TFault fault, const std::string& appliesTo, int times, int timeoutMs,
                      std::mt19937& random) {
    TSimFaults faults;
    faults.AppliesTo = appliesTo;
    faults.Times = times;
    // Clear of the time-out on either side, so that which side a delay falls on is certain.
    switch (fault) {
    case TFault::Silence:
        faults.Silent = true;
        break;
    case TFault::SlowFirstByte:
        faults.FirstByteDelayMs = Between(random, timeoutMs * 3 / 10, timeoutMs * 6 / 10);
        break;
    case TFault::LateFirstByte:
        // Well past the time-out: on a loaded machine the port's worker may see its time-out
        // late, and must not find the first byte already there.
        faults.FirstByteDelayMs =
            Between(random, timeoutMs + std::max(250, timeoutMs / 2), timeoutMs * 2 + 300);
        break;
    case TFault::Gaps:
        faults.ChunkSize = Between(random, 2, 6);
        faults.ChunkGapMs = Between(random, 60, 150);
        break;
    case TFault::Garbage:
        faults.Garbage = Between(random, 3, 40);
        break;
    case TFault::NoEcho:
        faults.NoEcho = true;
        break;
    case TFault::Refusal:
        faults.RefuseWith = 7;
        break;
    case TFault::LongReply:
        faults.LongReply = true;
        break;
    case TFault::Endless:
        faults.Endless = true;
        break;
    case TFault::LineDrop:
    case TFault::Count:
        break;
    }
    return faults;
}

} // namespace kq9soak
