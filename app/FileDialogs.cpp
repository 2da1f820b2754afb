#include "app/FileDialogs.h"

#include "app/GlobalVar.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

QString RunFileDialog(QWidget* owner, const TFileDialogRequest& request,
                      QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, request.Caption, request.Folder, request.Filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString RunSaveFileDialog(QWidget* owner, const TFileDialogRequest& request) {
    return RunFileDialog(owner, request, QFileDialog::AcceptSave);
}

QString RunOpenFileDialog(QWidget* owner, const TFileDialogRequest& request) {
    return RunFileDialog(owner, request, QFileDialog::AcceptOpen);
}

void RememberDialogFolder(const QString& path) {
    GlobalVar().OpenCloseDialoogPath = QFileInfo(path).absolutePath();
}
