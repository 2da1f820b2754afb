// kq9ctl backup FILE.bak: reads every parameter and setpoint of the unit into a backup file. The
// file is replaced only once everything was read and written in full.

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlFiles.h"
#include "cli/CtlPort.h"
#include "cli/CtlTransfer.h"
#include "params/LeesParSollSequence.h"

int RunBackupCommand(const TCtlOptions& options) {
    std::string path;
    if (!OneFileArgument(options.Arguments, "backup", path))
        return CtlExit::Usage;
    TCtlPort port(options);
    if (int result = OpenAndSelect(port); result != CtlExit::Success)
        return result;
    TLeesParSollSequence read(&port.Port());
    if (int result = RunTransfer(port, read, 3, "reading the controller");
        result != CtlExit::Success)
        return result;
    return WriteBackupFileForCtl(path, {read.ParBuffer, read.SollBuffer});
}
