// kq9ctl backup-all DIR [--units A-B]: a backup of every unit of the line that answers, each in
// DIR/unit-NN.bak.

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlPort.h"
#include "cli/CtlUnitLine.h"

#include <iostream>

int RunBackupAllCommand(const TCtlOptions& options) {
    TWholeLineOptions line;
    std::vector<std::string> given;
    if (!TakeWholeLineArguments(options, {}, line, given))
        return CtlExit::Usage;
    TCtlPort port(options);
    if (int result = port.Open(); result != CtlExit::Success)
        return result;
    TCtlUnitLine units(port);
    return BackupAll(units, line, std::cerr, std::cout);
}
