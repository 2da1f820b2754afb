#pragma once
// TFormOpties: the options window, where the program's language is chosen and whether replies
// end at their line end. OK applies the language to the main window at once and reads the
// parameter definitions again; the line-end choice applies to the port from its next request.

#include "app/ActivatedDialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class TFormMain;

class TFormOpties : public TActivatedDialog {
public:
    explicit TFormOpties(TFormMain* main);

    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QGroupBox* GroupBox1;
    QLabel* LabelTaal;
    QComboBox* ComboTaal;
    QGroupBox* GroupBox2;
    QCheckBox* CheckSnelAntwoord;
    QLabel* LabelSnelAntwoord;
    QPushButton* CmdOK;
    QPushButton* CmdCancel;

    // Reads the language texts and selects the current language; each time it is shown.
    void FormActivate() override;
    void CmdOKClick();
    void CmdCancelClick() { reject(); }

private:
    void CreateControls();

    TFormMain* FMain;
    // The language shown on activation.
    int FTaal = 0;
};
