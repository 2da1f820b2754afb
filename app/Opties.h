#pragma once
// TFormOpties: the options window, where the program's language is chosen. OK applies the
// language to the main window at once and reads the parameter definitions again.

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class TFormMain;

class TFormOpties : public QDialog {
public:
    explicit TFormOpties(TFormMain* main);

    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QGroupBox* GroupBox1;
    QLabel* LabelTaal;
    QComboBox* ComboTaal;
    QPushButton* CmdOK;
    QPushButton* CmdCancel;

    // Reads the language texts and selects the current language; each time it is shown.
    void FormActivate();
    void CmdOKClick();
    void CmdCancelClick() { reject(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();

    TFormMain* FMain;
    // The language shown on activation.
    int FTaal = 0;
};
