#include "app/KX71Main.h"

#include "app/Colors.h"
#include "app/ErrorReport.h"
#include "app/GlobalVar.h"
#include "app/IndicatorBox.h"
#include "app/LanguageTexts.h"
#include "app/LiveView.h"
#include "app/Settings.h"
#include "app/TextKeys.h"
#include "comm/ComNames.h"
#include "comm/CommTexts.h"
#include "params/LeesParSoll.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"
#include "params/SchrijfParSoll.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>

namespace {

constexpr int ClientWidth = 723;
constexpr int ClientHeight = 406;
constexpr int Timer1Interval = 1000;

} // namespace

TFormMain::TFormMain(const QStringList& arguments, TSerialDeviceFactory factory)
    : LBComm1(std::move(factory)) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    ApplyStoredPortSettings(LBComm1);
    BuildMenu();
    BuildWindow();
    BuildStatusBar();
    setFixedSize(ClientWidth, menuBar()->sizeHint().height() + ClientHeight);
    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    BindComponents();
    BindSerialSettings();
    FormCreate(arguments);
}

TFormMain::~TFormMain() {
    // The components' events refer to this window; the port must not deliver any more.
    LBComm1.OnActivate = nullptr;
    LBComm1.OnDeactivate = nullptr;
    LBComm1.OnDeviceLost = nullptr;
}

void TFormMain::FormCreate(const QStringList& arguments) {
    setWindowTitle(QApplication::applicationDisplayName());
    int unitNo = SpinEditUnitSelect->value();
    Configfile_lezen(LBComm1, unitNo, GlobalVar());
    SpinEditUnitSelect->setValue(unitNo);
    TekstFile_Lezen();
    ParameterDef_lezen();
    ParamNo_lezen();
    GlobalVar().ActualActive = false;
    GlobalVar().ThumbwheelActive = false;
    Disable_checkboxen_status_klemmen();
    LezenTeksten();
    ParamStore().ParBron = Bron::None;
    ParamStore().SollBron = Bron::None;
    bool setupMode = arguments.size() > 1 && arguments[1].toLower() == QLatin1String("setupmode");
    CmdCalibratie->setVisible(setupMode);
    // Until the calibration window is set.
    CmdCalibratie->setEnabled(false);

    Timer1.setInterval(Timer1Interval);
    Bind(&Timer1, &QTimer::timeout, &TFormMain::Timer1Timer);
    Timer1.start();
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (!FClosed) {
        FClosed = true;
        RunGuarded([this] { FormClose(); });
    }
    event->accept();
}

