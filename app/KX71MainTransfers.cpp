// The main window's Communicatie menu: reading every parameter and setpoint into the store,
// backing a controller up to a file and restoring it, and searching the line for devices.

#include "app/BackupRestore.h"
#include "app/InitSerial.h"
#include "app/KX71Main.h"
#include "params/LeesParSoll.h"
#include "params/ParamStore.h"
#include "params/SchrijfParSoll.h"

#include <QAction>
#include <QDialog>

void TFormMain::KX91ontvangen1Click() {
    if (!FormLeesParSoll)
        return;
    StopLiveMonitoring();
    FormLeesParSoll->Sequence().Mode = 2;
    if (FormLeesParSoll->exec() != mrOK)
        return;
    StoreReadValues(FormLeesParSoll->Sequence(), ParamStore());
    InputFunctieTeksten();
    OutputFunctieTeksten();
}

void TFormMain::Backup1Click() {
    if (!FormLeesParSoll || !FormSchrijfParSoll)
        return;
    StopLiveMonitoring();
    TBackupRestore(this, *FormLeesParSoll, *FormSchrijfParSoll).Backup();
}

void TFormMain::Restore1Click() {
    if (!FormLeesParSoll || !FormSchrijfParSoll)
        return;
    StopLiveMonitoring();
    TBackupRestore(this, *FormLeesParSoll, *FormSchrijfParSoll).Restore();
}

void TFormMain::KX71zoekenClick() {
    if (!FormApparaatZoeken)
        return;
    LBComm1.Close();
    FormApparaatZoeken->exec();
    LBComm1.Open();
}

void TFormMain::EnableWindowMenuItems() {
    KX71zoeken->setEnabled(FormApparaatZoeken != nullptr);
    EnableExtraMenuItems();
    EnableEditMenuItems();
    Serial1->setEnabled(FormInitSerial != nullptr);
    displaynokken1->setEnabled(!FormDisplayNokken.isNull());
    Grafiek1->setEnabled(!FormGrafiek.isNull());
    Grafiek2->setEnabled(!FormLinearisatie.isNull());
    CommunicatieLog1->setEnabled(!FormCommunicatieLog.isNull());
}
