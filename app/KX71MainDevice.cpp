// The main window's exchanges with the selected unit: selection and identification, the error
// poll, the shared error handler and the terminal.

#include "app/Colors.h"
#include "app/ErrorReport.h"
#include "app/GlobalVar.h"
#include "app/KX71Main.h"
#include "app/LanguageTexts.h"
#include "app/LiveView.h"
#include "app/TextFile.h"
#include "app/TextKeys.h"
#include "app/ValueText.h"

#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr int TerminalTimeoutMs = 1500;

} // namespace

void TFormMain::BindComponents() {
    LBComm1.OnActivate = [this](TLBComm*) { RunGuarded([this] { LBComm1Activate(); }); };
    LBComm1.OnDeactivate = [this](TLBComm*) { RunGuarded([this] { LBComm1Deactivate(); }); };
    LBComm1.OnDeviceLost = [this](TLBComm*, const TCommError& error) {
        RunGuarded([&] { LBComm1DeviceLost(error); });
    };

    const std::pair<TLD100Protocol*, const char*> components[] = {
        {&LD100UnitSelect, "LD100UnitSelect"},
        {&LD100TypeInfo, "LD100TypeInfo"},
        {&LD100ReadError, "LD100ReadError"},
        {&LD100ActPos, "LD100ActPos"},
        {&LD100Snelheid, "LD100Snelheid"},
        {&LD100ActPosLin, "LD100ActPosLin"},
        {&LD100Spanning_uit, "LD100Spanning_uit"},
        {&LD100Stroom_uit, "LD100Stroom_uit"},
        {&LD100Spanning_in, "LD100Spanning_in"},
        {&LD100Stroom_in, "LD100Stroom_in"},
        {&LD100Analoog_in_AWE, "LD100Analoog_in_AWE"},
        {&LD100_in, "LD100_in"},
        {&LD100_uit, "LD100_uit"},
        {&LD100Duimwiel, "LD100Duimwiel"},
        {&LD100ResetError, "LD100ResetError"},
        {&LD100Protocol1, "LD100Protocol1"}};
    for (auto [component, name] : components) {
        component->SetName(name);
        component->SetProtocolFoot(TSequenceChar::scCR);
        component->SetLBComm(&LBComm1);
    }
    LD100Protocol1.SetTimeoutTime(TerminalTimeoutMs);
    // What the terminal sends is typed by hand, and its reply may hold several lines.
    LD100Protocol1.SetLineEndEndsReply(false);

    auto guarded = [](auto handler) {
        return [handler](TLBProtocolComponent*, TMemoryStream& result) {
            RunGuarded([&] { handler(result); });
        };
    };
    auto sharedError = [this](TLBProtocolComponent*, const TCommError& error, TMemoryStream&) {
        RunGuarded([&] { LD100UnitSelectComError(error); });
    };
    LD100UnitSelect.OnCommResult = guarded([this](TMemoryStream&) { LD100UnitSelectCommResult(); });
    LD100UnitSelect.OnCommError = sharedError;
    LD100TypeInfo.OnCommResult = guarded([this](TMemoryStream& r) { LD100TypeInfoCommResult(r); });
    LD100ReadError.OnCommResult =
        guarded([this](TMemoryStream& r) { LD100ReadErrorCommResult(r); });
    LD100ReadError.OnCommError = sharedError;
    LD100Protocol1.OnCommResult =
        guarded([this](TMemoryStream& r) { LD100Protocol1CommResult(r); });
    LD100Protocol1.OnCommError = sharedError;
    LD100_in.OnCommError = sharedError;

    Bind(CmdSelectUnit, &QPushButton::clicked, &TFormMain::CmdSelectUnitClick);
    Bind(CmdTerminalZenden, &QPushButton::clicked, &TFormMain::CmdTerminalZendenClick);
    Bind(Exit1, &QAction::triggered, &TFormMain::Exit1Click);
    Bind(Par11, &QAction::triggered, &TFormMain::Par11Click);
    Bind(Par21, &QAction::triggered, &TFormMain::Par21Click);
    Bind(KX91ontvangen1, &QAction::triggered, &TFormMain::KX91ontvangen1Click);
    Bind(Backup1, &QAction::triggered, &TFormMain::Backup1Click);
    Bind(Restore1, &QAction::triggered, &TFormMain::Restore1Click);
    Bind(KX71zoeken, &QAction::triggered, &TFormMain::KX71zoekenClick);
    Bind(ww1, &QAction::triggered, &TFormMain::ww1Click);
    Bind(FormAbout, &QAction::triggered, &TFormMain::FormAboutClick);
    Bind(Errno1, &QAction::triggered, &TFormMain::Errno1Click);
    Bind(CmdCalibratie, &QPushButton::clicked, &TFormMain::CmdCalibratieClick);
    Bind(displaynokken1, &QAction::triggered, &TFormMain::displaynokken1Click);
    Bind(Grafiek1, &QAction::triggered, &TFormMain::Grafiek1Click);
    Bind(Grafiek2, &QAction::triggered, &TFormMain::Grafiek2Click);
    Bind(CommunicatieLog1, &QAction::triggered, &TFormMain::CommunicatieLog1Click);
    BindLiveComponents();
}

