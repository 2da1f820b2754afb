// kq9ctl read-setpoints FILE.aps: reads every setpoint of the unit and writes them as a setpoint
// file whose header names the unit. Its line 000 carries parameter 399, read first.

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlFiles.h"
#include "cli/CtlPort.h"
#include "cli/CtlTransfer.h"
#include "params/LeesParSollSequence.h"

#include <iostream>

namespace {

int ReadParameter399(TCtlPort& port, int32_t& value) {
    const std::string request = "rp 399";
    std::string reply;
    if (int result = port.Exchange(request, reply); result != CtlExit::Success)
        return result;
    if (!reply.starts_with("rp") || !ReadReplyValue(reply, value)) {
        std::cerr << "kq9ctl: unexpected reply \"" << WithoutLineEnd(reply) << "\" to \"" << request
                  << "\"\n";
        return CtlExit::Unexpected;
    }
    return CtlExit::Success;
}

} // namespace

int RunReadSetpointsCommand(const TCtlOptions& options) {
    std::string path;
    if (!OneFileArgument(options.Arguments, "read-setpoints", path))
        return CtlExit::Usage;
    if (int result = CheckWritableForCtl(path); result != CtlExit::Success)
        return result;
    TCtlPort port(options);
    if (int result = OpenAndSelect(port); result != CtlExit::Success)
        return result;
    int32_t parameter399 = 0;
    if (int result = ReadParameter399(port, parameter399); result != CtlExit::Success)
        return result;
    TLeesParSollSequence read(&port.Port());
    if (int result = RunTransfer(port, read, 1, "reading setpoints"); result != CtlExit::Success)
        return result;
    return WriteSollFileForCtl(path, port.Unit(), read.SollBuffer, parameter399);
}
