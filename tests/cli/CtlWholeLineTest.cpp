// Backing up and restoring a whole line, driven through a scripted line of units: which units
// are tried, skipped and saved, what each run prints, and which exit code ends it.

#include "cli/CtlWholeLine.h"
#include "cli/CtlExit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {

// Units that answer with their values, or fail in the step and with the code given; every
// other unit is silent. Losing the line makes every later selection time out as well.
class TScriptedLine : public TUnitLine {
public:
    struct TUnit {
        TBackupData Data;
        int ReadResult = CtlExit::Success;
        int WriteResult = CtlExit::Success;
        bool LosesLine = false;
    };

    int Select(int unit, std::string& why) override {
        Selected.push_back(unit);
        FCurrent = Units.find(unit);
        if (FLost || FCurrent == Units.end()) {
            why = "no reply to \"sc " + std::to_string(unit) + "\" (time-out)";
            return CtlExit::Timeout;
        }
        return CtlExit::Success;
    }
    int Read(TBackupData& data, std::string& why) override {
        FLost = FCurrent->second.LosesLine;
        if (FCurrent->second.ReadResult != CtlExit::Success) {
            why = "read failed";
            return FCurrent->second.ReadResult;
        }
        data = FCurrent->second.Data;
        return CtlExit::Success;
    }
    int Write(const TBackupData& data, std::string& why) override {
        Written[FCurrent->first] = data;
        if (FCurrent->second.WriteResult != CtlExit::Success)
            why = "parameter 57 not taken over";
        return FCurrent->second.WriteResult;
    }
    bool Lost() const override { return FLost; }

    std::map<int, TUnit> Units;
    std::vector<int> Selected;
    std::map<int, TBackupData> Written;

private:
    std::map<int, TUnit>::iterator FCurrent{};
    bool FLost = false;
};

TBackupData Values(int seed) {
    TBackupData data;
    data.Par[17] = seed;
    data.Par[399] = -seed;
    data.Soll[48] = seed * 10;
    return data;
}

class CtlWholeLineTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Dir.isValid()); }

    int Backup(int first, int last) {
        return BackupAll(Line, {Folder, first, last}, Progress, Out);
    }
    int Restore(int first, int last) {
        return RestoreAll(Line, {Folder, first, last}, Progress, Out);
    }
    QString File(int unit) const { return QDir(Folder).filePath(UnitBackupName(unit)); }
    std::string FileText(int unit) const { return File(unit).toStdString(); }

    QTemporaryDir Dir;
    // A folder that does not exist yet: the backup creates it.
    QString Folder = Dir.filePath(QStringLiteral("line 3/backups"));
    TScriptedLine Line;
    std::ostringstream Progress, Out;
};

} // namespace

