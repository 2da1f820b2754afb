// The communication log with the live view's traffic, filtered and not, and the options window
// with replies ending at their line end.

#include "tools/screenshots/Shots.h"

#include "app/CommunicatieLog.h"
#include "app/KX71Main.h"
#include "app/Opties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

void CommunicatieLogShots(TShotContext& context) {
    TFormMain& form = *context.Main;
    const bool lineEnd = form.LBComm1.ReplyEndsAtLineEnd();
    form.LBComm1.SetReplyEndsAtLineEnd(true);
    TFormOpties opties(&form);
    context.WhileModal(opties, 300, [&] {
        context.Save(opties, QStringLiteral("options_line_end"));
        opties.CmdCancel->click();
    });

    TFormCommunicatieLog log(&form.LBComm1, &form);
    log.ShowNonModal();
    form.CmdActual->click();
    form.CmdDuimwiel->click();
    ProcessFor(600);
    form.EditZenden->setText(QStringLiteral("rp 203"));
    form.CmdTerminalZenden->click();
    ProcessFor(300);
    form.StopLiveMonitoring();
    ProcessFor(2 * TFormCommunicatieLog::ReadIntervalMs);
    log.CmdPauze->click();
    context.Save(log, QStringLiteral("communication_log"));
    log.ComboComponent->setCurrentIndex(
        log.ComboComponent->findText(QStringLiteral("LD100Duimwiel")));
    ProcessFor(100);
    context.Save(log, QStringLiteral("communication_log_filtered"));
    log.hide();
    form.LBComm1.SetReplyEndsAtLineEnd(lineEnd);
}

} // namespace

KQ9_SHOTS(45, "communication log", CommunicatieLogShots);
