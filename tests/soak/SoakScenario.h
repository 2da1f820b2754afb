#pragma once
// The soak itself: for the time it is given, it uses the program as a busy service engineer
// would (the live view with every group on and the error poll, terminal commands, reads and
// writes of whole controllers, backups and restores, log-graph recordings, device searches)
// while the line fails under it in every way it can, and checks that each failure is shown as
// the window concerned shows it, that nothing is lost or corrupted, and that the program is
// usable again afterwards. It runs on the driver thread and ends the program through its menu.

#include "SoakBoxes.h"
#include "SoakDevice.h"
#include "SoakFaults.h"
#include "SoakLine.h"
#include "SoakTally.h"
#include "SoakWatchdog.h"

#include "app/Kq9Windows.h"
#include "params/BackupFile.h"

#include <QString>

class QAction;

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace kq9soak {

struct TSoakOptions {
    int Seconds = 600;
    unsigned Seed = 0;
    // Where the backups and the files to restore go.
    std::filesystem::path FileFolder;
};

struct TMemoryFigures {
    int64_t StartKb = 0;    // once the main window is up
    int64_t BaselineKb = 0; // after the first minute (or half the run, when it is shorter)
    int64_t PeakKb = 0;     // the most after that
    int64_t EndKb = 0;      // before the program is closed
};

class TSoakScenario {
public:
    TSoakScenario(TKq9Windows& windows, TSoakLine& line, const TDeviceLog& device,
                  TWatchdog& watchdog, TBoxes& boxes, TTally& tally, const TSoakOptions& options);

    // Driver thread: runs until the time is up, then closes the program.
    void Run();

    const TMemoryFigures& Memory() const { return FMemory; }
    // The files the soak wrote itself or had the program write.
    const std::vector<std::string>& FilesAskedFor() const { return FFilesAskedFor; }

private:
    // How a window is meant to show a fault, taken on the UI thread.
    using TLook = std::function<bool()>;
    struct TExpectation {
        TLook Shown;      // the window shows the fault
        int WithinMs = 0; // from the moment the fault's command reaches the line
        // The window is meant to ride the fault out: to go on as if nothing happened, without
        // ever showing `Wrong`. (With Shown as well, either outcome is right.)
        bool RidesOut = false;
        TLook Wrong;
        // The window has gone past the command the fault waits for: it will not come.
        TLook Gone;
        std::function<std::string()> Describe; // what the window shows instead, for a miss
    };

    // The activities.
    void LiveView(int seconds);
    void TerminalCommand(bool withFault);
    void ReadIntoStore();
    void Backup();
    void Restore();
    void LogGraph();
    void Search();
    void DropInLiveView();

    // A fault on the commands beginning with `appliesTo`, checked against `expect`; true when
    // the window showed it (or rode it out) as it should.
    // `then`: what the driver does once the fault is armed.
    bool Inject(const std::string& window, TFault fault, int unit, const TSimFaults& faults,
                const TExpectation& expect, const std::function<void()>& then = {});

    // The live view's faults: one of its requests, and how its panel must show the fault.
    bool InjectLiveValue(TFault fault);
    bool InjectThumbwheel(TFault fault);
    bool InjectErrorPoll(TFault fault);
    // A random one of the faults that apply to a window.
    TFault Pick(std::initializer_list<TFault> faults);

    // The port open and the unit identified; false (a failure) when it cannot be done.
    bool EnsureOnline(const std::string& after);
    void EnsureLiveGroups(bool on);
    // Pulls the cable, waits up to `withinMs` for `shown`, and plugs it in again; true when it
    // was shown and the line came back.
    bool DropLine(const std::string& window, const TLook& shown, int withinMs);
    bool Replug();
    // Chooses a menu item as the user does, which only works with no modal window in front.
    void Choose(QAction* item);
    // The class and title of the modal window in front, for messages.
    std::string ModalWindow();
    // Waits for a modal window to be `window`.
    bool WaitForModal(QWidget* window, int timeoutMs);
    // Answers the file dialog in front with `path`.
    bool ChooseFile(const std::string& path);
    // The sim's parameters and setpoints of the main unit, as a backup holds them.
    TBackupData DeviceData();
    // A transfer dialog run to its end; see the definitions.
    bool RunTransfer(QWidget* dialog, const std::string& window, bool write);
    void SampleMemory();
    bool TimeUp() const;
    void Step(const std::string& activity);
    // A line of the soak's log, after the time since it began.
    void Log(const std::string& text);
    // A failure, with the last commands on the line.
    void Fail(const std::string& text);

    TKq9Windows& W;
    TFormMain& Main;
    TSoakLine& FLine;
    const TDeviceLog& FDevice;
    TWatchdog& FWatchdog;
    TBoxes& FBoxes;
    TTally& FTally;
    TSoakOptions FOptions;
    std::mt19937 FRandom;
    int64_t FStartMs = 0;
    int FFileNumber = 0;
    TMemoryFigures FMemory;
    std::vector<std::string> FFilesAskedFor;
};

} // namespace kq9soak
