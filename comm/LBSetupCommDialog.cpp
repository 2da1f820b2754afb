#include "comm/LBSetupCommDialog.h"

#include "comm/CommTexts.h"
#include "comm/LBSetupForm.h"

bool TLBSetupCommDialog::Execute(QWidget* parent) {
    return Show(CommLanguage(), parent);
}

bool TLBSetupCommDialog::ExecuteEnglish(QWidget* parent) {
    return Show(1, parent);
}

bool TLBSetupCommDialog::Show(int language, QWidget* parent) {
    bool ok = false;
    {
        TLBSetupCommForm form(language, parent);
        form.SetLBComm(FLBComm);
        form.OnShowForm = [this] {
            if (OnShow)
                OnShow(this);
        };
        ok = form.exec() == QDialog::Accepted;
    }
    if (OnClose)
        OnClose(this);
    return ok;
}
