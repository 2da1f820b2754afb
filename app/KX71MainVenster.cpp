// The main window's Venster menu: the cam display, the log graph and the linearisation window,
// each shown modally.

#include "app/KX71Main.h"
#include "calib/Grafiek.h"
#include "calib/Linearisatie.h"
#include "params/DisplayNokken.h"

void TFormMain::displaynokken1Click() {
    if (FormDisplayNokken)
        FormDisplayNokken->exec();
}

void TFormMain::Grafiek1Click() {
    if (!FormGrafiek)
        return;
    // The graph wants the line to itself: the error poll waits until it closes.
    Timer1.stop();
    struct TRestart {
        QTimer& Timer;
        ~TRestart() { Timer.start(); }
    } restart{Timer1};
    FormGrafiek->exec();
}

void TFormMain::Grafiek2Click() {
    if (FormLinearisatie)
        FormLinearisatie->exec();
}
