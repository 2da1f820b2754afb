#pragma once
// The ASCII protocol every window uses: sends a command text (trimmed, with optional head and
// foot characters) and collects the reply bytes as they arrive. A reply ends after 50 ms of
// silence, or at the stop character when one is set.

#include "comm/LBComponent.h"

#include <string>

class TLD100Protocol : public TLBProtocolComponent {
public:
    const std::string& ASCIIProtocol() const { return FASCIIProtocol; }
    void SetASCIIProtocol(std::string text) { FASCIIProtocol = std::move(text); }
    bool Filtered() const { return FFiltered; }
    void SetFiltered(bool value) { FFiltered = value; }
    TSequenceChar ReceiveStart() const { return FReceiveStart; }
    void SetReceiveStart(TSequenceChar value) { FReceiveStart = value; }
    TSequenceChar ReceiveStop() const { return FReceiveStop; }
    void SetReceiveStop(TSequenceChar value) { FReceiveStop = value; }
    TSequenceChar ProtocolHead() const { return FProtocolHead; }
    void SetProtocolHead(TSequenceChar value) { FProtocolHead = value; }
    TSequenceChar ProtocolFoot() const { return FProtocolFoot; }
    void SetProtocolFoot(TSequenceChar value) { FProtocolFoot = value; }
    // Whether the port may end this component's replies at their line end when it is set to do
    // so (TLBComm::SetReplyEndsAtLineEnd). Off for commands typed by hand: their replies may hold
    // several lines, so they always end by the silence.
    bool LineEndEndsReply() const { return FLineEndEndsReply; }
    void SetLineEndEndsReply(bool value) { FLineEndEndsReply = value; }

    void Send() override;
    void DataReceived(TFrameBuffer receiveBuffer, TFrameBuffer sentFrame, bool& restart) override;

private:
    std::string FASCIIProtocol;
    bool FFiltered = false;
    bool FLineEndEndsReply = true;
    TSequenceChar FReceiveStart = TSequenceChar::scNone;
    TSequenceChar FReceiveStop = TSequenceChar::scNone;
    TSequenceChar FProtocolHead = TSequenceChar::scNone;
    TSequenceChar FProtocolFoot = TSequenceChar::scNone;
};
