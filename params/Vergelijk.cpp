#include "params/Vergelijk.h"

#include "app/Colors.h"
#include "app/FixedPitchFont.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"
#include "comm/LBComm.h"
#include "params/ParamDefs.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int ColumnWidths[CompareColumnCount] = {72, 210, 96, 150, 96, 150};
constexpr int VisibleRows = 16;
constexpr int ButtonMinimumWidth = 96;

bool IsValueColumn(int column) {
    return column == CmpWaarde || column == CmpAndereWaarde;
}

} // namespace

TFormVergelijk::TFormVergelijk(TLBComm* port, QWidget* parent)
    : TActivatedDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FPort(port), FSequence(port) {
    setModal(true);
    setWindowTitle(Built(TextKey::Vergelijk::CaptionApparaat));
    CreateControls();
    BindSequence();
}

void TFormVergelijk::CreateControls() {
    LabelVerschillen = Named(new QLabel(this), "LabelVerschillen");
    QFont bold = LabelVerschillen->font();
    bold.setBold(true);
    LabelVerschillen->setFont(bold);
    LabelBestand = Named(new QLabel(this), "LabelBestand", QStringLiteral("File compared"));
    LabelBestand->setTextInteractionFlags(Qt::TextSelectableByMouse);

    StringGrid1 = Named(new QTableWidget(0, CompareColumnCount, this), "StringGrid1",
                        QStringLiteral("Values that differ"));
    StringGrid1->setAccessibleDescription(
        QStringLiteral("One row per value; the tick box in the number column chooses it. A row "
                       "in grey holds the same value on both sides now"));
    StringGrid1->setFont(FixedPitchFont(font()));
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setWordWrap(false);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QHeaderView* header = StringGrid1->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
    for (int c = 0; c < CompareColumnCount; ++c) {
        auto* title = new QTableWidgetItem;
        if (IsValueColumn(c))
            title->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        StringGrid1->setHorizontalHeaderItem(c, title);
        StringGrid1->setColumnWidth(c, ColumnWidths[c]);
    }
    const int rowHeight = StringGrid1->fontMetrics().height() + 6;
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(rowHeight);
    StringGrid1->setFixedHeight(header->sizeHint().height() + VisibleRows * rowHeight +
                                2 * StringGrid1->frameWidth());

    PanelService = Named(new QLabel(this), "PanelService", QStringLiteral("Status"));
    PanelService->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelService->setAlignment(Qt::AlignCenter);
    PanelService->setFont(bold);
    PanelService->setMinimumHeight(PanelService->fontMetrics().height() + 8);

    CmdAlles = Named(new QPushButton(this), "CmdAlles");
    CmdAlles->setAccessibleDescription(QStringLiteral("Ticks every row"));
    CmdGeen = Named(new QPushButton(this), "CmdGeen");
    CmdGeen->setAccessibleDescription(QStringLiteral("Clears every tick"));
    CmdOvernemen = Named(new QPushButton(this), "CmdOvernemen");
    CmdOvernemen->setAccessibleDescription(
        QStringLiteral("The ticked rows' other values become the values in memory"));
    CmdZenden = Named(new QPushButton(this), "CmdZenden");
    CmdZenden->setAccessibleDescription(
        QStringLiteral("Writes the ticked rows' values in memory to the controller"));
    CmdSluiten = Named(new QPushButton(this), "CmdSluiten");
    FButtonRow = new QHBoxLayout;
    for (QPushButton* button : {CmdAlles, CmdGeen, CmdOvernemen, CmdZenden, CmdSluiten}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(ButtonMinimumWidth);
        if (button == CmdOvernemen)
            FButtonRow->addStretch();
        FButtonRow->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelVerschillen);
    layout->addWidget(LabelBestand);
    layout->addWidget(StringGrid1);
    layout->addWidget(PanelService);
    layout->addLayout(FButtonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(StringGrid1, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { StringGrid1ItemChanged(item); });
    connect(CmdAlles, &QPushButton::clicked, this, [this] { CmdAllesClick(); });
    connect(CmdGeen, &QPushButton::clicked, this, [this] { CmdGeenClick(); });
    connect(CmdOvernemen, &QPushButton::clicked, this, [this] { CmdOvernemenClick(); });
    connect(CmdZenden, &QPushButton::clicked, this, [this] { CmdZendenClick(); });
    connect(CmdSluiten, &QPushButton::clicked, this, [this] { reject(); });
    ApplyTexts();
}

void TFormVergelijk::BindSequence() {
    FSequence.OnStatus = [this](const QString& text, bool red) { ShowStatus(text, red); };
    FSequence.OnWritten = [this](const TCompareValue& value) {
        FComparison.Sent(value);
        FillGrid();
    };
    FSequence.OnParGezonden = [this](bool sent) {
        if (OnParGezonden)
            OnParGezonden(sent);
    };
    FSequence.OnStopped = [this] {
        if (FCloseWhenStopped) {
            FCloseWhenStopped = false;
            QDialog::reject();
            return;
        }
        FillGrid();
    };
}

void TFormVergelijk::CompareWithDevice(TCompareKind kind, std::span<const int32_t> other) {
    FComparison.Compare(kind, other, Bron::Device, ParamStore());
    FPath.clear();
}

void TFormVergelijk::CompareWithFile(TCompareKind kind, std::span<const int32_t> other,
                                     const QString& path) {
    FComparison.Compare(kind, other, Bron::File, ParamStore());
    FPath = path;
}

void TFormVergelijk::ApplyTexts() {
    using namespace TextKey::Vergelijk;
    const bool device = FComparison.Origin() != Bron::File;
    setWindowTitle(Tekst(device ? CaptionApparaat : CaptionBestand));
    const TTextKey titles[CompareColumnCount] = {
        KolomNummer, KolomNaam, KolomGeheugen, KolomOptie, device ? KolomApparaat : KolomBestand,
        KolomOptie};
    for (int c = 0; c < CompareColumnCount; ++c)
        StringGrid1->horizontalHeaderItem(c)->setText(Tekst(titles[c]));
    CmdAlles->setText(Tekst(TextKey::Vergelijk::CmdAlles));
    CmdGeen->setText(Tekst(TextKey::Vergelijk::CmdGeen));
    CmdOvernemen->setText(Tekst(TextKey::Vergelijk::CmdOvernemen));
    CmdZenden->setText(Tekst(TextKey::Vergelijk::CmdZenden));
    CmdSluiten->setText(Tekst(TextKey::Vergelijk::CmdSluiten));
}

void TFormVergelijk::FormActivate() {
    ApplyTexts();
    ShowColumns();
    LabelBestand->setText(FPath);
    LabelBestand->setVisible(!FPath.isEmpty());
    ShowStatus({}, false);
    FCloseWhenStopped = false;
    FillGrid();
    StringGrid1->setCurrentCell(FComparison.Rows().empty() ? -1 : 0, CmpNummer);
    StringGrid1->setFocus();
}

void TFormVergelijk::ShowColumns() {
    const int frame =
        2 * StringGrid1->frameWidth() + StringGrid1->verticalScrollBar()->sizeHint().width();
    int columns = 0;
    int used = 0;
    for (int c = 0; c < CompareColumnCount; ++c) {
        const bool shown = CompareColumnUsed(FComparison.Kind(), c);
        StringGrid1->setColumnHidden(c, !shown);
        if (shown) {
            columns += ColumnWidths[c];
            ++used;
        }
    }
    // The few columns of setpoints share the width of the button row rather than leave a
    // blank beside a narrow grid.
    const int extra = std::max(0, FButtonRow->sizeHint().width() - frame - columns);
    for (int c = 0; c < CompareColumnCount; ++c)
        if (!StringGrid1->isColumnHidden(c))
            StringGrid1->setColumnWidth(c, ColumnWidths[c] + extra / used);
    StringGrid1->setFixedWidth(frame + columns + extra / used * used);
}

void TFormVergelijk::FillGrid() {
    const QSignalBlocker blocker(StringGrid1);
    const std::vector<TCompareRow>& rows = FComparison.Rows();
    const bool sending = FSequence.Running();
    StringGrid1->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const TCompareRow& row = rows[static_cast<size_t>(r)];
        const TCompareCells cells = CompareRowCells(FComparison.Kind(), row, ParamDefs());
        // A row whose values have become the same is greyed; its values say so as well.
        const bool same = row.Value == row.Other;
        for (int c = 0; c < CompareColumnCount; ++c) {
            QTableWidgetItem* item = StringGrid1->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                StringGrid1->setItem(r, c, item);
            }
            item->setText(cells[static_cast<size_t>(c)]);
            if (IsValueColumn(c))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setForeground(same ? QBrush(DisabledCaptionColor()) : QBrush());
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (c == CmpNummer) {
                if (!sending)
                    flags |= Qt::ItemIsUserCheckable;
                item->setCheckState(row.Ticked ? Qt::Checked : Qt::Unchecked);
            }
            item->setFlags(flags);
        }
    }
    ShowCount();
    EnableButtons();
}

