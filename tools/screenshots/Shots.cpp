// Renders the program's windows offscreen to PNG files, so anyone can look at the tool without a
// display: kq9-screenshots OUTPUT_DIR [DATA_DIR]. Every window is shown in each language, the
// main window with its port closed and open, running against the simulated line.

#include "tools/screenshots/Shots.h"

#include "app/GlobalVar.h"
#include "app/KX71Main.h"
#include "app/LanguageTexts.h"
#include "comm/ComNames.h"
#include "comm/QtHandover.h"
#include "sim/SimLine.h"
#include "sim/SimPtyServer.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct TShot {
    int Order;
    const char* Name;
    TShotFunction Function;
};

std::vector<TShot>& Shots() {
    static std::vector<TShot> shots;
    return shots;
}

} // namespace

TShotRegistration::TShotRegistration(int order, const char* name, TShotFunction function) {
    Shots().push_back({order, name, function});
}

void ProcessFor(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void TShotContext::Save(QWidget& window, const QString& name) {
    QString path = Out.filePath(QStringLiteral("%1_taal%2.png").arg(name).arg(Taal));
    bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    Ok &= saved;
}

void TShotContext::WhileModal(QDialog& dialog, int delayMs,
                              const std::function<void()>& whileShown) {
    QTimer::singleShot(delayMs, &dialog, whileShown);
    dialog.exec();
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane Software Tool (KQ9)"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: kq9-screenshots OUTPUT_DIR [DATA_DIR]\n");
        return 1;
    }
    QString dataDir =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QApplication::applicationDirPath();
    QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("."));
    SetProgramPath(dataDir);

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

    std::stable_sort(Shots().begin(), Shots().end(),
                     [](const TShot& a, const TShot& b) { return a.Order < b.Order; });
    bool ok = true;
    for (int taal = 0; taal < 3; ++taal) {
        GlobalVar() = TGlobalVar();
        SetProgramPath(dataDir);
        TFormMain form({QStringLiteral("kq9"), QStringLiteral("setupmode")});
        GlobalVar().Taal = taal;
        TekstFile_Lezen();
        form.LezenTeksten();
        form.show();
        ProcessFor(200);
        TShotContext context{out, &form, taal};
        for (const TShot& shot : Shots())
            shot.Function(context);
        ok &= context.Ok;
        form.LBComm1.Close();
        // Keep the settings file of the data folder as it was.
        form.LBComm1.OnDeactivate = nullptr;
        form.hide();
    }
    SetUiHandover(nullptr);
    return ok ? 0 : 1;
}
