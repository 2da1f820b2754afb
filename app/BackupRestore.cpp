#include "app/BackupRestore.h"

#include "app/DialogFilter.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "params/BackupFile.h"
#include "params/LeesParSoll.h"
#include "params/SchrijfParSoll.h"

#include <QFileInfo>

namespace {

constexpr int BackupMode = 3;

} // namespace

TBackupRestore::TBackupRestore(QWidget* owner, TFormLeesParSoll& lees, TFormSchrijfParSoll& schrijf)
    : FOwner(owner), FLees(lees), FSchrijf(schrijf) {
    ExecDialog = [](QDialog& dialog) { return dialog.exec(); };
    GetSaveFileName = [this](const TFileDialogRequest& request) {
        return RunSaveFileDialog(FOwner, request);
    };
    GetOpenFileName = [this](const TFileDialogRequest& request) {
        return RunOpenFileDialog(FOwner, request);
    };
    ShowInvalidFile = [this](const QString& text) {
        QMessageBox box(QMessageBox::Critical, QString(), text, QMessageBox::Ok, FOwner);
        box.exec();
    };
    AskConfirmation = [this](const QString& caption, const QString& text) {
        QMessageBox box(QMessageBox::Warning, caption, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, FOwner);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
}

bool TBackupRestore::Backup() {
    TLeesParSollSequence& read = FLees.Sequence();
    read.Mode = BackupMode;
    if (ExecDialog(FLees) != mrOK)
        return false;
    TBackupData data;
    data.Par = read.ParBuffer;
    data.Soll = read.SollBuffer;

    QString path = GetSaveFileName(
        {Tekst(TextKey::BackupRestore::SaveCaption), GlobalVar().OpenCloseDialoogPath,
         QtNameFilter(Tekst(WithDefault(TextKey::BackupRestore::OpenFilter, "*.bak"))),
         QStringLiteral("bak")});
    if (path.isEmpty())
        return false;
    RememberDialogFolder(path);
    WriteBackupFile(path, data);
    return true;
}

bool TBackupRestore::Restore() {
    TSchrijfParSollSequence& write = FSchrijf.Sequence();
    write.ParBuffer = ParamStore().ParData;
    write.SollBuffer = ParamStore().SollData;

    QString path = GetOpenFileName(
        {Tekst(TextKey::BackupRestore::OpenCaption), GlobalVar().OpenCloseDialoogPath,
         QtNameFilter(Tekst(TextKey::BackupRestore::OpenFilter)), QString()});
    if (path.isEmpty())
        return false;
    RememberDialogFolder(path);
    TBackupData data;
    if (!ReadBackupFile(path, data)) {
        // Without a language file there is no text to show.
        if (GlobalVar().LanguageFileLoaded)
            ShowInvalidFile(Tekst(TextKey::BackupRestore::OpenMsg2));
        return false;
    }
    write.ParBuffer = data.Par;
    write.SollBuffer = data.Soll;
    // Without a language file the confirmation cannot be asked, so nothing is written.
    if (!GlobalVar().LanguageFileLoaded)
        return false;

    QString text = Tekst(TextKey::BackupRestore::Msg_waarschuwingRestore_1) + QStringLiteral("  ") +
                   QFileInfo(path).absoluteFilePath() + QStringLiteral("\n\r") +
                   Tekst(TextKey::BackupRestore::Msg_waarschuwingRestore_2);
    if (AskConfirmation(Tekst(TextKey::BackupRestore::Msg_waarschuwingCaption), text) !=
        QMessageBox::Yes)
        return false;
    write.Mode = BackupMode;
    return ExecDialog(FSchrijf) == mrOK;
}
