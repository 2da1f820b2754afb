#include "app/ApparaatZoeken.h"

#include "app/Colors.h"
#include "app/ErrorReport.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int Columns = 5;
constexpr int Rows = 32;
constexpr int ColumnWidths[Columns] = {34, 305, 66, 48, 74};
constexpr int VisibleRows = 10;
constexpr int ButtonMinimumWidth = 80;

// Without a language file the window keeps the texts it was built with.
const QString BuiltColumnTexts[Columns] = {QStringLiteral("Nr"), QStringLiteral("Type"),
                                           QStringLiteral("Baud"), QStringLiteral("Parity"),
                                           QStringLiteral("Stopbits")};
const QString BuiltAutoText = QStringLiteral("Auto");

QLabel* TextPanel(QWidget* parent, const char* name, const QString& what) {
    auto* panel = Named(new QLabel(parent), name, what);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setContentsMargins(4, 1, 4, 1);
    return panel;
}

QLabel* IndicatorPanel(QWidget* parent, const char* name, const QString& caption,
                       const QString& what) {
    auto* panel = Named(new QLabel(caption, parent), name, what);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFixedSize(26, 20);
    return panel;
}

// A highlighted panel names the setting the search is trying; colour alone does not say it.
void SetIndicator(QLabel* panel, bool current) {
    SetBackground(panel, current ? ActivePanelColor() : NeutralColor());
    panel->setAccessibleDescription(current ? QStringLiteral("being tried")
                                            : QStringLiteral("not being tried"));
}

} // namespace

TFormApparaatZoeken::TFormApparaatZoeken(TLBComm* port, QSpinBox* unitSelect, QWidget* parent)
    : TActivatedDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FSequence(port), FUnitSelect(unitSelect) {
    setObjectName(QStringLiteral("FormApparaatZoeken"));
    setModal(true);
    setWindowTitle(Built(TextKey::AparaatZoeken::Caption));
    CreateControls();
    BindControls();
    BindSequence();
}

void TFormApparaatZoeken::CreateControls() {
    StringGrid1 =
        Named(new QTableWidget(Rows, Columns, this), "StringGrid1", QStringLiteral("Units found"));
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->hide();
    // One line a unit: a long type text is cut short in the cell and shown whole as its tip.
    StringGrid1->setWordWrap(false);
    StringGrid1->setTextElideMode(Qt::ElideRight);
    StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
    StringGrid1->horizontalHeader()->setHighlightSections(false);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    int width = 2 * StringGrid1->frameWidth();
    for (int column = 0; column < Columns; ++column) {
        StringGrid1->setHorizontalHeaderItem(column,
                                             new QTableWidgetItem(BuiltColumnTexts[column]));
        StringGrid1->setColumnWidth(column, ColumnWidths[column]);
        width += ColumnWidths[column];
        for (int row = 0; row < Rows; ++row)
            StringGrid1->setItem(row, column, new QTableWidgetItem);
    }
    width += StringGrid1->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    StringGrid1->setMinimumWidth(width);
    StringGrid1->setMinimumHeight(StringGrid1->horizontalHeader()->sizeHint().height() +
                                  VisibleRows *
                                      StringGrid1->verticalHeader()->defaultSectionSize() +
                                  2 * StringGrid1->frameWidth());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid1, 1);
    layout->addLayout(CreateOptionControls());
    layout->addLayout(CreatePanels());
    layout->addLayout(CreateButtons());
}

