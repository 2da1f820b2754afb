#include "params/EditSollwerten.h"

#include "app/Colors.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"
#include "comm/LBComm.h"
#include "params/GridCellPaint.h"
#include "params/LeesParSoll.h"
#include "params/ParamStore.h"
#include "params/SchrijfParSoll.h"
#include "params/SollGridRules.h"
#include "params/TypedChar.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int ColumnWidths[SollColumnCount] = {30, 105, 37, 31, 104};

const TTextKey SendWarning[] = {
    TextKey::EditSollwert::ZendMsg_10, TextKey::EditSollwert::ZendMsg_20,
    TextKey::EditSollwert::ZendMsg_30, TextKey::EditSollwert::ZendMsg_40,
    TextKey::EditSollwert::ZendMsg_50};
const TTextKey PrintWarning[] = {TextKey::Afdrukken::AfdrukMsg_10, TextKey::Afdrukken::AfdrukMsg_20,
                                 TextKey::Afdrukken::AfdrukMsg_30, TextKey::Afdrukken::AfdrukMsg_40,
                                 TextKey::Afdrukken::AfdrukMsg_50};

bool IsValueColumn(int column) {
    return column == SollColWaarde1 || column == SollColWaarde2;
}

} // namespace

// The grid: while a value is being typed, the cursor stays in its cell (no clicks elsewhere);
// its keys go to the window first.
class TSollGrid : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

    std::function<bool(QKeyEvent& event)> OnKeyDown;

    bool Editing() const { return state() == EditingState; }
    void CloseEditor(QWidget* editor) { closeEditor(editor, QAbstractItemDelegate::NoHint); }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!Editing() && OnKeyDown && OnKeyDown(*event))
            return;
        QTableWidget::keyPressEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (Editing())
            return;
        QTableWidget::mousePressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (Editing())
            return;
        QTableWidget::mouseDoubleClickEvent(event);
    }
};

// The in-place editor of a value cell and the drawing of the cells. A typed text reaches its
// cell and the store only through Enter, so the editor never writes back by itself.
class TSollDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    std::function<bool(QLineEdit& editor, QKeyEvent& event)> OnEditorKey;
    QPointer<QLineEdit> Editor;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        editor->setObjectName(QStringLiteral("SollCellEditor"));
        editor->setAccessibleName(QStringLiteral("Setpoint value"));
        editor->setFrame(false);
        editor->setAlignment(Qt::AlignRight);
        const_cast<TSollDelegate*>(this)->Editor = editor;
        return editor;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QLineEdit*>(editor)->setText(index.data().toString());
    }
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        const QWidget* grid = cell.widget;
        bool focused = grid && (grid->hasFocus() || grid->isAncestorOf(grid->focusWidget()));
        // The number and spacer cells take no cursor, but are not drawn as disabled.
        QBrush background = cell.palette.brush(QPalette::Active, QPalette::Base);
        QColor text = cell.palette.color(QPalette::Active, QPalette::Text);
        if (focused && (cell.state & QStyle::State_HasFocus)) {
            background = cell.palette.brush(QPalette::Active, QPalette::Highlight);
            text = Qt::white;
        } else if (focused && !IsValueColumn(index.column()) && index.column() != SollColSpacer) {
            background = ActivePanelColor();
        }
        painter->setFont(cell.font);
        PaintRightAlignedCell(*painter, cell.rect, cell.text, background, text);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && object == Editor && OnEditorKey &&
            OnEditorKey(*Editor, static_cast<QKeyEvent&>(*event)))
            return true;
        return QStyledItemDelegate::eventFilter(object, event);
    }
};

TFormEditSollwerten::TFormEditSollwerten(TLBComm* port, QWidget* parent)
    : TActivatedDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Dialogs(this), FPort(port) {
    setModal(true);
    setWindowTitle(Built(TextKey::EditSollwert::Caption));
    CreateMenu();
    CreateControls();
    EnableWindowMenuItems();
}