TEST_F(CtlWholeLineTest, BackupSkipsSilentUnitsAndSavesEachAnsweringOne) {
    Line.Units[2].Data = Values(2);
    Line.Units[4].Data = Values(4);
    EXPECT_EQ(Backup(0, 5), CtlExit::Success) << Progress.str();
    EXPECT_EQ(Line.Selected, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(Progress.str(), "unit 00: no answer\nunit 01: no answer\nunit 02: saved to " +
                                  FileText(2) + "\nunit 03: no answer\nunit 04: saved to " +
                                  FileText(4) + "\nunit 05: no answer\n");
    EXPECT_EQ(Out.str(), "saved 2 of 2 answering units in " + Folder.toStdString() +
                             ": 2, 4; 4 did not answer\n");
    EXPECT_EQ(QDir(Folder).entryList(QDir::Files), (QStringList{"unit-02.bak", "unit-04.bak"}));
    for (int unit : {2, 4}) {
        TBackupData saved;
        ASSERT_TRUE(ReadBackupFile(File(unit), saved));
        EXPECT_EQ(saved, Values(unit));
    }
}

TEST_F(CtlWholeLineTest, BackupEndsWithTheFirstFailureAndStopsWhenTheLineIsLost) {
    // A unit that answers but cannot be read fails the run; the others are still saved.
    Line.Units[1].ReadResult = CtlExit::CommError;
    Line.Units[3].ReadResult = CtlExit::Unexpected;
    Line.Units[5].Data = Values(5);
    EXPECT_EQ(Backup(0, 6), CtlExit::CommError);
    EXPECT_NE(Progress.str().find("unit 01: not saved: read failed\n"), std::string::npos);
    EXPECT_EQ(Out.str(), "saved 1 of 3 answering units in " + Folder.toStdString() +
                             ": 5; 4 did not answer\n");
    EXPECT_FALSE(QFile::exists(File(1)));
    EXPECT_TRUE(QFile::exists(File(5)));

    // Nothing answering is no successful backup.
    Line = TScriptedLine();
    EXPECT_EQ(Backup(10, 12), CtlExit::Unexpected);

    // A lost line is not three silent units: the run ends at the unit that lost it.
    Line = TScriptedLine();
    Line.Units[8].LosesLine = true;
    Line.Units[8].ReadResult = CtlExit::CommError;
    Line.Units[9].Data = Values(9);
    EXPECT_EQ(Backup(8, 11), CtlExit::CommError);
    EXPECT_EQ(Line.Selected, std::vector<int>{8});

    // A folder that cannot be made is found before any unit is selected.
    Line = TScriptedLine();
    QFile blocker(Dir.filePath(QStringLiteral("plain file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    Folder = Dir.filePath(QStringLiteral("plain file/backups"));
    EXPECT_EQ(Backup(0, 31), CtlExit::FileError);
    EXPECT_TRUE(Line.Selected.empty());
}

TEST_F(CtlWholeLineTest, RestoreWritesEveryFileToItsUnitAndNamesTheUnitsThatFailed) {
    Line.Units[2].Data = Values(2);
    Line.Units[4].Data = Values(4);
    ASSERT_EQ(Backup(0, 5), CtlExit::Success);

    // The replaced controllers: unit 2 takes its values, unit 4 refuses them, no file for 3.
    TScriptedLine replaced;
    replaced.Units[2] = {};
    replaced.Units[3] = {};
    replaced.Units[4].WriteResult = CtlExit::Unexpected;
    Line = replaced;
    Out.str({});
    Progress.str({});
    EXPECT_EQ(Restore(0, 31), CtlExit::Unexpected);
    EXPECT_EQ(Line.Selected, (std::vector<int>{2, 4}));
    EXPECT_EQ(Line.Written.at(2), Values(2));
    EXPECT_EQ(Line.Written.at(4), Values(4));
    EXPECT_EQ(Progress.str(), "unit 02: restored from " + FileText(2) +
                                  "\nunit 04: not restored: parameter 57 not taken over\n");
    EXPECT_EQ(Out.str(), "restored 1 of 2 units from " + Folder.toStdString() + ": 2\n");

    // A unit with a file that does not answer is a failure, not a skip.
    Line = TScriptedLine();
    Line.Units[2] = {};
    EXPECT_EQ(Restore(0, 31), CtlExit::Timeout);
    EXPECT_EQ(Line.Written.size(), 1u);

    // The range limits the files taken.
    Line = TScriptedLine();
    Line.Units[4] = {};
    EXPECT_EQ(Restore(3, 31), CtlExit::Success);
    EXPECT_EQ(Line.Selected, std::vector<int>{4});
}

TEST_F(CtlWholeLineTest, RestoreWritesNothingWhenAnyFileIsUnreadableOrNoneIsThere) {
    Line.Units[2].Data = Values(2);
    ASSERT_EQ(Backup(2, 2), CtlExit::Success);
    QFile damaged(File(7));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(BackupFileSize, '\x01'));
    damaged.close();
    Line = TScriptedLine();
    Line.Units[2] = {};
    Line.Units[7] = {};
    EXPECT_EQ(Restore(0, 31), CtlExit::FileError);
    EXPECT_TRUE(Line.Selected.empty());

    Folder = Dir.filePath(QStringLiteral("empty"));
    ASSERT_TRUE(QDir().mkpath(Folder));
    EXPECT_EQ(Restore(0, 31), CtlExit::FileError);
    EXPECT_TRUE(Line.Selected.empty());
}
