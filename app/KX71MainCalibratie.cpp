// The main window's calibration button: shown only in setup mode, it opens the calibration
// window modally. The error poll goes on meanwhile.

#include "app/KX71Main.h"
#include "calib/Calibratie.h"

#include <QPushButton>

void TFormMain::SetFormCalibratie(TFormCalibratie* form) {
    FFormCalibratie = form;
    CmdCalibratie->setEnabled(form != nullptr);
}

void TFormMain::CmdCalibratieClick() {
    if (FFormCalibratie)
        FFormCalibratie->exec();
}
