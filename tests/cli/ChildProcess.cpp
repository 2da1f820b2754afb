#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kq9test {

namespace {

using Clock = std::chrono::steady_clock;

// Called through syscall(): the C library's declaration lacks C linkage in some versions.
int PidFdOpen(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

int MsLeft(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Starts `argv` with its stdout on a pipe (readFds[0]) and, when `captureErr`, its stderr too
// (readFds[1]); otherwise it writes to the test's stderr.
pid_t Spawn(const std::vector<std::string>& argv, int readFds[2], bool captureErr) {
    int out[2], err[2] = {-1, -1};
    if (::pipe2(out, O_CLOEXEC) != 0)
        return -1;
    if (captureErr && ::pipe2(err, O_CLOEXEC) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    if (captureErr)
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (captureErr)
        ::close(err[1]);
    if (pid < 0) {
        ::close(out[0]);
        if (captureErr)
            ::close(err[0]);
        return -1;
    }
    readFds[0] = out[0];
    readFds[1] = err[0];
    return pid;
}

// Waits for the end of `pid` through its pidfd: false when it did not end in time; `code` is
// its exit code, or -1 when a signal ended it.
bool Reap(pid_t pid, int pidFd, int timeoutMs, int& code) {
    code = -1;
    pollfd fd{pidFd, POLLIN, 0};
    int status = 0;
    if (::poll(&fd, 1, timeoutMs) != 1 || ::waitpid(pid, &status, 0) != pid)
        return false;
    code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
}

} // namespace

std::string ProgramPath(const std::string& name) {
    const char* dir = std::getenv("KQ9_BIN_DIR");
    if (!dir) {
        ADD_FAILURE() << "KQ9_BIN_DIR is not set: run the tests through ctest";
        return {};
    }
    return std::string(dir) + "/" + name;
}

TRunResult RunProgram(const std::vector<std::string>& argv, int timeoutMs) {
    TRunResult result;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int fds[2];
    pid_t pid = Spawn(argv, fds, true);
    if (pid < 0)
        return result;
    int pidFd = PidFdOpen(pid);
    std::string* sinks[2] = {&result.Out, &result.Err};
    bool open[2] = {true, true};
    while ((open[0] || open[1]) && MsLeft(deadline) > 0) {
        pollfd fdsToPoll[2] = {{open[0] ? fds[0] : -1, POLLIN, 0},
                               {open[1] ? fds[1] : -1, POLLIN, 0}};
        if (::poll(fdsToPoll, 2, MsLeft(deadline)) <= 0)
            continue;
        for (int i = 0; i < 2; ++i) {
            if (!open[i] || fdsToPoll[i].revents == 0)
                continue;
            char buffer[4096];
            ssize_t n = ::read(fds[i], buffer, sizeof buffer);
            if (n > 0)
                sinks[i]->append(buffer, static_cast<size_t>(n));
            else if (n == 0 || errno != EINTR)
                open[i] = false;
        }
    }
    ::close(fds[0]);
    ::close(fds[1]);
    if (!Reap(pid, pidFd, MsLeft(deadline), result.ExitCode) && ::kill(pid, SIGKILL) == 0)
        ::waitpid(pid, nullptr, 0);
    ::close(pidFd);
    return result;
}

TChildProcess::~TChildProcess() {
    if (FPid > 0 && ::kill(FPid, SIGKILL) == 0)
        ::waitpid(FPid, nullptr, 0);
    if (FPidFd >= 0)
        ::close(FPidFd);
    if (FOut >= 0)
        ::close(FOut);
}

bool TChildProcess::Start(const std::vector<std::string>& argv) {
    int fds[2];
    FPid = Spawn(argv, fds, false);
    if (FPid < 0)
        return false;
    FOut = fds[0];
    FPidFd = PidFdOpen(FPid);
    return FPidFd >= 0;
}

std::string TChildProcess::ReadLine(int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (size_t end = FPending.find('\n'); end != std::string::npos) {
            std::string line = FPending.substr(0, end);
            FPending.erase(0, end + 1);
            return line;
        }
        pollfd fd{FOut, POLLIN, 0};
        if (::poll(&fd, 1, MsLeft(deadline)) <= 0)
            return {};
        char buffer[256];
        ssize_t n = ::read(FOut, buffer, sizeof buffer);
        if (n <= 0)
            return {};
        FPending.append(buffer, static_cast<size_t>(n));
    }
}

void TChildProcess::Signal(int signal) {
    if (FPid > 0)
        ::kill(FPid, signal);
}

int TChildProcess::Wait(int timeoutMs) {
    if (FPid < 0)
        return -1;
    int code = -1;
    if (Reap(FPid, FPidFd, timeoutMs, code))
        FPid = -1;
    return code;
}

} // namespace kq9test
