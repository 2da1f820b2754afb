// The read and write dialogs while they run.

#include "tools/screenshots/Shots.h"

#include "app/KX71Main.h"
#include "params/LeesParSoll.h"
#include "params/SchrijfParSoll.h"

#include <QPushButton>

namespace {

// Shows a transfer dialog modally, grabs it while it runs, then cancels it.
template <typename TDialog>
void SaveRunning(TShotContext& context, TDialog& dialog, int mode, const QString& name) {
    dialog.Sequence().Mode = mode;
    context.WhileModal(dialog, 1500, [&] {
        context.Save(dialog, name);
        dialog.CmdCancel->click();
    });
}

void TransferShots(TShotContext& context) {
    TFormMain& form = *context.Main;
    TFormLeesParSoll lees(&form.LBComm1, &form);
    SaveRunning(context, lees, 2, QStringLiteral("read_dialog"));
    TFormSchrijfParSoll schrijf(&form.LBComm1, &form);
    SaveRunning(context, schrijf, 0, QStringLiteral("write_dialog"));
}

} // namespace

KQ9_SHOTS(10, "transfer dialogs", TransferShots);
