#include "params/SchrijfParSollSequence.h"

#include "app/TextFile.h"
#include "app/TextKeys.h"
#include "params/DecimalText.h"

namespace {

constexpr TTextKey PanelKeys[] = {
    TextKey::SchrijfParSoll::PanelTekst0,  TextKey::SchrijfParSoll::PanelTekst1,
    TextKey::SchrijfParSoll::PanelTekst2,  TextKey::SchrijfParSoll::PanelTekst3,
    TextKey::SchrijfParSoll::PanelTekst4,  TextKey::SchrijfParSoll::PanelTekst5,
    TextKey::SchrijfParSoll::PanelTekst6,  TextKey::SchrijfParSoll::PanelTekst7,
    TextKey::SchrijfParSoll::PanelTekst8,  TextKey::SchrijfParSoll::PanelTekst9,
    TextKey::SchrijfParSoll::PanelTekst10, TextKey::SchrijfParSoll::PanelTekst11,
};

constexpr int TextSetpointsWritten = 5;
constexpr int TextUnexpected = 7;
constexpr int TextRefused = 9;
constexpr int TextRejectedBefore = 10;
constexpr int TextRejectedAfter = 11;
// The finishing text of each mode after an accepted take-over.
constexpr int TextTakenOver[] = {3, 5, 6, 8};

// 0: the port's shortest wait, 100 ms for the first reply byte.
constexpr int WriteTimeoutMs = 0;
constexpr int TakeOverTimeoutMs = 2000;

void Configure(TLD100Protocol& component, TLBComm* port, int timeoutMs) {
    component.SetProtocolFoot(TSequenceChar::scCR);
    component.SetTimeoutTime(timeoutMs);
    component.SetLBComm(port);
}

QString Latin(const std::string& bytes) {
    return DecodeWindows1252(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace

TSchrijfParSollSequence::TSchrijfParSollSequence(TLBComm* port) : TTransferSequence(PanelKeys) {
    Configure(LD100SchrijfParSoll, port, WriteTimeoutMs);
    Configure(LD100BerekenParameters, port, TakeOverTimeoutMs);
    LD100SchrijfParSoll.SetName("LD100SchrijfParSoll");
    LD100BerekenParameters.SetName("LD100BerekenParameters");
    WatchPort(LD100SchrijfParSoll);
    WatchPort(LD100BerekenParameters);
    LD100SchrijfParSoll.OnCommResult = [this](TLBProtocolComponent* sender, TMemoryStream& result) {
        LD100SchrijfParSollCommResult(sender, result);
    };
    LD100BerekenParameters.OnCommResult = [this](TLBProtocolComponent* sender,
                                                 TMemoryStream& result) {
        LD100BerekenParametersCommResult(sender, result);
    };
    auto error = [this](TLBProtocolComponent* sender, const TCommError& e, TMemoryStream& r) {
        LD100SchrijfParSollCommError(sender, e, r);
    };
    LD100SchrijfParSoll.OnCommError = error;
    LD100BerekenParameters.OnCommError = error;
}

void TSchrijfParSollSequence::SendCurrent() {
    size_t i = static_cast<size_t>(Index());
    int32_t value = ParFase() ? ParBuffer[i] : SollBuffer[i];
    Send(LD100SchrijfParSoll,
         (ParFase() ? "wp " : "ws ") + std::to_string(i) + " " + std::to_string(value));
}

void TSchrijfParSollSequence::LD100SchrijfParSollCommResult(TLBProtocolComponent*,
                                                            TMemoryStream& result) {
    if (HonourCancel())
        return;
    std::string reply = TakeReply(result);
    // The controller refuses the value: the run stops here, without a repetition.
    if (reply.starts_with("er 7")) {
        Fail(TTransferEnd::Refused, QStringLiteral("(er 7) ") + PanelText(TextRefused));
        return;
    }
    if (!reply.starts_with(ParFase() ? "wp" : "ws")) {
        ReplyUnusable(reply);
        return;
    }
    ClearHerhaald();
    Advance();
}

void TSchrijfParSollSequence::ParametersDone() {
    StartTakeOver();
}

void TSchrijfParSollSequence::SetpointsDone() {
    if (Mode == 1)
        Finish(PanelText(TextSetpointsWritten));
    else
        StartTakeOver();
}

void TSchrijfParSollSequence::StartTakeOver() {
    ShowPanel(BerekenParametersText, false);
    Send(LD100BerekenParameters, "bp");
}

void TSchrijfParSollSequence::LD100BerekenParametersCommResult(TLBProtocolComponent*,
                                                               TMemoryStream& result) {
    if (HonourCancel())
        return;
    std::string reply = TakeReply(result);
    std::string text = reply.size() < 2 ? std::string() : reply.substr(0, reply.size() - 2);
    if (text == "bp -1") {
        Finish(PanelText(TextTakenOver[Mode >= 0 && Mode <= 3 ? Mode : 3]));
        return;
    }
    // Only the take-over's own answer with a number names a rejected parameter. Anything else (a
    // refusal such as "er 3", garbage, nothing) is shown as it came; either way every value was
    // written and the controller did not take them over, so the run ends as a rejection does.
    int32_t number = 0;
    if (!text.starts_with("bp ") || !DecimalTextToInt(Latin(text.substr(3)), number)) {
        FinishUnexpected(PanelText(TextUnexpected) + u' ' + Latin(text));
        return;
    }
    QString rejected = Latin(text.substr(3));
    FinishRejected(PanelText(TextRejectedBefore) + u' ' + rejected + u' ' +
                       PanelText(TextRejectedAfter),
                   rejected);
}

void TSchrijfParSollSequence::LD100SchrijfParSollCommError(TLBProtocolComponent*,
                                                           const TCommError& error,
                                                           TMemoryStream&) {
    CommError(error);
}
