#pragma once
// Writing a whole parameter set and/or setpoint set to the selected controller, one value per
// request ("wp n value", "ws n value"), and then asking it to take the parameters over ("bp").
// The write dialog shows it and kq9ctl runs it; the parameter store is never touched here.

#include "comm/LD100Protocol.h"
#include "params/TransferSequence.h"

// Shown while the controller takes the parameters over; not a text of the language file.
inline const QString BerekenParametersText = QStringLiteral("Bereken parameters");

class TSchrijfParSollSequence : public TTransferSequence {
public:
    explicit TSchrijfParSollSequence(TLBComm* port);

    TLD100Protocol LD100SchrijfParSoll;
    TLD100Protocol LD100BerekenParameters;

    void LD100SchrijfParSollCommResult(TLBProtocolComponent* sender, TMemoryStream& result);
    void LD100BerekenParametersCommResult(TLBProtocolComponent* sender, TMemoryStream& result);
    // The error event of both components.
    void LD100SchrijfParSollCommError(TLBProtocolComponent* sender, const TCommError& error,
                                      TMemoryStream& result);

protected:
    void SendCurrent() override;
    void ParametersDone() override;
    void SetpointsDone() override;

private:
    void StartTakeOver();
};
