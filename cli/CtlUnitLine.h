#pragma once
// The units of kq9ctl's line-wide commands on the real port: the selection of kq9ctl's other
// commands and the bulk read and write of a backup and a restore, each run's end worded on one
// line.

#include "cli/CtlWholeLine.h"

#include <vector>

class TCtlPort;
struct TCtlOptions;
class TTransferSequence;

class TCtlUnitLine : public TUnitLine {
public:
    // `port`: opened by the caller.
    explicit TCtlUnitLine(TCtlPort& port) : FPort(port) {}

    int Select(int unit, std::string& why) override;
    int Read(TBackupData& data, std::string& why) override;
    int Write(const TBackupData& data, std::string& why) override;
    bool Lost() const override;

private:
    int Run(TTransferSequence& sequence, std::string& why);

    TCtlPort& FPort;
    int FUnit = 0;
};

// kq9ctl's messages ("kq9ctl: …" lines) as one line: without the program's name, joined by
// "; ".
std::string OneLine(const std::string& messages);

// The folder and `--units A-B` of a line-wide command; `switches` are the further options it
// takes, which land in `given`. False, with the usage on stderr, for anything else.
bool TakeWholeLineArguments(const TCtlOptions& options, const std::vector<std::string>& switches,
                            TWholeLineOptions& line, std::vector<std::string>& given);
