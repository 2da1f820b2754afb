// The parameter editor's comparisons: the store against the controller's parameters, read first
// with the read dialog, or against a parameter file's.

#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "params/EditParam.h"
#include "params/LeesParSoll.h"
#include "params/MenuItemAfter.h"
#include "params/Vergelijk.h"

#include <QAction>

void TFormEditParam::CreateCompareItems() {
    subVergelijkBestand = MenuItemAfter(menuBestand, subOpslaanAls, "subVergelijkBestand",
                                        Built(TextKey::EditParam::subVergelijkBestand));
    subVergelijkApparaat = MenuItemAfter(menuZendenOntvangen, subParZenden, "subVergelijkApparaat",
                                         Built(TextKey::EditParam::subVergelijkApparaat));
    connect(subVergelijkBestand, &QAction::triggered, this, [this] { subVergelijkBestandClick(); });
    connect(subVergelijkApparaat, &QAction::triggered, this,
            [this] { subVergelijkApparaatClick(); });
}

void TFormEditParam::EnableCompareItems() {
    subVergelijkApparaat->setEnabled(FPortOpen && FormLeesParSoll && FormVergelijk);
    subVergelijkBestand->setEnabled(FormVergelijk != nullptr);
}

void TFormEditParam::ApplyCompareTexts() {
    subVergelijkBestand->setText(Tekst(TextKey::EditParam::subVergelijkBestand));
    subVergelijkApparaat->setText(Tekst(TextKey::EditParam::subVergelijkApparaat));
}

void TFormEditParam::subVergelijkApparaatClick() {
    if (!FormLeesParSoll || !FormVergelijk)
        return;
    FormLeesParSoll->Sequence().Mode = 0;
    if (Dialogs.ExecDialog(*FormLeesParSoll) != mrOK)
        return;
    FormVergelijk->CompareWithDevice(TCompareKind::Parameters,
                                     FormLeesParSoll->Sequence().ParBuffer);
    ShowComparison();
}

void TFormEditParam::subVergelijkBestandClick() {
    if (!FormVergelijk)
        return;
    QString path = Dialogs.AskOpenFile(ParamFileTexts);
    if (path.isEmpty())
        return;
    TParValues values{};
    if (!Dialogs.CheckOpenResult(ParamFileTexts,
                                 ReadParamFile(path, GlobalVar().LanguageFileLoaded, values)))
        return;
    FormVergelijk->CompareWithFile(TCompareKind::Parameters, values, path);
    ShowComparison();
}

void TFormEditParam::ShowComparison() {
    FormVergelijk->OnParGezonden = [this](bool sent) { ParGezonden = sent; };
    Dialogs.ExecDialog(*FormVergelijk);
    // Values taken into the store show on the page and in the main window's function labels.
    FillPage();
    FunctieTeksten();
}
