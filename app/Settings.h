#pragma once
// The settings file "application.ini" in the settings folder (app/FileLocations.h): the port's
// line and hardware settings (as enumeration ordinals), whether its replies end at their line
// end, the selected unit number and the stored part of the shared settings. Read at start,
// written at program end.

#include "app/GlobalVar.h"
#include "comm/LBComm.h"

#include <QString>

QString SettingsFilePath(const TGlobalVar& settings); // SettingsPath + "application.ini"

// The port settings in force before application.ini is read, and when there is none: 9600 baud,
// 8 data bits, odd parity, 1 stop bit, COM1, an RS485 card with its register drivers.
void ApplyStoredPortSettings(TLBComm& port);

// Reads every setting in its fixed order and hands it over at once: the port's values through
// its setters (the port must be closed), the unit number to `unitNo`, the rest to `settings`.
// A missing key takes its default; a value that is no number counts as missing; an ordinal
// outside its enumeration is not applied, so the port keeps what it had. The device paths of
// section [Poorten] (keys COM1 … COM16) go into the COM-name table.
// Without a readable file nothing changes and the result is false.
bool Configfile_lezen(TLBComm& port, int& unitNo, TGlobalVar& settings);

// Writes every setting from its current value, in the same order and sections, into the file,
// leaving everything else in it as it was; atomically; a missing settings folder is created.
// False with the reason in `error` when the file cannot be read or written (the old file then
// stays as it was).
bool ProgrammaInstellingen_opslaan(const TLBComm& port, int unitNo, const TGlobalVar& settings,
                                   QString* error = nullptr);