QLayout* TFormApparaatZoeken::CreateOptionControls() {
    LabelStartenMet =
        Named(new QLabel(Built(TextKey::AparaatZoeken::LabelStartenMet), this), "LabelStartenMet");
    ComboBaudRate = Named(new QComboBox(this), "ComboBaudRate", QStringLiteral("Rate to start at"));
    for (TBaudrate rate : SearchRates)
        ComboBaudRate->addItem(RateNumberText(rate) + QStringLiteral(" b/s"));
    LabelStartenMet->setBuddy(ComboBaudRate);
    auto* start = new QVBoxLayout;
    start->addWidget(LabelStartenMet);
    start->addWidget(ComboBaudRate);
    start->addStretch();

    auto group = [this](const char* name, const TTextKey& title, QRadioButton*& com,
                        const char* comName, QRadioButton*& autoSelect, const char* autoName,
                        std::initializer_list<QLabel*> panels) {
        auto* box = Named(new QGroupBox(Built(title), this), name);
        com = Named(new QRadioButton(Built(TextKey::AparaatZoeken::RadioAlsCom), box), comName);
        autoSelect = Named(new QRadioButton(BuiltAutoText, box), autoName);
        com->setChecked(true);
        auto* indicators = new QHBoxLayout;
        for (QLabel* panel : panels) {
            panel->setParent(box);
            indicators->addWidget(panel);
        }
        indicators->addStretch();
        auto* grid = new QVBoxLayout(box);
        grid->addWidget(com);
        grid->addWidget(autoSelect);
        grid->addLayout(indicators);
        return box;
    };
    Panel_parity_N = IndicatorPanel(this, "Panel_parity_N", "N", QStringLiteral("Parity None"));
    Panel_parity_O = IndicatorPanel(this, "Panel_parity_O", "O", QStringLiteral("Parity Odd"));
    Panel_parity_E = IndicatorPanel(this, "Panel_parity_E", "E", QStringLiteral("Parity Even"));
    Panel_stopbits_1 =
        IndicatorPanel(this, "Panel_stopbits_1", "1", QStringLiteral("One stop bit"));
    Panel_stopbits_2 =
        IndicatorPanel(this, "Panel_stopbits_2", "2", QStringLiteral("Two stop bits"));
    GroupBoxParity =
        group("GroupBoxParity", TextKey::AparaatZoeken::GroepParity, RB_parity_com, "RB_parity_com",
              RB_parity_auto, "RB_parity_auto", {Panel_parity_N, Panel_parity_O, Panel_parity_E});
    GroupBoxStopBits = group("GroupBoxStopBits", TextKey::AparaatZoeken::GroepStopBits,
                             RB_stopbits_com, "RB_stopbits_com", RB_stopbits_auto,
                             "RB_stopbits_auto", {Panel_stopbits_1, Panel_stopbits_2});

    auto* row = new QHBoxLayout;
    row->addLayout(start);
    row->addSpacing(12);
    row->addWidget(GroupBoxParity, 1);
    row->addWidget(GroupBoxStopBits, 1);
    return row;
}

QLayout* TFormApparaatZoeken::CreatePanels() {
    PanelZoekTekst = TextPanel(this, "PanelZoekTekst", QStringLiteral("Search status"));
    PanelBaudtare = TextPanel(this, "PanelBaudtare", QStringLiteral("Rate being tried"));
    PanelApparaatNo = TextPanel(this, "PanelApparaatNo", QStringLiteral("Unit being tried"));
    PanelBaudtare->setMinimumWidth(
        PanelBaudtare->fontMetrics().horizontalAdvance(QStringLiteral("57600 bit/s")) + 16);
    PanelApparaatNo->setMinimumWidth(
        PanelApparaatNo->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 16);
    PanelApparaatNo->setAlignment(Qt::AlignCenter);
    Gauge1 = Named(new QProgressBar(this), "Gauge1", QStringLiteral("Units searched"));
    Gauge1->setRange(SearchFirstUnit, SearchLastUnit);
    Gauge1->setTextVisible(false);

    auto* panels = new QHBoxLayout;
    panels->addWidget(PanelZoekTekst, 1);
    panels->addWidget(PanelBaudtare);
    panels->addWidget(PanelApparaatNo);
    auto* column = new QVBoxLayout;
    column->addLayout(panels);
    column->addWidget(Gauge1);
    return column;
}

QLayout* TFormApparaatZoeken::CreateButtons() {
    auto button = [this](const char* name, const TTextKey& key) {
        auto* b = Named(new QPushButton(Built(key), this), name);
        b->setMinimumWidth(ButtonMinimumWidth);
        b->setAutoDefault(false);
        return b;
    };
    CmdStartZoeken = button("CmdStartZoeken", TextKey::AparaatZoeken::CmdStart);
    CmdStop = button("CmdStop", TextKey::AparaatZoeken::CmdStop);
    CmdVerder = button("CmdVerder", TextKey::AparaatZoeken::CmdVerder);
    CmdOK = button("CmdOK", TextKey::AparaatZoeken::CmdOK);
    CmdCancel = button("CmdCancel", TextKey::AparaatZoeken::CmdCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CmdStartZoeken);
    buttons->addWidget(CmdStop);
    buttons->addWidget(CmdVerder);
    buttons->addStretch();
    buttons->addWidget(CmdOK);
    buttons->addWidget(CmdCancel);
    return buttons;
}

