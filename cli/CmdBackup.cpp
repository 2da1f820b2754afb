// kq9ctl backup FILE.bak: reads every parameter and setpoint of the unit into a backup file. The
// file is replaced only once everything was read and written in full.

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlFiles.h"
#include "cli/CtlTransfer.h"
#include "params/BackupFile.h"

int RunBackupCommand(const TCtlOptions& options) {
    std::string path;
    if (!OneFileArgument(options.Arguments, "backup", path))
        return CtlExit::Usage;
    if (int result = CheckWritableForCtl(path); result != CtlExit::Success)
        return result;
    TBackupData device;
    if (int result = ReadWholeController(options, device); result != CtlExit::Success)
        return result;
    return WriteBackupFileForCtl(path, device);
}
