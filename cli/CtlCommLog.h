#pragma once
// kq9ctl --log FILE: every exchange of the ports the command opens, one line each as the
// communication log window shows it, written to FILE while the command runs.

#include "comm/CommLog.h"

#include <cstdio>
#include <memory>
#include <string>

class TCommLogWriter;

// The log the command's ports fill; none without --log.
std::shared_ptr<TCommLog> CtlCommLog();

class TCtlLogFile {
public:
    TCtlLogFile();
    ~TCtlLogFile();
    TCtlLogFile(const TCtlLogFile&) = delete;
    TCtlLogFile& operator=(const TCtlLogFile&) = delete;

    // Creates (or empties) the file and starts writing to it; an empty path does nothing.
    // FileError with the reason on stderr when it cannot be created.
    int Open(const std::string& path);
    // Writes the rest and closes the file. The command's exit code, or FileError when the log
    // could not be written completely and the command itself succeeded.
    int Close(int commandResult);

private:
    std::string FPath;
    std::FILE* FFile = nullptr;
    std::unique_ptr<TCommLogWriter> FWriter;
};
