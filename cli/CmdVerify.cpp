// kq9ctl verify FILE.bak: reads every parameter and setpoint of the unit and compares them with
// a backup file; each value that differs is printed ("P017 file=-350 device=-300").

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlFiles.h"
#include "cli/CtlTransfer.h"
#include "params/BackupFile.h"

#include <iostream>

int RunVerifyCommand(const TCtlOptions& options) {
    std::string path;
    if (!OneFileArgument(options.Arguments, "verify", path))
        return CtlExit::Usage;
    TBackupData file;
    if (int result = ReadBackupFileForCtl(path, file); result != CtlExit::Success)
        return result;
    TBackupData device;
    if (int result = ReadWholeController(options, device); result != CtlExit::Success)
        return result;
    std::vector<QString> differences = BackupDifferences(file, device);
    for (const QString& line : differences)
        std::cout << line.toStdString() << '\n';
    if (differences.empty()) {
        std::cerr << "kq9ctl: the controller holds the values of " << path << '\n';
        return CtlExit::Success;
    }
    std::cerr << "kq9ctl: " << differences.size()
              << (differences.size() == 1 ? " value differs" : " values differ") << " from " << path
              << '\n';
    return CtlExit::Unexpected;
}
