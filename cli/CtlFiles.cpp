#include "cli/CtlFiles.h"

#include "app/TextFile.h"
#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"

#include <iostream>

namespace {

QString Q(const std::string& path) {
    return QString::fromLocal8Bit(path);
}

int ValueFileExitCode(TValueFileResult result, const std::string& path, const char* kind,
                      const char* outcome) {
    switch (result) {
    case TValueFileResult::Ok:
        return CtlExit::Success;
    case TValueFileResult::OpenMsg1:
        std::cerr << "kq9ctl: cannot read " << path << '\n';
        break;
    case TValueFileResult::OpenMsg2:
        std::cerr << "kq9ctl: " << path << " is not a " << kind << " file (wrong first line)\n";
        break;
    case TValueFileResult::OpenMsg3:
        std::cerr << "kq9ctl: " << path << " has a malformed line\n";
        break;
    case TValueFileResult::OpenMsg4:
        std::cerr << "kq9ctl: " << path << " does not hold exactly one line for every number\n";
        break;
    }
    std::cerr << "kq9ctl: " << outcome << '\n';
    return CtlExit::FileError;
}

int WriteExitCode(bool written, const std::string& path, const QString& error) {
    if (written)
        return CtlExit::Success;
    std::cerr << "kq9ctl: cannot write " << path << ": " << error.toStdString() << '\n';
    return CtlExit::FileError;
}

} // namespace

int ReadParamFileForCtl(const std::string& path, TParValues& values, const char* outcome) {
    return ValueFileExitCode(ReadParamFile(Q(path), true, values), path, "parameter", outcome);
}

int ReadSollFileForCtl(const std::string& path, TSollValues& setpoints, const char* outcome) {
    return ValueFileExitCode(ReadSollFile(Q(path), true, setpoints), path, "setpoint", outcome);
}

int ReadBackupFileForCtl(const std::string& path, TBackupData& data) {
    try {
        if (ReadBackupFile(Q(path), data))
            return CtlExit::Success;
        std::cerr << "kq9ctl: " << path << " is not a valid backup file: a marker is wrong\n";
    } catch (const EBackupFileError& e) {
        std::cerr << "kq9ctl: " << e.what() << '\n';
    }
    return CtlExit::FileError;
}

int WriteParamFileForCtl(const std::string& path, int unitNo, const TParValues& values) {
    QString error;
    return WriteExitCode(WriteParamFile(Q(path), unitNo, values, &error), path, error);
}

int WriteSollFileForCtl(const std::string& path, int unitNo, const TSollValues& setpoints,
                        int32_t parameter399) {
    QString error;
    return WriteExitCode(WriteSollFile(Q(path), unitNo, setpoints, parameter399, &error), path,
                         error);
}

int WriteBackupFileForCtl(const std::string& path, const TBackupData& data) {
    try {
        WriteBackupFile(Q(path), data);
        return CtlExit::Success;
    } catch (const EBackupFileError& e) {
        std::cerr << "kq9ctl: " << e.what() << '\n';
        return CtlExit::FileError;
    }
}

int CheckWritableForCtl(const std::string& path) {
    QString error;
    if (CanWriteFileAtomic(Q(path), &error))
        return CtlExit::Success;
    std::cerr << "kq9ctl: cannot write " << path << ": " << error.toStdString()
              << "; nothing was read\n";
    return CtlExit::FileError;
}

bool OneFileArgument(const std::vector<std::string>& arguments, const char* command,
                     std::string& path) {
    if (arguments.size() != 1 || arguments[0].starts_with("--")) {
        std::cerr << "kq9ctl: " << command << " needs one file name\n" << CtlUsage();
        return false;
    }
    path = arguments[0];
    return true;
}
