#pragma once
// The program's open and save dialogs: a caption, the folder they start in, the filter and the
// extension a typed name gets. The folder of a chosen file becomes the remembered dialog folder
// that every dialog starts in next time.

#include <QString>

class QWidget;

struct TFileDialogRequest {
    QString Caption;
    QString Folder;
    QString Filter; // Qt name filters
    QString DefaultSuffix;
};

// The chosen file's full name; empty when cancelled. The save dialog asks before replacing a
// file; the open dialog takes only an existing file.
QString RunSaveFileDialog(QWidget* owner, const TFileDialogRequest& request);
QString RunOpenFileDialog(QWidget* owner, const TFileDialogRequest& request);

// GlobalVar().OpenCloseDialoogPath := the folder of `path`.
void RememberDialogFolder(const QString& path);
