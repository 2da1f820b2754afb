// kq9ctl print-setpoints FILE.aps --pdf OUT.pdf: the setpoint list of a setpoint file as a PDF.

#include "cli/CtlCommands.h"
#include "cli/CtlFiles.h"
#include "cli/CtlPrint.h"
#include "params/ParamStore.h"
#include "print/PrintTexts.h"
#include "print/SollwertList.h"

int RunPrintSetpointsCommand(const TCtlOptions& options) {
    auto readFile = [](const std::string& path) {
        return ReadSollFileForCtl(path, ParamStore().SollData, "nothing was printed");
    };
    auto layout = [](const TPrintMetrics& metrics) {
        return PrintSollwerten(metrics, PrintHeaderFromSettings(AfdrukLabels()));
    };
    return RunPrintCommand(options, "print-setpoints", readFile, layout);
}
