#include "cli/CtlCommands.h"

const std::vector<TCtlCommand>& CtlCommands() {
    static const std::vector<TCtlCommand> commands = {
        {"identify", "[--strict]", RunIdentifyCommand},
        {"send", "TEXT...", RunSendCommand},
        {"sim", "[--link PATH] [--units 0,5,31] [--line 38400,E,8,1|any] [--params FILE]",
         RunSimCommand},
    };
    return commands;
}

std::string CtlUsage() {
    std::string text = "usage: kq9ctl [--home DIR] [--port COMn|PATH] [--baud N] [--parity N|E|O]\n"
                       "              [--databits 7|8] [--stopbits 1|2] [--unit N] [--timeout MS]\n"
                       "              COMMAND ...\n"
                       "commands:\n";
    for (const TCtlCommand& command : CtlCommands())
        text += std::string("  ") + command.Name + " " + command.Synopsis + "\n";
    return text;
}
