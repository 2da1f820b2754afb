#pragma once
// Programs run by the tests as child processes, with their output collected through pipes and
// every wait bounded by a deadline.

#include <string>
#include <sys/types.h>
#include <vector>

namespace kq9test {

// A built program of this project, found through KQ9_BIN_DIR; empty (and the test failed) when
// that variable is not set.
std::string ProgramPath(const std::string& name);

struct TRunResult {
    int ExitCode = -1; // -1: it did not end in time or ended by a signal
    std::string Out;
    std::string Err;
};

// Runs `argv` to its end, for at most timeoutMs.
TRunResult RunProgram(const std::vector<std::string>& argv, int timeoutMs = 10000);

class TChildProcess {
public:
    TChildProcess() = default;
    // Kills and reaps a child that is still running.
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    bool Start(const std::vector<std::string>& argv);
    // The next line of its stdout, without the newline; empty when none came in time.
    std::string ReadLine(int timeoutMs);
    void Signal(int signal);
    // Its exit code once it ended; -1 when it did not end in time or ended by a signal.
    int Wait(int timeoutMs);

private:
    pid_t FPid = -1;
    int FPidFd = -1;
    int FOut = -1;
    std::string FPending;
};

} // namespace kq9test
