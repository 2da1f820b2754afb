#pragma once
// TFormCalibratie: the calibration of the controller's analog voltage and current output and
// input. The engineer switches calibration mode on, selects the output under calibration,
// drives it to its teach points, adjusts offsets and gains until an external meter agrees (each
// change is sent at once), watches the analog inputs live while adjusting theirs, stores
// everything in the EEPROM and switches calibration mode off. The window shows its logic
// (calib/CalibratieLogic.h) and hands the operator's actions to it; it is shown modally.

#include "app/ActivatedDialog.h"
#include "calib/CalibratieLogic.h"

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

class TFormCalibratie : public TActivatedDialog {
public:
    // `port`: the main window's port, which carries the requests.
    explicit TFormCalibratie(TLBComm* port, QWidget* parent = nullptr);

    TCalibratieLogic Logic;

    QLabel* Panel1;
    QGroupBox* GroupBoxCalibratieMode;
    QPushButton* CmdSetKalibtatieMode;
    QPushButton* CmdResCalibtatieMode;
    QGroupBox* GroupBox4; // DA Select
    QPushButton* CmdSet_U_actief;
    QPushButton* CmdSet_I_actief;
    QPushButton* CmdSet_I_InActief;
    QPushButton* CmdSaveToEEPROM;

    // The groups of CalibValues, by TCalibBox.
    std::array<QGroupBox*, 4> GroupBoxes{};
    // The twelve calibration values, their captions and unit captions, in CalibValues' order.
    std::array<QSpinBox*, CalibValues.size()> SpinEdits{};
    std::array<QLabel*, CalibValues.size()> Labels{};
    std::array<QLabel*, CalibValues.size()> UnitLabels{};
    // The teach points, their unit captions and "Set" buttons, in TeachPoints' order.
    std::array<QSpinBox*, TeachPoints.size()> TeachSpinEdits{};
    std::array<QLabel*, TeachPoints.size()> TeachUnitLabels{};
    std::array<QPushButton*, TeachPoints.size()> TeachButtons{};

    QLabel* Panel2; // the analog voltage input, live
    QLabel* Panel3; // the analog current input, live
    QPushButton* CmdAct_U_AD;
    QPushButton* CmdAct_I_AD;

    QGroupBox* GroupBoxDACTeach;
    std::array<QLabel*, DacTeachValues.size()> DacTeachLabels{};
    std::array<QLabel*, DacTeachValues.size()> DacTeachPanels{};
    QPushButton* cmd_LeesDAC_Teach;

    // Each time the window is shown: its logic starts afresh.
    void FormActivate() override { Logic.FormActivate(); }

protected:
    // Escape and the close box both come here: the window closes only when its logic agrees.
    void reject() override;

private:
    void CreateControls();
    QWidget* CreateModeGroups();
    QGroupBox* CreateValueGroup(TCalibBox box);
    QGroupBox* CreateDacTeachGroup();
    void BindControls();
    void BindLogic();
    void ShowGroup(TCalibGroup group, bool enabled);
    void ShowLive(TAnalogInput input, bool live);
    bool ConfirmClose(const QString& caption, const QString& text);
};
