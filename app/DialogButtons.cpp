#include "app/DialogButtons.h"

#include "app/WidgetNames.h"

#include <QHBoxLayout>
#include <QPushButton>

TOkCancelRow OkCancelRow(QWidget* dialog, const QString& ok, const QString& cancel,
                         int minimumWidth) {
    TOkCancelRow row{Named(new QPushButton(ok, dialog), "CmdOK"),
                     Named(new QPushButton(cancel, dialog), "CmdCancel"), new QHBoxLayout};
    row.CmdOK->setDefault(true);
    row.Row->addStretch();
    for (QPushButton* button : {row.CmdOK, row.CmdCancel}) {
        button->setMinimumWidth(minimumWidth);
        row.Row->addWidget(button);
    }
    return row;
}
