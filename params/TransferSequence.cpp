#include "params/TransferSequence.h"

#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextFile.h"
#include "app/TextKeys.h"
#include "comm/LBComm.h"
#include "comm/LD100Protocol.h"

#include <algorithm>

namespace {

constexpr size_t ReplyLimit = 100;
constexpr int LastParameter = ParameterCount - 1;
constexpr int LastSetpoint = SetpointCount;

// Roles of the panel texts that both sequences share.
constexpr int TextTimeout = 0;
constexpr int TextCommError = 1;
constexpr int TextParameter = 2;
constexpr int TextSetpoint = 4;
constexpr int TextUnexpected = 7;

} // namespace

TTransferSequence::TTransferSequence(std::span<const TTextKey> panelKeys) : FPanelKeys(panelKeys) {
    for (size_t i = 0; i < FPanelKeys.size(); ++i)
        FPanelTekst.append(QString());
}

void TTransferSequence::LoadPanelTexts() {
    if (!GlobalVar().LanguageFileLoaded)
        return;
    for (size_t i = 0; i < FPanelKeys.size(); ++i)
        FPanelTekst[static_cast<qsizetype>(i)] = ::Tekst(FPanelKeys[i]);
}

void TTransferSequence::Start() {
    FHerhaald = false;
    FFout = false;
    FKlaar = false;
    FStoppen = false;
    FEnd = TTransferEnd::Running;
    FLastError = {};
    FFailedReply.clear();
    FFailedReplyBytes.clear();
    FLastReply.clear();
    FRejectedParameter.clear();
    FTransferred = 0;
    EnableButtons(false, false, true);
    ShowProgress(0);
    StartPhase(Mode != 1);
}

void TTransferSequence::StartPhase(bool parFase) {
    FParFase = parFase;
    FIndex = parFase ? 0 : 1;
    ShowPanel(PanelText(parFase ? TextParameter : TextSetpoint) + u' ' + QString::number(FIndex),
              false);
    if (OnProgressMaximum)
        OnProgressMaximum(parFase ? LastParameter : LastSetpoint);
    SendCurrent();
}

void TTransferSequence::CmdOKClick() {
    if (OnClose)
        OnClose(mrOK);
}

void TTransferSequence::CmdCancelClick() {
    if (FFout || FKlaar) {
        if (OnClose)
            OnClose(mrCancel);
        return;
    }
    // A request is outstanding: its reply or error event closes the dialog.
    FStoppen = true;
}

std::string TTransferSequence::TakeReply(const TMemoryStream& result) {
    FLastReply = result.ToString();
    return FLastReply.size() > ReplyLimit ? std::string() : FLastReply;
}

bool TTransferSequence::HonourCancel() {
    if (!FStoppen)
        return false;
    FEnd = TTransferEnd::Cancelled;
    if (OnClose)
        OnClose(mrCancel);
    return true;
}

void TTransferSequence::ReplyUnusable(const std::string& reply) {
    if (!FHerhaald) {
        FHerhaald = true;
        SendCurrent();
        return;
    }
    QString number = QStringLiteral("%1").arg(FIndex, 3, 10, QChar(u'0'));
    FailUnexpected(reply, QString(FParFase ? "   P[" : "   S[") + number + u']');
}

void TTransferSequence::FailUnexpected(const std::string& reply, const QString& suffix) {
    qsizetype head = std::min<qsizetype>(4, static_cast<qsizetype>(reply.size()));
    FFailedReply = DecodeWindows1252(QByteArrayView(reply.data(), head));
    FFailedReplyBytes = FLastReply;
    Fail(TTransferEnd::UnexpectedReply, PanelText(TextUnexpected) + u' ' + FFailedReply + suffix);
}

int TTransferSequence::ValueCount() const {
    switch (Mode) {
    case 0:
        return ParameterCount;
    case 1:
        return SetpointCount;
    default:
        return ParameterCount + SetpointCount;
    }
}

void TTransferSequence::Advance() {
    ++FTransferred;
    if (FParFase) {
        if (FIndex >= LastParameter) {
            if (Mode == 0)
                ParametersDone();
            else
                StartPhase(false);
        } else {
            ++FIndex;
            ShowPanel(PanelText(TextParameter) + u' ' + QString::number(FIndex), false);
            SendCurrent();
        }
    } else if (FIndex >= LastSetpoint) {
        SetpointsDone();
    } else {
        ++FIndex;
        ShowPanel(PanelText(TextSetpoint) + u' ' + QString::number(FIndex), false);
        SendCurrent();
    }
    ShowProgress(FIndex);
}

void TTransferSequence::MarkFinished() {
    EnableButtons(true, true, true);
    if (OnFocusOK)
        OnFocusOK();
    FKlaar = true;
}

void TTransferSequence::Finish(const QString& text) {
    FEnd = TTransferEnd::Finished;
    MarkFinished();
    ShowPanel(text, false);
}

void TTransferSequence::FinishRejected(const QString& text, const QString& rejected) {
    FEnd = TTransferEnd::TakeOverRejected;
    FRejectedParameter = rejected;
    MarkFinished();
    ShowPanel(text, true);
}

void TTransferSequence::FinishUnexpected(const QString& text) {
    FEnd = TTransferEnd::TakeOverUnexpected;
    FFailedReplyBytes = FLastReply;
    MarkFinished();
    ShowPanel(text, true);
}

void TTransferSequence::Fail(TTransferEnd end, const QString& text) {
    FEnd = end;
    FFout = true;
    ShowPanel(text, true);
    EnableButtons(false, true, true);
}

void TTransferSequence::CommError(const TCommError& error) {
    if (HonourCancel())
        return;
    FLastError = error;
    // Every error stops the run, so every one is shown and lets Cancel close the dialog; an
    // error with neither a system error nor line errors gets the general text as well.
    if (error.Code == CommCode::Timeout)
        Fail(TTransferEnd::Timeout, PanelText(TextTimeout));
    else
        Fail(TTransferEnd::CommError, PanelText(TextCommError));
}

void TTransferSequence::Send(TLD100Protocol& component, const std::string& text) {
    FLastRequest = text;
    component.SetASCIIProtocol(text);
    if (FPortClosed) {
        TLBComm* port = component.LBComm();
        if (!port || !port->Active() || port->DeviceLost()) {
            CommError({CommCode::PortClosed, 0, 0});
            return;
        }
        FPortClosed = false;
    }
    component.Send();
}

void TTransferSequence::WatchPort(TLD100Protocol& component) {
    // Closing the port switches every component's cycle off, which fires this. A request still
    // outstanding then will never be answered.
    component.OnDeactivate = [this](TLBProtocolComponent* sender) {
        FPortClosed = !sender->LBComm() || !sender->LBComm()->Active();
        if (FPortClosed && !Stopped())
            CommError({CommCode::PortClosed, 0, 0});
    };
}

void TTransferSequence::ShowPanel(const QString& text, bool red) {
    if (OnPanel)
        OnPanel(text, red);
}

void TTransferSequence::ShowProgress(int position) {
    if (OnProgress)
        OnProgress(position);
}

void TTransferSequence::EnableButtons(bool ok, bool again, bool cancel) {
    if (OnButtons)
        OnButtons(ok, again, cancel);
}
