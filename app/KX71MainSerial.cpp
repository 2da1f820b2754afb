// The main window's serial settings: the settings window of the Extra menu, and the library's
// setup form, which finds the port closed when it shows.

#include "app/InitSerial.h"
#include "app/KX71Main.h"

#include <QAction>

void TFormMain::BindSerialSettings() {
    LBSetupCommDialog1.SetLBComm(&LBComm1);
    LBSetupCommDialog1.OnShow = [this](TLBSetupCommDialog*) { LBSetupCommDialog1Show(); };
    Bind(Serial1, &QAction::triggered, &TFormMain::Serial1Click);
}

void TFormMain::LBSetupCommDialog1Show() {
    LBComm1.Close();
}

void TFormMain::Serial1Click() {
    if (FormInitSerial)
        FormInitSerial->exec();
}
