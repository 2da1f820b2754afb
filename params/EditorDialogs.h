#pragma once
// What the parameter editor and the setpoint editor share in their dealings with the operator:
// message boxes, the open and save dialogs of their value files, the error boxes of a file that
// cannot be opened or written, and the warning before a set that is not present is sent or
// printed. Every box and dialog goes through a hook, so tests can answer them.

#include "app/FileDialogs.h"
#include "app/TextKeys.h"
#include "params/ValueFile.h"

#include <QMessageBox>
#include <QString>

#include <array>
#include <functional>
#include <span>

class QDialog;
class QWidget;

// The language keys of an editor's file dialogs and error boxes.
struct TValueFileTexts {
    TTextKey OpenCaption;
    TTextKey SaveCaption;
    TTextKey OpenFilter;
    const char* SaveFilter; // the save dialog's filter when no language file is loaded
    const char* Suffix;     // the extension a typed name gets
    TTextKey ErrorCaption;
    std::array<TTextKey, 4> OpenMsg; // cannot read, wrong header, malformed line, wrong count
};

// The texts of the parameter editor's files ("app") and the setpoint editor's ("aps").
extern const TValueFileTexts ParamFileTexts;
extern const TValueFileTexts SollFileTexts;

class TEditorDialogs {
public:
    // `owner`: the editor, owner of every box and dialog.
    explicit TEditorDialogs(QWidget* owner);

    // Shows a dialog modally and returns its result.
    std::function<int(QDialog& dialog)> ExecDialog;
    // The chosen file's full name; empty when cancelled.
    std::function<QString(const TFileDialogRequest& request)> GetSaveFileName;
    std::function<QString(const TFileDialogRequest& request)> GetOpenFileName;
    // A message box; the button that closed it.
    std::function<QMessageBox::StandardButton(QMessageBox::Icon icon, const QString& caption,
                                              const QString& text,
                                              QMessageBox::StandardButtons buttons)>
        ShowMessage;

    // Asks for the file to save to or to open, starting in the remembered folder, which then
    // follows the chosen file. Empty when cancelled.
    QString AskSaveFile(const TValueFileTexts& texts);
    QString AskOpenFile(const TValueFileTexts& texts);
    // The error box of a file that could not be written, with the reason.
    void ShowWriteError(const TValueFileTexts& texts, const QString& path, const QString& reason);
    // True for a file that was read; otherwise its error box was shown.
    bool CheckOpenResult(const TValueFileTexts& texts, TValueFileResult result);

    // Before a set that was never received, opened or defaulted is sent or printed: with a
    // language file, `window` takes the warning caption (until its next activation) and the
    // operator is asked with the lines of `lines`; true only for Yes. Without a language file
    // there is nothing to ask with, and the answer is no.
    bool ConfirmWithoutSet(QWidget* window, const TTextKey& caption,
                           std::span<const TTextKey> lines);

private:
    QWidget* FOwner;
};
