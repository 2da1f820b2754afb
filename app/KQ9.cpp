// The desktop program: one instance per user, the main window on the serial line of the
// settings, or with --demo on a simulated controller line inside the program.

#include "app/DemoLine.h"
#include "app/ErrorReport.h"
#include "app/FileLocations.h"
#include "app/GlobalVar.h"
#include "app/Kq9Windows.h"
#include "app/OrderlyClose.h"
#include "app/PortAccess.h"
#include "app/SingleInstance.h"
#include "app/TermSignals.h"
#include "comm/QtHandover.h"
#include "comm/UiHandover.h"

#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>

namespace {

const QString Title = QStringLiteral("Corvane Software Tool (KQ9)");

struct TOptions {
    QString Home;
    bool Demo = false;
};

TOptions ParseOptions(const QStringList& arguments) {
    TOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--demo"))
            options.Demo = true;
        else if (arguments[i] == QLatin1String("--home") && i + 1 < arguments.size())
            options.Home = arguments[++i];
    }
    return options;
}

void BringForward(QWidget* window) {
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}

// Without a display Qt would abort with a message about its platform plugin.
bool HasDisplay() {
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fprintf(stderr, "kq9: there is no display to show the window on. Start it on a "
                             "desktop, or without one under a virtual display: xvfb-run kq9\n");
        return 1;
    }
    TKq9Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kq9"));
    QApplication::setApplicationDisplayName(Title);
    // The desktop entry and the icon of an installed program; a build has neither, and the
    // window manager then shows its default.
    QGuiApplication::setDesktopFileName(QStringLiteral("kq9"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kq9")));
    TTermSignals termSignals;

    TSingleInstance instance(Title);
    if (!instance.BecomeFirst())
        return 0;

    TOptions options = ParseOptions(QApplication::arguments());
    TFileLocations locations = FindFileLocations(QApplication::applicationDirPath(), options.Home);
    SetFileLocations(locations);
    InstallPortAccessAdvice();

    TQtHandover handover;
    SetUiHandover(&handover);

    TDemoLine demo;
    if (options.Demo) {
        QString error;
        if (!demo.Start(ProgramFile(QStringLiteral("Parameters.txt")), error)) {
            std::fprintf(stderr, "kq9: demo line: %s\n", qPrintable(error));
            QMessageBox::critical(nullptr, Title, QStringLiteral("Demo line: ") + error);
            return 1;
        }
    }

    int result = 0;
    {
        TKq9Windows windows(QApplication::arguments(), locations.DialogFolder);
        TFormMain& FormMain = windows.FormMain;
        instance.OnActivateRequest = [&FormMain] { BringForward(&FormMain); };
        TOrderlyClose orderlyClose(FormMain);
        termSignals.OnTerminate = [&orderlyClose] { orderlyClose.Request(); };
        FormMain.show();
        result = app.exec();
        termSignals.OnTerminate = nullptr;
        instance.OnActivateRequest = nullptr;
    }
    SetUiHandover(nullptr);
    return result;
}
