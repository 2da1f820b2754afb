// The main window's Edit menu: the parameter editor and the setpoint editor. Both use the line
// for bulk work, so the live view is switched off before either opens.

#include "app/KX71Main.h"
#include "params/EditParam.h"
#include "params/EditSollwerten.h"

#include <QAction>
#include <QSpinBox>

void TFormMain::Par11Click() {
    if (!FormEditParam)
        return;
    StopLiveMonitoring();
    FormEditParam->SelectedUnit = [this] { return SpinEditUnitSelect->value(); };
    FormEditParam->OnFunctieTeksten = [this] {
        InputFunctieTeksten();
        OutputFunctieTeksten();
    };
    FormEditParam->exec();
}

void TFormMain::Par21Click() {
    if (!FormEditSollwerten)
        return;
    StopLiveMonitoring();
    FormEditSollwerten->SelectedUnit = [this] { return SpinEditUnitSelect->value(); };
    FormEditSollwerten->exec();
}

void TFormMain::EnableEditMenuItems() {
    Par11->setEnabled(FormEditParam != nullptr);
    Par21->setEnabled(FormEditSollwerten != nullptr);
}
