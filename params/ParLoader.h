#pragma once
// TFormParLoader: the small modal window that asks the controller to take over the parameters
// it holds ("bp") each time it is opened, and shows the answer. The parameter editor opens it,
// typically after single values were sent with the service-parameter dialog. OK closes it at any
// time; opening it again repeats the command.

#include "app/ActivatedDialog.h"
#include "comm/LD100Protocol.h"

#include <functional>

class QLabel;
class QPushButton;

class TFormParLoader : public TActivatedDialog {
public:
    // `port`: the main window's port, which carries the request.
    explicit TFormParLoader(TLBComm* port, QWidget* parent = nullptr);

    QLabel* Panel1;
    QPushButton* CmdOK;
    TLD100Protocol LD100ParLoader;

    // Called when the controller answered the take-over, whatever it answered (the set taken
    // over, a parameter rejected, or a reply of another kind): the parameter editor's
    // sent-but-not-taken-over mark goes. No answer at all leaves the mark.
    std::function<void()> OnTakeOverAnswered;

    void FormActivate() override;
    void CmdOKClick() { accept(); }
    void LD100ParLoaderCommResult(TLBProtocolComponent* sender, TMemoryStream& result);
    void LD100ParLoaderCommError(TLBProtocolComponent* sender, const TCommError& error,
                                 TMemoryStream& result);

private:
    void ShowStatus(const QString& text, bool red);
};
