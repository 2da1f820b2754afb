#include "FiguresApp.h"

#include "app/ErrorReport.h"
#include "app/FileLocations.h"
#include "app/GlobalVar.h"
#include "app/Kq9Windows.h"
#include "calib/DrawImage.h"
#include "calib/GrafiekChart.h"
#include "comm/QtHandover.h"
#include "support/ExchangeFigures.h"
#include "support/FullLogBuffer.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

// What every mode needs before the windows: the application (with the program's name as its
// only argument, as the program is started without a file to open), the file locations of
// `home` and the hand-over of the port's events to the UI thread.
struct TAppBase {
    int Argc = 1;
    char* Argv[2];
    TKq9Application App;
    TQtHandover Handover;

    TAppBase(char* program, const std::string& home) : Argv{program, nullptr}, App(Argc, Argv) {
        QApplication::setApplicationName(QStringLiteral("kq9"));
        SetFileLocations(
            FindFileLocations(QApplication::applicationDirPath(), QString::fromStdString(home)));
        SetUiHandover(&Handover);
    }
    ~TAppBase() { SetUiHandover(nullptr); }
};

void ProcessFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool ProcessUntil(const std::function<bool()>& done, int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (Clock::now() >= deadline)
            return false;
        ProcessFor(10);
    }
    return true;
}

// Answers any message box or dialog a window opens with exec(), as the user would close it.
class TBoxCloser {
public:
    TBoxCloser() {
        QObject::connect(&FTimer, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->done(QDialog::Rejected);
        });
        FTimer.start(20);
    }

private:
    QTimer FTimer;
};

// What the log graph does after each sample while it records: the chart drawn anew and both of
// its pictures painted, at the time scale `scale`.
double RedrawMs(int scale) {
    const TLogBuffer buffer = FullLogBuffer();
    TLogView view;
    view.TimeScale = scale;
    view.ValueScale = 6;
    view.TimeGrid = view.ValueGrid = view.AutoScroll = view.Running = true;
    TDrawImage plot("plot", LogPlotSize, nullptr);
    TDrawImage strip("strip", LogTimeStripSize, nullptr);
    QImage plotImage(LogPlotSize, QImage::Format_ARGB32_Premultiplied);
    QImage stripImage(LogTimeStripSize, QImage::Format_ARGB32_Premultiplied);
    constexpr int Redraws = 100;
    auto start = Clock::now();
    for (int i = 0; i < Redraws; ++i) {
        TLogChart chart = DrawLogChart(buffer, view);
        plot.SetDrawing(std::move(chart.Plot));
        strip.SetDrawing(std::move(chart.TimeStrip));
        plot.render(&plotImage);
        strip.render(&stripImage);
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / Redraws;
}

} // namespace

int RunStartupMode(char* program, const std::string& home) {
    TAppBase base(program, home);
    TKq9Windows windows(QApplication::arguments(), QString::fromStdString(home));
    windows.FormMain.show();
    QCoreApplication::processEvents();
    std::printf("shown\n");
    std::fflush(stdout);
    return 0;
}

int RunWindowsMode(char* program, const std::string& home) {
    TAppBase base(program, home);
    TKq9Windows w(QApplication::arguments(), QString::fromStdString(home));
    TBoxCloser closer;
    w.FormMain.show();
    ProcessFor(100);
    const std::initializer_list<QWidget*> windows = {
        &w.FormAbout,          &w.FormEditParam,      &w.FormOpties,           &w.FormInitSerial,
        &w.FormParamService,   &w.FormEditSollwerten, &w.FormDisplayNokken,    &w.FormLeesParSoll,
        &w.FormApparaatZoeken, &w.FormSchrijfParSoll, &w.FormInfoErrorNummers, &w.FormParLoader,
        &w.FormCalibratie,     &w.FormAfdrukkenPar,   &w.FormAfdrukkenSoll,    &w.FormGrafiek,
        &w.FormLinearisatie,   &w.FormVergelijk};
    for (QWidget* window : windows) {
        window->show();
        ProcessFor(150);
        window->hide();
        ProcessFor(20);
    }
    double slowest = 0;
    for (int scale = 0; scale < static_cast<int>(LogTimeScales.size()); ++scale)
        slowest = std::max(slowest, RedrawMs(scale));
    std::printf("redraw %.4f\n", slowest);
    w.FormMain.close();
    return 0;
}

int RunLiveMode(char* program, const std::string& home, int seconds) {
    TAppBase base(program, home);
    TKq9Windows w(QApplication::arguments(), QString::fromStdString(home));
    TFormMain& main = w.FormMain;
    main.show();
    ProcessFor(100);
    main.CmdSelectUnit->click();
    if (!ProcessUntil(
            [&] { return main.LBComm1.Active() && !main.StatusPanel[4]->text().isEmpty(); },
            5000)) {
        std::fprintf(stderr, "figures: the unit did not answer on the port\n");
        return 1;
    }
    main.CmdActual->click();
    main.CmdInUit->click();
    main.CmdDuimwiel->click();
    const TGlobalVar& g = GlobalVar();
    if (!g.ActualActive || !g.InOutActive || !g.ThumbwheelActive) {
        std::fprintf(stderr, "figures: not every live group came on\n");
        return 1;
    }
    ProcessFor(2000);
    double cpuBefore = ProcessCpuSeconds();
    auto start = Clock::now();
    ProcessFor(seconds * 1000);
    double cpuMs = (ProcessCpuSeconds() - cpuBefore) * 1000.0;
    double wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("live %.2f %.2f\n", cpuMs, wallMs);
    main.close();
    return 0;
}
