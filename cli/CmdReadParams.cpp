// kq9ctl read-params FILE.app: reads every parameter of the unit and writes them as a parameter
// file whose header names the unit.

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlFiles.h"
#include "cli/CtlPort.h"
#include "cli/CtlTransfer.h"
#include "params/LeesParSollSequence.h"

int RunReadParamsCommand(const TCtlOptions& options) {
    std::string path;
    if (!OneFileArgument(options.Arguments, "read-params", path))
        return CtlExit::Usage;
    if (int result = CheckWritableForCtl(path); result != CtlExit::Success)
        return result;
    TCtlPort port(options);
    if (int result = OpenAndSelect(port); result != CtlExit::Success)
        return result;
    TLeesParSollSequence read(&port.Port());
    if (int result = RunTransfer(port, read, 0, "reading parameters"); result != CtlExit::Success)
        return result;
    return WriteParamFileForCtl(path, port.Unit(), read.ParBuffer);
}
