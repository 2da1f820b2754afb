// kq9soak: the program's windows on a simulated line that fails in every way it can, for as long
// as asked (10 minutes unless --seconds says otherwise), with the figures printed at the end.
// Exit code 0 when nothing failed.
//
//     kq9soak [--seconds N] [--seed N]

#include "SoakBoxes.h"
#include "SoakDevice.h"
#include "SoakFiles.h"
#include "SoakLine.h"
#include "SoakMemory.h"
#include "SoakScenario.h"
#include "SoakTally.h"
#include "SoakWatchdog.h"

#include "app/ErrorReport.h"
#include "app/FileLocations.h"
#include "app/Kq9Windows.h"
#include "comm/QtHandover.h"
#include "comm/UiHandover.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <thread>

namespace fs = std::filesystem;
using namespace kq9soak;

namespace {

constexpr int HangMs = 15000;
// The longest a request may wait for its answer: far more than the queue of the busiest window
// with every time-out taken.
constexpr int64_t RequestLimitMs = 30000;
constexpr int64_t BlockLimitMs = 200;
constexpr int64_t GrowthLimitKb = 2048;

struct TFolders {
    fs::path Root, Home, Files, User, Runtime, Work;
};

TFolders MakeFolders() {
    std::string pattern = (fs::temp_directory_path() / "kq9soak-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("kq9soak: no temporary folder");
        std::exit(2);
    }
    TFolders f;
    f.Root = pattern;
    f.Home = f.Root / "home";
    f.Files = f.Root / "files";
    f.User = f.Root / "user";
    f.Runtime = f.Root / "run";
    f.Work = f.Root / "work";
    for (const fs::path& folder : {f.Home, f.Files, f.User, f.Runtime, f.Work, f.Root / "dev"})
        fs::create_directories(folder);
    fs::permissions(f.Runtime, fs::perms::owner_all);
    return f;
}

// The program's settings and data files, and a user of its own: nothing it writes can land
// outside the soak's folder unseen.
void PrepareHome(const TFolders& f, const std::string& link) {
    for (const auto& entry : fs::directory_iterator(KQ9_SOURCE_DATA))
        if (entry.is_regular_file() && entry.path().filename() != "CMakeLists.txt")
            fs::copy_file(entry.path(), f.Home / entry.path().filename());
    std::ofstream ini(f.Home / "application.ini");
    ini << "[Serieel]\nbaudrate=6\ndatabit=1\nparity=1\nstopbit=0\nhardware=0\nportname=0\n"
           "unit_no=0\n[Opties]\nTaal=1\n[Poorten]\nCOM1="
        << link << "\n";
    setenv("HOME", f.User.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (f.User / ".config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (f.User / ".cache").c_str(), 1);
    setenv("XDG_DATA_HOME", (f.User / ".local/share").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", f.Runtime.c_str(), 1);
    setenv("TMPDIR", f.Work.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    fs::current_path(f.Work);
}

struct TArguments {
    int Seconds = 600;
    unsigned Seed = std::random_device{}();
};

TArguments ParseArguments(int argc, char** argv) {
    TArguments a;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string name = argv[i];
        if (name == "--seconds")
            a.Seconds = std::atoi(argv[i + 1]);
        else if (name == "--seed")
            a.Seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
    }
    if (a.Seconds < 10) {
        std::fprintf(stderr, "usage: kq9soak [--seconds N (10 or more)] [--seed N]\n");
        std::exit(1);
    }
    return a;
}

// What the program wrote that the soak did not ask for: application.ini only at its end, Qt's
// file dialog its history; anything else fails the soak.
void CheckFiles(const TFolderState& before, const TFolderState& after, const TFolders& f,
                const std::vector<std::string>& asked, TTally& tally) {
    const std::string settings = (f.Home / "application.ini").string();
    const std::string dialogHistory = (f.User / ".config/QtProject.conf").string();
    for (const std::string& path : ChangedFiles(before, after)) {
        if (path == settings || path == dialogHistory ||
            std::find(asked.begin(), asked.end(), path) != asked.end())
            continue;
        tally.Failure("a file nobody asked for: " + path);
    }
}

void Print(const char* name, const std::string& value) {
    std::printf("  %-45s %s\n", name, value.c_str());
}

} // namespace

int main(int argc, char** argv) {
    TArguments arguments = ParseArguments(argc, argv);
    TFolders folders = MakeFolders();
    const std::string link = (folders.Root / "dev/ttyKQ9").string();
    PrepareHome(folders, link);
    std::printf("soak: %d s, seed %u, in %s\n", arguments.Seconds, arguments.Seed,
                folders.Root.c_str());

    TKq9Application app(argc, argv);
    SetFileLocations(FindFileLocations(QApplication::applicationDirPath(),
                                       QString::fromStdString(folders.Home.string())));
    TQtHandover handover;
    SetUiHandover(&handover);
    TSoakLine line(link, (folders.Home / "Parameters.txt").string());
    if (int error = line.Start(); error != 0) {
        std::fprintf(stderr, "kq9soak: no pty: %s\n", std::strerror(error));
        return 2;
    }
    const std::vector<fs::path> watched = {folders.Home, folders.Files, folders.User, folders.Work};
    const TFolderState before = TakeFolderState(watched);

    TTally tally;
    TMemoryFigures memory;
    std::vector<std::string> asked;
    int64_t longestBlock = 0, longestRequest = 0;
    std::string blockDuring, requestCommand;
    int boxes = 0;
    {
        TDeviceLog device;
        TKq9Windows windows(QApplication::arguments(),
                            QString::fromStdString(folders.Home.string()),
                            WatchedDeviceFactory(device));
        windows.FormMain.show();
        TWatchdog watchdog(windows.FormMain.LBComm1, device, HangMs);
        TBoxes boxWatch;
        TSoakOptions options{arguments.Seconds, arguments.Seed, folders.Files};
        TSoakScenario scenario(windows, line, device, watchdog, boxWatch, tally, options);
        std::thread driver([&] { scenario.Run(); });
        app.exec();
        driver.join();
        memory = scenario.Memory();
        asked = scenario.FilesAskedFor();
        longestBlock = watchdog.LongestBlockMs();
        blockDuring = watchdog.LongestBlockDuring();
        longestRequest = watchdog.LongestRequestMs();
        requestCommand = watchdog.LongestRequestCommand();
        boxes = boxWatch.Count();
        for (const QString& box : boxWatch.Unclaimed())
            tally.Failure("a message box: " + box.toStdString());
    }
    SetUiHandover(nullptr);
    line.Stop();
    CheckFiles(before, TakeFolderState(watched), folders, asked, tally);

    if (longestBlock > BlockLimitMs)
        tally.Failure("the UI thread was blocked for " + std::to_string(longestBlock) + " ms");
    if (longestRequest > RequestLimitMs)
        tally.Failure("a request waited " + std::to_string(longestRequest) + " ms");
    int64_t growth = memory.EndKb - memory.BaselineKb;
    if (memory.BaselineKb > 0 && growth >= GrowthLimitKb)
        tally.Failure("resident memory grew by " + std::to_string(growth) + " kB");

    std::printf("\nsoak: faults injected and how the windows showed them\n");
    tally.Print(std::cout);
    std::cout.flush();
    std::printf("\nsoak: figures\n");
    Print("longest block of the UI thread", std::to_string(longestBlock) + " ms (target: at most " +
                                                std::to_string(BlockLimitMs) + " ms), during " +
                                                blockDuring);
    Print("longest wait for a request's answer",
          std::to_string(longestRequest) + " ms (\"" + requestCommand + "\")");
    Print("resident memory at start", std::to_string(memory.StartKb) + " kB");
    Print("resident memory after the first minute", std::to_string(memory.BaselineKb) + " kB");
    Print("resident memory at the end", std::to_string(memory.EndKb) + " kB");
    Print("growth after the first minute", std::to_string(growth) + " kB (peak " +
                                               std::to_string(memory.PeakKb - memory.BaselineKb) +
                                               " kB; target: under " +
                                               std::to_string(GrowthLimitKb) + " kB)");
    Print("message boxes shown", std::to_string(boxes));
    Print("files the soak asked for", std::to_string(asked.size()));
    bool failed = tally.Failed();
    std::printf("\nsoak: %s\n", failed ? "FAILED" : "passed");
    if (!failed)
        fs::remove_all(folders.Root);
    return failed ? 1 : 0;
}
