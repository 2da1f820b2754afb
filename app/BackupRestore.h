#pragma once
// Backup and restore of a whole controller. Backup reads every parameter and setpoint with the
// read dialog (mode 3), asks for a file and writes the backup file. Restore asks for a backup
// file, checks its markers, asks for confirmation and writes it to the controller with the write
// dialog (mode 3). The caller stops live monitoring first. The parameter store is not changed;
// the remembered dialog folder follows the chosen file.
//
// The dialogs and message boxes go through the hooks below, so tests can answer them.
// Exceptions (a file that cannot be written, read, or is too short) reach the caller, whose
// general error report shows them.

#include "app/FileDialogs.h"

#include <QMessageBox>
#include <QString>

#include <functional>

class QDialog;
class QWidget;
class TFormLeesParSoll;
class TFormSchrijfParSoll;

class TBackupRestore {
public:
    // `owner`: the main window, owner of the message boxes.
    TBackupRestore(QWidget* owner, TFormLeesParSoll& lees, TFormSchrijfParSoll& schrijf);

    // True when a backup file was written.
    bool Backup();
    // True when the write dialog ran and closed with OK.
    bool Restore();

    // Shows a dialog modally and returns its modal result.
    std::function<int(QDialog& dialog)> ExecDialog;
    // The chosen file's full name; empty when cancelled. The save dialog asks before replacing
    // a file; the open dialog takes only an existing file.
    std::function<QString(const TFileDialogRequest& request)> GetSaveFileName;
    std::function<QString(const TFileDialogRequest& request)> GetOpenFileName;
    // The error box for a file with wrong markers (error icon, OK, no caption).
    std::function<void(const QString& text)> ShowInvalidFile;
    // The confirmation before writing (warning icon, Yes/No/Cancel).
    std::function<QMessageBox::StandardButton(const QString& caption, const QString& text)>
        AskConfirmation;

private:
    QWidget* FOwner;
    TFormLeesParSoll& FLees;
    TFormSchrijfParSoll& FSchrijf;
};
