// The parameter editor's search field: typing a number or part of a name lists the parameters
// found, in the tree's place, each with its page position; Enter or a click shows that page with
// the parameter's row selected, and a parameter that stands on no page opens the
// service-parameter dialog at once. Ctrl+F goes to the field; Escape there empties it and brings
// the tree back.

#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"
#include "params/EditParam.h"
#include "params/ParamDefs.h"
#include "params/ParamService.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QTableWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>

namespace {

// The tree's items carry their page as QPoint(groep, subgroep) in this role.
constexpr int PageRole = Qt::UserRole;
// A hit in the list: its parameter, page and row.
constexpr int HitParameterRole = Qt::UserRole;
constexpr int HitPageRole = Qt::UserRole + 1;
constexpr int HitRowRole = Qt::UserRole + 2;

// The keys of the field and of its list.
class TSearchKeys : public QObject {
public:
    explicit TSearchKeys(TFormEditParam* editor) : QObject(editor), FEditor(editor) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        QLineEdit* field = FEditor->EditZoeken;
        QListWidget* list = FEditor->ListZoeken;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            FEditor->ListZoekenSelect(list->currentItem());
            return true;
        case Qt::Key_Escape:
            if (field->text().isEmpty())
                return false;
            field->clear();
            field->setFocus();
            return true;
        case Qt::Key_Down:
        case Qt::Key_Up:
            if (watched != field || list->count() == 0)
                return false;
            // The field keeps the focus while the arrows walk the list.
            list->setCurrentRow(
                std::clamp(list->currentRow() +
                               (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down ? 1 : -1),
                           0, list->count() - 1));
            return true;
        default:
            return false;
        }
    }

private:
    TFormEditParam* FEditor;
};

} // namespace

void TFormEditParam::CreateSearchControls(QBoxLayout* left) {
    EditZoeken = Named(new QLineEdit(this), "EditZoeken", QStringLiteral("Search parameters"));
    EditZoeken->setPlaceholderText(Built(TextKey::EditParam::ZoekVeld));
    EditZoeken->setClearButtonEnabled(true);
    EditZoeken->setFixedWidth(TreeView1->minimumWidth());
    ListZoeken = Named(new QListWidget(this), "ListZoeken", QStringLiteral("Parameters found"));
    ListZoeken->setAccessibleDescription(
        QStringLiteral("Enter or a click shows the parameter's page and row"));
    ListZoeken->setFixedWidth(TreeView1->minimumWidth());
    ListZoeken->hide();
    auto* keys = new TSearchKeys(this);
    EditZoeken->installEventFilter(keys);
    ListZoeken->installEventFilter(keys);
    left->addWidget(EditZoeken);
    left->addWidget(ListZoeken, 1);
    setTabOrder(EditZoeken, ListZoeken);
    setTabOrder(ListZoeken, TreeView1);
    connect(EditZoeken, &QLineEdit::textChanged, this, [this] { EditZoekenChange(); });
    connect(ListZoeken, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListZoekenSelect(item); });
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        EditZoeken->setFocus();
        EditZoeken->selectAll();
    });
}

void TFormEditParam::ResetSearch() {
    std::vector<TSearchPage> pages;
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        const QPoint page = (*it)->data(0, PageRole).toPoint();
        if (page.x() > 0)
            pages.push_back({page.x(), page.y(), (*it)->text(0)});
    }
    FSearch.Index(pages, ParamDefs());
    EditZoeken->setPlaceholderText(Tekst(TextKey::EditParam::ZoekVeld));
    EditZoeken->clear();
    EditZoekenChange();
}

void TFormEditParam::EditZoekenChange() {
    const bool searching = !EditZoeken->text().trimmed().isEmpty();
    ListZoeken->clear();
    if (searching) {
        const QString noPage = Tekst(TextKey::EditParam::ZoekGeenPagina);
        for (const TParamSearchHit& hit : FSearch.Find(EditZoeken->text())) {
            auto* item = new QListWidgetItem(SearchHitText(hit, noPage), ListZoeken);
            item->setData(HitParameterRole, hit.Parameter);
            item->setData(HitPageRole, QPoint(hit.Groep, hit.Subgroep));
            item->setData(HitRowRole, hit.Row);
            item->setToolTip(hit.PageCaption);
        }
        ListZoeken->setCurrentRow(0);
    }
    ListZoeken->setVisible(searching);
    TreeView1->setVisible(!searching);
}

void TFormEditParam::ListZoekenSelect(QListWidgetItem* item) {
    if (!item)
        return;
    TParamSearchHit hit;
    hit.Parameter = item->data(HitParameterRole).toInt();
    const QPoint page = item->data(HitPageRole).toPoint();
    hit.Groep = page.x();
    hit.Subgroep = page.y();
    hit.Row = item->data(HitRowRole).toInt();
    ShowSearchHit(hit);
}

void TFormEditParam::ShowSearchHit(const TParamSearchHit& hit) {
    if (!hit.OnPage()) {
        EditParameter(ParameterRow(hit.Parameter));
        return;
    }
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        if ((*it)->data(0, PageRole).toPoint() != QPoint(hit.Groep, hit.Subgroep))
            continue;
        TreeView1->setCurrentItem(*it);
        StringGrid1->setCurrentCell(hit.Row - 1, ColNaam);
        StringGrid1->setFocus();
        return;
    }
}

void TFormEditParam::EditParameter(const TParamRow& row) {
    if (!FormParamService || row.Parameter < 0)
        return;
    DecCode = SelectParamRow(row, ParamStore().SelPar);
    FormParamService->OnParGezonden = [this](bool sent) { ParGezonden = sent; };
    Dialogs.ExecDialog(*FormParamService);
    FillPage();
}
