#include "params/EditParam.h"

#include "app/FixedPitchFont.h"
#include "app/Functies.h"
#include "app/GlobalVar.h"
#include "app/InfoErrorNummers.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"
#include "app/WrapText.h"
#include "comm/LBComm.h"
#include "params/GridCellPaint.h"
#include "params/GroupTree.h"
#include "params/LeesParSoll.h"
#include "params/ParLoader.h"
#include "params/ParamService.h"
#include "params/SchrijfParSoll.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int ColumnWidths[ParamColumnCount] = {60, 44, 210, 78, 219};
constexpr int TreeWidth = 260;
constexpr int ValuePanelWidth = 100;
constexpr int GroupWithClear = 9;
constexpr int PageRole = Qt::UserRole;

const TTextKey SendWarning[] = {TextKey::EditParam::ZendMsg_1, TextKey::EditParam::ZendMsg_2,
                                TextKey::EditParam::ZendMsg_3, TextKey::EditParam::ZendMsg_4,
                                TextKey::EditParam::ZendMsg_5, TextKey::EditParam::ZendMsg_6};
const TTextKey PrintWarning[] = {TextKey::Afdrukken::AfdrukMsg_1, TextKey::Afdrukken::AfdrukMsg_2,
                                 TextKey::Afdrukken::AfdrukMsg_3, TextKey::Afdrukken::AfdrukMsg_4,
                                 TextKey::Afdrukken::AfdrukMsg_5, TextKey::Afdrukken::AfdrukMsg_6};

// The selected row is highlighted only while the grid has the focus; the value column is drawn
// right-aligned with small margins.
class TEditParamDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        if (!cell.widget || !cell.widget->hasFocus())
            cell.state &= ~QStyle::State_Selected;
        cell.state &= ~QStyle::State_HasFocus;
        if (index.column() != ColWaarde) {
            QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
            style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
            return;
        }
        bool selected = cell.state & QStyle::State_Selected;
        painter->setFont(cell.font);
        PaintRightAlignedCell(*painter, cell.rect, cell.text,
                              selected ? cell.palette.highlight() : cell.palette.base(),
                              selected ? QColor(Qt::white) : cell.palette.color(QPalette::Text));
    }
};

} // namespace

TFormEditParam::TFormEditParam(TLBComm* port, QWidget* parent)
    : TActivatedDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Dialogs(this), FPort(port) {
    setModal(true);
    setWindowTitle(Built(TextKey::EditParam::Caption));
    CreateMenu();
    CreateControls();
    EnableWindowMenuItems();
}

