#include "app/ApparaatZoekenSequence.h"

#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/ValueText.h"
#include "comm/LBComm.h"

namespace {

const TTextKey PanelKeys[] = {
    TextKey::AparaatZoeken::PanelTekst0, TextKey::AparaatZoeken::PanelTekst1,
    TextKey::AparaatZoeken::PanelTekst2, TextKey::AparaatZoeken::PanelTekst3};
enum { Searching, Stopped, Finished, Found };

// The echo of a selection: the reply without its line end. A reply of fewer than three bytes,
// or one too long to be read, echoes nothing.
std::string EchoOf(const TMemoryStream& result) {
    const std::vector<uint8_t>& bytes = result.Bytes();
    if (bytes.size() < 3 || bytes.size() > ValueTextLimit)
        return {};
    return std::string(bytes.begin(), bytes.end() - 2);
}

void Send(TLD100Protocol& component, const std::string& text) {
    component.SetASCIIProtocol(text);
    component.Send();
}

} // namespace

TApparaatZoekenSequence::TApparaatZoekenSequence(TLBComm* port) : FPort(port) {
    LD100ApparaatZoeken.SetName("LD100ApparaatZoeken");
    ASCIILeesTypeInfo.SetName("ASCIILeesTypeInfo");
    for (TLD100Protocol* component : {&LD100ApparaatZoeken, &ASCIILeesTypeInfo}) {
        component->SetProtocolFoot(TSequenceChar::scCR);
        component->SetTimeoutTime(0);
        component->SetLBComm(port);
        component->OnCommError = [this](TLBProtocolComponent*, const TCommError& error,
                                        TMemoryStream&) { LD100ApparaatZoekenCommError(error); };
    }
    LD100ApparaatZoeken.OnCommResult = [this](TLBProtocolComponent*, TMemoryStream& result) {
        LD100ApparaatZoekenCommResult(result);
    };
    ASCIILeesTypeInfo.OnCommResult = [this](TLBProtocolComponent*, TMemoryStream& result) {
        ASCIILeesTypeInfoCommResult(result);
    };
}

void TApparaatZoekenSequence::FormActivate() {
    FPanelTekst.clear();
    for (const TTextKey& key : PanelKeys)
        FPanelTekst.append(Tekst(key));
    FRemembered = PortPoint();
    FStart = FStop = false;
    FState = TSearchState::Idle;
    SetControls({});
    ShowStatus({});
}

void TApparaatZoekenSequence::CmdStartZoekenClick() {
    FStart = true;
    TSearchControls controls = FControls;
    controls.Stop = true;
    SetControls(controls);
    SearchStep();
}

void TApparaatZoekenSequence::CmdVerderClick() {
    TSearchControls controls = FControls;
    controls.Verder = controls.Options = controls.Start = false;
    SetControls(controls);
    FStop = false;
    SearchStep();
}

void TApparaatZoekenSequence::CmdCancelClick() {
    FPort->Close();
    ApplyToPort(FRemembered);
}

void TApparaatZoekenSequence::TakeOverRow(const QStringList& cells) {
    FPort->Close();
    TBaudrate rate;
    TParityBit parity;
    TStopBit stopbits;
    if (cells.size() > 2 && SearchRateFromText(cells[2], rate))
        FPort->SetBaudrate(rate);
    if (cells.size() > 3 && ParityFromText(cells[3], parity))
        FPort->SetFrameParitybit(parity);
    if (cells.size() > 4 && StopbitsFromText(cells[4], stopbits))
        FPort->SetFrameStopbits(stopbits);
}

void TApparaatZoekenSequence::SearchStep() {
    ShowStatus(FPanelTekst.value(Searching));
    TSearchPoint point = FResume.value_or(PortPoint());
    FResume.reset();
    if (FStart) {
        point = StartRun();
    } else if (NextSearchPoint(point, Options, FStartRate)) {
        ApplyToPort(point);
    } else {
        try {
            FPort->SetBaudrate(point.Baudrate);
        } catch (const ECommInitError&) {
            // The run began at a rate the device refused, and said so then; the port stays at
            // the last rate tried.
        }
        RunFinished();
        return;
    }
    FUnit = point.Unit;
    FState = TSearchState::Searching;
    if (OnPoint)
        OnPoint(point);
    Send(LD100ApparaatZoeken, "sc " + std::to_string(FUnit));
}

TSearchPoint TApparaatZoekenSequence::StartRun() {
    FStart = FStop = false;
    TSearchControls controls = FControls;
    controls.Start = controls.Options = false;
    SetControls(controls);
    FFoundCount = 0;
    TSearchPoint point = FirstSearchPoint(Options, FRemembered);
    FStartRate = point.Baudrate;
    ApplyToPort(point);
    try {
        if (!FPort->Active())
            FPort->Open();
    } catch (...) {
        // The error report shows why; the window must stay usable for another try.
        FState = TSearchState::Idle;
        controls.Start = controls.Options = true;
        controls.Stop = false;
        SetControls(controls);
        throw;
    }
    return point;
}

