#pragma once
// The main window: the port and its opening, unit selection and identification, the error poll,
// the live view of values, inputs, outputs and thumbwheels, the terminal, and the menu that
// opens the other windows.

#include "comm/LBComm.h"
#include "comm/LBSetupCommDialog.h"
#include "comm/LD100Protocol.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>

class QAction;
class QDialog;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class TFormCalibratie;
class TFormCommunicatieLog;
class TIndicatorBox;
class TFormAbout;
class TFormDisplayNokken;
class TFormGrafiek;
class TFormInfoErrorNummers;
class TFormEditParam;
class TFormEditSollwerten;
class TFormInitSerial;
class TFormLeesParSoll;
class TFormLinearisatie;
class TFormOpties;
class TFormSchrijfParSoll;

class TFormMain : public QMainWindow {
public:
    // `factory` makes the serial device when the port opens (empty: the POSIX device).
    explicit TFormMain(const QStringList& arguments, TSerialDeviceFactory factory = {});
    ~TFormMain() override;

    // The windows this one looks at or opens, set once they exist.
    QPointer<QDialog> FormApparaatZoeken;
    QPointer<TFormInitSerial> FormInitSerial;
    QPointer<TFormLeesParSoll> FormLeesParSoll;
    QPointer<TFormSchrijfParSoll> FormSchrijfParSoll;
    QPointer<TFormOpties> FormOpties;
    QPointer<TFormAbout> FormAboutWindow; // FormAbout is the menu item that opens it
    QPointer<TFormInfoErrorNummers> FormInfoErrorNummers;
    QPointer<TFormEditParam> FormEditParam;
    QPointer<TFormEditSollwerten> FormEditSollwerten;
    QPointer<TFormDisplayNokken> FormDisplayNokken;
    QPointer<TFormGrafiek> FormGrafiek;
    QPointer<TFormLinearisatie> FormLinearisatie;
    QPointer<TFormCommunicatieLog> FormCommunicatieLog;

    TLBComm LBComm1;
    // The library's setup form for the port; no menu item shows it.
    TLBSetupCommDialog LBSetupCommDialog1;

    // Unit group, status and error panels.
    QPushButton* CmdSelectUnit;
    QSpinBox* SpinEditUnitSelect;
    QLabel* PanelComInfo;
    QLabel* PanelErrorNo;

    // Live view.
    QGroupBox* GroupBoxActual;
    QLabel *LabelActPos, *LabelSnelheid, *LabelActPosLin;
    QLabel *PanelActPos, *PanelSnelheid, *PanelActPosLin;
    QGroupBox* GroupBox_ANA_IN;
    QLabel *LabelSpanning_in, *LabelStroom_in;
    QLabel *PanelSpanning_in, *PanelStroom_in, *PanelAnaloog_in_AWE;
    QGroupBox* GroupBox_ANA_UIT;
    QLabel *LabelSpanning_uit, *LabelStroom_uit;
    QLabel *PanelSpanning_uit, *PanelStroom_uit;
    QGroupBox* GroupBox_DW;
    QLabel* Panel_DW[5]; // 1 … 4
    QGroupBox* GroupBoxIngangen;
    TIndicatorBox* TB_K0;
    TIndicatorBox* Tb_in[5]; // 1 … 4
    QLabel* LabelFun_K0;
    QLabel* LabelFun_in[5];
    QGroupBox* GroupBoxUitgangen;
    TIndicatorBox* TbUitgang[5];
    QLabel* LabelFun_uit[5];
    QPushButton *CmdActual, *CmdInUit, *CmdDuimwiel, *CmdResetError, *CmdCalibratie;

    // Terminal.
    QGroupBox* GroupBoxTerminal;
    QLineEdit* EditZenden;
    QPushButton* CmdTerminalZenden;
    QPlainTextEdit* MemoReceive;

    QLabel* StatusPanel[6];
    QTimer Timer1;

    // Menu.
    QMenu *File1, *Edit, *Extra, *Zendenenontvangen1, *Venster, *Info1;
    QAction *Exit1, *Par11, *Par21, *Serial1, *ww1, *KX91ontvangen1, *N1, *Backup1, *Restore1, *N2,
        *KX71zoeken, *displaynokken1, *Grafiek1, *Grafiek2, *FormAbout, *Errno1;
    QAction* CommunicatieLog1;

    // Protocol components.
    TLD100Protocol LD100UnitSelect, LD100TypeInfo, LD100ReadError;
    TLD100Protocol LD100ActPos, LD100Snelheid, LD100ActPosLin, LD100Spanning_uit, LD100Stroom_uit,
        LD100Spanning_in, LD100Stroom_in, LD100Analoog_in_AWE;
    TLD100Protocol LD100_in, LD100_uit, LD100Duimwiel, LD100ResetError, LD100Protocol1;