void TFormMain::keyPressEvent(QKeyEvent* event) {
    bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && CmdTerminalZenden->isEnabled()) {
        CmdTerminalZenden->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TFormMain::FormClose() {
    Timer1.stop();
    // A port that fails to close must not cost the settings.
    RunGuarded([this] { LBComm1.Close(); });
    ParamDefs().Free();
    TekstFile_Vrijgeven();
    QString error;
    if (!ProgrammaInstellingen_opslaan(LBComm1, SpinEditUnitSelect->value(), GlobalVar(), &error))
        ReportError(error);
}

void TFormMain::CmdSelectUnitClick() {
    if (!LBComm1.Active()) {
        LBComm1.Open();
    } else {
        LBComm1.Close();
        GlobalVar().ActualActive = false;
    }
}

bool TFormMain::IsShown(const QWidget* window) {
    return window && (window->isVisible() || QApplication::activeModalWidget() == window);
}

void TFormMain::LBComm1Activate() {
    ShowLineLost({});
    ShowStatusText(PanelComInfo, {}, false);
    CmdSelectUnit->setText(FCmdComClose);
    for (QPushButton* button : {CmdTerminalZenden, CmdResetError, CmdActual, CmdInUit, CmdDuimwiel})
        button->setEnabled(true);
    SetStatusText(0, QString::fromStdString(PortDisplayName(LBComm1.PortName())));
    SetStatusText(1, FrameSummary(LBComm1));
    GlobalVar().TypeInfoStep = 0;
    if (!IsShown(FormApparaatZoeken.data())) {
        LD100UnitSelect.SetASCIIProtocol("sc " + std::to_string(SpinEditUnitSelect->value()));
        LD100UnitSelect.Send();
    }
    EnablePortMenuItems(true);
}

void TFormMain::LBComm1Deactivate() {
    ShowStatusText(PanelErrorNo, {}, true);
    ShowStatusText(PanelComInfo, {}, false);
    CmdTerminalZenden->setEnabled(false);
    CmdSelectUnit->setText(FCmdComOpen);
    for (QPushButton* button : {CmdResetError, CmdActual, CmdInUit, CmdDuimwiel})
        button->setEnabled(false);
    SetStatusText(0, {});
    SetStatusText(1, QStringLiteral("Offline"));
    for (int i = 2; i < 6; ++i)
        SetStatusText(i, {});
    for (QLabel* panel : {PanelActPos, PanelSnelheid, PanelActPosLin, PanelSpanning_in,
                          PanelStroom_in, PanelAnaloog_in_AWE, PanelSpanning_uit, PanelStroom_uit})
        panel->clear();
    CmdActual->setText(FCmdActual_ON);
    CmdInUit->setText(FCmdIO_ON);
    CmdDuimwiel->setText(FCmdDuimwiel_ON);
    Disable_checkboxen_status_klemmen();
    SetActualPanels(false);
    SetThumbwheelPanels(false);
    for (int i = 1; i <= 4; ++i)
        Panel_DW[i]->clear();
    GlobalVar().ActualActive = false;
    GlobalVar().InOutActive = false;
    GlobalVar().ThumbwheelActive = false;
    EnablePortMenuItems(false);
}

void TFormMain::LBComm1DeviceLost(const TCommError& error) {
    if (LBComm1.Active())
        CmdSelectUnitClick();
    ShowLineLost(QString::fromStdString(ComDevicePath(LBComm1.PortName()) + ": " +
                                        SysErrorMessage(error.SystemError)));
}

void TFormMain::ShowLineLost(const QString& text) {
    // The whole width of the status bar, in red as the other communication errors; the panels
    // come back when the port opens again.
    SetErrorText(statusBar(), !text.isEmpty());
    if (text.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(text);
}

void TFormMain::SetStatusText(int panel, const QString& text) {
    StatusPanel[panel]->setText(text);
    StatusPanel[panel]->setToolTip(text);
}

void TFormMain::EnablePortMenuItems(bool enabled) {
    FPortMenuEnabled = enabled;
    bool transfers = FormLeesParSoll && FormSchrijfParSoll;
    KX91ontvangen1->setEnabled(enabled && transfers);
    Backup1->setEnabled(enabled && transfers);
    Restore1->setEnabled(enabled && transfers);
}

void TFormMain::Timer1Timer() {
    if (IsShown(FormApparaatZoeken) || IsShown(FormLeesParSoll.data()) ||
        IsShown(FormSchrijfParSoll.data()))
        return;
    if (!LBComm1.Active())
        return;
    LD100ReadError.SetASCIIProtocol("rf");
    LD100ReadError.Send();
}

void TFormMain::LezenTeksten() {
    if (GlobalVar().LanguageFileLoaded) {
        using namespace TextKey::Main;
        GroupBoxIngangen->setTitle(Tekst(GroepIngangen));
        GroupBoxUitgangen->setTitle(Tekst(GroepUitgangen));
        GroupBox_ANA_IN->setTitle(Tekst(Groep_ANA_IN));
        GroupBox_ANA_UIT->setTitle(Tekst(Groep_ANA_UIT));
        GroupBoxActual->setTitle(Tekst(GroepActual));
        GroupBox_DW->setTitle(Tekst(GroepDuimwiel));
        LabelSpanning_in->setText(Tekst(TextKey::Main::LabelSpanning_in));
        LabelStroom_in->setText(Tekst(TextKey::Main::LabelStroom_in));
        LabelActPos->setText(Tekst(LabelActualPositie));
        LabelSnelheid->setText(Tekst(LabelActualSnelheid));
        LabelSpanning_uit->setText(Tekst(LabelActualSpanning));
        LabelStroom_uit->setText(Tekst(LabelActualStroom));
        LabelActPosLin->setText(Tekst(LabelActualLinPos));
        FCmdIO_ON = Tekst(CmdIO_ON);
        FCmdIO_OFF = Tekst(CmdIO_OFF);
        FCmdActual_ON = Tekst(CmdActual_ON);
        FCmdActual_OFF = Tekst(CmdActual_OFF);
        FCmdComOpen = Tekst(CmdComOpen);
        FCmdComClose = Tekst(CmdComClose);
        CmdTerminalZenden->setText(Tekst(TextKey::Main::CmdTerminalZenden));
        CmdResetError->setText(Tekst(TextKey::Main::CmdResetError));
        FCmdDuimwiel_ON = Tekst(CmdDuimwiel_ON);
        FCmdDuimwiel_OFF = Tekst(CmdDuimwiel_OFF);
        FPanelTekst0 = Tekst(PanelTekst0);
        FPanelTekst1 = Tekst(PanelTekst1);
        File1->setTitle(Tekst(menuBestand));
        Exit1->setText(Tekst(subAfsluiten));
        Edit->setTitle(Tekst(menuEdit));
        Par11->setText(Tekst(subParameters));
        Par21->setText(Tekst(subSollwerten));
        Extra->setTitle(Tekst(menuInstellingen));
        Serial1->setText(Tekst(subInitCom));
        ww1->setText(Tekst(subOpties));
        Zendenenontvangen1->setTitle(Tekst(menuCommunicatie));
        KX91ontvangen1->setText(Tekst(subParSoll));
        N1->setText(QStringLiteral("-"));
        Backup1->setText(Tekst(subBackup));
        Restore1->setText(Tekst(subRestore));
        N2->setText(QStringLiteral("-"));
        KX71zoeken->setText(Tekst(subZoeken));
        Venster->setTitle(Tekst(menuVenster));
        displaynokken1->setText(Tekst(subNokkenInfo));
        Grafiek1->setText(Tekst(subGrafiek));
        Grafiek2->setText(Tekst(subLinearisatie));
        CommunicatieLog1->setText(Tekst(subCommunicatieLog));
        Info1->setTitle(Tekst(menuHelp));
        FormAbout->setText(Tekst(subInfo));
        Errno1->setText(Tekst(subErrorNummers));
    }
    InputFunctieTeksten();
    OutputFunctieTeksten();
    CmdTerminalZenden->setEnabled(false);
    CmdSelectUnit->setText(LBComm1.Active() ? FCmdComClose : FCmdComOpen);
    CmdInUit->setText(GlobalVar().InOutActive ? FCmdIO_OFF : FCmdIO_ON);
    CmdActual->setText(GlobalVar().ActualActive ? FCmdActual_OFF : FCmdActual_ON);
    CmdDuimwiel->setText(GlobalVar().ThumbwheelActive ? FCmdDuimwiel_OFF : FCmdDuimwiel_ON);
    EnablePortMenuItems(false);
}
