// The main window's whole-controller transfers: reading every parameter and setpoint into the
// store, and backing a controller up to a file and restoring it.

#include "app/BackupRestore.h"
#include "app/KX71Main.h"
#include "params/LeesParSoll.h"
#include "params/ParamStore.h"
#include "params/SchrijfParSoll.h"

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