void TFormApparaatZoeken::BindControls() {
    auto bind = [this](QPushButton* button, auto handler) {
        connect(button, &QPushButton::clicked, this, [handler] { RunGuarded(handler); });
    };
    bind(CmdStartZoeken, [this] { CmdStartZoekenClick(); });
    bind(CmdStop, [this] { FSequence.CmdStopClick(); });
    bind(CmdVerder, [this] { FSequence.CmdVerderClick(); });
    bind(CmdOK, [this] { CmdOKClick(); });
    bind(CmdCancel, [this] { CmdCancelClick(); });
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this,
            [this] { RunGuarded([this] { CmdOKClick(); }); });

    // The search reads the options when it needs them; they can change only while it waits.
    connect(ComboBaudRate, &QComboBox::currentIndexChanged, this,
            [this](int index) { FSequence.Options.StartRate = std::max(index, 0); });
    connect(RB_parity_auto, &QRadioButton::toggled, this,
            [this](bool on) { FSequence.Options.ParityAuto = on; });
    connect(RB_stopbits_auto, &QRadioButton::toggled, this,
            [this](bool on) { FSequence.Options.StopbitsAuto = on; });
}

void TFormApparaatZoeken::BindSequence() {
    // A line setting the device refuses surfaces in a reply's event; it goes to the error report
    // like the failures of the buttons.
    for (TLD100Protocol* component : {&FSequence.LD100ApparaatZoeken, &FSequence.ASCIILeesTypeInfo}) {
        component->OnCommResult = [result = component->OnCommResult](
                                      TLBProtocolComponent* sender, TMemoryStream& stream) {
            RunGuarded([&] { result(sender, stream); });
        };
        component->OnCommError = [error = component->OnCommError](TLBProtocolComponent* sender,
                                                                   const TCommError& record,
                                                                   TMemoryStream& stream) {
            RunGuarded([&] { error(sender, record, stream); });
        };
    }
    FSequence.OnStatus = [this](const QString& text) { PanelZoekTekst->setText(text); };
    FSequence.OnPoint = [this](const TSearchPoint& point) { ShowPoint(point); };
    FSequence.OnControls = [this](const TSearchControls& controls) { ShowControls(controls); };
    FSequence.OnFound = [this](const TFoundUnit& found) { AddFoundRow(found); };
    FSequence.OnLineLost = [this] { ShowLineLost(); };
}

void TFormApparaatZoeken::FormActivate() {
    LezenTeksten();
    FSequence.FormActivate();
    ComboBaudRate->setCurrentIndex(0);
    ClearGrid();
    PanelBaudtare->clear();
    PanelApparaatNo->clear();
    Gauge1->setValue(Gauge1->minimum());
    HighlightPanels(nullptr);
}

void TFormApparaatZoeken::LezenTeksten() {
    if (!GlobalVar().LanguageFileLoaded)
        return;
    using namespace TextKey::AparaatZoeken;
    setWindowTitle(Tekst(Caption));
    CmdOK->setText(Tekst(TextKey::AparaatZoeken::CmdOK));
    CmdVerder->setText(Tekst(TextKey::AparaatZoeken::CmdVerder));
    CmdStartZoeken->setText(Tekst(CmdStart));
    CmdStop->setText(Tekst(TextKey::AparaatZoeken::CmdStop));
    CmdCancel->setText(Tekst(TextKey::AparaatZoeken::CmdCancel));
    LabelStartenMet->setText(Tekst(TextKey::AparaatZoeken::LabelStartenMet));
    const TTextKey columns[Columns] = {KolomTekst0, KolomTekst1, KolomTekst2, KolomTekst3,
                                       KolomTekst4};
    for (int column = 0; column < Columns; ++column)
        StringGrid1->horizontalHeaderItem(column)->setText(Tekst(columns[column]));
    GroupBoxParity->setTitle(Tekst(GroepParity));
    GroupBoxStopBits->setTitle(Tekst(GroepStopBits));
    RB_parity_com->setText(Tekst(RadioAlsCom));
    RB_stopbits_com->setText(Tekst(RadioAlsCom));
    RB_parity_auto->setText(Tekst(RadioAutoSelect));
    RB_stopbits_auto->setText(Tekst(RadioAutoSelect));
}

