#include "cli/CtlCommLog.h"

#include "cli/CtlExit.h"
#include "comm/CommLogWriter.h"
#include "comm/CommTexts.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace {

std::shared_ptr<TCommLog>& TheLog() {
    static std::shared_ptr<TCommLog> log;
    return log;
}

} // namespace

std::shared_ptr<TCommLog> CtlCommLog() {
    return TheLog();
}

TCtlLogFile::TCtlLogFile() = default;

TCtlLogFile::~TCtlLogFile() {
    Close(CtlExit::Success);
}

int TCtlLogFile::Open(const std::string& path) {
    if (path.empty())
        return CtlExit::Success;
    FFile = std::fopen(path.c_str(), "w");
    if (!FFile) {
        std::cerr << "kq9ctl: cannot write the log " << path << ": " << std::strerror(errno)
                  << '\n';
        return CtlExit::FileError;
    }
    FPath = path;
    TheLog() = std::make_shared<TCommLog>();
    FWriter = std::make_unique<TCommLogWriter>(TheLog(), FFile, CommLanguage());
    return CtlExit::Success;
}

int TCtlLogFile::Close(int commandResult) {
    if (!FFile)
        return commandResult;
    int error = FWriter->Finish();
    FWriter.reset();
    TheLog().reset();
    if (std::fclose(FFile) != 0 && error == 0)
        error = errno;
    FFile = nullptr;
    if (error == 0)
        return commandResult;
    std::cerr << "kq9ctl: writing the log " << FPath << " failed: " << std::strerror(error) << '\n';
    return commandResult == CtlExit::Success ? CtlExit::FileError : commandResult;
}
