#include "params/LeesParSollSequence.h"

#include "app/TextKeys.h"
#include "params/DecimalText.h"

namespace {

constexpr TTextKey PanelKeys[] = {
    TextKey::LeesParSoll::PanelTekst0, TextKey::LeesParSoll::PanelTekst1,
    TextKey::LeesParSoll::PanelTekst2, TextKey::LeesParSoll::PanelTekst3,
    TextKey::LeesParSoll::PanelTekst4, TextKey::LeesParSoll::PanelTekst5,
    TextKey::LeesParSoll::PanelTekst6, TextKey::LeesParSoll::PanelTekst7,
};

constexpr int TextParametersRead = 3;
constexpr int TextSetpointsRead = 5;
constexpr int TextAllRead = 6;

constexpr int ReadTimeoutMs = 1000;

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

// The reply less its command letters, blank and line end, then less the number and its blank.
// There must be a blank to end the number (the number itself must never be taken as the value)
// and a line end (a reply cut short would lose the value's last digits).
bool ReadReplyValue(const std::string& reply, int32_t& value) {
    if (reply.size() < 6 || !IsLineEnd(reply[reply.size() - 1]) ||
        !IsLineEnd(reply[reply.size() - 2]))
        return false;
    QString text = QString::fromLatin1(reply.data() + 3, static_cast<qsizetype>(reply.size() - 5));
    qsizetype blank = text.indexOf(u' ');
    if (blank < 0)
        return false;
    return DecimalTextToInt(QStringView(text).sliced(blank + 1), value);
}

TLeesParSollSequence::TLeesParSollSequence(TLBComm* port) : TTransferSequence(PanelKeys) {
    LD100LeesParSoll.SetName("LD100LeesParSoll");
    LD100LeesParSoll.SetProtocolFoot(TSequenceChar::scCR);
    LD100LeesParSoll.SetTimeoutTime(ReadTimeoutMs);
    LD100LeesParSoll.SetLBComm(port);
    WatchPort(LD100LeesParSoll);
    LD100LeesParSoll.OnCommResult = [this](TLBProtocolComponent* sender, TMemoryStream& result) {
        LD100LeesParSollCommResult(sender, result);
    };
    LD100LeesParSoll.OnCommError = [this](TLBProtocolComponent* sender, const TCommError& error,
                                          TMemoryStream& result) {
        LD100LeesParSollCommError(sender, error, result);
    };
}

void TLeesParSollSequence::SendCurrent() {
    Send(LD100LeesParSoll, (ParFase() ? "rp " : "rs ") + std::to_string(Index()));
}

void TLeesParSollSequence::LD100LeesParSollCommResult(TLBProtocolComponent*,
                                                      TMemoryStream& result) {
    if (HonourCancel())
        return;
    std::string reply = TakeReply(result);
    int32_t value = 0;
    // A value that is no number is as unusable as a missing echo: it must never be stored.
    if (!reply.starts_with(ParFase() ? "rp" : "rs") || !ReadReplyValue(reply, value)) {
        ReplyUnusable(reply);
        return;
    }
    ClearHerhaald();
    if (ParFase())
        ParBuffer[static_cast<size_t>(Index())] = value;
    else
        SollBuffer[static_cast<size_t>(Index())] = value;
    Advance();
}

void TLeesParSollSequence::LD100LeesParSollCommError(TLBProtocolComponent*, const TCommError& error,
                                                     TMemoryStream&) {
    CommError(error);
}

void TLeesParSollSequence::ParametersDone() {
    Finish(PanelText(TextParametersRead));
}

void TLeesParSollSequence::SetpointsDone() {
    Finish(PanelText(Mode == 1 ? TextSetpointsRead : TextAllRead));
}

void StoreReadValues(const TLeesParSollSequence& read, TParamStore& store) {
    if (read.Mode == 0 || read.Mode == 2) {
        store.ParData = read.ParBuffer;
        store.ParBron = Bron::Device;
    }
    if (read.Mode == 1 || read.Mode == 2) {
        for (int s = 1; s <= SetpointCount; ++s)
            store.SollData[static_cast<size_t>(s)] = read.SollBuffer[static_cast<size_t>(s)];
        store.SollBron = Bron::Device;
    }
}
