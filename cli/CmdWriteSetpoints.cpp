// kq9ctl write-setpoints FILE.aps: writes the setpoints of a setpoint file to the unit. A file
// that is refused sends nothing.

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlFiles.h"
#include "cli/CtlPort.h"
#include "cli/CtlTransfer.h"
#include "params/SchrijfParSollSequence.h"

int RunWriteSetpointsCommand(const TCtlOptions& options) {
    std::string path;
    if (!OneFileArgument(options.Arguments, "write-setpoints", path))
        return CtlExit::Usage;
    // The settings first: the file's refusal speaks the language they name.
    TCtlPort port(options);
    TSollValues setpoints{};
    if (int result = ReadSollFileForCtl(path, setpoints); result != CtlExit::Success)
        return result;
    if (int result = OpenAndSelect(port); result != CtlExit::Success)
        return result;
    TSchrijfParSollSequence write(&port.Port());
    write.SollBuffer = setpoints;
    return RunTransfer(port, write, 1, "writing setpoints");
}
