// The options, about and error-number windows, and the Help menu that opens them.

#include "tools/screenshots/Shots.h"

#include "app/About.h"
#include "app/InfoErrorNummers.h"
#include "app/KX71Main.h"
#include "app/Opties.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

namespace {

void ExtraShots(TShotContext& context) {
    TFormMain& form = *context.Main;
    TFormOpties opties(&form);
    context.WhileModal(opties, 300, [&] {
        context.Save(opties, QStringLiteral("options"));
        opties.CmdCancel->click();
    });
    TFormAbout about(&form);
    context.WhileModal(about, 300, [&] {
        context.Save(about, QStringLiteral("about"));
        about.CmdOK->click();
    });
    TFormInfoErrorNummers errors(&form);
    errors.ShowNonModal();
    ProcessFor(300);
    context.Save(errors, QStringLiteral("error_numbers"));
    errors.RichEdit1->verticalScrollBar()->setValue(
        errors.RichEdit1->verticalScrollBar()->maximum());
    ProcessFor(100);
    context.Save(errors, QStringLiteral("error_numbers_end"));
    errors.hide();
}

} // namespace

KQ9_SHOTS(40, "options, about and error numbers", ExtraShots);
