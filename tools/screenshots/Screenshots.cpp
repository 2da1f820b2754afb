// Renders the program's windows offscreen to PNG files, so anyone can look at the tool without a
// display: kq9-screenshots OUTPUT_DIR [DATA_DIR]. The main window is shown with the port closed
// and open, with its live view running against the simulated line, in each language.

#include "app/GlobalVar.h"
#include "app/KX71Main.h"
#include "app/LanguageTexts.h"
#include "comm/QtHandover.h"
#include "params/LeesParSoll.h"
#include "params/ParamStore.h"
#include "params/SchrijfParSoll.h"
#include "sim/SimLine.h"
#include "sim/SimPtyServer.h"
#include "comm/ComNames.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

void ProcessFor(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Shows a transfer dialog modally, grabs it while it runs, then cancels it.
template <typename TDialog>
bool SaveRunning(TDialog& dialog, int mode, const QDir& folder, const QString& name);

bool Save(QWidget& window, const QDir& folder, const QString& name) {
    QString path = folder.filePath(name + ".png");
    bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

template <typename TDialog>
bool SaveRunning(TDialog& dialog, int mode, const QDir& folder, const QString& name) {
    dialog.Sequence().Mode = mode;
    bool saved = false;
    QTimer::singleShot(1500, &dialog, [&] {
        saved = Save(dialog, folder, name);
        dialog.CmdCancel->click();
    });
    dialog.exec();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane Software Tool (KQ9)"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: kq9-screenshots OUTPUT_DIR [DATA_DIR]\n");
        return 1;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("."));
    SetProgramPath(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QApplication::applicationDirPath());

    TQtHandover handover;
    SetUiHandover(&handover);
    auto line = std::make_shared<TSimLine>();
    line->AddUnit(0);
    line->LoadParameterFile(ProgramFile(QStringLiteral("Parameters.txt")).toStdString());
    TSimPtyServer server(line);
    if (server.Start() != 0) {
        std::fprintf(stderr, "no pty for the simulated line\n");
        return 1;
    }
    for (int port = 0; port < EnumCount<TPort>(); ++port)
        SetComDevicePath(static_cast<TPort>(port), server.SlavePath());

    bool ok = true;
    for (int taal = 0; taal < 3; ++taal) {
        GlobalVar() = TGlobalVar();
        SetProgramPath(argc > 2 ? QString::fromLocal8Bit(argv[2])
                                : QApplication::applicationDirPath());
        TFormMain form({QStringLiteral("kq9"), QStringLiteral("setupmode")});
        GlobalVar().Taal = taal;
        TekstFile_Lezen();
        form.LezenTeksten();
        form.show();
        ProcessFor(200);
        QString suffix = QStringLiteral("_taal%1").arg(taal);
        ok &= Save(form, out, "main_closed" + suffix);
        form.CmdSelectUnit->click();
        ProcessFor(800);
        form.CmdActual->click();
        form.CmdInUit->click();
        form.CmdDuimwiel->click();
        ProcessFor(2500);
        ok &= Save(form, out, "main_open" + suffix);
        form.StopLiveMonitoring();
        TFormLeesParSoll lees(&form.LBComm1, &form);
        ok &= SaveRunning(lees, 2, out, "read_dialog" + suffix);
        TFormSchrijfParSoll schrijf(&form.LBComm1, &form);
        ok &= SaveRunning(schrijf, 0, out, "write_dialog" + suffix);
        form.LBComm1.Close();
        // Keep the settings file of the data folder as it was.
        form.LBComm1.OnDeactivate = nullptr;
        form.hide();
    }
    SetUiHandover(nullptr);
    return ok ? 0 : 1;
}