void TFormEditSollwerten::CreateMenu() {
    auto item = [](QMenu* menu, const char* name, const QString& caption) {
        return Named(menu->addAction(caption), name);
    };
    SollMenu1 = Named(new QMenuBar(this), "SollMenu1");
    menuBestand =
        Named(SollMenu1->addMenu(Built(TextKey::EditSollwert::menuBestand)), "menuBestand");
    subOpenen = item(menuBestand, "subOpenen", Built(TextKey::EditSollwert::subOpenen));
    subOpslaanAls = item(menuBestand, "subOpslaanAls", Built(TextKey::EditSollwert::subOpslaanAls));
    menuBestand->addSeparator();
    subAfdrukken = item(menuBestand, "subAfdrukken", Built(TextKey::EditSollwert::subAfdrukken));
    menuBestand->addSeparator();
    subAfsluiten = item(menuBestand, "subAfsluiten", Built(TextKey::EditSollwert::subAfsluiten));
    menuZendenOntvangen =
        Named(SollMenu1->addMenu(Built(TextKey::EditSollwert::menuZendenOntvangen)),
              "menuZendenOntvangen");
    subParOntvangen =
        item(menuZendenOntvangen, "subParOntvangen", Built(TextKey::EditSollwert::subParOntvangen));
    subParZenden =
        item(menuZendenOntvangen, "subParZenden", Built(TextKey::EditSollwert::subParZenden));

    auto bind = [this](QAction* action, void (TFormEditSollwerten::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    bind(subOpenen, &TFormEditSollwerten::subOpenenClick);
    bind(subOpslaanAls, &TFormEditSollwerten::subOpslaanAlsClick);
    bind(subAfdrukken, &TFormEditSollwerten::subAfdrukkenClick);
    connect(subAfsluiten, &QAction::triggered, this, [this] { reject(); });
    bind(subParOntvangen, &TFormEditSollwerten::subParOntvangenClick);
    bind(subParZenden, &TFormEditSollwerten::subParZendenClick);
    CreateCompareItems();
}

void TFormEditSollwerten::CreateControls() {
    FGrid = new TSollGrid(SollGridRows, SollColumnCount, this);
    StringGrid1 = Named(static_cast<QTableWidget*>(FGrid), "StringGrid1",
                        QStringLiteral("Setpoints 1 to 48"));
    FDelegate = new TSollDelegate(FGrid);
    FGrid->setItemDelegate(FDelegate);
    FGrid->verticalHeader()->hide();
    FGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FGrid->setSelectionMode(QAbstractItemView::NoSelection);
    FGrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    FGrid->setTabKeyNavigation(false);
    QHeaderView* header = FGrid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
    int width = 2 * FGrid->frameWidth();
    for (int c = 0; c < SollColumnCount; ++c) {
        auto* title = new QTableWidgetItem(
            c == SollColSpacer ? QString() : Built(TextKey::EditSollwert::Kolomtekst_no));
        title->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        FGrid->setHorizontalHeaderItem(c, title);
        FGrid->setColumnWidth(c, ColumnWidths[c]);
        width += ColumnWidths[c];
    }
    int rowHeight = FGrid->fontMetrics().height() + 2 * CellTopMargin;
    FGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FGrid->verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int r = 0; r < SollGridRows; ++r) {
        for (int c = 0; c < SollColumnCount; ++c) {
            auto* item = new QTableWidgetItem;
            // Only the value columns take the cursor.
            item->setFlags(IsValueColumn(c) ? Qt::ItemIsEnabled | Qt::ItemIsEditable
                                            : Qt::NoItemFlags);
            FGrid->setItem(r, c, item);
        }
    }
    FGrid->setFixedSize(width, header->sizeHint().height() + SollGridRows * rowHeight +
                                   2 * FGrid->frameWidth());
    FGrid->OnKeyDown = [this](QKeyEvent& event) { return StringGrid1KeyDown(event); };
    FDelegate->OnEditorKey = [this](QLineEdit& editor, QKeyEvent& event) {
        return EditorKeyDown(editor, event);
    };

    Panel1 = Named(new QLabel(this), "Panel1", QStringLiteral("Message"));
    QFont bold = Panel1->font();
    bold.setBold(true);
    Panel1->setFont(bold);
    ShowMessage({});
    Panel1->setMinimumHeight(Panel1->fontMetrics().height() + 4);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(SollMenu1);
    layout->addWidget(FGrid);
    layout->addWidget(Panel1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormEditSollwerten::EnableWindowMenuItems() {
    subParOntvangen->setEnabled(FPortOpen && FormLeesParSoll);
    subParZenden->setEnabled(FPortOpen && FormSchrijfParSoll);
    subAfdrukken->setEnabled(FormAfdrukkenSoll != nullptr);
    EnableCompareItems();
}

QLineEdit* TFormEditSollwerten::CellEditor() const {
    return FGrid->Editing() ? FDelegate->Editor.data() : nullptr;
}

void TFormEditSollwerten::ApplyTexts() {
    if (!GlobalVar().LanguageFileLoaded)
        return;
    using namespace TextKey::EditSollwert;
    setWindowTitle(Tekst(Caption));
    menuBestand->setTitle(Tekst(TextKey::EditSollwert::menuBestand));
    subOpenen->setText(Tekst(TextKey::EditSollwert::subOpenen));
    subOpslaanAls->setText(Tekst(TextKey::EditSollwert::subOpslaanAls));
    subAfdrukken->setText(Tekst(TextKey::EditSollwert::subAfdrukken));
    subAfsluiten->setText(Tekst(TextKey::EditSollwert::subAfsluiten));
    menuZendenOntvangen->setTitle(Tekst(TextKey::EditSollwert::menuZendenOntvangen));
    subParOntvangen->setText(Tekst(TextKey::EditSollwert::subParOntvangen));
    subParZenden->setText(Tekst(TextKey::EditSollwert::subParZenden));
    for (int c : {SollColNr1, SollColNr2})
        FGrid->horizontalHeaderItem(c)->setText(Tekst(Kolomtekst_no));
    for (int c : {SollColWaarde1, SollColWaarde2})
        FGrid->horizontalHeaderItem(c)->setText(Tekst(Kolomtekst_waarde));
    ApplyCompareTexts();
}

void TFormEditSollwerten::FormActivate() {
    ApplyTexts();
    CloseEditor();
    FGrid->setCurrentCell(0, SollColWaarde1);
    FPortOpen = FPort && FPort->Active();
    EnableWindowMenuItems();
    FillGrid();
    ShowMessage({});
    FGrid->setFocus();
}

void TFormEditSollwerten::FillGrid() {
    for (int r = 1; r <= SollGridRows; ++r) {
        int row = r - 1;
        FGrid->item(row, SollColNr1)->setText(QString::number(r));
        FGrid->item(row, SollColWaarde1)->setText(SetpointText(r));
        FGrid->item(row, SollColNr2)->setText(QString::number(r + SollGridRows));
        FGrid->item(row, SollColWaarde2)->setText(SetpointText(r + SollGridRows));
    }
}

int TFormEditSollwerten::CurrentSetpoint() const {
    return SetpointOfCell(FGrid->currentRow() + 1, FGrid->currentColumn());
}

void TFormEditSollwerten::ShowMessage(const QString& text) {
    // The message line shows nothing but refused entries.
    ShowStatusText(Panel1, text, true);
}

void TFormEditSollwerten::CloseEditor() {
    if (QLineEdit* editor = CellEditor())
        FGrid->CloseEditor(editor);
}

void TFormEditSollwerten::OpenEditor(int row, int column) {
    FGrid->setCurrentCell(row, column);
    FGrid->edit(FGrid->currentIndex());
}

bool TFormEditSollwerten::StringGrid1KeyDown(QKeyEvent& event) {
    int column = FGrid->currentColumn();
    switch (event.key()) {
    case Qt::Key_Right:
        if (column == SollColWaarde1)
            FGrid->setCurrentCell(FGrid->currentRow(), SollColWaarde2);
        return true;
    case Qt::Key_Left:
        if (column == SollColWaarde2)
            FGrid->setCurrentCell(FGrid->currentRow(), SollColWaarde1);
        return true;
    default:
        break;
    }
    if (QTableWidgetItem* item = FGrid->currentItem(); item && EscapeOrEnter(event, item->text()))
        return true;
    // A key the cells do not take must not open the in-place editor.
    QChar typed = TypedChar(event);
    return !typed.isNull() && !FilterSollKey(typed, QString());
}

bool TFormEditSollwerten::EditorKeyDown(QLineEdit& editor, QKeyEvent& event) {
    switch (event.key()) {
    // The cursor stays in the cell while its value is typed: the arrow keys do nothing at all.
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        break;
    }
    if (EscapeOrEnter(event, editor.text()))
        return true;
    QChar typed = TypedChar(event);
    if (typed.isNull())
        return false;
    QString kept = editor.text();
    if (editor.hasSelectedText())
        kept.remove(editor.selectionStart(), editor.selectedText().size());
    std::optional<QChar> passed = FilterSollKey(typed, kept);
    if (!passed)
        return true;
    if (*passed == u'\b')
        return false;
    editor.insert(QString(*passed));
    return true;
}

bool TFormEditSollwerten::EscapeOrEnter(const QKeyEvent& event, const QString& text) {
    switch (event.key()) {
    case Qt::Key_Escape:
        RestoreCell();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EnterValue(text);
        return true;
    default:
        return false;
    }
}

void TFormEditSollwerten::EnterValue(const QString& text) {
    int setpoint = CurrentSetpoint();
    if (setpoint == 0)
        return;
    QTableWidgetItem* cell = FGrid->currentItem();
    std::optional<int32_t> value = SollTextToValue(text);
    if (!value) {
        cell->setText(SetpointText(setpoint));
        if (QLineEdit* editor = CellEditor()) {
            editor->setText(cell->text());
            editor->selectAll();
        }
        ShowMessage(Tekst(TextKey::EditSollwert::Msg_SollwertOngeldig));
        return;
    }
    ShowMessage({});
    ParamStore().SollData[static_cast<size_t>(setpoint)] = *value;
    cell->setText(SetpointText(setpoint));
    CloseEditor();
    int row = FGrid->currentRow();
    if (row + 1 < SollGridRows)
        OpenEditor(row + 1, FGrid->currentColumn());
}

void TFormEditSollwerten::RestoreCell() {
    int setpoint = CurrentSetpoint();
    if (setpoint != 0)
        FGrid->currentItem()->setText(SetpointText(setpoint));
    CloseEditor();
    ShowMessage({});
}

void TFormEditSollwerten::subParOntvangenClick() {
    if (!FormLeesParSoll)
        return;
    FormLeesParSoll->Sequence().Mode = 1;
    if (Dialogs.ExecDialog(*FormLeesParSoll) == mrOK)
        StoreReadValues(FormLeesParSoll->Sequence(), ParamStore());
    FillGrid();
}

void TFormEditSollwerten::subParZendenClick() {
    if (!FormSchrijfParSoll)
        return;
    if (ParamStore().SollBron != Bron::None ||
        Dialogs.ConfirmWithoutSet(this, TextKey::EditSollwert::Msg_waarschuwingCaption,
                                  SendWarning)) {
        TSchrijfParSollSequence& write = FormSchrijfParSoll->Sequence();
        write.SollBuffer = ParamStore().SollData;
        write.Mode = 1;
        Dialogs.ExecDialog(*FormSchrijfParSoll);
    }
    FillGrid();
}

void TFormEditSollwerten::subAfdrukkenClick() {
    if (!FormAfdrukkenSoll)
        return;
    if (ParamStore().SollBron != Bron::None ||
        Dialogs.ConfirmWithoutSet(this, TextKey::Afdrukken::Msg_waarschuwingCaption, PrintWarning))
        Dialogs.ExecDialog(*FormAfdrukkenSoll);
    FillGrid();
}

void TFormEditSollwerten::subOpslaanAlsClick() {
    QString path = Dialogs.AskSaveFile(SollFileTexts);
    if (path.isEmpty())
        return;
    QString error;
    if (!WriteSollFile(path, SelectedUnit ? SelectedUnit() : 0, ParamStore().SollData,
                       ParamStore().ParData[399], &error))
        Dialogs.ShowWriteError(SollFileTexts, path, error);
}

void TFormEditSollwerten::subOpenenClick() {
    QString path = Dialogs.AskOpenFile(SollFileTexts);
    if (path.isEmpty())
        return;
    TSollValues setpoints = ParamStore().SollData;
    if (!Dialogs.CheckOpenResult(SollFileTexts,
                                 ReadSollFile(path, GlobalVar().LanguageFileLoaded, setpoints)))
        return;
    ParamStore().SollData = setpoints;
    ParamStore().SollBron = Bron::File;
    FillGrid();
}
