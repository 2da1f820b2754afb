#include "comm/LD100Protocol.h"

namespace {

// Leading and trailing blanks and control characters.
bool IsTrimmed(unsigned char c) { return c <= ' '; }

std::string Trim(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsTrimmed(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && IsTrimmed(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(begin, end - begin);
}

// The frame holds at most 254 bytes after its length byte.
constexpr size_t MaxFrameBytes = 254;

} // namespace

void TLD100Protocol::Send() {
    FASCIIProtocol = Trim(FASCIIProtocol);
    bool head = FProtocolHead != TSequenceChar::scNone;
    bool foot = FProtocolFoot != TSequenceChar::scNone;
    // A text too long for the frame is cut so that head and foot still frame it.
    size_t room = MaxFrameBytes - (head ? 1 : 0) - (foot ? 1 : 0);
    int position = 1;
    if (head)
        SetFrameByte(position++, static_cast<uint8_t>(FProtocolHead));
    for (size_t i = 0; i < FASCIIProtocol.size() && i < room; ++i)
        SetFrameByte(position++, static_cast<uint8_t>(FASCIIProtocol[i]));
    if (foot)
        SetFrameByte(position++, static_cast<uint8_t>(FProtocolFoot));
    SetFrameByte(0, static_cast<uint8_t>(position));
    TLBProtocolComponent::Send();
}

void TLD100Protocol::DataReceived(TFrameBuffer receiveBuffer, TFrameBuffer, bool& restart) {
    if (restart)
        FResult.Clear();
    FResult.SetPosition(FResult.Size());
    FResult.Write(receiveBuffer.data() + 1, receiveBuffer[0]);
    restart = false;
}
