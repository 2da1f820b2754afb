#pragma once
// TFormApparaatZoeken: the device search window. It lists every unit its search finds, with the
// line settings it answered at; OK (or a double click on a row) hands the row's unit number to
// the main window's unit selector and leaves the port closed at the row's settings, Cancel
// leaves it closed at the settings it had before. The search itself is TApparaatZoekenSequence.

#include "app/ActivatedDialog.h"
#include "app/ApparaatZoekenSequence.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

class TFormApparaatZoeken : public TActivatedDialog {
public:
    // `port`: the main window's port; `unitSelect`: the main window's unit number spin box.
    TFormApparaatZoeken(TLBComm* port, QSpinBox* unitSelect, QWidget* parent = nullptr);

    TApparaatZoekenSequence& Sequence() { return FSequence; }

    QTableWidget* StringGrid1;
    QLabel* LabelStartenMet;
    QComboBox* ComboBaudRate;
    QGroupBox* GroupBoxParity;
    QRadioButton *RB_parity_com, *RB_parity_auto;
    QGroupBox* GroupBoxStopBits;
    QRadioButton *RB_stopbits_com, *RB_stopbits_auto;
    QLabel *Panel_parity_N, *Panel_parity_O, *Panel_parity_E;
    QLabel *Panel_stopbits_1, *Panel_stopbits_2;
    QLabel *PanelZoekTekst, *PanelBaudtare, *PanelApparaatNo;
    QProgressBar* Gauge1;
    QPushButton *CmdStartZoeken, *CmdStop, *CmdVerder, *CmdOK, *CmdCancel;

    // Each time the window is shown.
    void FormActivate() override;
    void LezenTeksten();
    void CmdStartZoekenClick();
    void CmdOKClick();
    void CmdCancelClick();

protected:
    // Escape and the close box leave the window as Cancel does.
    void reject() override;

private:
    void CreateControls();
    QLayout* CreateOptionControls();
    QLayout* CreatePanels();
    QLayout* CreateButtons();
    void BindControls();
    void BindSequence();
    void ClearGrid();
    void AddFoundRow(const TFoundUnit& found);
    void ShowPoint(const TSearchPoint& point);
    void ShowControls(const TSearchControls& controls);
    void HighlightPanels(const TSearchPoint* point);
    void ShowLineLost();

    TApparaatZoekenSequence FSequence;
    QSpinBox* FUnitSelect;
    int FNextRow = 0;
};
