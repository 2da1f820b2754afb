#pragma once
// The shared settings and state of the program: one record for the whole run, read by every
// window. Created zeroed; application.ini fills the stored part at start (app/Settings.h).

#include <QString>

struct TGlobalVar {
    QString SoftwareVersion = QStringLiteral("4.06");
    // Folder of the data files (language files, definitions, trees, error help), ending in "/":
    // the program's own folder, or the shared data folder of an installed program.
    QString ProgramPath;
    // Folder of application.ini, ending in "/": the program's folder when the user may write
    // there, else the user's configuration folder (app/FileLocations.h).
    QString SettingsPath;
    // Language index: chooses the language file, the definition texts and the option texts.
    int Taal = 0;
    // Start folder of every open and save dialog; the last folder used.
    QString OpenCloseDialoogPath;

    // Print header texts.
    QString Firma;
    QString Type;
    QString Sn;

    // Log graph.
    int X_Div = 0;
    int Y_Div = 0;
    int BronItem = 0;
    bool X_hulplijn = false;
    bool Y_hulplijn = false;

    // Linearisation graph.
    int Puntgrootte = 0;
    bool Lin_X_hulplijn = false;
    bool Lin_Y_hulplijn = false;

    // Identification of the selected unit: the first four characters of its type reply, and the
    // step of the identification chain (0 … 2).
    QString DeviceType;
    int TypeInfoStep = 0;

    // Which live monitoring groups run.
    bool ActualActive = false;
    bool InOutActive = false;
    bool ThumbwheelActive = false;

    // Whether a language file was found and loaded.
    bool LanguageFileLoaded = false;
};

// The program-wide instance.
TGlobalVar& GlobalVar();

// Puts the data files and application.ini in one folder: ProgramPath and SettingsPath become
// `directory` with a trailing separator.
void SetProgramPath(const QString& directory);
// ProgramPath + name.
QString ProgramFile(const QString& name);
