#include "params/CompareSendSequence.h"

#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "comm/LBComm.h"
#include "params/ParamDefs.h"
#include "params/SingleParamReplies.h"

namespace {

// The service-parameter dialog's time-outs for a single write and for the take-over.
constexpr int WriteTimeout = 500;
constexpr int TakeOverTimeout = 2000;

} // namespace

TCompareSendSequence::TCompareSendSequence(TLBComm* port) {
    LD100ZendWaarde.SetName("LD100ZendWaarde");
    LD100BerekenParameters.SetName("LD100BerekenParameters");
    LD100ZendWaarde.SetTimeoutTime(WriteTimeout);
    LD100BerekenParameters.SetTimeoutTime(TakeOverTimeout);
    for (TLD100Protocol* component : {&LD100ZendWaarde, &LD100BerekenParameters}) {
        component->SetProtocolFoot(TSequenceChar::scCR);
        component->SetLBComm(port);
        component->OnCommError = [this](TLBProtocolComponent* sender, const TCommError& error,
                                        TMemoryStream& result) {
            LD100ZendWaardeCommError(sender, error, result);
        };
        // Closing the port switches every component's cycle off, which fires this; a request
        // still outstanding then will never be answered.
        component->OnDeactivate = [this](TLBProtocolComponent* sender) {
            FPortClosed = !sender->LBComm() || !sender->LBComm()->Active();
            if (FPortClosed && FRunning)
                Fail({CommCode::PortClosed, 0, 0});
        };
    }
    LD100ZendWaarde.OnCommResult = [this](TLBProtocolComponent* sender, TMemoryStream& result) {
        LD100ZendWaardeCommResult(sender, result);
    };
    LD100BerekenParameters.OnCommResult = [this](TLBProtocolComponent* sender,
                                                 TMemoryStream& result) {
        LD100BerekenParametersCommResult(sender, result);
    };
}

void TCompareSendSequence::Start(TCompareKind kind, std::vector<TCompareValue> values) {
    if (FRunning || values.empty())
        return;
    FKind = kind;
    FValues = std::move(values);
    FIndex = 0;
    FStopping = false;
    FRunning = true;
    SendCurrent();
}

void TCompareSendSequence::Stop() {
    if (FRunning)
        FStopping = true;
}

int TCompareSendSequence::CurrentNumber() const {
    return FIndex < FValues.size() ? FValues[FIndex].Number : -1;
}

QString TCompareSendSequence::CurrentTag() const {
    if (FIndex >= FValues.size())
        return {};
    return QStringLiteral("   %1[%2]")
        .arg(QChar(Parameters() ? u'P' : u'S'))
        .arg(FValues[FIndex].Number, 3, 10, QChar(u'0'));
}

void TCompareSendSequence::SendCurrent() {
    const TCompareValue& value = FValues[FIndex];
    const QString number =
        Parameters() ? ParameterSection(value.Number) : QString::number(value.Number);
    if (OnStatus)
        OnStatus(Tekst(TextKey::ParamService::PanelTekst1) + u' ' + number, false);
    Send(LD100ZendWaarde, std::string(Parameters() ? "wp " : "ws ") + std::to_string(value.Number) +
                              ' ' + std::to_string(value.Value));
}

void TCompareSendSequence::StartTakeOver() {
    FIndex = FValues.size();
    if (OnStatus)
        OnStatus(Tekst(TextKey::ParamService::PanelTekst9), false);
    Send(LD100BerekenParameters, "bp");
}

void TCompareSendSequence::Send(TLD100Protocol& component, const std::string& text) {
    component.SetASCIIProtocol(text);
    if (FPortClosed) {
        TLBComm* port = component.LBComm();
        if (!port || !port->Active() || port->DeviceLost()) {
            Fail({CommCode::PortClosed, 0, 0});
            return;
        }
        FPortClosed = false;
    }
    component.Send();
}

bool TCompareSendSequence::HonourStop() {
    if (!FStopping)
        return false;
    End({}, false);
    return true;
}

void TCompareSendSequence::LD100ZendWaardeCommResult(TLBProtocolComponent*, TMemoryStream& result) {
    if (!FRunning)
        return;
    const std::string reply = result.ToString();
    const std::string_view echo = Parameters() ? "wp" : "ws";
    if (ClassifyWriteReply(reply, echo) != TWriteReply::Accepted) {
        TStatusText status = ServiceWriteText(reply, echo);
        End(status.Text + CurrentTag(), true);
        return;
    }
    if (Parameters() && OnParGezonden)
        OnParGezonden(true);
    if (OnWritten)
        OnWritten(FValues[FIndex]);
    if (HonourStop())
        return;
    if (++FIndex < FValues.size())
        SendCurrent();
    else if (Parameters())
        StartTakeOver();
    else
        End(Tekst(TextKey::ParamService::PanelTekst4), false);
}

void TCompareSendSequence::LD100BerekenParametersCommResult(TLBProtocolComponent*,
                                                            TMemoryStream& result) {
    if (!FRunning)
        return;
    // Any answer to the take-over ends the mark; only a failed exchange leaves it.
    if (OnParGezonden)
        OnParGezonden(false);
    TStatusText status = ServiceTakeOverText(result.ToString());
    End(status.Text, status.Red);
}

void TCompareSendSequence::LD100ZendWaardeCommError(TLBProtocolComponent*, const TCommError& error,
                                                    TMemoryStream&) {
    Fail(error);
}

void TCompareSendSequence::Fail(const TCommError& error) {
    if (!FRunning)
        return;
    TStatusText status = ServiceCommErrorText(error);
    End(status.Text + CurrentTag(), true);
}

void TCompareSendSequence::End(const QString& text, bool red) {
    FRunning = false;
    FStopping = false;
    if (!text.isEmpty() && OnStatus)
        OnStatus(text, red);
    if (OnStopped)
        OnStopped();
}
