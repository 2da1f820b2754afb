#pragma once
// kq9ctl's runs over a whole line: a backup of every unit that answers into DIR/unit-NN.bak,
// and the restore of such a folder into a line of (replaced) controllers. Each unit gets one
// line on the progress stream saying what became of it; the summary goes to the output stream.
// The units are reached through TUnitLine, so that the run can be driven without a line.

#include "params/BackupFile.h"

#include <QString>

#include <ostream>
#include <string>

// One unit at a time on the line. Each step returns a kq9ctl exit code; a failure comes with
// its reason in `why`, one line without the program's name.
class TUnitLine {
public:
    virtual ~TUnitLine() = default;
    // Selects the unit: Timeout when nothing answered.
    virtual int Select(int unit, std::string& why) = 0;
    // Reads every parameter and setpoint of the selected unit.
    virtual int Read(TBackupData& data, std::string& why) = 0;
    // Writes them to the selected unit and has it take the parameters over.
    virtual int Write(const TBackupData& data, std::string& why) = 0;
    // The line itself has gone (the port closed, the device vanished): no unit can be reached.
    virtual bool Lost() const = 0;
};

struct TWholeLineOptions {
    QString Dir;
    int FirstUnit = 0;
    int LastUnit = 31;
};

// "unit-05.bak": the file of a unit in the folder.
QString UnitBackupName(int unit);

// Selects every unit of the range in turn; one that does not answer is skipped, one that does
// is read and saved (atomically) as DIR/unit-NN.bak, DIR created when missing. Success when
// every answering unit was saved and at least one answered; otherwise the exit code of the first
// failure (Unexpected when none answered). A lost line ends the run at once.
int BackupAll(TUnitLine& line, const TWholeLineOptions& options, std::ostream& progress,
              std::ostream& out);

// Writes DIR/unit-NN.bak to unit NN for every such file of the range. Every file is read first:
// a file that cannot be read or is no backup file writes nothing at all. A unit that does not
// answer is a failure, as is one that does not take its values. Success when every file was
// written and taken over; otherwise the exit code of the first failure.
int RestoreAll(TUnitLine& line, const TWholeLineOptions& options, std::ostream& progress,
               std::ostream& out);
