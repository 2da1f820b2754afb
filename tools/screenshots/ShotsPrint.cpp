// The two print windows, and the first page of each print-out as the PDF it prints, rendered
// with pdftoppm.

#include "tools/screenshots/Shots.h"

#include "app/GlobalVar.h"
#include "app/KX71Main.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"
#include "print/AfdrukkenPar.h"
#include "print/AfdrukkenSoll.h"
#include "print/PainterPrint.h"

#include <QPrinter>
#include <QProcess>
#include <QPushButton>

#include <cstdio>

namespace {

// Resolution of the page pictures: a whole A4 page at a screen's size.
constexpr int PageDpi = 90;

// The store as after loading the defaults, and setpoints of a running machine.
void FillStore() {
    for (int nr = 0; nr < ParameterCount; ++nr)
        ParamStore().ParData[static_cast<size_t>(nr)] = ParamDefs().Default(nr);
    for (int nr = 1; nr <= SetpointCount; ++nr)
        ParamStore().SollData[static_cast<size_t>(nr)] = (nr % 2 ? 1 : -1) * nr * 1250;
    GlobalVar().Firma = QStringLiteral("Corvane Demo Machines");
    GlobalVar().Type = QStringLiteral("KX71-0100");
    GlobalVar().Sn = QStringLiteral("2024-00417");
}

// Shows the window, grabs it, prints into a PDF and renders that PDF's first page.
void PrintShot(TShotContext& context, TFormAfdrukken& window, const QString& name) {
    const QString pdf =
        context.Out.filePath(QStringLiteral("%1_taal%2.pdf").arg(name).arg(context.Taal));
    QPrinter& printer = window.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(PdfResolution);
    printer.setPageLayout(PdfPageLayout());
    window.PrintDialog = [](QPrinter&) { return true; };
    context.WhileModal(window, 300, [&] {
        context.Save(window, name + QStringLiteral("_window"));
        window.CmdOK->click();
    });
    const QString prefix =
        context.Out.filePath(QStringLiteral("%1_page1_taal%2").arg(name).arg(context.Taal));
    const int result = QProcess::execute(
        QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-f"),
         QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-r"),
         QString::number(PageDpi), pdf, prefix});
    std::printf("%s %s.png\n", result == 0 ? "wrote" : "FAILED", qPrintable(prefix));
    context.Ok &= result == 0;
}

void PrintShots(TShotContext& context) {
    FillStore();
    TFormAfdrukkenPar par(context.Main);
    PrintShot(context, par, QStringLiteral("print_params"));
    TFormAfdrukkenSoll soll(context.Main);
    PrintShot(context, soll, QStringLiteral("print_setpoints"));
}

} // namespace

KQ9_SHOTS(50, "print-outs", PrintShots);
