#include "cli/CtlCommands.h"

const std::vector<TCtlCommand>& CtlCommands() {
    static const std::vector<TCtlCommand> commands = {
        {"backup", "FILE.bak", RunBackupCommand},
        {"backup-all", "DIR [--units A-B]", RunBackupAllCommand},
        {"diff", "A B (each FILE.app, FILE.aps or device)", RunDiffCommand},
        {"get-param", "N", RunGetParamCommand},
        {"identify", "[--strict]", RunIdentifyCommand},
        {"log", "SOURCE [--count N] [--seconds S] [--csv FILE]", RunLogCommand},
        {"print-params", "FILE.app --pdf OUT.pdf [--firma T] [--type T] [--sn T]",
         RunPrintParamsCommand},
        {"print-setpoints", "FILE.aps --pdf OUT.pdf [--firma T] [--type T] [--sn T]",
         RunPrintSetpointsCommand},
        {"read-params", "FILE.app", RunReadParamsCommand},
        {"read-setpoints", "FILE.aps", RunReadSetpointsCommand},
        {"restore", "FILE.bak [--yes]", RunRestoreCommand},
        {"restore-all", "DIR --yes [--units A-B]", RunRestoreAllCommand},
        {"scan",
         "[--from 9600|19200|28800|38400|57600] [--parity com|auto] "
         "[--stopbits com|auto] [--units A-B]",
         RunScanCommand},
        {"send", "TEXT...", RunSendCommand},
        {"set-param", "N VALUE [--take-over]", RunSetParamCommand},
        {"show-params", "FILE.app [--page ID]", RunShowParamsCommand},
        {"sim",
         "[--link PATH] [--units 0,5,31] [--line 38400,E,8,1|any] [--unit-line N=19200,E,8,2]... "
         "[--params FILE]",
         RunSimCommand},
        {"verify", "FILE.bak", RunVerifyCommand},
        {"write-params", "FILE.app", RunWriteParamsCommand},
        {"write-setpoints", "FILE.aps", RunWriteSetpointsCommand},
    };
    return commands;
}

std::string CtlUsage() {
    std::string text = "usage: kq9ctl [--home DIR] [--port COMn|PATH] [--baud N] [--parity N|E|O]\n"
                       "              [--databits 7|8] [--stopbits 1|2] [--unit N] [--timeout MS]\n"
                       "              [--fast] [--log FILE] COMMAND ...\n"
                       "--timeout MS applies to single exchanges (send, identify, the unit\n"
                       "selection), not to the bulk transfers, whose time-outs are fixed.\n"
                       "--fast ends each reply at its line end instead of after 50 ms of\n"
                       "silence; --log FILE writes every exchange on the line to FILE.\n"
                       "commands:\n";
    for (const TCtlCommand& command : CtlCommands())
        text += std::string("  ") + command.Name + " " + command.Synopsis + "\n";
    return text;
}
