#pragma once
// A whole controller read or written as backup and restore do it (the read and write sequences
// in mode 3), timed against its protocol floor: every exchange waits for the 50 ms of silence
// that ends a reply, plus the simulator's own latency, measured apart on the raw pty with the
// same commands.

#include <cstddef>
#include <string>
#include <vector>

class TPlainHandover;
class TTransferSequence;

struct TRunFigures {
    const char* Name = "";
    size_t Exchanges = 0;
    double TotalS = 0;
    double LatencyMs = 0; // mean simulator latency of the run's commands
    double ByteMs = 0;    // mean byte times of an exchange on a real line
    bool Finished = false;

    double FloorS() const;
    double Ratio() const { return TotalS / FloorS(); }
};

// The commands of a mode 3 read.
std::vector<std::string> ReadCommands();
// Runs `sequence` in mode 3 to its end and times it.
void RunBulk(TPlainHandover& handover, TTransferSequence& sequence, TRunFigures& figures);
// Sends the commands on the raw pty at `path`, one at a time: the simulator's mean latency and
// the mean byte times of an exchange on a real line.
void MeasureRaw(const std::string& path, const std::vector<std::string>& commands,
                TRunFigures& figures);
