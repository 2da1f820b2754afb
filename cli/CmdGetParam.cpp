// kq9ctl get-param N: reads parameter N of the unit and prints it as the parameter editor shows
// it: number, value with its decimals, option text, name.

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlParams.h"
#include "cli/CtlPort.h"
#include "cli/CtlTransfer.h"

#include <iostream>

int RunGetParamCommand(const TCtlOptions& options) {
    int nr = 0;
    TCommandArguments arguments;
    if (!TakeCommandArguments(options, {}, arguments))
        return CtlExit::Usage;
    if (arguments.Words.size() != 1) {
        std::cerr << "kq9ctl: get-param needs one parameter number\n" << CtlUsage();
        return CtlExit::Usage;
    }
    if (!ParseParameterNumber(arguments.Words[0], "get-param", nr))
        return CtlExit::Usage;
    TCtlPort port(options);
    LoadParameterTexts();
    if (int result = OpenAndSelect(port); result != CtlExit::Success)
        return result;
    if (NeedsUnitDecimals(nr))
        if (int result = ReadUnitDecimals(port); result != CtlExit::Success)
            return result;
    int32_t value = 0;
    if (int result = ReadUnitParameter(port, nr, value); result != CtlExit::Success)
        return result;
    std::cout << ParameterLine(nr) << '\n';
    return CtlExit::Success;
}
