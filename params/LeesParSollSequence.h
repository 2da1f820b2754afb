#pragma once
// Reading the whole parameter set and/or setpoint set from the selected controller, one value
// per request ("rp n", "rs n"), into ParBuffer and SollBuffer. The read dialog shows it and
// kq9ctl runs it; the parameter store is never touched here.

#include "comm/LD100Protocol.h"
#include "params/TransferSequence.h"

// The value of a read reply ("rp 12 -350" + line end): false when the reply has no value that is
// a decimal integer after its number, or lacks its line end.
bool ReadReplyValue(const std::string& reply, int32_t& value);

class TLeesParSollSequence : public TTransferSequence {
public:
    explicit TLeesParSollSequence(TLBComm* port);

    TLD100Protocol LD100LeesParSoll;

    void LD100LeesParSollCommResult(TLBProtocolComponent* sender, TMemoryStream& result);
    void LD100LeesParSollCommError(TLBProtocolComponent* sender, const TCommError& error,
                                   TMemoryStream& result);

protected:
    void SendCurrent() override;
    void ParametersDone() override;
    void SetpointsDone() override;
};

// What a caller does when the read closes with OK, for the modes that read into the store: the
// parameters (modes 0 and 2) and the setpoints (modes 1 and 2) become the store's, marked as read
// from the device. Mode 3 (backup) leaves the store alone. The caller then refreshes what shows
// the store (the main window's function labels).
void StoreReadValues(const TLeesParSollSequence& read, TParamStore& store);
