#pragma once
// What the bulk read and the bulk write of parameters and setpoints share: the state of their
// dialogs, the buttons' behaviour, the handling of communication errors and of replies without
// their echo, and the events through which a dialog (or kq9ctl) shows the run. Each request is
// sent from the handler of the previous one, so exactly one is outstanding at a time; every
// handler runs on the UI thread.

#include "comm/CommTypes.h"
#include "comm/MemoryStream.h"
#include "params/ParamStore.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

class TLD100Protocol;
class TLBComm;
struct TTextKey;

// The modal results the callers compare.
constexpr int mrOK = 1;
constexpr int mrCancel = 2;

// How a run ended, for callers that report it in their own words.
enum class TTransferEnd {
    Running,          // not started, or still going
    Finished,         // every value transferred (and, when writing, taken over)
    TakeOverRejected, // every value written, but the controller named a parameter it rejects
    Timeout,          // a request got no reply
    CommError,        // any other communication failure
    UnexpectedReply,  // a reply without its echo (twice), or with a value that is no number
    Refused,          // the controller refused a value ("er 7")
    Cancelled,        // closed by Cancel
    // every value written, but the take-over was answered with neither "bp -1" nor a number
    TakeOverUnexpected,
};

class TTransferSequence {
public:
    virtual ~TTransferSequence() = default;
    TTransferSequence(const TTransferSequence&) = delete;
    TTransferSequence& operator=(const TTransferSequence&) = delete;

    // Set by the caller before the run: 0 parameters, 1 setpoints, 2 parameters then setpoints,
    // 3 the same for a device backup or restore.
    int32_t Mode = 0;
    std::array<int32_t, ParameterCount> ParBuffer{};
    // Index 0 is unused so that setpoint n is SollBuffer[n].
    std::array<int32_t, SetpointCount + 1> SollBuffer{};

    int32_t Index() const { return FIndex; }
    bool ParFase() const { return FParFase; }
    bool Herhaald() const { return FHerhaald; }
    bool Fout() const { return FFout; }
    bool Klaar() const { return FKlaar; }
    bool Stoppen() const { return FStoppen; }
    // Nothing more will happen without a button: finished, failed or closed.
    bool Stopped() const { return FEnd != TTransferEnd::Running; }

    // How many values of the mode the run has transferred so far, of ValueCount().
    int Transferred() const { return FTransferred; }
    int ValueCount() const;
    // The text of the request sent last, for messages that name it.
    const std::string& LastRequest() const { return FLastRequest; }

    TTransferEnd End() const { return FEnd; }
    // The error of a run that ended with Timeout or CommError.
    const TCommError& LastError() const { return FLastError; }
    // The first four bytes of the reply that ended the run with UnexpectedReply.
    const QString& FailedReply() const { return FFailedReply; }
    // The whole of that reply (or of the take-over's answer with TakeOverUnexpected), as it came.
    const std::string& FailedReplyBytes() const { return FFailedReplyBytes; }
    // What followed "bp " in a rejected take-over: the number of the rejected parameter.
    const QString& RejectedParameter() const { return FRejectedParameter; }

    // Reads the status texts of the language file ("PanelTekst0" …); called at each activation.
    // Without a language file they stay empty.
    void LoadPanelTexts();

    // Starts the run from the first value of the mode: on activation and by Again.
    void Start();
    void CmdOKClick();
    void CmdAgainClick() { Start(); }
    void CmdCancelClick();

    // What to show: the status text in red or in the normal colour; the progress bar; which
    // buttons are enabled; the focus to OK; closing with a modal result.
    std::function<void(const QString& text, bool red)> OnPanel;
    std::function<void(int maximum)> OnProgressMaximum;
    std::function<void(int position)> OnProgress;
    std::function<void(bool ok, bool again, bool cancel)> OnButtons;
    std::function<void()> OnFocusOK;
    std::function<void(int modalResult)> OnClose;

protected:
    explicit TTransferSequence(std::span<const TTextKey> panelKeys);

    // Sends the request of value Index (of the phase ParFase).
    virtual void SendCurrent() = 0;
    // The last parameter of mode 0, or the last setpoint, has been transferred.
    virtual void ParametersDone() = 0;
    virtual void SetpointsDone() = 0;

    // The reply bytes as text; empty for a reply of more than 100 bytes (unreadable). The whole
    // reply is kept for the messages that name it.
    std::string TakeReply(const TMemoryStream& result);
    // Closes with Cancel when the user asked for it while the request was outstanding; true
    // when it did, and the event is then done.
    bool HonourCancel();
    // A reply that lacks its echo or is otherwise unusable: the same request once more, the
    // second time a red message naming the reply and the value.
    void ReplyUnusable(const std::string& reply);
    void ClearHerhaald() { FHerhaald = false; }
    // Stops the run with the red unexpected-reply message: the reply's first four bytes, then
    // `suffix`.
    void FailUnexpected(const std::string& reply, const QString& suffix);
    // The request was answered as expected: on to the next value, phase or final step.
    void Advance();
    void Finish(const QString& text);
    // Stops the run with a red message.
    void Fail(TTransferEnd end, const QString& text);
    // The error event of every component of the sequence.
    void CommError(const TCommError& error);
    void Send(TLD100Protocol& component, const std::string& text);
    // Follows the port of a component of the sequence: once it has closed (its device went
    // away), a run started on it fails at once instead of waiting for a reply that cannot come.
    void WatchPort(TLD100Protocol& component);
    // Marks the end of a run whose values were all written but not taken over, with a red text.
    void FinishRejected(const QString& text, const QString& rejected);
    void FinishUnexpected(const QString& text);

    QString PanelText(int n) const { return n < FPanelTekst.size() ? FPanelTekst[n] : QString(); }
    void ShowPanel(const QString& text, bool red);
    void ShowProgress(int position);

private:
    void StartPhase(bool parFase);
    void EnableButtons(bool ok, bool again, bool cancel);
    void MarkFinished();

    std::span<const TTextKey> FPanelKeys;
    QStringList FPanelTekst;
    int32_t FIndex = 0;
    int FTransferred = 0;
    std::string FLastRequest;
    bool FParFase = true;
    bool FHerhaald = false;
    bool FFout = false;
    bool FKlaar = false;
    bool FStoppen = false;
    bool FPortClosed = false;
    TTransferEnd FEnd = TTransferEnd::Running;
    TCommError FLastError;
    QString FFailedReply;
    std::string FFailedReplyBytes;
    std::string FLastReply;
    QString FRejectedParameter;
};
