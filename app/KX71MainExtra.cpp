// The main window's Extra and Help menus: the options, the about window and the error numbers.

#include "app/About.h"
#include "app/InfoErrorNummers.h"
#include "app/KX71Main.h"
#include "app/Opties.h"

#include <QAction>
#include <QPushButton>

void TFormMain::ww1Click() {
    if (FormOpties)
        FormOpties->exec();
}

void TFormMain::FormAboutClick() {
    if (FormAboutWindow)
        FormAboutWindow->exec();
}

void TFormMain::Errno1Click() {
    if (FormInfoErrorNummers)
        FormInfoErrorNummers->ShowNonModal();
}

void TFormMain::ApplyLanguage() {
    LezenTeksten();
    // Reading the texts leaves the port's controls disabled; an open port still allows them.
    if (LBComm1.Active()) {
        CmdTerminalZenden->setEnabled(true);
        EnablePortMenuItems(true);
    }
}

void TFormMain::EnableExtraMenuItems() {
    ww1->setEnabled(FormOpties != nullptr);
    FormAbout->setEnabled(FormAboutWindow != nullptr);
    Errno1->setEnabled(FormInfoErrorNummers != nullptr);
}