void TFormApparaatZoeken::CmdStartZoekenClick() {
    ClearGrid();
    FSequence.CmdStartZoekenClick();
}

void TFormApparaatZoeken::CmdOKClick() {
    int row = StringGrid1->currentRow();
    if (row < 0 || StringGrid1->item(row, 1)->text().isEmpty())
        return;
    QStringList cells;
    for (int column = 0; column < Columns; ++column)
        cells.append(StringGrid1->item(row, column)->text());
    FSequence.TakeOverRow(cells);
    FUnitSelect->setValue(cells[0].toInt());
    done(QDialog::Accepted);
}

void TFormApparaatZoeken::CmdCancelClick() {
    FSequence.CmdCancelClick();
    done(QDialog::Rejected);
}

void TFormApparaatZoeken::reject() {
    RunGuarded([this] { CmdCancelClick(); });
}

void TFormApparaatZoeken::ClearGrid() {
    for (int row = 0; row < StringGrid1->rowCount(); ++row)
        for (int column = 0; column < Columns; ++column) {
            StringGrid1->item(row, column)->setText({});
            StringGrid1->item(row, column)->setToolTip({});
        }
    StringGrid1->setCurrentCell(-1, -1);
    FNextRow = 0;
}

void TFormApparaatZoeken::AddFoundRow(const TFoundUnit& found) {
    // A unit answers at every setting it understands, so a run can list more rows than the
    // grid starts with; the grid grows rather than drop one.
    if (FNextRow >= StringGrid1->rowCount()) {
        StringGrid1->insertRow(FNextRow);
        for (int column = 0; column < Columns; ++column)
            StringGrid1->setItem(FNextRow, column, new QTableWidgetItem);
    }
    const QStringList texts = FoundUnitTexts(found);
    for (int column = 0; column < Columns; ++column) {
        StringGrid1->item(FNextRow, column)->setText(texts[column]);
        StringGrid1->item(FNextRow, column)->setToolTip(texts[column]);
    }
    StringGrid1->scrollToItem(StringGrid1->item(FNextRow, 0));
    ++FNextRow;
}

void TFormApparaatZoeken::ShowPoint(const TSearchPoint& point) {
    PanelBaudtare->setText(SearchRateText(point.Baudrate));
    PanelApparaatNo->setText(QString::number(point.Unit));
    Gauge1->setValue(point.Unit);
    HighlightPanels(&point);
}

void TFormApparaatZoeken::HighlightPanels(const TSearchPoint* point) {
    auto parityIs = [point](TParityBit parity) { return point && point->Parity == parity; };
    auto stopbitsAre = [point](TStopBit stopbits) { return point && point->Stopbits == stopbits; };
    SetIndicator(Panel_parity_N, parityIs(TParityBit::None));
    SetIndicator(Panel_parity_O, parityIs(TParityBit::Odd));
    SetIndicator(Panel_parity_E, parityIs(TParityBit::Even));
    SetIndicator(Panel_stopbits_1, stopbitsAre(TStopBit::sb_1));
    SetIndicator(Panel_stopbits_2, stopbitsAre(TStopBit::sb_2));
}

void TFormApparaatZoeken::ShowControls(const TSearchControls& controls) {
    CmdStartZoeken->setEnabled(controls.Start);
    CmdStop->setEnabled(controls.Stop);
    CmdVerder->setEnabled(controls.Verder);
    CmdOK->setEnabled(controls.OK);
    for (QWidget* option : std::initializer_list<QWidget*>{
             ComboBaudRate, RB_parity_com, RB_parity_auto, RB_stopbits_com, RB_stopbits_auto})
        option->setEnabled(controls.Options);
}

void TFormApparaatZoeken::ShowLineLost() {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Comm Error"),
                    QStringLiteral("Windows Comm error! "), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("CommErrorMessage"));
    box.exec();
}
