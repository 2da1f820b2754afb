// Where the data files and application.ini are found: a build or portable copy, a read-only
// copy, an installed program (also run as root), --home, and the first save into a settings
// folder that does not exist yet.

#include "app/FileLocations.h"
#include "app/FixtureFiles.h"
#include "app/Settings.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using kq9test::ReadFixture;
using kq9test::WriteFixture;

namespace {

class FileLocations : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FRoot.isValid());
        for (const char* folder : {"usr/bin", "usr/share/kq9", "home/.config"})
            ASSERT_TRUE(QDir(FRoot.path()).mkpath(QString::fromLatin1(folder)));
        FInputs.ProgramDir = Path("usr/bin");
        FInputs.UserHome = Path("home");
    }

    QString Path(const QString& relative) const { return FRoot.path() + u'/' + relative; }
    QString Folder(const QString& relative) const { return Path(relative) + u'/'; }
    void PutData(const QString& relative) const {
        WriteFixture(Path(relative), QString::fromLatin1(DataMarkerFile), "[P000]\n");
    }

    QTemporaryDir FRoot;
    TLocationInputs FInputs;
};

} // namespace

TEST_F(FileLocations, ProgramFolderWithTheDataKeepsEverythingWhenTheUserMayWriteThere) {
    PutData("usr/bin");
    PutData("usr/share/kq9"); // the program's own copy wins
    FInputs.ProgramDirWritable = true;
    TFileLocations writable = FindFileLocations(FInputs);
    EXPECT_EQ(writable.DataPath, Folder("usr/bin"));
    EXPECT_EQ(writable.SettingsPath, Folder("usr/bin"));
    EXPECT_EQ(writable.DialogFolder, Folder("usr/bin"));

    FInputs.ProgramDirWritable = false;
    TFileLocations readOnly = FindFileLocations(FInputs);
    EXPECT_EQ(readOnly.DataPath, Folder("usr/bin"));
    EXPECT_EQ(readOnly.SettingsPath, Folder("home/.config/kq9"));
    EXPECT_EQ(readOnly.DialogFolder, Folder("home"));
}

TEST_F(FileLocations, InstalledProgramReadsSharedDataAndNeverWritesIntoItsBinFolder) {
    PutData("usr/share/kq9");
    // Root may write /usr/bin; the settings still belong in the user's folder.
    for (bool writable : {false, true}) {
        FInputs.ProgramDirWritable = writable;
        TFileLocations found = FindFileLocations(FInputs);
        EXPECT_EQ(found.DataPath, Folder("usr/share/kq9"));
        EXPECT_EQ(found.SettingsPath, Folder("home/.config/kq9"));
        EXPECT_EQ(found.DialogFolder, Folder("home"));
    }
    FInputs.XdgConfigHome = Path("xdg");
    EXPECT_EQ(FindFileLocations(FInputs).SettingsPath, Folder("xdg/kq9"));
    FInputs.XdgConfigHome = QStringLiteral("relative/xdg"); // to be ignored
    EXPECT_EQ(FindFileLocations(FInputs).SettingsPath, Folder("home/.config/kq9"));
}

TEST_F(FileLocations, HomeOptionOverridesAndMissingDataStaysWithTheProgram) {
    PutData("usr/share/kq9");
    FInputs.Home = Path("portable/");
    TFileLocations home = FindFileLocations(FInputs);
    EXPECT_EQ(home.DataPath, Folder("portable"));
    EXPECT_EQ(home.SettingsPath, Folder("portable"));
    EXPECT_EQ(home.DialogFolder, Folder("portable"));

    // Neither folder holds the data: the program's folder, whose readers report what is missing.
    QDir(Path("usr/share/kq9")).removeRecursively();
    FInputs.Home.clear();
    FInputs.ProgramDirWritable = true;
    TFileLocations none = FindFileLocations(FInputs);
    EXPECT_EQ(none.DataPath, Folder("usr/bin"));
    EXPECT_EQ(none.SettingsPath, Folder("usr/bin"));
}

TEST_F(FileLocations, FirstSaveCreatesTheSettingsFolderAndReadsBack) {
    PutData("usr/share/kq9");
    TFileLocations found = FindFileLocations(FInputs);
    TGlobalVar settings;
    settings.ProgramPath = found.DataPath;
    settings.SettingsPath = found.SettingsPath;
    settings.Taal = 2;
    TLBComm port;
    ASSERT_TRUE(ProgrammaInstellingen_opslaan(port, 7, settings));
    EXPECT_TRUE(ReadFixture(Path("home/.config/kq9/application.ini")).contains("Taal=2"));
    EXPECT_FALSE(QFileInfo::exists(Path("usr/share/kq9/application.ini")));

    TGlobalVar read;
    read.SettingsPath = found.SettingsPath;
    int unitNo = 0;
    ASSERT_TRUE(Configfile_lezen(port, unitNo, read));
    EXPECT_EQ(unitNo, 7);
    EXPECT_EQ(read.Taal, 2);

    // A file where the folder should be: reported, not a crash or a file elsewhere.
    WriteFixture(Path("home"), "blocked", "x");
    settings.SettingsPath = Folder("home/blocked/kq9");
    QString error;
    EXPECT_FALSE(ProgrammaInstellingen_opslaan(port, 7, settings, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("home/blocked/kq9"))) << error.toStdString();
}
