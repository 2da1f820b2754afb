// The soak's whole-controller transfers: reads into the store, backups to a file and restores
// from one, each with faults on values ahead of the run, a dropped line now and then, and a
// check of every value that arrived.

#include "SoakScenario.h"
#include "SoakUi.h"

#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "params/ParSollTransfer.h"
#include "params/ParamStore.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <fstream>

namespace kq9soak {

namespace {

// The status texts of the read and the write window.
struct TTransferTexts {
    const TTextKey& Timeout;
    const TTextKey& CommError;
    const TTextKey& Unexpected;
};

const TTransferTexts ReadTexts{TextKey::LeesParSoll::PanelTekst0, TextKey::LeesParSoll::PanelTekst1,
                               TextKey::LeesParSoll::PanelTekst7};
const TTransferTexts WriteTexts{TextKey::SchrijfParSoll::PanelTekst0,
                                TextKey::SchrijfParSoll::PanelTekst1,
                                TextKey::SchrijfParSoll::PanelTekst7};

bool EchoFault(TFault fault) {
    return fault == TFault::Garbage || fault == TFault::NoEcho || fault == TFault::LongReply ||
           fault == TFault::Gaps || fault == TFault::Refusal;
}

std::string Bytes(const QByteArray& bytes) {
    return bytes.toStdString();
}

} // namespace

// Drives the read or write window in front to its end: faults on values ahead of the run, Again
// after each failure they cause, sometimes a Cancel or a dropped line. True when the run
// finished and was closed with OK.
bool TSoakScenario::RunTransfer(QWidget* dialog, const std::string& window, bool write) {
    auto& form = *static_cast<TFormParSollTransfer*>(dialog);
    TTransferSequence& seq = write
                                 ? static_cast<TTransferSequence&>(W.FormSchrijfParSoll.Sequence())
                                 : W.FormLeesParSoll.Sequence();
    const TTransferTexts& texts = write ? WriteTexts : ReadTexts;
    if (!WaitForModal(dialog, 5000)) {
        Fail(window + " did not open");
        return false;
    }
    auto panel = [&form] { return form.Panel1->text(); };
    auto closed = [&form] { return !form.isVisible(); };
    const int faults = Between(FRandom, 0, 2);
    const int ending = Between(FRandom, 0, 9); // 0: a dropped line, 1: Cancel, else to the end
    for (int i = 0; i < faults; ++i) {
        auto [parFase, index] = OnUi([&] { return std::pair(seq.ParFase(), seq.Index()); });
        // Numbers no later request begins with, so that a fault meets exactly its value.
        int number = 0;
        if (parFase && index < 330)
            number = std::max(index + Between(FRandom, 5, 60), 100);
        else if (!parFase && index < 30)
            number = std::max(index + Between(FRandom, 3, 10), 10);
        else
            break;
        const char letter = parFase ? 'P' : 'S';
        std::string appliesTo = std::string(write ? "w" : "r") + (parFase ? "p " : "s ") +
                                std::to_string(number) + (write ? " " : "");
        const int timeoutMs = write ? 100 : 1000;
        TFault fault = write ? Pick({TFault::Silence, TFault::SlowFirstByte, TFault::LateFirstByte,
                                     TFault::Gaps, TFault::Garbage, TFault::NoEcho, TFault::Refusal,
                                     TFault::LongReply, TFault::Endless})
                             : Pick({TFault::Silence, TFault::SlowFirstByte, TFault::LateFirstByte,
                                     TFault::Gaps, TFault::Garbage, TFault::NoEcho, TFault::Refusal,
                                     TFault::LongReply, TFault::Endless});
        const bool refusal = write && fault == TFault::Refusal;
        const int times = EchoFault(fault) && !refusal ? Between(FRandom, 1, 2) : 1;
        char which[16];
        std::snprintf(which, sizeof which, "%c[%03d]", letter, number);
        const QString named = QString::fromLatin1(which);
        TExpectation expect;
        expect.WithinMs = 2 * timeoutMs + 2500;
        expect.Gone = [&seq] { return seq.Stopped(); };
        expect.Describe = [panel] { return "the window showed \"" + panel().toStdString() + '"'; };
        auto unexpected = [&, named] {
            return seq.Fout() && panel().startsWith(Tekst(texts.Unexpected)) &&
                   panel().contains(named);
        };
        switch (fault) {
        case TFault::Silence:
        case TFault::LateFirstByte:
            expect.Shown = [&, panel] { return seq.Fout() && panel() == Tekst(texts.Timeout); };
            break;
        case TFault::Endless:
            expect.Shown = [&, panel] { return seq.Fout() && panel() == Tekst(texts.CommError); };
            break;
        case TFault::SlowFirstByte:
            expect.RidesOut = true;
            expect.Wrong = [&seq] { return seq.Fout(); };
            break;
        default:
            if (refusal) {
                expect.Shown = [&, panel] {
                    return seq.Fout() && panel() == QStringLiteral("(er 7) ") +
                                                        Tekst(TextKey::SchrijfParSoll::PanelTekst9);
                };
            } else if (times == 2) {
                expect.Shown = unexpected;
            } else {
                // One unusable reply is asked for again without a word; a reply whose rest
                // arrives late spoils the repetition too, which the window then names.
                expect.RidesOut = true;
                if (fault == TFault::Gaps)
                    expect.Shown = unexpected;
                expect.Wrong = [&seq, unexpected] { return seq.Fout() && !unexpected(); };
            }
            break;
        }
        Inject(window, fault, TSoakLine::MainUnit,
               MakeFaults(fault, appliesTo, times, timeoutMs, FRandom), expect);
        if (OnUi([&] { return seq.Fout(); }))
            OnUi([&] { form.CmdAgain->click(); });
    }
    if (ending == 0) {
        Pause(Between(FRandom, 200, 3000));
        if (!OnUi([&] { return seq.Stopped(); })) {
            DropLine(
                window, [&, panel] { return seq.Fout() && panel() == Tekst(texts.CommError); },
                3000);
            OnUi([&] { form.CmdCancel->click(); });
            if (!WaitOnUi(closed, 5000))
                Fail(window + " did not close after the line dropped");
            EnsureOnline("a dropped line");
            return false;
        }
    } else if (ending == 1) {
        Pause(Between(FRandom, 200, 3000));
        OnUi([&] { form.CmdCancel->click(); });
        if (!WaitOnUi(closed, 5000))
            Fail(window + " did not close on Cancel");
        FTally.Count("transfers cancelled by the user");
        return false;
    }
    if (!WaitOnUi([&] { return seq.Stopped(); }, 120000)) {
        Fail(window + " did not come to an end: " + OnUi(panel).toStdString());
        OnUi([&] { form.CmdCancel->click(); });
        WaitOnUi(closed, 5000);
        return false;
    }
    if (OnUi([&] { return seq.Fout(); })) {
        Fail(window + " failed without a fault: " + OnUi(panel).toStdString());
        OnUi([&] { form.CmdCancel->click(); });
        WaitOnUi(closed, 5000);
        return false;
    }
    OnUi([&] { form.CmdOK->click(); });
    return WaitOnUi(closed, 5000);
}

// The Communicatie menu's read of every parameter and setpoint into the store.
void TSoakScenario::ReadIntoStore() {
    Step("read into the store");
    if (!EnsureOnline("a read"))
        return;
    EnsureLiveGroups(true);
    const TParamStore before = OnUi([] { return ParamStore(); });
    Choose(Main.KX91ontvangen1);
    bool finished = RunTransfer(&W.FormLeesParSoll, "read dialog", false);
    // The store is filled once the window has closed.
    WaitOnUi([] { return QApplication::activeModalWidget() == nullptr; }, 5000);
    TParamStore after = OnUi([] { return ParamStore(); });
    if (!finished) {
        if (after.ParData != before.ParData || after.SollData != before.SollData)
            Fail("a read that did not finish changed the store");
        return;
    }
    TBackupData device = DeviceData();
    if (after.ParData != device.Par || after.SollData != device.Soll)
        Fail("the store holds other values than the controller after a read");
    else
        FTally.Count("reads into the store finished and checked");
}

void TSoakScenario::Backup() {
    Step("backup");
    if (!EnsureOnline("a backup"))
        return;
    Choose(Main.Backup1);
    if (!RunTransfer(&W.FormLeesParSoll, "backup read", false))
        return;
    const std::string path =
        (FOptions.FileFolder / ("backup-" + std::to_string(++FFileNumber) + ".bak")).string();
    FFilesAskedFor.push_back(path);
    if (!ChooseFile(path))
        return;
    std::ifstream in(path, std::ios::binary);
    std::string written{std::istreambuf_iterator<char>(in), {}};
    if (written != Bytes(BackupFileBytes(DeviceData())))
        Fail("the backup file " + path + " does not hold the controller's values");
    else
        FTally.Count("backups written and checked");
}

// A backup of other setpoints written back, as an engineer restores an earlier state.
void TSoakScenario::Restore() {
    Step("restore");
    if (!EnsureOnline("a restore"))
        return;
    TBackupData data = DeviceData();
    for (int s = 1; s <= SetpointCount; ++s)
        data.Soll[static_cast<size_t>(s)] = Between(FRandom, -2000000, 2000000);
    const std::string path =
        (FOptions.FileFolder / ("restore-" + std::to_string(++FFileNumber) + ".bak")).string();
    FFilesAskedFor.push_back(path);
    std::ofstream(path, std::ios::binary) << Bytes(BackupFileBytes(data));
    Choose(Main.Restore1);
    if (!ChooseFile(path))
        return;
    // The confirmation names the file; the soak's box answerer says Yes to it.
    bool confirmed = false;
    for (int i = 0; i < 250 && !confirmed; ++i) {
        confirmed = FBoxes.Claim(QString::fromStdString(path));
        if (!confirmed)
            Pause(20);
    }
    if (!confirmed) {
        Fail("the restore asked no confirmation");
        return;
    }
    if (!RunTransfer(&W.FormSchrijfParSoll, "restore write", true))
        return;
    if (DeviceData() != data)
        Fail("the controller holds other values than " + path + " after a restore");
    else
        FTally.Count("restores finished and checked");
}

} // namespace kq9soak