void TFormEditParam::CreateMenu() {
    auto item = [](QMenu* menu, const char* name, const QString& caption) {
        return Named(menu->addAction(caption), name);
    };
    ParamMenu1 = Named(new QMenuBar(this), "ParamMenu1");
    menuBestand = Named(ParamMenu1->addMenu(Built(TextKey::EditParam::menuBestand)), "menuBestand");
    subOpenen = item(menuBestand, "subOpenen", Built(TextKey::EditParam::subOpenen));
    subOpslaanAls = item(menuBestand, "subOpslaanAls", Built(TextKey::EditParam::subOpslaanAls));
    menuBestand->addSeparator();
    subLaadDefault = item(menuBestand, "subLaadDefault", Built(TextKey::EditParam::subLaadDefault));
    menuBestand->addSeparator();
    subAfdrukken = item(menuBestand, "subAfdrukken", Built(TextKey::EditParam::subAfdrukken));
    menuBestand->addSeparator();
    subAfsluiten = item(menuBestand, "subAfsluiten", Built(TextKey::EditParam::subAfsluiten));
    menuZendenOntvangen = Named(ParamMenu1->addMenu(Built(TextKey::EditParam::menuZendenOntvangen)),
                                "menuZendenOntvangen");
    subParOntvangen =
        item(menuZendenOntvangen, "subParOntvangen", Built(TextKey::EditParam::subParOntvangen));
    subParZenden =
        item(menuZendenOntvangen, "subParZenden", Built(TextKey::EditParam::subParZenden));
    menuZendenOntvangen->addSeparator();
    subLoader = item(menuZendenOntvangen, "subLoader",
                     QStringLiteral("Parameters KX91... Laden en Testen"));
    menuVenster = Named(ParamMenu1->addMenu(Built(TextKey::EditParam::menuVenster)), "menuVenster");
    subNokkenInfo = item(menuVenster, "subNokkenInfo", Built(TextKey::EditParam::subNokkenInfo));
    subLinearisatie =
        item(menuVenster, "subLinearisatie", Built(TextKey::EditParam::subLinearisatie));
    menuHelp = Named(ParamMenu1->addMenu(Built(TextKey::EditParam::menuHelp)), "menuHelp");
    subErrorNummers = item(menuHelp, "subErrorNummers", Built(TextKey::EditParam::subErrorNummers));

    auto bind = [this](QAction* action, void (TFormEditParam::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    bind(subOpenen, &TFormEditParam::subOpenenClick);
    bind(subOpslaanAls, &TFormEditParam::subOpslaanAlsClick);
    bind(subLaadDefault, &TFormEditParam::subLaadDefaultClick);
    bind(subAfdrukken, &TFormEditParam::subAfdrukkenClick);
    connect(subAfsluiten, &QAction::triggered, this, [this] { reject(); });
    bind(subParOntvangen, &TFormEditParam::subParOntvangenClick);
    bind(subParZenden, &TFormEditParam::subParZendenClick);
    bind(subLoader, &TFormEditParam::subLoaderClick);
    bind(subNokkenInfo, &TFormEditParam::subNokkenInfoClick);
    bind(subLinearisatie, &TFormEditParam::subLinearisatieClick);
    bind(subErrorNummers, &TFormEditParam::subErrorNummersClick);
    CreateCompareItems();
}

void TFormEditParam::CreateControls() {
    TreeView1 = Named(new QTreeWidget(this), "TreeView1", QStringLiteral("Parameter groups"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setFixedWidth(TreeWidth);

    StringGrid1 = Named(new QTableWidget(ParamPageRows, ParamColumnCount, this), "StringGrid1",
                        QStringLiteral("Parameters of the page"));
    StringGrid1->setFont(FixedPitchFont(font()));
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->setWordWrap(false);
    StringGrid1->setItemDelegate(new TEditParamDelegate(StringGrid1));
    QHeaderView* header = StringGrid1->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
    int width = 2 * StringGrid1->frameWidth();
    for (int c = 0; c < ParamColumnCount; ++c) {
        auto* title = new QTableWidgetItem(QStringLiteral("tekst %1").arg(c));
        if (c == ColWaarde)
            title->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        StringGrid1->setHorizontalHeaderItem(c, title);
        StringGrid1->setColumnWidth(c, ColumnWidths[c]);
        width += ColumnWidths[c];
    }
    int rowHeight = StringGrid1->fontMetrics().height() + 2 * CellTopMargin;
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int r = 0; r < ParamPageRows; ++r)
        for (int c = 0; c < ParamColumnCount; ++c)
            StringGrid1->setItem(r, c, new QTableWidgetItem);
    StringGrid1->setFixedSize(width, header->sizeHint().height() + ParamPageRows * rowHeight +
                                         2 * StringGrid1->frameWidth());
    StringGrid1->installEventFilter(this);

    CmdClear = Named(new QPushButton(Built(TextKey::EditParam::CmdClear), this), "CmdClear");
    CmdClear->setAutoDefault(false);
    CmdClear->setAccessibleDescription(QStringLiteral("Sets every parameter of the page to 0"));

    StatusBar1 =
        Named(new QStatusBar(this), "StatusBar1", QStringLiteral("Limits of the parameter"));
    StatusBar1->setSizeGripEnabled(false);
    static const char* const names[7] = {"LabelMinPanel", "PanelMinimum",      "LabelMaxPanel",
                                         "PanelMaximum",  "LabelDefaultPanel", "PanelDefaultValue",
                                         "PanelSpare"};
    static const char* const shows[7] = {"", "Minimum", "", "Maximum", "", "Default value", ""};
    const QString labels[7] = {
        QStringLiteral("Min:"), {}, QStringLiteral("Max:"), {}, QStringLiteral("Default:"), {}, {}};
    for (int i = 0; i < 7; ++i) {
        StatusPanel[i] =
            Named(new QLabel(labels[i], StatusBar1), names[i], QString::fromLatin1(shows[i]));
        StatusPanel[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i % 2 == 1 && i < 6) {
            StatusPanel[i]->setMinimumWidth(ValuePanelWidth);
            StatusPanel[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        StatusBar1->addWidget(StatusPanel[i], i == 6 ? 1 : 0);
    }

    auto* left = new QVBoxLayout;
    CreateSearchControls(left);
    left->addWidget(TreeView1, 1);
    left->addWidget(CmdClear, 0, Qt::AlignLeft);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(StringGrid1, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(ParamMenu1);
    layout->addLayout(body, 1);
    layout->addWidget(StatusBar1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { TreeView1Change(node); });
    connect(StringGrid1, &QTableWidget::currentCellChanged, this,
            [this](int row) { StringGrid1SelectCell(row); });
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this] { StringGrid1DblClick(); });
    connect(CmdClear, &QPushButton::clicked, this, [this] { CmdClearClick(); });
}

void TFormEditParam::EnableWindowMenuItems() {
    subParOntvangen->setEnabled(FPortOpen && FormLeesParSoll);
    subParZenden->setEnabled(FPortOpen && FormSchrijfParSoll);
    subLoader->setEnabled(FPortOpen && FormParLoader);
    subAfdrukken->setEnabled(FormAfdrukkenPar != nullptr);
    subNokkenInfo->setEnabled(FormDisplayNokken != nullptr);
    subLinearisatie->setEnabled(FormLinearisatie != nullptr);
    subErrorNummers->setEnabled(FormInfoErrorNummers != nullptr);
    EnableCompareItems();
}

void TFormEditParam::ApplyTexts() {
    if (!GlobalVar().LanguageFileLoaded)
        return;
    using namespace TextKey::EditParam;
    setWindowTitle(Tekst(Caption));
    menuBestand->setTitle(Tekst(TextKey::EditParam::menuBestand));
    subOpenen->setText(Tekst(TextKey::EditParam::subOpenen));
    subOpslaanAls->setText(Tekst(TextKey::EditParam::subOpslaanAls));
    subLaadDefault->setText(Tekst(TextKey::EditParam::subLaadDefault));
    subAfdrukken->setText(Tekst(TextKey::EditParam::subAfdrukken));
    subAfsluiten->setText(Tekst(TextKey::EditParam::subAfsluiten));
    menuZendenOntvangen->setTitle(Tekst(TextKey::EditParam::menuZendenOntvangen));
    subParOntvangen->setText(Tekst(TextKey::EditParam::subParOntvangen));
    subParZenden->setText(Tekst(TextKey::EditParam::subParZenden));
    subLoader->setText(Tekst(TextKey::EditParam::subLoader));
    menuVenster->setTitle(Tekst(TextKey::EditParam::menuVenster));
    subNokkenInfo->setText(Tekst(TextKey::EditParam::subNokkenInfo));
    subLinearisatie->setText(Tekst(TextKey::EditParam::subLinearisatie));
    menuHelp->setTitle(Tekst(TextKey::EditParam::menuHelp));
    subErrorNummers->setText(Tekst(TextKey::EditParam::subErrorNummers));
    const TTextKey titles[ParamColumnCount] = {KolomTekst0, KolomTekst1, KolomTekst2, KolomTekst3,
                                               KolomTekst4};
    for (int c = 0; c < ParamColumnCount; ++c)
        StringGrid1->horizontalHeaderItem(c)->setText(Tekst(titles[c]));
    StatusPanel[0]->setText(Tekst(min));
    StatusPanel[2]->setText(Tekst(max));
    StatusPanel[4]->setText(Tekst(default_));
    CmdClear->setText(Tekst(TextKey::EditParam::CmdClear));
    ApplyCompareTexts();
}

void TFormEditParam::FormActivate() {
    for (int r = 0; r < ParamPageRows; ++r)
        for (int c = 0; c < ParamColumnCount; ++c)
            StringGrid1->item(r, c)->setText({});
    ApplyTexts();
    LoadTree();
    ResetSearch();
    StringGrid1->setCurrentCell(0, 0);
    if (QTreeWidgetItem* root = TreeView1->topLevelItem(0)) {
        TreeView1->setCurrentItem(root);
        TreeView1Change(root);
    } else {
        TreeView1Change(nullptr);
    }
    FPortOpen = FPort && FPort->Active();
    EnableWindowMenuItems();
    ParGezonden = false;
    StringGrid1->setFocus();
}

void TFormEditParam::LoadTree() {
    TreeView1->clear();
    QString path = ProgramFile(GroupTreeFileName(GlobalVar().Taal));
    TGroupTree tree;
    if (!QFileInfo(path).isFile() || !LoadGroupTree(path, tree))
        return;
    QIcon icon;
    icon.addPixmap(style()->standardPixmap(QStyle::SP_DirClosedIcon), QIcon::Normal);
    icon.addPixmap(style()->standardPixmap(QStyle::SP_DirOpenIcon), QIcon::Selected);
    std::vector<QTreeWidgetItem*> items;
    for (const TGroupTreeNode& node : tree.Nodes) {
        QTreeWidgetItem* item = node.Parent < 0
                                    ? new QTreeWidgetItem(TreeView1)
                                    : new QTreeWidgetItem(items[static_cast<size_t>(node.Parent)]);
        item->setText(0, node.Caption);
        item->setIcon(0, icon);
        item->setData(0, PageRole, QPoint(node.Groep, node.Subgroep));
        items.push_back(item);
    }
    if (!tree.Error.isEmpty())
        Dialogs.ShowMessage(QMessageBox::NoIcon, QApplication::applicationDisplayName(),
                            GroupTreeErrorReport(tree), QMessageBox::Ok);
    if (QTreeWidgetItem* root = TreeView1->topLevelItem(0))
        root->setExpanded(true);
}

void TFormEditParam::TreeView1Change(QTreeWidgetItem* node) {
    QPoint page = node ? node->data(0, PageRole).toPoint() : QPoint();
    Groep = page.x();
    Subgroep = page.y();
    FillPage();
}

void TFormEditParam::FillPage() {
    CmdClear->setEnabled(Groep == GroupWithClear);
    FPage = FillParamPage(Groep, Subgroep);
    for (int r = 0; r < ParamPageRows; ++r)
        for (int c = 0; c < ParamColumnCount; ++c)
            StringGrid1->item(r, c)->setText(FPage[static_cast<size_t>(r)].Cells[c]);
    // The selected row may show another parameter now; SelPar follows it.
    StringGrid1SelectCell(StringGrid1->currentRow());
}

void TFormEditParam::StringGrid1SelectCell(int row) {
    if (row < 0 || row >= ParamPageRows)
        return;
    TSelPar& selPar = ParamStore().SelPar;
    DecCode = SelectParamRow(FPage[static_cast<size_t>(row)], selPar);
    StatusPanel[1]->setText(selPar.MinTekst);
    StatusPanel[3]->setText(selPar.MaxTekst);
    StatusPanel[5]->setText(selPar.DefaultTekst);
}

void TFormEditParam::ClearLimitPanels() {
    for (int i : {1, 3, 5})
        StatusPanel[i]->clear();
}

void TFormEditParam::StringGrid1DblClick() {
    int row = StringGrid1->currentRow();
    if (!FormParamService || row < 0 || FPage[static_cast<size_t>(row)].Parameter < 0)
        return;
    StringGrid1SelectCell(row);
    FormParamService->OnParGezonden = [this](bool sent) { ParGezonden = sent; };
    Dialogs.ExecDialog(*FormParamService);
    FillPage();
    TSelPar& selPar = ParamStore().SelPar;
    selPar.Waarde = IntToFixedText(
        DecCode,
        ParamStore().ParData[static_cast<size_t>(FPage[static_cast<size_t>(row)].Parameter)]);
}

void TFormEditParam::CmdClearClick() {
    ClearPageParameters(FPage, ParamStore());
    FillPage();
}

void TFormEditParam::FunctieTeksten() {
    if (OnFunctieTeksten)
        OnFunctieTeksten();
}

void TFormEditParam::subParOntvangenClick() {
    if (!FormLeesParSoll)
        return;
    FormLeesParSoll->Sequence().Mode = 0;
    if (Dialogs.ExecDialog(*FormLeesParSoll) != mrOK)
        return;
    StoreReadValues(FormLeesParSoll->Sequence(), ParamStore());
    FillPage();
    FunctieTeksten();
}

void TFormEditParam::subParZendenClick() {
    if (!FormSchrijfParSoll)
        return;
    if (ParamStore().ParBron == Bron::None &&
        !Dialogs.ConfirmWithoutSet(this, TextKey::EditParam::Msg_waarschuwingCaption, SendWarning))
        return;
    TSchrijfParSollSequence& write = FormSchrijfParSoll->Sequence();
    write.ParBuffer = ParamStore().ParData;
    write.Mode = 0;
    if (Dialogs.ExecDialog(*FormSchrijfParSoll) == mrOK)
        ParGezonden = false;
}

void TFormEditParam::subLoaderClick() {
    if (!FormParLoader)
        return;
    FormParLoader->OnTakeOverAnswered = [this] { ParGezonden = false; };
    Dialogs.ExecDialog(*FormParLoader);
}

void TFormEditParam::subAfdrukkenClick() {
    if (!FormAfdrukkenPar)
        return;
    if (ParamStore().ParBron == Bron::None &&
        !Dialogs.ConfirmWithoutSet(this, TextKey::Afdrukken::Msg_waarschuwingCaption, PrintWarning))
        return;
    Dialogs.ExecDialog(*FormAfdrukkenPar);
}

void TFormEditParam::subLaadDefaultClick() {
    using namespace TextKey::EditParam;
    if (!LoadDefaultParameters(ParamStore())) {
        Dialogs.ShowMessage(QMessageBox::Critical, Tekst(Msg_ErrorCaption),
                            Tekst(msg_ErrorSetDefaultPar), QMessageBox::Ok);
        return;
    }
    Dialogs.ShowMessage(QMessageBox::Information, Tekst(Msg_InfoCaption),
                        Tekst(msg_DefaultParGeladen), QMessageBox::Ok);
    FillPage();
    FunctieTeksten();
}

void TFormEditParam::subOpslaanAlsClick() {
    QString path = Dialogs.AskSaveFile(ParamFileTexts);
    if (path.isEmpty())
        return;
    QString error;
    if (!WriteParamFile(path, SelectedUnit ? SelectedUnit() : 0, ParamStore().ParData, &error))
        Dialogs.ShowWriteError(ParamFileTexts, path, error);
}

void TFormEditParam::subOpenenClick() {
    QString path = Dialogs.AskOpenFile(ParamFileTexts);
    if (path.isEmpty())
        return;
    TParValues values{};
    if (!Dialogs.CheckOpenResult(ParamFileTexts,
                                 ReadParamFile(path, GlobalVar().LanguageFileLoaded, values)))
        return;
    ParamStore().ParData = values;
    FillPage();
    FunctieTeksten();
    ParamStore().ParBron = Bron::File;
}

void TFormEditParam::subNokkenInfoClick() {
    if (FormDisplayNokken)
        Dialogs.ExecDialog(*FormDisplayNokken);
}

void TFormEditParam::subLinearisatieClick() {
    if (!FormLinearisatie)
        return;
    Dialogs.ExecDialog(*FormLinearisatie);
    // Its points are edited through the service dialog straight into the store.
    FillPage();
}

void TFormEditParam::subErrorNummersClick() {
    if (FormInfoErrorNummers)
        FormInfoErrorNummers->ShowNonModal();
}

bool TFormEditParam::FormCloseQuery() {
    FunctieTeksten();
    if (!ParGezonden || !GlobalVar().LanguageFileLoaded)
        return true;
    using namespace TextKey::EditParam;
    return Dialogs.ShowMessage(QMessageBox::Warning, Tekst(Msg_waarschuwingCaption),
                               WrapText(Tekst(Msg_ParGezondenEnNietGeladen)),
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) ==
           QMessageBox::Yes;
}

void TFormEditParam::reject() {
    if (FormCloseQuery())
        QDialog::reject();
}

bool TFormEditParam::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StringGrid1) {
        switch (event->type()) {
        case QEvent::FocusIn:
            StringGrid1SelectCell(StringGrid1->currentRow());
            break;
        case QEvent::FocusOut:
            ClearLimitPanels();
            break;
        case QEvent::KeyPress: {
            int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                StringGrid1DblClick();
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
