#pragma once
// TFormInitSerial: the user's serial settings window. It closes the port when it is shown, shows
// the port's settings in lists whose entries come from the language file, and on OK writes them
// back through the port's setters and opens the port; Cancel leaves the port closed. Only port,
// rate, data bits, parity and stop bits can be changed here; the I/O range and the interface
// hardware are shown, kept consistent, and written back as they are.

#include "app/ActivatedDialog.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;
class TLBComm;

class TFormInitSerial : public TActivatedDialog {
public:
    explicit TFormInitSerial(TLBComm* port, QWidget* parent = nullptr);

    QTabWidget* PageControl1;
    QWidget *TabSheet1, *TabSheet2;
    QComboBox *ComboPoort, *Combo_IO, *ComboBaud, *ComboDataBits, *ComboParity, *ComboStopBits;
    QComboBox *ComboHardware, *ComboPortType, *ComboReceiver, *ComboTransmitter;
    QLabel *LabelPoort, *Label_IO, *LabelBaud, *LabelDataBits, *LabelParity, *LabelStopBits;
    QLabel *LabelHardware, *LabelPortType, *LabelReceiver, *LabelTransmitter;
    // The device the selected port name stands for, and whether it is there.
    QLabel* LabelPoortApparaat;
    QPushButton *CmdOK, *CmdCancel;

    // Each time the window is shown.
    void FormActivate() override;
    void LezenTeksten();
    void ComboPoortClick();
    void ComboHardwareClick();
    void CmdOKClick();

private:
    void CreateControls();
    void ShowPortSettings();
    void ShowDevice();

    TLBComm* FPort;
};