void TFormMain::RunHandler(void (TFormMain::*handler)()) {
    RunGuarded([this, handler] { (this->*handler)(); });
}

void TFormMain::LD100UnitSelectCommResult() {
    ShowStatusText(PanelComInfo, {}, false);
    LD100TypeInfo.SetASCIIProtocol("rt");
    LD100TypeInfo.Send();
}

void TFormMain::LD100TypeInfoCommResult(TMemoryStream& result) {
    QString value = ReadValueText(result);
    TGlobalVar& global = GlobalVar();
    switch (global.TypeInfoStep) {
    case 0:
        SetStatusText(2, value);
        global.DeviceType = value.left(4);
        if (!IsAcceptedDeviceType(global.DeviceType) && global.LanguageFileLoaded) {
            // Modal: the identification waits until the warning is closed.
            QMessageBox warning(QMessageBox::Warning, Tekst(TextKey::Main::Msg_waarschuwingCaption),
                                Tekst(TextKey::Main::Msg_Melding_Geen_KX71), QMessageBox::Ok, this);
            warning.setObjectName(QStringLiteral("ForeignTypeWarning"));
            warning.exec();
        }
        LD100TypeInfo.SetASCIIProtocol("rh");
        LD100TypeInfo.Send();
        global.TypeInfoStep = 1;
        break;
    case 1:
        SetStatusText(3, value);
        LD100TypeInfo.SetASCIIProtocol("rx");
        LD100TypeInfo.Send();
        global.TypeInfoStep = 2;
        break;
    case 2:
        SetStatusText(4, value);
        break;
    }
}

void TFormMain::LD100ReadErrorCommResult(TMemoryStream& result) {
    ShowStatusText(PanelComInfo, {}, false);
    ShowStatusText(PanelErrorNo, ErrorNumberText(ReadValueText(result)), true);
    ActivityDots = NextActivityDots(ActivityDots);
    SetStatusText(5, ActivityDots);
}

void TFormMain::LD100UnitSelectComError(const TCommError& error) {
    ShowStatusText(PanelErrorNo, {}, true);
    if (error.Code == CommCode::Timeout) {
        ShowStatusText(PanelComInfo, FPanelTekst0, true);
    } else if (error.SystemError != 0 || error.LineErrors != 0 ||
               error.Code == CommCode::ReplyTooLong) {
        // A reply that never goes silent carries neither number, but is as much a line fault.
        ShowStatusText(PanelComInfo,
                       FPanelTekst1 + " " +
                           QString::number(static_cast<uint32_t>(error.SystemError)) + ", " +
                           QString::number(static_cast<uint32_t>(error.LineErrors)),
                       true);
    }
}

void TFormMain::CmdTerminalZendenClick() {
    // The line carries the same 8-bit characters the replies are read in; a character without a
    // code there is pointed out instead of going out as some other bytes.
    QByteArray bytes;
    QString unencodable;
    if (!EncodeWindows1252(EditZenden->text(), bytes, &unencodable)) {
        EditZenden->setSelection(static_cast<int>(EditZenden->text().indexOf(unencodable)),
                                 static_cast<int>(unencodable.size()));
        QMessageBox warning(QMessageBox::Warning, Tekst(TextKey::Main::Msg_waarschuwingCaption),
                            Tekst(TextKey::Main::Msg_TekenNietZendbaar) + u' ' + unencodable,
                            QMessageBox::Ok, this);
        warning.setObjectName(QStringLiteral("UnencodableCharacterWarning"));
        warning.exec();
        return;
    }
    MemoReceive->clear();
    LD100Protocol1.SetASCIIProtocol(bytes.toStdString());
    LD100Protocol1.Send();
    EditZenden->selectAll();
}

void TFormMain::LD100Protocol1CommResult(TMemoryStream& result) {
    ShowStatusText(PanelComInfo, {}, false);
    // The whole reply as text, split into lines at the line ends it contains.
    QString text =
        DecodeWindows1252(QByteArrayView(reinterpret_cast<const char*>(result.Bytes().data()),
                                         static_cast<qsizetype>(result.Size())));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    MemoReceive->setPlainText(text);
}
