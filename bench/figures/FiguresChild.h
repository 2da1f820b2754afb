#pragma once
// The programs the figures are taken of, run as processes of their own: kq9 and kq9ctl as built,
// and this benchmark in one of its program modes, so that each figure counts that process alone.

#include <string>
#include <vector>

struct TChildFigures {
    int ExitCode = -1;     // -1: ended by a signal or not started
    std::string Out;       // its stdout
    double WallS = 0;      // from the start to its end
    double FirstLineS = 0; // from the start to the first line on its stdout
    long PeakKb = 0;       // its peak resident memory
};

// Runs `argv` with `environment` added to ours, to its end.
TChildFigures RunChild(const std::vector<std::string>& argv,
                       const std::vector<std::string>& environment);

// A temporary folder that goes with its owner.
struct TTempFolder {
    std::string Path;
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
};

// The program's data files and a settings file whose COM1 is `portPath` at 38400 baud, in
// `home`.
void PrepareHome(const std::string& home, const std::string& portPath);
