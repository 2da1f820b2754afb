// The setpoint editor's comparisons: the store against the controller's setpoints, read first
// with the read dialog, or against a setpoint file's.

#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "params/EditSollwerten.h"
#include "params/LeesParSoll.h"
#include "params/MenuItemAfter.h"
#include "params/Vergelijk.h"

#include <QAction>
#include <QMenu>

void TFormEditSollwerten::CreateCompareItems() {
    subVergelijkBestand = MenuItemAfter(menuBestand, subOpslaanAls, "subVergelijkBestand",
                                        Built(TextKey::EditSollwert::subVergelijkBestand));
    subVergelijkApparaat = MenuItemAfter(menuZendenOntvangen, subParZenden, "subVergelijkApparaat",
                                         Built(TextKey::EditSollwert::subVergelijkApparaat));
    connect(subVergelijkBestand, &QAction::triggered, this, [this] { subVergelijkBestandClick(); });
    connect(subVergelijkApparaat, &QAction::triggered, this,
            [this] { subVergelijkApparaatClick(); });
}

void TFormEditSollwerten::EnableCompareItems() {
    subVergelijkApparaat->setEnabled(FPortOpen && FormLeesParSoll && FormVergelijk);
    subVergelijkBestand->setEnabled(FormVergelijk != nullptr);
}

void TFormEditSollwerten::ApplyCompareTexts() {
    subVergelijkBestand->setText(Tekst(TextKey::EditSollwert::subVergelijkBestand));
    subVergelijkApparaat->setText(Tekst(TextKey::EditSollwert::subVergelijkApparaat));
}

void TFormEditSollwerten::subVergelijkApparaatClick() {
    if (!FormLeesParSoll || !FormVergelijk)
        return;
    FormLeesParSoll->Sequence().Mode = 1;
    if (Dialogs.ExecDialog(*FormLeesParSoll) != mrOK)
        return;
    FormVergelijk->CompareWithDevice(TCompareKind::Setpoints,
                                     FormLeesParSoll->Sequence().SollBuffer);
    ShowComparison();
}

void TFormEditSollwerten::subVergelijkBestandClick() {
    if (!FormVergelijk)
        return;
    QString path = Dialogs.AskOpenFile(SollFileTexts);
    if (path.isEmpty())
        return;
    TSollValues setpoints{};
    if (!Dialogs.CheckOpenResult(SollFileTexts,
                                 ReadSollFile(path, GlobalVar().LanguageFileLoaded, setpoints)))
        return;
    FormVergelijk->CompareWithFile(TCompareKind::Setpoints, setpoints, path);
    ShowComparison();
}

void TFormEditSollwerten::ShowComparison() {
    // Setpoints are never taken over, so the parameter editor's mark has nothing to follow.
    FormVergelijk->OnParGezonden = nullptr;
    Dialogs.ExecDialog(*FormVergelijk);
    FillGrid();
}
