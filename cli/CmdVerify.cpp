// kq9ctl verify FILE.bak: reads every parameter and setpoint of the unit and compares them with
// a backup file; each value that differs is printed ("P017 file=-350 device=-300").

#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlFiles.h"
#include "cli/CtlPort.h"
#include "cli/CtlTransfer.h"
#include "params/LeesParSollSequence.h"

#include <iostream>

int RunVerifyCommand(const TCtlOptions& options) {
    std::string path;
    if (!OneFileArgument(options.Arguments, "verify", path))
        return CtlExit::Usage;
    TBackupData file;
    if (int result = ReadBackupFileForCtl(path, file); result != CtlExit::Success)
        return result;
    TCtlPort port(options);
    if (int result = OpenAndSelect(port); result != CtlExit::Success)
        return result;
    TLeesParSollSequence read(&port.Port());
    if (int result = RunTransfer(port, read, 3, "reading the controller");
        result != CtlExit::Success)
        return result;
    std::vector<QString> differences = BackupDifferences(file, {read.ParBuffer, read.SollBuffer});
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
