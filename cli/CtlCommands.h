#pragma once
// The commands of kq9ctl. Each lives in its own file (Cmd<Name>.cpp); adding one means adding
// that file and its row in the table of CtlCommands.cpp.

#include "cli/CtlOptions.h"

#include <string>
#include <vector>

struct TCtlCommand {
    const char* Name;
    const char* Synopsis; // its arguments, for the usage text
    int (*Run)(const TCtlOptions& options);
};

const std::vector<TCtlCommand>& CtlCommands();
// The usage text: the global options and every command with its synopsis.
std::string CtlUsage();

int RunBackupCommand(const TCtlOptions& options);
int RunBackupAllCommand(const TCtlOptions& options);
int RunDiffCommand(const TCtlOptions& options);
int RunGetParamCommand(const TCtlOptions& options);
int RunIdentifyCommand(const TCtlOptions& options);
int RunLogCommand(const TCtlOptions& options);
int RunPrintParamsCommand(const TCtlOptions& options);
int RunPrintSetpointsCommand(const TCtlOptions& options);
int RunReadParamsCommand(const TCtlOptions& options);
int RunReadSetpointsCommand(const TCtlOptions& options);
int RunRestoreCommand(const TCtlOptions& options);
int RunRestoreAllCommand(const TCtlOptions& options);
int RunScanCommand(const TCtlOptions& options);
int RunSendCommand(const TCtlOptions& options);
int RunSetParamCommand(const TCtlOptions& options);
int RunShowParamsCommand(const TCtlOptions& options);
int RunSimCommand(const TCtlOptions& options);
int RunVerifyCommand(const TCtlOptions& options);
int RunWriteParamsCommand(const TCtlOptions& options);
int RunWriteSetpointsCommand(const TCtlOptions& options);
