// kq9ctl write-params FILE.app: writes the parameters of a parameter file to the unit and has it
// take them over. A file that is refused sends nothing.

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlFiles.h"
#include "cli/CtlPort.h"
#include "cli/CtlTransfer.h"
#include "params/SchrijfParSollSequence.h"

int RunWriteParamsCommand(const TCtlOptions& options) {
    std::string path;
    if (!OneFileArgument(options.Arguments, "write-params", path))
        return CtlExit::Usage;
    // The settings first: the file's refusal speaks the language they name.
    TCtlPort port(options);
    TParValues values{};
    if (int result = ReadParamFileForCtl(path, values); result != CtlExit::Success)
        return result;
    if (int result = OpenAndSelect(port); result != CtlExit::Success)
        return result;
    TSchrijfParSollSequence write(&port.Port());
    write.ParBuffer = values;
    return RunTransfer(port, write, 0, "writing parameters");
}
