#include "cli/CtlWholeLine.h"

#include "app/TextFile.h"
#include "cli/CtlExit.h"
#include "cli/CtlFiles.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <vector>

namespace {

std::string UnitLabel(int unit) {
    char text[16];
    std::snprintf(text, sizeof text, "unit %02d", unit);
    return text;
}

std::string Local(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

std::string UnitPath(const TWholeLineOptions& options, int unit) {
    return Local(QDir(options.Dir).filePath(UnitBackupName(unit)));
}

std::string UnitList(const std::vector<int>& units) {
    std::string text;
    for (int unit : units)
        text += (text.empty() ? "" : ", ") + std::to_string(unit);
    return text;
}

// The first failure of a run decides its exit code.
struct TFailures {
    int First = CtlExit::Success;
    int Count = 0;

    void Add(int code) {
        if (Count++ == 0)
            First = code;
    }
};

int ReadAndSave(TUnitLine& line, const std::string& path, std::string& why) {
    QString error;
    if (!CanWriteFileAtomic(QString::fromLocal8Bit(path), &error)) {
        why = "cannot write " + path + ": " + Local(error) + "; nothing was read";
        return CtlExit::FileError;
    }
    TBackupData data;
    if (int result = line.Read(data, why); result != CtlExit::Success)
        return result;
    try {
        WriteBackupFile(QString::fromLocal8Bit(path), data);
    } catch (const EBackupFileError& e) {
        why = e.what();
        return CtlExit::FileError;
    }
    return CtlExit::Success;
}

// After a lost line no further unit is tried.
bool StopIfLost(const TUnitLine& line, int unit, std::ostream& progress) {
    if (!line.Lost())
        return false;
    progress << "kq9ctl: the line was lost; no unit after " << unit << " was tried\n";
    return true;
}

} // namespace

QString UnitBackupName(int unit) {
    return QStringLiteral("unit-%1.bak").arg(unit, 2, 10, QChar(u'0'));
}

int BackupAll(TUnitLine& line, const TWholeLineOptions& options, std::ostream& progress,
              std::ostream& out) {
    const std::string dir = Local(options.Dir);
    // Checked before the line is used, rather than after the first unit was read in vain.
    if (!QDir().mkpath(options.Dir) || !QFileInfo(options.Dir).isWritable()) {
        progress << "kq9ctl: cannot write in the folder " << dir << "; nothing was read\n";
        return CtlExit::FileError;
    }
    std::vector<int> saved;
    int silent = 0;
    TFailures failures;
    for (int unit = options.FirstUnit; unit <= options.LastUnit; ++unit) {
        const std::string path = UnitPath(options, unit);
        std::string why;
        int result = line.Select(unit, why);
        if (result == CtlExit::Timeout && !line.Lost()) {
            progress << UnitLabel(unit) << ": no answer\n";
            ++silent;
            continue;
        }
        if (result == CtlExit::Success)
            result = ReadAndSave(line, path, why);
        if (result == CtlExit::Success) {
            progress << UnitLabel(unit) << ": saved to " << path << '\n';
            saved.push_back(unit);
            continue;
        }
        progress << UnitLabel(unit) << ": not saved: " << why << '\n';
        failures.Add(result);
        if (StopIfLost(line, unit, progress))
            break;
    }
    const size_t answered = saved.size() + static_cast<size_t>(failures.Count);
    out << "saved " << saved.size() << " of " << answered << " answering units in " << dir
        << (saved.empty() ? "" : ": " + UnitList(saved)) << "; " << silent << " did not answer\n";
    if (failures.Count > 0)
        return failures.First;
    if (saved.empty()) {
        progress << "kq9ctl: no unit of " << options.FirstUnit << "-" << options.LastUnit
                 << " answered\n";
        return CtlExit::Unexpected;
    }
    return CtlExit::Success;
}

int RestoreAll(TUnitLine& line, const TWholeLineOptions& options, std::ostream& progress,
               std::ostream& out) {
    struct TUnitFile {
        int Unit;
        std::string Path;
        TBackupData Data;
    };
    const std::string dir = Local(options.Dir);
    std::vector<TUnitFile> files;
    for (int unit = options.FirstUnit; unit <= options.LastUnit; ++unit) {
        TUnitFile file{unit, UnitPath(options, unit), {}};
        if (!QFileInfo(QString::fromLocal8Bit(file.Path)).exists())
            continue;
        if (ReadBackupFileForCtl(file.Path, file.Data) != CtlExit::Success) {
            progress << "kq9ctl: nothing was written\n";
            return CtlExit::FileError;
        }
        files.push_back(std::move(file));
    }
    if (files.empty()) {
        progress << "kq9ctl: " << dir << " holds no unit-NN.bak of units " << options.FirstUnit
                 << "-" << options.LastUnit << "; nothing was written\n";
        return CtlExit::FileError;
    }
    std::vector<int> restored;
    TFailures failures;
    for (const TUnitFile& file : files) {
        std::string why;
        int result = line.Select(file.Unit, why);
        if (result == CtlExit::Timeout && !line.Lost())
            why = "no answer";
        else if (result == CtlExit::Success)
            result = line.Write(file.Data, why);
        if (result == CtlExit::Success) {
            progress << UnitLabel(file.Unit) << ": restored from " << file.Path << '\n';
            restored.push_back(file.Unit);
            continue;
        }
        progress << UnitLabel(file.Unit) << ": not restored: " << why << '\n';
        failures.Add(result);
        if (StopIfLost(line, file.Unit, progress))
            break;
    }
    out << "restored " << restored.size() << " of " << files.size() << " units from " << dir
        << (restored.empty() ? "" : ": " + UnitList(restored)) << '\n';
    return failures.First;
}
