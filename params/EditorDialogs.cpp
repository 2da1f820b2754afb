#include "params/EditorDialogs.h"

#include "app/DialogFilter.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"

#include <QDialog>
#include <QRegularExpression>
#include <QStringList>

namespace {

// The warnings join their lines with LF CR and wrapped texts break with CR LF; a message box
// shows a single line feed as the line end.
QString DisplayText(const QString& text) {
    static const QRegularExpression lineEnds(QStringLiteral("\n\r|\r\n|\r"));
    return QString(text).replace(lineEnds, QStringLiteral("\n"));
}

} // namespace

const TValueFileTexts ParamFileTexts = {
    TextKey::EditParam::OpenCaption,
    TextKey::EditParam::SaveCaption,
    TextKey::EditParam::OpenFilter,
    "*.app",
    "app",
    TextKey::EditParam::Msg_ErrorCaption,
    {TextKey::EditParam::OpenMsg1, TextKey::EditParam::OpenMsg2, TextKey::EditParam::OpenMsg3,
     TextKey::EditParam::OpenMsg4},
};

const TValueFileTexts SollFileTexts = {
    TextKey::EditSollwert::OpenCaption,
    TextKey::EditSollwert::SaveCaption,
    TextKey::EditSollwert::OpenFilter,
    "*.aps",
    "aps",
    TextKey::EditSollwert::Msg_ErrorCaption,
    {TextKey::EditSollwert::OpenMsg1, TextKey::EditSollwert::OpenMsg2,
     TextKey::EditSollwert::OpenMsg3, TextKey::EditSollwert::OpenMsg4},
};

TEditorDialogs::TEditorDialogs(QWidget* owner) : FOwner(owner) {
    ExecDialog = [](QDialog& dialog) { return dialog.exec(); };
    GetSaveFileName = [this](const TFileDialogRequest& request) {
        return RunSaveFileDialog(FOwner, request);
    };
    GetOpenFileName = [this](const TFileDialogRequest& request) {
        return RunOpenFileDialog(FOwner, request);
    };
    ShowMessage = [this](QMessageBox::Icon icon, const QString& caption, const QString& text,
                         QMessageBox::StandardButtons buttons) {
        QMessageBox box(icon, caption, DisplayText(text), buttons, FOwner);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
}

QString TEditorDialogs::AskSaveFile(const TValueFileTexts& texts) {
    QString path =
        GetSaveFileName({Tekst(texts.SaveCaption), GlobalVar().OpenCloseDialoogPath,
                         QtNameFilter(Tekst(WithDefault(texts.OpenFilter, texts.SaveFilter))),
                         QString::fromLatin1(texts.Suffix)});
    if (!path.isEmpty())
        RememberDialogFolder(path);
    return path;
}

QString TEditorDialogs::AskOpenFile(const TValueFileTexts& texts) {
    QString path = GetOpenFileName({Tekst(texts.OpenCaption), GlobalVar().OpenCloseDialoogPath,
                                    QtNameFilter(Tekst(texts.OpenFilter)), QString()});
    if (!path.isEmpty())
        RememberDialogFolder(path);
    return path;
}

void TEditorDialogs::ShowWriteError(const TValueFileTexts& texts, const QString& path,
                                    const QString& reason) {
    ShowMessage(QMessageBox::Critical, Tekst(texts.ErrorCaption),
                path + QStringLiteral(": ") + reason, QMessageBox::Ok);
}

bool TEditorDialogs::CheckOpenResult(const TValueFileTexts& texts, TValueFileResult result) {
    if (result == TValueFileResult::Ok)
        return true;
    size_t message = static_cast<size_t>(result) - static_cast<size_t>(TValueFileResult::OpenMsg1);
    ShowMessage(QMessageBox::Critical, Tekst(texts.ErrorCaption), Tekst(texts.OpenMsg[message]),
                QMessageBox::Ok);
    return false;
}

bool TEditorDialogs::ConfirmWithoutSet(QWidget* window, const TTextKey& caption,
                                       std::span<const TTextKey> lines) {
    if (!GlobalVar().LanguageFileLoaded)
        return false;
    window->setWindowTitle(Tekst(caption));
    QStringList texts;
    for (const TTextKey& line : lines)
        texts << Tekst(line);
    return ShowMessage(
               QMessageBox::Warning, window->windowTitle(), texts.join(QStringLiteral("\n\r")),
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) == QMessageBox::Yes;
}
