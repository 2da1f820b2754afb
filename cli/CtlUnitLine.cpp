#include "cli/CtlUnitLine.h"

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlOptions.h"
#include "cli/CtlPort.h"
#include "cli/CtlTransfer.h"
#include "cli/CtlUnitRange.h"
#include "params/LeesParSollSequence.h"
#include "params/SchrijfParSollSequence.h"

#include <iostream>
#include <sstream>

namespace {

// Backup and restore move every parameter and setpoint.
constexpr int WholeControllerMode = 3;

} // namespace

std::string OneLine(const std::string& messages) {
    const std::string name = "kq9ctl: ";
    std::istringstream lines(messages);
    std::string line;
    std::string joined;
    while (std::getline(lines, line)) {
        if (line.starts_with(name))
            line.erase(0, name.size());
        if (!line.empty())
            joined += (joined.empty() ? "" : "; ") + line;
    }
    return joined;
}

int TCtlUnitLine::Select(int unit, std::string& why) {
    FUnit = unit;
    std::ostringstream err;
    int result = FPort.SelectUnit(unit, err);
    why = OneLine(err.str());
    return result;
}

int TCtlUnitLine::Read(TBackupData& data, std::string& why) {
    TLeesParSollSequence read(&FPort.Port());
    int result = Run(read, why);
    if (result == CtlExit::Success)
        data = {read.ParBuffer, read.SollBuffer};
    return result;
}

int TCtlUnitLine::Write(const TBackupData& data, std::string& why) {
    TSchrijfParSollSequence write(&FPort.Port());
    write.ParBuffer = data.Par;
    write.SollBuffer = data.Soll;
    return Run(write, why);
}

bool TCtlUnitLine::Lost() const {
    return !FPort.Port().Active() || FPort.Port().DeviceLost();
}

int TCtlUnitLine::Run(TTransferSequence& sequence, std::string& why) {
    const std::string label = "unit " + std::string(FUnit < 10 ? "0" : "") + std::to_string(FUnit);
    int result = RunTransfer(FPort, sequence, WholeControllerMode, label, TTransferReport::Quiet);
    if (result != CtlExit::Success) {
        std::ostringstream err;
        TransferExitCode(sequence, err);
        why = OneLine(err.str());
    }
    return result;
}

bool TakeWholeLineArguments(const TCtlOptions& options, const std::vector<std::string>& switches,
                            TWholeLineOptions& line, std::vector<std::string>& given) {
    TCommandArguments arguments;
    if (!TakeCommandArguments(options, {{"--units"}, switches}, arguments))
        return false;
    if (arguments.Words.size() != 1) {
        std::cerr << "kq9ctl: " << options.Command << " needs one folder\n" << CtlUsage();
        return false;
    }
    line.Dir = QString::fromLocal8Bit(arguments.Words[0]);
    for (const auto& [name, value] : arguments.Options) {
        if (name != "--units") {
            given.push_back(name);
            continue;
        }
        if (!ParseUnitRange(value, line.FirstUnit, line.LastUnit)) {
            std::cerr << "kq9ctl: bad value for --units: " << value << " (A-B, units 0 \u2026 31)\n"
                      << CtlUsage();
            return false;
        }
    }
    return true;
}
