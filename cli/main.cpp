// kq9ctl: the command-line tool of the KQ9 service tool.

#include "app/PortAccess.h"
#include "cli/CtlCommLog.h"
#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << CtlUsage();
        return CtlExit::Success;
    }
    InstallPortAccessAdvice();
    TCtlOptions options;
    std::string error;
    if (!ParseCtlOptions(args, options, error)) {
        std::cerr << "kq9ctl: " << error << '\n' << CtlUsage();
        return CtlExit::Usage;
    }
    for (const TCtlCommand& command : CtlCommands()) {
        if (options.Command != command.Name)
            continue;
        TCtlLogFile log;
        if (int result = log.Open(options.LogPath); result != CtlExit::Success)
            return result;
        return log.Close(command.Run(options));
    }
    std::cerr << "kq9ctl: unknown command " << options.Command << '\n' << CtlUsage();
    return CtlExit::Usage;
}
