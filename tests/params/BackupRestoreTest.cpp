// Backup and restore through their dialogs, with the file dialogs and message boxes answered by
// the test and the bulk dialogs driven by handing replies to their components.

#include "TransferTestSupport.h"

#include "app/BackupRestore.h"
#include "app/DialogFilter.h"
#include "app/FixtureFiles.h"
#include "app/GlobalVar.h"
#include "comm/LBComm.h"
#include "params/BackupFile.h"
#include "params/LeesParSoll.h"
#include "params/SchrijfParSoll.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kq9test;

namespace {

class BackupRestoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadShippedLanguage(1));
        ASSERT_TRUE(Dir.isValid());
        ParamStore() = TParamStore();
        ParamStore().ParData[3] = 333;
        StoreBefore = ParamStore().ParData;
        for (int p = 0; p < ParameterCount; ++p)
            Device.Par[static_cast<size_t>(p)] = p * 11 - 2000;
        for (int s = 1; s <= SetpointCount; ++s)
            Device.Soll[static_cast<size_t>(s)] = -s;

        Flow.ExecDialog = [this](QDialog& dialog) {
            ++Dialogs;
            dialog.show();
            if (&dialog == &Lees)
                AnswerReads();
            else
                Written = EchoWrites();
            if (CloseWith == mrOK)
                static_cast<TFormParSollTransfer&>(dialog).CmdOK->click();
            else
                static_cast<TFormParSollTransfer&>(dialog).CmdCancel->click();
            return dialog.result();
        };
        Flow.GetSaveFileName = [this](const TFileDialogRequest& request) {
            Requests.push_back(request);
            return Chosen;
        };
        Flow.GetOpenFileName = Flow.GetSaveFileName;
        Flow.ShowInvalidFile = [this](const QString& text) { Messages.append(text); };
        Flow.AskConfirmation = [this](const QString& caption, const QString& text) {
            Messages.append(caption + u'|' + text);
            return Answer;
        };
    }
    void TearDown() override {
        UnloadLanguage();
        GlobalVar() = TGlobalVar();
    }

    // The controller's values, as the read dialog's replies.
    void AnswerReads() {
        TLD100Protocol& c = Lees.Sequence().LD100LeesParSoll;
        while (!Lees.Sequence().Stopped()) {
            std::string cmd = c.ASCIIProtocol();
            size_t n = std::stoul(cmd.substr(3));
            int32_t value = cmd.starts_with("rp") ? Device.Par[n] : Device.Soll[n];
            Reply(c, cmd + " " + std::to_string(value));
        }
    }
    // What the write dialog sends, as a controller would take it.
    TBackupData EchoWrites() {
        TBackupData written;
        TSchrijfParSollSequence& seq = Schrijf.Sequence();
        while (!seq.Stopped()) {
            if (seq.LD100BerekenParameters.ASCIIProtocol() == "bp") {
                Reply(seq.LD100BerekenParameters, "bp -1");
                break;
            }
            std::string cmd = seq.LD100SchrijfParSoll.ASCIIProtocol();
            size_t blank = cmd.find(' ', 3);
            size_t n = std::stoul(cmd.substr(3, blank - 3));
            int32_t value = std::stoi(cmd.substr(blank + 1));
            (cmd.starts_with("wp") ? written.Par[n] : written.Soll[n]) = value;
            Reply(seq.LD100SchrijfParSoll, cmd);
        }
        return written;
    }

    QTemporaryDir Dir;
    TLBComm Port;
    TFormLeesParSoll Lees{&Port};
    TFormSchrijfParSoll Schrijf{&Port};
    TBackupRestore Flow{nullptr, Lees, Schrijf};
    TBackupData Device;
    TBackupData Written;
    TParValues StoreBefore{};
    int CloseWith = mrOK;
    int Dialogs = 0;
    QString Chosen;
    std::vector<TFileDialogRequest> Requests;
    QStringList Messages;
    QMessageBox::StandardButton Answer = QMessageBox::Yes;
};

} // namespace

