// The parameter editor on a filled page, the service-parameter dialog with both faces, the
// parameter loader after its take-over, and the setpoint editor with an invalid entry refused.

#include "tools/screenshots/Shots.h"

#include "app/KX71Main.h"
#include "params/EditParam.h"
#include "params/EditParamPage.h"
#include "params/EditSollwerten.h"
#include "params/ParLoader.h"
#include "params/ParamDefs.h"
#include "params/ParamService.h"
#include "params/ParamStore.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

// The page of cams 1 and 2: numbers with and without decimals and option texts.
constexpr int CamGroup = 7;
constexpr int CamSubgroup = 2;

QTreeWidgetItem* PageNode(QTreeWidget& tree, int groep, int subgroep) {
    QTreeWidgetItem* root = tree.topLevelItem(0);
    if (!root || groep > root->childCount())
        return nullptr;
    QTreeWidgetItem* group = root->child(groep - 1);
    return subgroep == 0 || subgroep > group->childCount() ? group : group->child(subgroep - 1);
}

// Selects the first row whose parameter has the type asked for.
void SelectRowOfType(TFormEditParam& editor, bool option) {
    for (int row = 0; row < ParamPageRows; ++row) {
        QString number = editor.StringGrid1->item(row, ColNummer)->text();
        if (!number.isEmpty() && (ParamDefs().Type(number.toInt()) != 0) == option) {
            editor.StringGrid1->setCurrentCell(row, ColNaam);
            return;
        }
    }
}

void ServiceShot(TShotContext& context, TFormEditParam& editor, TFormParamService& service,
                 bool option, const QString& name) {
    SelectRowOfType(editor, option);
    context.WhileModal(service, 200, [&] {
        context.Save(service, name);
        service.reject();
    });
}

void EditParamShots(TShotContext& context) {
    TFormMain& form = *context.Main;
    LoadDefaultParameters(ParamStore());
    TFormEditParam editor(&form.LBComm1, &form);
    TFormParamService service(&form.LBComm1, &editor);
    TFormParLoader loader(&form.LBComm1, &editor);
    editor.FormParamService = &service;
    editor.FormParLoader = &loader;
    context.WhileModal(editor, 300, [&] {
        if (QTreeWidgetItem* node = PageNode(*editor.TreeView1, CamGroup, CamSubgroup))
            editor.TreeView1->setCurrentItem(node);
        editor.StringGrid1->setFocus();
        editor.StringGrid1->setCurrentCell(2, ColNaam);
        ProcessFor(100);
        context.Save(editor, QStringLiteral("edit_param"));
        ServiceShot(context, editor, service, false, QStringLiteral("param_service_number"));
        ServiceShot(context, editor, service, true, QStringLiteral("param_service_option"));
        context.WhileModal(loader, 600, [&] {
            context.Save(loader, QStringLiteral("param_loader"));
            loader.CmdOK->click();
        });
        editor.reject();
    });
}

void EditSollwertenShots(TShotContext& context) {
    TFormMain& form = *context.Main;
    for (int n = 1; n <= SetpointCount; ++n)
        ParamStore().SollData[static_cast<size_t>(n)] = n * 1250 - 4000;
    TFormEditSollwerten editor(&form.LBComm1, &form);
    context.WhileModal(editor, 300, [&] {
        editor.StringGrid1->setCurrentCell(2, 4);
        editor.StringGrid1->edit(editor.StringGrid1->currentIndex());
        if (auto* cell = editor.findChild<QLineEdit*>(QStringLiteral("SollCellEditor"))) {
            cell->setText(QStringLiteral("123456789"));
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(cell, &enter);
        }
        ProcessFor(100);
        context.Save(editor, QStringLiteral("edit_sollwerten"));
        editor.reject();
    });
}

} // namespace

KQ9_SHOTS(20, "parameter editor", EditParamShots);
KQ9_SHOTS(21, "setpoint editor", EditSollwertenShots);
