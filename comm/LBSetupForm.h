#pragma once
// TLBSetupCommForm: the serial library's own setup form, in English or German from the library's
// text table. It shows a port's line settings and interface hardware, keeps the hardware lists
// consistent by the port's own coupling rules, and on OK writes every setting to the port. The
// port refuses hardware changes while it is open, so OK is only enabled on a closed port.

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class TLBComm;

class TLBSetupCommForm : public QDialog {
public:
    // `language`: 1 English, 2 German.
    explicit TLBSetupCommForm(int language, QWidget* parent = nullptr);

    // The port whose settings the form shows and writes.
    void SetLBComm(TLBComm* port) { FPort = port; }
    int Language() const { return FLanguage; }

    QTabWidget* PageControl;
    QWidget *TSAnschluss, *TSErweitert;
    QComboBox *CBAnschluss, *CBBereich, *CBBaudrate, *CBDatenbits, *CBParitaet, *CBStopbits;
    QComboBox *CBHardware, *CBTyp, *CBEmpfangen, *CBSenden;
    QLabel *PortLabel, *IORangeLabel, *BaudrateLabel, *DatabitsLabel, *ParityLabel, *StopbitsLabel;
    QLabel *HardwareLabel, *PortTypeLabel, *ReceiverLabel, *TransmitterLabel;
    QPushButton *OKButton, *CancelButton;

    // Called when the form is shown, before it shows the port's settings.
    std::function<void()> OnShowForm;

    void FormActivate();
    void OKButtonClick();
    void CBAnschlussChange();
    void CBHardwareChange();
    // A port type or driver that does not fit the selected hardware makes it user-defined.
    void DriverChange(QComboBox* changed);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void UpdateCaption();

    int FLanguage;
    TLBComm* FPort = nullptr;
};
