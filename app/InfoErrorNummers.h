#pragma once
// TFormInfoErrorNummers: the help document on the controller's error numbers, in the program's
// language, shown beside the other windows without waiting.

#include "app/ActivatedDialog.h"

class QTextEdit;
class TModalLending;

class TFormInfoErrorNummers : public TActivatedDialog {
public:
    explicit TFormInfoErrorNummers(QWidget* parent = nullptr);

    QTextEdit* RichEdit1;

    // Reads the caption and loads the document of the language; each time it is shown.
    void FormActivate() override;
    // Shows the window without waiting. When a modal window is open (an editor opens this one
    // too), the window is lent to it, so that it can be used while that window waits; when that
    // window closes, it returns to its owner and stays open.
    void ShowNonModal();

private:
    TModalLending* FLending;
};

// "ErrorHelp0.rtf" … "ErrorHelp2.rtf" for language 0 … 2; empty for any other.
QString ErrorHelpFileName(int taal);