void TApparaatZoekenSequence::RunFinished() {
    FState = TSearchState::Finished;
    ShowStatus(FPanelTekst.value(Finished));
    TSearchControls controls = FControls;
    controls.Options = controls.Start = true;
    controls.Stop = controls.Verder = false;
    SetControls(controls);
}

void TApparaatZoekenSequence::ShowStopped(TSearchState state) {
    FState = state;
    ShowStatus(FPanelTekst.value(Stopped));
    TSearchControls controls = FControls;
    controls.Options = controls.Start = true;
    // Without its device the port is closed: only a new start opens it again.
    controls.Verder = state != TSearchState::LineLost;
    SetControls(controls);
}

void TApparaatZoekenSequence::LD100ApparaatZoekenCommResult(TMemoryStream& result) {
    if (EchoOf(result) == LD100ApparaatZoeken.ASCIIProtocol()) {
        FTypeStep = 0;
        Send(ASCIILeesTypeInfo, "rt");
    } else if (FStop) {
        ShowStopped(TSearchState::Stopped);
    } else {
        SearchStep();
    }
}

void TApparaatZoekenSequence::ASCIILeesTypeInfoCommResult(TMemoryStream& result) {
    const QString value = ReadValueText(result);
    switch (FTypeStep) {
    case 0:
        FTypeText = value;
        Send(ASCIILeesTypeInfo, "rh");
        FTypeStep = 1;
        break;
    case 1:
        FTypeText = value + QStringLiteral("   ") + FTypeText;
        if (FStop) {
            ShowStopped(TSearchState::Stopped);
        } else {
            Send(ASCIILeesTypeInfo, "rx");
            FTypeStep = 2;
        }
        break;
    case 2: {
        FTypeText = value + QStringLiteral("   ") + FTypeText;
        ++FFoundCount;
        FState = TSearchState::Found;
        TFoundUnit found{PortPoint(), FTypeText};
        if (OnFound)
            OnFound(found);
        ShowStatus(FPanelTekst.value(Found));
        TSearchControls controls = FControls;
        controls.OK = controls.Options = controls.Start = controls.Verder = true;
        SetControls(controls);
        break;
    }
    }
}

void TApparaatZoekenSequence::LD100ApparaatZoekenCommError(const TCommError& error) {
    if (error.SystemError == ERROR_OPERATION_ABORTED) {
        // Nothing more can be sent on a vanished device. The port is closed, so that a new
        // start opens it afresh (or reports why it cannot); after the message the window is
        // left as after Stop.
        FPort->Close();
        if (OnLineLost)
            OnLineLost();
        ShowStopped(TSearchState::LineLost);
        return;
    }
    if (FStop)
        ShowStopped(TSearchState::Stopped);
    else
        SearchStep();
}

void TApparaatZoekenSequence::ShowStatus(const QString& text) {
    if (OnStatus)
        OnStatus(text);
}

void TApparaatZoekenSequence::SetControls(const TSearchControls& controls) {
    FControls = controls;
    if (OnControls)
        OnControls(controls);
}

TSearchPoint TApparaatZoekenSequence::PortPoint() const {
    return {FPort->Baudrate(), FPort->FrameParitybit(), FPort->FrameStopbits(), FUnit};
}

void TApparaatZoekenSequence::ApplyToPort(const TSearchPoint& point) {
    // Applied on the open port at once; each setting only when it changes.
    try {
        if (FPort->Baudrate() != point.Baudrate)
            FPort->SetBaudrate(point.Baudrate);
        if (FPort->FrameParitybit() != point.Parity)
            FPort->SetFrameParitybit(point.Parity);
        if (FPort->FrameStopbits() != point.Stopbits)
            FPort->SetFrameStopbits(point.Stopbits);
    } catch (const ECommInitError& error) {
        Refuse(point, error);
    }
}

void TApparaatZoekenSequence::Refuse(const TSearchPoint& point, const ECommInitError& error) {
    // The port keeps the settings the device still runs at, so the first that differs from the
    // point is the refused one.
    const TSearchPoint held = PortPoint();
    TSearchPoint resume = point;
    QString setting;
    if (held.Baudrate != point.Baudrate) {
        // Every unit would meet the same refusal at this rate: continuing starts the next one.
        setting = SearchRateText(point.Baudrate);
        resume.Unit = Options.LastUnit;
        if (Options.ParityAuto)
            resume.Parity = TParityBit::Even;
        if (Options.StopbitsAuto)
            resume.Stopbits = TStopBit::sb_2;
    } else if (held.Parity != point.Parity) {
        setting = QStringLiteral("parity ") + ParityText(point.Parity);
    } else {
        setting = QStringLiteral("stop bits ") + StopbitsText(point.Stopbits);
    }
    FResume = resume;
    ShowStopped(TSearchState::Refused);
    throw ECommInitError(setting.toStdString() + ": " + error.what());
}
