// kq9ctl restore FILE.bak [--yes]: writes a backup file's parameters and setpoints to the unit
// and has it take the parameters over. Every value of the controller is overwritten, so it asks
// first on a terminal; without one it needs --yes.

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlFiles.h"
#include "cli/CtlPort.h"
#include "cli/CtlTransfer.h"
#include "params/SchrijfParSollSequence.h"

#include <iostream>
#include <unistd.h>

namespace {

bool Confirmed(const std::string& path, int unit) {
    if (isatty(STDIN_FILENO) != 1) {
        std::cerr << "kq9ctl: restore overwrites every parameter and setpoint of the "
                     "controller; without a terminal to ask, give --yes. Nothing was written.\n";
        return false;
    }
    std::cerr << "Every parameter and setpoint of unit " << unit
              << " will be overwritten with the contents of " << path << ".\nContinue? [y/N] "
              << std::flush;
    std::string answer;
    std::getline(std::cin, answer);
    if (answer == "y" || answer == "Y" || answer == "yes")
        return true;
    std::cerr << "kq9ctl: nothing was written\n";
    return false;
}

} // namespace

int RunRestoreCommand(const TCtlOptions& options) {
    TCommandArguments arguments;
    if (!TakeCommandArguments(options, {{}, {"--yes"}}, arguments))
        return CtlExit::Usage;
    const bool yes = arguments.Has("--yes");
    std::string path;
    if (!OneFileArgument(arguments.Words, "restore", path))
        return CtlExit::Usage;
    TBackupData data;
    if (int result = ReadBackupFileForCtl(path, data); result != CtlExit::Success)
        return result;
    TCtlPort port(options);
    if (int result = port.CheckUnit(); result != CtlExit::Success)
        return result;
    if (!yes && !Confirmed(path, port.Unit()))
        return CtlExit::Usage;
    if (int result = OpenAndSelect(port); result != CtlExit::Success)
        return result;
    TSchrijfParSollSequence write(&port.Port());
    write.ParBuffer = data.Par;
    write.SollBuffer = data.Soll;
    return RunTransfer(port, write, 3, "writing the controller");
}
