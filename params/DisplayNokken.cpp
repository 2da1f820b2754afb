#include "params/DisplayNokken.h"

#include "app/ErrorReport.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"
#include "calib/DrawImage.h"
#include "params/NokkenInfo.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int TitleColumnWidth = 74;
constexpr int CamColumnWidth = 18;
constexpr int RowHeight = 24;

QLabel* DetailPanel(QWidget* parent, const char* name, const QString& what, int minimumWidth) {
    auto* panel = NamedValue(new QLabel(parent), name, what);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setContentsMargins(4, 0, 4, 0);
    panel->setMinimumSize(minimumWidth, 22);
    return panel;
}

} // namespace

TFormDisplayNokken::TFormDisplayNokken(QWidget* parent) : TActivatedDialog(parent) {
    setModal(true);
    setWindowTitle(Built(TextKey::DisplayNokken::Caption));
    CreateControls();
}

void TFormDisplayNokken::CreateControls() {
    StringGrid1 = Named(new QTableWidget(CamOutputCount, CamCount, this), "StringGrid1",
                        QStringLiteral("Cams by output"));
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A selection highlight would hide the colour of the current cell; the focus frame marks it.
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->verticalHeader()->setFixedWidth(TitleColumnWidth);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(RowHeight);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->horizontalHeader()->setMinimumSectionSize(CamColumnWidth);
    StringGrid1->horizontalHeader()->setDefaultSectionSize(CamColumnWidth);
    StringGrid1->horizontalHeader()->setFixedHeight(RowHeight);
    for (int n = 1; n <= CamCount; ++n) {
        auto* header = new QTableWidgetItem(QString::number(n));
        header->setData(Qt::AccessibleTextRole, QStringLiteral("cam %1").arg(n));
        StringGrid1->setHorizontalHeaderItem(n - 1, header);
        for (int r = 1; r <= CamOutputCount; ++r)
            StringGrid1->setItem(r - 1, n - 1, new QTableWidgetItem);
    }
    for (int r = 1; r <= CamOutputCount; ++r) {
        auto* title = new QTableWidgetItem(QString::number(r));
        title->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        StringGrid1->setVerticalHeaderItem(r - 1, title);
    }
    const int frame = 2 * StringGrid1->frameWidth();
    StringGrid1->setFixedSize(TitleColumnWidth + CamCount * CamColumnWidth + frame,
                              RowHeight * (CamOutputCount + 1) + frame);

    using namespace TextKey::DisplayNokken;
    LabelNokNummer = Named(new QLabel(Built(LabelNokNo), this), "LabelNokNummer");
    LabelFunctie = Named(new QLabel(Built(LabelFuncte), this), "LabelFunctie");
    LabelBron = Named(new QLabel(Built(TextKey::DisplayNokken::LabelBron), this), "LabelBron");
    LabelAanvang =
        Named(new QLabel(Built(TextKey::DisplayNokken::LabelAanvang), this), "LabelAanvang");
    LabelEinde = Named(new QLabel(Built(TextKey::DisplayNokken::LabelEinde), this), "LabelEinde");
    LabelHysteresis = Named(new QLabel(Built(LAbelHysteresis), this), "LabelHysteresis");
    LabelVervroeging = Named(new QLabel(Built(TextKey::DisplayNokken::LabelVervroeging), this),
                             "LabelVervroeging");
    PanelNokNummer = DetailPanel(this, "PanelNokNummer", QStringLiteral("Cam number"), 50);
    PanelFunctie = DetailPanel(this, "PanelFunctie", QStringLiteral("Function"), 160);
    PanelBron = DetailPanel(this, "PanelBron", QStringLiteral("Source"), 160);
    PanelAanvang = DetailPanel(this, "PanelAanvang", QStringLiteral("Start value"), 110);
    PanelSelectAanvang =
        DetailPanel(this, "PanelSelectAanvang", QStringLiteral("Start taken from"), 160);
    PanelEinde = DetailPanel(this, "PanelEinde", QStringLiteral("End value"), 110);
    PanelSelectEinde = DetailPanel(this, "PanelSelectEinde", QStringLiteral("End taken from"), 160);
    PanelHysteresis = DetailPanel(this, "PanelHysteresis", QStringLiteral("Hysteresis"), 110);
    PanelVervroeging =
        DetailPanel(this, "PanelVervroeging", QStringLiteral("Advance of the output"), 110);
    for (QLabel* value :
         {PanelNokNummer, PanelAanvang, PanelEinde, PanelHysteresis, PanelVervroeging})
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* details = new QGridLayout;
    details->setHorizontalSpacing(8);
    details->addWidget(LabelNokNummer, 0, 0);
    details->addWidget(PanelNokNummer, 0, 1, Qt::AlignLeft);
    details->addWidget(LabelFunctie, 1, 0);
    details->addWidget(PanelFunctie, 1, 1, 1, 2);
    details->addWidget(LabelBron, 2, 0);
    details->addWidget(PanelBron, 2, 1, 1, 2);
    details->addWidget(LabelAanvang, 3, 0);
    details->addWidget(PanelAanvang, 3, 1);
    details->addWidget(PanelSelectAanvang, 3, 2);
    details->addWidget(LabelEinde, 4, 0);
    details->addWidget(PanelEinde, 4, 1);
    details->addWidget(PanelSelectEinde, 4, 2);
    details->addWidget(LabelHysteresis, 5, 0);
    details->addWidget(PanelHysteresis, 5, 1);
    details->addWidget(LabelVervroeging, 6, 0);
    details->addWidget(PanelVervroeging, 6, 1);
    details->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid1);
    layout->addSpacing(6);
    layout->addLayout(details);
    CreateExportControls(layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(StringGrid1, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { RunGuarded([&] { ShowDetails(column + 1, row + 1); }); });
}

