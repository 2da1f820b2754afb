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

// How a run reports itself on stderr. Full: its progress (a bar on a terminal, plain lines
// otherwise) and a failure in words. Quiet: the bar on a terminal only and no words, for callers
// that word each run's end themselves (with TransferExitCode).
enum class TTransferReport { Full, Quiet };

// Runs `sequence` in `mode` until it stops; `label` names the run in the progress display.
// Success when every value was transferred (and taken over); otherwise the failure's exit code,
// reported on stderr as `report` says.
int RunTransfer(TCtlPort& port, TTransferSequence& sequence, int mode, const std::string& label,
                TTransferReport report = TTransferReport::Full);

// Opens the port, selects the unit and reads every parameter and setpoint (a backup's read)
// into `data`; Success or the exit code of the failure, reported on stderr.
int ReadWholeController(const TCtlOptions& options, TBackupData& data);

// The exit code of a stopped sequence, with the message for anything but success on `err`.
int TransferExitCode(const TTransferSequence& sequence, std::ostream& err);
