#pragma once
// The bulk transfers of kq9ctl: the port opened and the unit selected, a read or write sequence
// (the same ones the program's dialogs show) run to its end with progress on stderr, and its end
// reported in words with the exit code that goes with it.

#include "params/TransferSequence.h"

#include <string>

class TCtlPort;
struct TBackupData;
struct TCtlOptions;

// Opens the port and selects the unit (--unit, else the settings file's, else 0).
int OpenAndSelect(TCtlPort& port);

// Runs `sequence` in `mode` until it stops; `label` names the run in the progress display.
// Success when every value was transferred (and taken over); otherwise the failure is reported
// on stderr and its exit code returned.
int RunTransfer(TCtlPort& port, TTransferSequence& sequence, int mode, const std::string& label);

// Opens the port, selects the unit and reads every parameter and setpoint (a backup's read)
// into `data`; Success or the exit code of the failure, reported on stderr.
int ReadWholeController(const TCtlOptions& options, TBackupData& data);

// The exit code of a stopped sequence, with the message for anything but success on `err`.
int TransferExitCode(const TTransferSequence& sequence, std::ostream& err);