void TFormDisplayNokken::LezenTeksten() {
    if (!GlobalVar().LanguageFileLoaded)
        return;
    using namespace TextKey::DisplayNokken;
    setWindowTitle(Tekst(Caption));
    LabelNokNummer->setText(Tekst(LabelNokNo));
    LabelFunctie->setText(Tekst(LabelFuncte));
    LabelBron->setText(Tekst(TextKey::DisplayNokken::LabelBron));
    LabelAanvang->setText(Tekst(TextKey::DisplayNokken::LabelAanvang));
    LabelEinde->setText(Tekst(TextKey::DisplayNokken::LabelEinde));
    LabelHysteresis->setText(Tekst(LAbelHysteresis));
    LabelVervroeging->setText(Tekst(TextKey::DisplayNokken::LabelVervroeging));
    ReadExportButtonTexts(CmdOpslaanPNG);
}

void TFormDisplayNokken::FormActivate() {
    LezenTeksten();
    FillGrid();
    if (StringGrid1->currentRow() < 0)
        StringGrid1->setCurrentCell(0, 0);
    ShowDetails(StringGrid1->currentColumn() + 1, StringGrid1->currentRow() + 1);
}

void TFormDisplayNokken::FillGrid() {
    const bool language = GlobalVar().LanguageFileLoaded;
    const QString rowText = Tekst(TextKey::DisplayNokken::RijTekst);
    for (int r = 1; r <= CamOutputCount; ++r) {
        QString title = language ? rowText + u'-' + QString::number(r) : QString::number(r);
        StringGrid1->verticalHeaderItem(r - 1)->setText(title);
    }
    for (int n = 1; n <= CamCount; ++n) {
        for (int r = 1; r <= CamOutputCount; ++r) {
            QTableWidgetItem* cell = StringGrid1->item(r - 1, n - 1);
            std::optional<TInk> colour = CamCellColour(n, r);
            cell->setData(Qt::BackgroundRole, colour ? QVariant(InkColor(*colour)) : QVariant());
            cell->setData(Qt::AccessibleTextRole,
                          QStringLiteral("cam %1, output %2").arg(n).arg(r));
            cell->setData(Qt::AccessibleDescriptionRole, CamCellDescription(n, r));
        }
    }
}

void TFormDisplayNokken::ShowDetails(int cam, int output) {
    const TCamDetails details = CamDetails(cam, output);
    PanelNokNummer->setText(details.NokNummer);
    PanelFunctie->setText(details.Functie);
    PanelBron->setText(details.Bron);
    PanelAanvang->setText(details.Aanvang);
    PanelSelectAanvang->setText(details.SelectAanvang);
    PanelEinde->setText(details.Einde);
    PanelSelectEinde->setText(details.SelectEinde);
    PanelHysteresis->setText(details.Hysteresis);
    PanelVervroeging->setText(details.Vervroeging);
}
