#pragma once
// Writing the values the operator ticked in the compare window to the controller, one request
// each ("wp n value", or "ws n value" for setpoints), and after parameters one take-over ("bp").
// It speaks with the status texts of the service-parameter dialog, which writes and takes over
// single values the same way. Each request goes out from the answer to the one before, so one is
// outstanding at a time; the first refusal or failure ends the run.

#include "comm/LD100Protocol.h"
#include "params/ValueCompare.h"

#include <QString>

#include <functional>
#include <vector>

class TCompareSendSequence {
public:
    // `port`: the main window's port, which carries the requests.
    explicit TCompareSendSequence(TLBComm* port);

    TLD100Protocol LD100ZendWaarde;
    TLD100Protocol LD100BerekenParameters;

    // Writes `values` (of parameters or setpoints); nothing happens for none.
    void Start(TCompareKind kind, std::vector<TCompareValue> values);
    // Ends the run at the answer to the outstanding request: nothing more is sent, not even the
    // take-over, so the values written so far stay marked as not taken over.
    void Stop();
    bool Running() const { return FRunning; }
    // The value whose write is outstanding or ended the run.
    int CurrentNumber() const;

    // What the status panel shows, in red or in the normal colour.
    std::function<void(const QString& text, bool red)> OnStatus;
    // The controller took this value.
    std::function<void(const TCompareValue& value)> OnWritten;
    // The parameter editor's sent-but-not-taken-over mark: set by an accepted parameter write,
    // cleared by any answer to the take-over.
    std::function<void(bool sent)> OnParGezonden;
    // The run has ended: finished, failed or stopped.
    std::function<void()> OnStopped;

    void LD100ZendWaardeCommResult(TLBProtocolComponent* sender, TMemoryStream& result);
    void LD100BerekenParametersCommResult(TLBProtocolComponent* sender, TMemoryStream& result);
    // The error event of both components.
    void LD100ZendWaardeCommError(TLBProtocolComponent* sender, const TCommError& error,
                                  TMemoryStream& result);

private:
    void SendCurrent();
    void StartTakeOver();
    void Send(TLD100Protocol& component, const std::string& text);
    // A failed exchange ends the run with its text.
    void Fail(const TCommError& error);
    // Ends the run; `text` (when not empty) is shown first.
    void End(const QString& text, bool red);
    // "   P[017]" or "   S[003]": the value a failure concerns.
    QString CurrentTag() const;
    bool Parameters() const { return FKind == TCompareKind::Parameters; }
    // The run has ended at a stop request; true when it did and the event is done.
    bool HonourStop();

    TCompareKind FKind = TCompareKind::Parameters;
    std::vector<TCompareValue> FValues;
    size_t FIndex = 0;
    bool FRunning = false;
    bool FStopping = false;
    bool FPortClosed = false;
};
