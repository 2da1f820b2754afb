// kq9ctl print-params FILE.app --pdf OUT.pdf: the parameter list of a parameter file as a PDF.

#include "cli/CtlCommands.h"
#include "cli/CtlFiles.h"
#include "cli/CtlPrint.h"
#include "params/ParamStore.h"
#include "print/ParameterList.h"
#include "print/PrintTexts.h"

#include <iostream>

int RunPrintParamsCommand(const TCtlOptions& options) {
    auto readFile = [](const std::string& path) {
        return ReadParamFileForCtl(path, ParamStore().ParData, "nothing was printed");
    };
    auto layout = [](const TPrintMetrics& metrics) {
        QString treeError;
        TPrintDocument document =
            PrintParameters(metrics, PrintHeaderFromSettings(AfdrukLabels()), treeError);
        if (!treeError.isEmpty())
            std::cerr << "kq9ctl: " << treeError.toStdString() << '\n';
        return document;
    };
    return RunPrintCommand(options, "print-params", readFile, layout);
}
