// The libFuzzer program of one target: an offscreen Qt application as the program has one, any
// Qt warning counted as a fault, and the target's entry for every input.

#include "fuzz/FuzzTarget.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace {

const TFuzzTarget* Target = nullptr;

void AbortOnWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    // The offscreen platform says so of window features it lacks; that is no fault of ours.
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    std::fprintf(stderr, "Unexpected Qt message: %s\n", qPrintable(message));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (FuzzTargets().size() != 1) {
        std::fprintf(stderr, "A fuzz program holds exactly one target, this one %zu.\n",
                     FuzzTargets().size());
        std::exit(2);
    }
    Target = &FuzzTargets().front();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps the argument count by reference for the life of the application.
    static int qtArgc = 1;
    static char* qtArgv[] = {*argc > 0 ? (*argv)[0] : const_cast<char*>("fuzz"), nullptr};
    static QGuiApplication* app = new QGuiApplication(qtArgc, qtArgv);
    (void)app;
    qInstallMessageHandler(AbortOnWarning);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Target->Run(data, size);
    return 0;
}