TEST_F(BackupRestoreTest, BackupThenRestoreWritesExactlyTheValuesRead) {
    GlobalVar().OpenCloseDialoogPath = QStringLiteral("/start");
    Chosen = Dir.filePath("unit.bak");
    ASSERT_TRUE(Flow.Backup());
    EXPECT_EQ(Lees.Sequence().Mode, 3);
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0].Caption, "Save backup as");
    EXPECT_EQ(Requests[0].Folder, "/start");
    EXPECT_EQ(Requests[0].Filter, "Backup file (*.bak)");
    EXPECT_EQ(Requests[0].DefaultSuffix, "bak");
    EXPECT_EQ(GlobalVar().OpenCloseDialoogPath, Dir.path());
    EXPECT_EQ(ReadFixture(Chosen), BackupFileBytes(Device));

    ASSERT_TRUE(Flow.Restore());
    EXPECT_EQ(Requests[1].Caption, "Open backup to restore");
    EXPECT_EQ(Requests[1].Folder, Dir.path());
    EXPECT_EQ(Schrijf.Sequence().Mode, 3);
    EXPECT_EQ(Written, Device);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages[0], "Warning|Every parameter and setpoint of the controller will be "
                           "overwritten with the contents of  " +
                               Chosen + "\n\rDo you want to continue?");
    EXPECT_EQ(ParamStore().ParData, StoreBefore);
}

TEST_F(BackupRestoreTest, NothingIsWrittenWhenADialogIsLeft) {
    // The read dialog closed with Cancel: no save dialog, no file.
    CloseWith = mrCancel;
    Chosen = Dir.filePath("unit.bak");
    EXPECT_FALSE(Flow.Backup());
    EXPECT_TRUE(Requests.empty());
    // The save dialog cancelled.
    CloseWith = mrOK;
    Chosen.clear();
    EXPECT_FALSE(Flow.Backup());
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList());

    WriteFixture(Dir.path(), "unit.bak", BackupFileBytes(Device));
    Chosen = Dir.filePath("unit.bak");
    Dialogs = 0;
    for (auto answer : {QMessageBox::No, QMessageBox::Cancel}) {
        Answer = answer;
        EXPECT_FALSE(Flow.Restore());
    }
    EXPECT_EQ(Dialogs, 0);
    Chosen.clear();
    EXPECT_FALSE(Flow.Restore());
    EXPECT_EQ(Dialogs, 0);
}

TEST_F(BackupRestoreTest, InvalidFilesAreRefusedBeforeAnythingIsSent) {
    QByteArray bytes = BackupFileBytes(Device);
    bytes[16019] = 0; // the second end marker
    Chosen = WriteFixture(Dir.path(), "bad.bak", bytes);
    EXPECT_FALSE(Flow.Restore());
    EXPECT_EQ(Messages, QStringList{"This is not a valid backup file: its start or end marker is "
                                    "wrong."});
    // A short file goes to the general error report as an exception.
    Chosen = WriteFixture(Dir.path(), "short.bak", BackupFileBytes(Device).left(16000));
    EXPECT_THROW(Flow.Restore(), EBackupFileError);
    // A file with another extension is taken.
    Chosen = WriteFixture(Dir.path(), "unit.dat", BackupFileBytes(Device));
    Messages.clear();
    Answer = QMessageBox::No;
    EXPECT_FALSE(Flow.Restore());
    EXPECT_EQ(Messages.size(), 1);
    EXPECT_EQ(Dialogs, 0);

    // Without a language file no box can be shown, so a restore never writes.
    UnloadLanguage();
    Messages.clear();
    Answer = QMessageBox::Yes;
    EXPECT_FALSE(Flow.Restore());
    Chosen = Dir.filePath("bad.bak");
    EXPECT_FALSE(Flow.Restore());
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(Dialogs, 0);
}

TEST(DialogFilter, LanguageFileFiltersBecomeQtNameFilters) {
    EXPECT_EQ(QtNameFilter("*.bak"), "*.bak");
    EXPECT_EQ(QtNameFilter("Backup file (*.bak)|*.bak"), "Backup file (*.bak)");
    EXPECT_EQ(QtNameFilter("Parameters|*.app;*.txt|All files (*.*)|*.*"),
              "Parameters (*.app *.txt);;All files (*.*)");
}