void TFormVergelijk::ShowCount() {
    int differing = 0;
    for (const TCompareRow& row : FComparison.Rows())
        differing += row.Value != row.Other ? 1 : 0;
    LabelVerschillen->setText(differing == 0
                                  ? Tekst(TextKey::Vergelijk::LabelGelijk)
                                  : Tekst(TextKey::Vergelijk::LabelVerschillen).arg(differing));
}

void TFormVergelijk::EnableButtons() {
    const bool idle = !FSequence.Running();
    const bool rows = !FComparison.Rows().empty();
    const bool ticked = FComparison.TickedCount() > 0;
    CmdAlles->setEnabled(idle && rows);
    CmdGeen->setEnabled(idle && rows);
    CmdOvernemen->setEnabled(idle && ticked);
    CmdZenden->setEnabled(idle && ticked && FPort && FPort->Active());
}

void TFormVergelijk::StringGrid1ItemChanged(QTableWidgetItem* item) {
    if (item->column() != CmpNummer || FSequence.Running())
        return;
    std::vector<TCompareRow>& rows = FComparison.Rows();
    const auto r = static_cast<size_t>(item->row());
    if (r >= rows.size())
        return;
    rows[r].Ticked = item->checkState() == Qt::Checked;
    EnableButtons();
}

void TFormVergelijk::CmdAllesClick() {
    FComparison.TickAll(true);
    FillGrid();
}

void TFormVergelijk::CmdGeenClick() {
    FComparison.TickAll(false);
    FillGrid();
}

void TFormVergelijk::CmdOvernemenClick() {
    ShowStatus({}, false);
    FComparison.TakeTicked(ParamStore());
    FillGrid();
}

void TFormVergelijk::CmdZendenClick() {
    if (FSequence.Running() || !FPort || !FPort->Active())
        return;
    ShowStatus({}, false);
    FSequence.Start(FComparison.Kind(), FComparison.TickedValues());
    FillGrid();
}

void TFormVergelijk::reject() {
    if (FSequence.Running()) {
        FCloseWhenStopped = true;
        FSequence.Stop();
        return;
    }
    QDialog::reject();
}

void TFormVergelijk::ShowStatus(const QString& text, bool red) {
    ShowStatusText(PanelService, text, red);
}
