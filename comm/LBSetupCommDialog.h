#pragma once
// TLBSetupCommDialog: the component through which a program shows the library's setup form for
// a port. Bound to the port like a protocol component; each call makes a fresh form, shows it
// modally and frees it again.

#include "comm/LBComponent.h"

#include <functional>

class QWidget;

class TLBSetupCommDialog : public TLBComponent {
public:
    using TNotifyEvent = std::function<void(TLBSetupCommDialog* sender)>;

    // Shows the form in the user's language (CommLanguage); true when it was closed with OK.
    virtual bool Execute(QWidget* parent = nullptr);
    // The same, always in English.
    virtual bool ExecuteEnglish(QWidget* parent = nullptr);

    // When the form is shown (before it shows the port's settings), and when it has been freed.
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

private:
    bool Show(int language, QWidget* parent);
};