    int ThumbwheelIndex = 1;
    QString ActivityDots;

    // Applies section Main of the language texts; also refreshes the function labels and the
    // state-dependent captions.
    void LezenTeksten();
    void InputFunctieTeksten();
    void OutputFunctieTeksten();
    void Disable_checkboxen_status_klemmen();
    // Switches every running live group off (I/O, then Actual, then thumbwheels).
    void StopLiveMonitoring();
    void ActualActief();
    void InUitActief();
    void DuimwielActief();

    void CmdSelectUnitClick();
    void CmdActualClick() { ActualActief(); }
    void CmdInUitClick() { InUitActief(); }
    void CmdDuimwielClick() { DuimwielActief(); }
    void CmdResetErrorClick();
    void CmdTerminalZendenClick();
    void Timer1Timer();

    // The Communicatie menu: a combined read into the store, and a controller's backup and
    // restore. Each switches the live view off first.
    void Exit1Click() { close(); }
    void KX91ontvangen1Click();
    void Backup1Click();
    void Restore1Click();
    // The Edit menu: the parameter and setpoint editors, opened modally with the live view
    // switched off.
    void Par11Click();
    void Par21Click();
    // The device search: closes the port, shows the search window, and opens the port again
    // afterwards whatever its state was (the unit of the spin box is then selected).
    void KX71zoekenClick();
    // Extra and Help: the options window and the about window, modal; the error numbers, not.
    void ww1Click();
    void FormAboutClick();
    void Errno1Click();
    // After a change of language: the texts again, and what the open port allows enabled again.
    void ApplyLanguage();
    void EnableExtraMenuItems();
    // Extra > Serieel: the serial settings window, which closes the port and opens it on OK.
    void Serial1Click();
    // The Venster menu: the cam display, the log graph (the error poll pauses while it is open)
    // and the linearisation window.
    void displaynokken1Click();
    void Grafiek1Click();
    void Grafiek2Click();
    // The communication log, shown beside the other windows without waiting.
    void CommunicatieLog1Click();
    // Enables the items of the windows that have been set.
    void EnableWindowMenuItems();
    void EnableEditMenuItems();
    // The calibration window, shown modally by the calibration button, which it enables.
    void SetFormCalibratie(TFormCalibratie* form);
    void CmdCalibratieClick();
    // Enables the port-dependent items of the Communicatie menu whose windows exist.
    void EnablePortMenuItems(bool enabled);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Enter anywhere in the window presses the terminal's send button while it can be pressed.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildWindow();
    void BuildMenu();
    void BuildStatusBar();
    void BindComponents();
    // Connects a control's signal to a handler; an exception goes to the error report.
    template <typename TSender, typename TSignal>
    void Bind(TSender* sender, TSignal signal, void (TFormMain::*handler)()) {
        connect(sender, signal, this, [this, handler] { RunHandler(handler); });
    }
    void RunHandler(void (TFormMain::*handler)());
    void BindLiveComponents();
    void BindSerialSettings();
    void FormCreate(const QStringList& arguments);
    void FormClose();

    void LBComm1Activate();
    void LBComm1Deactivate();
    void LBSetupCommDialog1Show();
    // The device went away: the port is closed as by its button, and the reason shown.
    void LBComm1DeviceLost(const TCommError& error);
    void LD100UnitSelectCommResult();
    void LD100UnitSelectComError(const TCommError& error);
    void LD100TypeInfoCommResult(TMemoryStream& result);
    void LD100ReadErrorCommResult(TMemoryStream& result);
    void LD100Protocol1CommResult(TMemoryStream& result);
    void LD100_inCommResult(TMemoryStream& result);
    void LD100_uitCommResult(TMemoryStream& result);
    void LD100DuimwielCommResult(TMemoryStream& result);
    void LD100DuimwielCommError();

    // Whether a window is up: shown, or the modal window in front. Not whether it has the
    // keyboard focus, which it loses as soon as the user switches to another program.
    static bool IsShown(const QWidget* window);
    // A status bar panel's text; its tooltip shows the whole of it.
    void SetStatusText(int panel, const QString& text);
    // The message of a vanished device across the status bar; empty: the panels again.
    void ShowLineLost(const QString& text);
    void SetActualPanels(bool active);
    void SetThumbwheelPanels(bool active);

    QPointer<TFormCalibratie> FFormCalibratie;
    QString FCmdIO_ON, FCmdIO_OFF, FCmdActual_ON, FCmdActual_OFF, FCmdComOpen, FCmdComClose,
        FCmdDuimwiel_ON, FCmdDuimwiel_OFF, FPanelTekst0, FPanelTekst1;
    bool FPortMenuEnabled = false;
    // The close runs once, however often the window is asked to close.
    bool FClosed = false;
};
