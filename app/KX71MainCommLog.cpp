// The main window's Venster > communication log item.

#include "app/CommunicatieLog.h"
#include "app/KX71Main.h"

void TFormMain::CommunicatieLog1Click() {
    if (FormCommunicatieLog)
        FormCommunicatieLog->ShowNonModal();
}
