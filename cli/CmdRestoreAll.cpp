// kq9ctl restore-all DIR --yes [--units A-B]: writes each DIR/unit-NN.bak to unit NN, for a line
// whose controllers were replaced. It overwrites whole controllers, so it needs --yes.

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlPort.h"
#include "cli/CtlUnitLine.h"

#include <algorithm>
#include <iostream>

int RunRestoreAllCommand(const TCtlOptions& options) {
    TWholeLineOptions line;
    std::vector<std::string> given;
    if (!TakeWholeLineArguments(options, {"--yes"}, line, given))
        return CtlExit::Usage;
    if (std::find(given.begin(), given.end(), "--yes") == given.end()) {
        std::cerr << "kq9ctl: restore-all overwrites every parameter and setpoint of each unit "
                     "that has a file in the folder; give --yes. Nothing was written.\n";
        return CtlExit::Usage;
    }
    TCtlPort port(options);
    if (int result = port.Open(); result != CtlExit::Success)
        return result;
    TCtlUnitLine units(port);
    return RestoreAll(units, line, std::cerr, std::cout);
}
