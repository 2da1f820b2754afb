#pragma once
// Where the program finds its files. A portable copy or a build keeps everything in the
// program's folder: the data files beside the program, and application.ini there as long as the
// user may write it. An installed program finds its data files in ../share/kq9 beside its bin
// folder and keeps the user's settings in the user's configuration folder: it may not, and run
// as root must not, write into the system's program folder. --home DIR puts everything in DIR.

#include <QString>

struct TFileLocations {
    QString DataPath;     // language files, definitions, page table, trees, error help
    QString SettingsPath; // folder of application.ini, created on the first save
    QString DialogFolder; // start folder of the file dialogs until the user picks one
};

struct TLocationInputs {
    QString ProgramDir; // folder of the executable
    QString Home;       // --home DIR; empty when not given
    bool ProgramDirWritable = false;
    QString XdgConfigHome; // $XDG_CONFIG_HOME, empty when not set
    QString UserHome;      // the user's home folder
};

// The file that tells that a folder holds the data files.
inline constexpr const char* DataMarkerFile = "Parameters.txt";

// The folders for these inputs; each path ends in "/".
TFileLocations FindFileLocations(const TLocationInputs& inputs);
// The same for this process and its environment.
TFileLocations FindFileLocations(const QString& programDir, const QString& home);

// Makes ProgramPath the data folder and SettingsPath the settings folder.
void SetFileLocations(const TFileLocations& locations);
