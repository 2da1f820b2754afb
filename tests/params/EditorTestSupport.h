#pragma once
// The editors and the service dialog on small definition files of their own: every test gets a
// fresh program folder (language 1, English), a fresh store and shared settings, and answers
// the windows' message boxes and file dialogs.

#include "params/EditorDialogs.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace kq9test {

// A key press as the X11 keyboard delivers it, with the text it carries: Delete comes with
// U+007F, Ctrl+A with U+0001.
void PressKey(QWidget* widget, Qt::Key key, const QString& text,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// The definitions of the fixture folder:
//   page 203 (group 2, subgroup 3): row 1 parameter 17 (1 decimal, -10,0 … 100,0), row 3 -1,
//   row 5 parameter 20 (options Off, Slow, Fast by "#Modes"), row 18 parameter 7 (decimals
//   code 9); page 100: parameter 203; page 901 (group 9): parameter 140 (2 decimals) and 141
//   (no definition).
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Copies the shipped English language file into the folder and loads it.
    void LoadLanguage();
    void WriteFile(const QString& name, const QByteArray& contents);
    QString Path(const QString& name) const { return Home.filePath(name); }

    // Answers the boxes and dialogs of `dialogs`: message boxes with Answer (recording
    // caption|text), file dialogs with Chosen (recording the request), dialogs with Exec.
    void Answer(TEditorDialogs& dialogs);

    QTemporaryDir Home;
    QStringList Messages;
    QMessageBox::StandardButton BoxAnswer = QMessageBox::Yes;
    QString Chosen;
    std::vector<TFileDialogRequest> Requests;
    std::function<int(QDialog& dialog)> Exec;
};

} // namespace kq9test
