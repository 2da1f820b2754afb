// The desktop program: one instance per user, the main window on the serial line of the
// settings, or with --demo on a simulated controller line inside the program.

#include "app/About.h"
#include "app/ApparaatZoeken.h"
#include "app/DemoLine.h"
#include "app/ErrorReport.h"
#include "app/FileLocations.h"
#include "app/GlobalVar.h"
#include "app/InfoErrorNummers.h"
#include "app/InitSerial.h"
#include "app/KX71Main.h"
#include "app/Opties.h"
#include "app/PortAccess.h"
#include "app/SingleInstance.h"
#include "app/TermSignals.h"
#include "calib/Calibratie.h"
#include "calib/Grafiek.h"
#include "calib/Linearisatie.h"
#include "comm/QtHandover.h"
#include "comm/UiHandover.h"
#include "params/DisplayNokken.h"
#include "params/EditParam.h"
#include "params/EditSollwerten.h"
#include "params/LeesParSoll.h"
#include "params/ParLoader.h"
#include "params/ParamService.h"
#include "params/SchrijfParSoll.h"
#include "params/Vergelijk.h"
#include "print/AfdrukkenPar.h"
#include "print/AfdrukkenSoll.h"

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
        // The windows, created once in their fixed order, the main window first.
        TFormMain FormMain(QApplication::arguments());
        if (GlobalVar().OpenCloseDialoogPath.isEmpty())
            GlobalVar().OpenCloseDialoogPath = locations.DialogFolder;
        TFormAbout FormAbout(&FormMain);
        TFormEditParam FormEditParam(&FormMain.LBComm1, &FormMain);
        TFormOpties FormOpties(&FormMain);
        TFormInitSerial FormInitSerial(&FormMain.LBComm1, &FormMain);
        TFormParamService FormParamService(&FormMain.LBComm1, &FormEditParam);
        TFormEditSollwerten FormEditSollwerten(&FormMain.LBComm1, &FormMain);
        TFormDisplayNokken FormDisplayNokken(&FormMain);
        TFormLeesParSoll FormLeesParSoll(&FormMain.LBComm1, &FormMain);
        TFormApparaatZoeken FormApparaatZoeken(&FormMain.LBComm1, FormMain.SpinEditUnitSelect,
                                               &FormMain);
        TFormSchrijfParSoll FormSchrijfParSoll(&FormMain.LBComm1, &FormMain);
        TFormInfoErrorNummers FormInfoErrorNummers(&FormMain);
        TFormParLoader FormParLoader(&FormMain.LBComm1, &FormEditParam);
        TFormCalibratie FormCalibratie(&FormMain.LBComm1, &FormMain);
        TFormAfdrukkenPar FormAfdrukkenPar(&FormEditParam);
        TFormAfdrukkenSoll FormAfdrukkenSoll(&FormEditSollwerten);
        TFormGrafiek FormGrafiek(&FormMain.LBComm1, &FormMain);
        TFormLinearisatie FormLinearisatie(&FormMain);
        TFormVergelijk FormVergelijk(&FormMain.LBComm1, &FormMain);
        FormMain.FormAboutWindow = &FormAbout;
        FormMain.FormOpties = &FormOpties;
        FormMain.FormInitSerial = &FormInitSerial;
        FormMain.FormDisplayNokken = &FormDisplayNokken;
        FormMain.FormLeesParSoll = &FormLeesParSoll;
        FormMain.FormApparaatZoeken = &FormApparaatZoeken;
        FormMain.FormSchrijfParSoll = &FormSchrijfParSoll;
        FormMain.FormInfoErrorNummers = &FormInfoErrorNummers;
        FormMain.FormEditParam = &FormEditParam;
        FormMain.FormEditSollwerten = &FormEditSollwerten;
        FormMain.FormGrafiek = &FormGrafiek;
        FormMain.FormLinearisatie = &FormLinearisatie;
        FormMain.EnableWindowMenuItems();
        FormEditParam.FormLeesParSoll = &FormLeesParSoll;
        FormEditParam.FormSchrijfParSoll = &FormSchrijfParSoll;
        FormEditParam.FormParamService = &FormParamService;
        FormEditParam.FormParLoader = &FormParLoader;
        FormEditParam.FormInfoErrorNummers = &FormInfoErrorNummers;
        FormEditParam.FormAfdrukkenPar = &FormAfdrukkenPar;
        FormEditParam.FormDisplayNokken = &FormDisplayNokken;
        FormEditParam.FormLinearisatie = &FormLinearisatie;
        FormEditParam.FormVergelijk = &FormVergelijk;
        FormLinearisatie.FormParamService = &FormParamService;
        // A value sent from the linearisation window opened in the editor marks the editor too.
        FormParamService.OnParGezonden = [&FormEditParam](bool sent) {
            FormEditParam.ParGezonden = sent;
        };
        FormEditSollwerten.FormAfdrukkenSoll = &FormAfdrukkenSoll;
        FormEditSollwerten.FormLeesParSoll = &FormLeesParSoll;
        FormEditSollwerten.FormSchrijfParSoll = &FormSchrijfParSoll;
        FormEditSollwerten.FormVergelijk = &FormVergelijk;
        FormMain.SetFormCalibratie(&FormCalibratie);
        instance.OnActivateRequest = [&FormMain] { BringForward(&FormMain); };
        termSignals.OnTerminate = [&FormMain] { FormMain.close(); };
        FormMain.show();
        result = app.exec();
        termSignals.OnTerminate = nullptr;
        instance.OnActivateRequest = nullptr;
    }
    SetUiHandover(nullptr);
    return result;
}
