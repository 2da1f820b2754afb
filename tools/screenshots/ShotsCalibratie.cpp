// The calibration window with calibration mode on, the voltage output selected and the voltage
// input read live; then the warning of a close with a value not stored in the EEPROM.

#include "tools/screenshots/Shots.h"

#include "app/KX71Main.h"
#include "calib/Calibratie.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace {

// Grabs the close warning once it shows, and answers it with Yes.
void SaveCloseWarning(TShotContext& context) {
    QTimer::singleShot(300, [&context] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            context.Save(*box, QStringLiteral("calibratie_close_warning"));
            box->button(QMessageBox::Yes)->click();
        }
    });
}

void CalibratieShots(TShotContext& context) {
    TFormMain& form = *context.Main;
    TFormCalibratie calibratie(&form.LBComm1, &form);
    context.WhileModal(calibratie, 1800, [&] {
        calibratie.CmdSetKalibtatieMode->click();
        ProcessFor(300);
        calibratie.CmdSet_U_actief->click();
        ProcessFor(300);
        calibratie.CmdAct_U_AD->click();
        ProcessFor(1200);
        context.Save(calibratie, QStringLiteral("calibratie"));
        calibratie.SpinEdits[1]->stepUp();
        ProcessFor(300);
        calibratie.CmdResCalibtatieMode->click();
        ProcessFor(300);
        SaveCloseWarning(context);
        calibratie.close();
    });
}

} // namespace

KQ9_SHOTS(20, "calibration window", CalibratieShots);
