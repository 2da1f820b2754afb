#include "app/Opties.h"

#include "app/DialogButtons.h"
#include "app/ErrorReport.h"
#include "app/GlobalVar.h"
#include "app/KX71Main.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"
#include "params/ParamDefs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int ComboMinimumWidth = 180;
constexpr int ButtonMinimumWidth = 96;
constexpr int ExplanationWidth = 340;

} // namespace

TFormOpties::TFormOpties(TFormMain* main)
    : TActivatedDialog(main, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), FMain(main) {
    setObjectName(QStringLiteral("FormOpties"));
    setModal(true);
    setWindowTitle(QStringLiteral("Instellingen"));
    CreateControls();
}

void TFormOpties::CreateControls() {
    PageControl1 = Named(new QTabWidget(this), "PageControl1");
    TabSheet1 = Named(new QWidget(PageControl1), "TabSheet1");
    PageControl1->addTab(TabSheet1, Built(TextKey::Opties::RegAlgemeen));

    GroupBox1 = Named(new QGroupBox(TabSheet1), "GroupBox1");
    LabelTaal = Named(new QLabel(QStringLiteral("Taal:"), GroupBox1), "LabelTaal");
    ComboTaal = Named(new QComboBox(GroupBox1), "ComboTaal");
    ComboTaal->addItems({QStringLiteral("NE"), QStringLiteral("EN"), QStringLiteral("D")});
    ComboTaal->setMinimumWidth(ComboMinimumWidth);
    LabelTaal->setBuddy(ComboTaal);
    auto* row = new QHBoxLayout(GroupBox1);
    row->addWidget(LabelTaal);
    row->addWidget(ComboTaal, 1);

    using namespace TextKey::Opties;
    GroupBox2 = Named(new QGroupBox(Built(GroepCommunicatie), TabSheet1), "GroupBox2");
    CheckSnelAntwoord = Named(new QCheckBox(Built(SnelAntwoord), GroupBox2), "CheckSnelAntwoord");
    LabelSnelAntwoord =
        Named(new QLabel(Built(SnelAntwoordUitleg), GroupBox2), "LabelSnelAntwoord");
    LabelSnelAntwoord->setWordWrap(true);
    LabelSnelAntwoord->setFixedWidth(ExplanationWidth);
    auto* communication = new QVBoxLayout(GroupBox2);
    communication->addWidget(CheckSnelAntwoord);
    communication->addWidget(LabelSnelAntwoord);

    auto* sheet = new QVBoxLayout(TabSheet1);
    sheet->addWidget(GroupBox1);
    sheet->addWidget(GroupBox2);
    sheet->addStretch();

    TOkCancelRow buttons =
        OkCancelRow(this, QStringLiteral("OK"), QStringLiteral("Cancel"), ButtonMinimumWidth);
    CmdOK = buttons.CmdOK;
    CmdCancel = buttons.CmdCancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons.Row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(CmdOK, &QPushButton::clicked, this, [this] { RunGuarded([this] { CmdOKClick(); }); });
    connect(CmdCancel, &QPushButton::clicked, this, [this] { CmdCancelClick(); });
}

void TFormOpties::FormActivate() {
    if (GlobalVar().LanguageFileLoaded) {
        using namespace TextKey::Opties;
        setWindowTitle(Tekst(Caption));
        PageControl1->setTabText(0, Tekst(RegAlgemeen));
        LabelTaal->setText(Tekst(TaalLabel));
        CmdOK->setText(Tekst(TextKey::Opties::CmdOK));
        CmdCancel->setText(Tekst(TextKey::Opties::CmdCancel));
        ComboTaal->clear();
        ComboTaal->addItems(TekstList(TaalItems));
        GroupBox2->setTitle(Tekst(GroepCommunicatie));
        CheckSnelAntwoord->setText(Tekst(SnelAntwoord));
        LabelSnelAntwoord->setText(Tekst(SnelAntwoordUitleg));
    }
    ComboTaal->setAccessibleName(LabelTaal->text());
    CheckSnelAntwoord->setAccessibleDescription(LabelSnelAntwoord->text());
    CheckSnelAntwoord->setChecked(FMain->LBComm1.ReplyEndsAtLineEnd());
    FTaal = GlobalVar().Taal;
    ComboTaal->setCurrentIndex(FTaal >= 0 && FTaal < ComboTaal->count() ? FTaal : -1);
}

void TFormOpties::CmdOKClick() {
    // Without a choice (a stored language the list does not offer) the language stays.
    if (ComboTaal->currentIndex() >= 0)
        GlobalVar().Taal = ComboTaal->currentIndex();
    FMain->LBComm1.SetReplyEndsAtLineEnd(CheckSnelAntwoord->isChecked());
    if (GlobalVar().Taal != FTaal)
        TekstFile_Lezen();
    // The definitions first, so that the main window's texts show what the file holds now.
    ParameterDef_lezen();
    FMain->ApplyLanguage();
    accept();
}
