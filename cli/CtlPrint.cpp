#include "cli/CtlPrint.h"

#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/Settings.h"
#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlLocations.h"
#include "params/ParamDefs.h"

#include <QGuiApplication>

#include <iostream>
#include <optional>

namespace {

struct TPrintOptions {
    std::string File;
    std::string Pdf;
    std::optional<std::string> Firma, Type, Sn;
};

bool ParsePrintOptions(const std::vector<std::string>& args, const char* command,
                       TPrintOptions& options, std::string& error) {
    TCommandArguments parsed;
    if (!ParseCommandArguments(args, {{"--pdf", "--firma", "--type", "--sn"}, {}}, parsed, error))
        return false;
    if (parsed.Words.size() > 1) {
        error = std::string(command) + " takes one file name";
        return false;
    }
    if (!parsed.Words.empty())
        options.File = parsed.Words[0];
    for (const auto& [name, value] : parsed.Options) {
        if (name == "--pdf")
            options.Pdf = value;
        else if (name == "--firma")
            options.Firma = value;
        else if (name == "--type")
            options.Type = value;
        else if (name == "--sn")
            options.Sn = value;
    }
    if (options.File.empty() || options.Pdf.empty()) {
        error = std::string(command) + " needs a file name and --pdf OUT.pdf";
        return false;
    }
    return true;
}

// The settings, the language file and the definitions, as the program reads them at start.
void ReadProgramFiles(const TCtlOptions& options) {
    SetCtlFileLocations(options);
    TLBComm unusedPort;
    int unusedUnit = 0;
    Configfile_lezen(unusedPort, unusedUnit, GlobalVar());
    TekstFile_Lezen();
    ParameterDef_lezen();
    ParamNo_lezen();
}

QtMessageHandler PreviousHandler = nullptr;

// Without a session (a root shell, a service) Qt notes the missing runtime folder, which a
// PDF does not need; every other message passes.
void QuietRuntimeFolderNote(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (PreviousHandler)
        PreviousHandler(type, context, message);
    else
        std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << '\n';
}

} // namespace

int RunPrintCommand(const TCtlOptions& global, const char* command,
                    const std::function<int(const std::string& path)>& readFile,
                    const TPrintLayoutFunction& layout) {
    TPrintOptions options;
    std::string error;
    if (!ParsePrintOptions(global.Arguments, command, options, error)) {
        std::cerr << "kq9ctl: " << error << '\n' << CtlUsage();
        return CtlExit::Usage;
    }
    ReadProgramFiles(global);
    if (int result = readFile(options.File); result != CtlExit::Success)
        return result;
    for (auto [given, setting] :
         {std::pair{&options.Firma, &GlobalVar().Firma},
          std::pair{&options.Type, &GlobalVar().Type}, std::pair{&options.Sn, &GlobalVar().Sn}})
        if (*given)
            *setting = QString::fromStdString(**given);

    // Fonts need a GUI application; a PDF needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    PreviousHandler = qInstallMessageHandler(QuietRuntimeFolderNote);
    int argc = 1;
    char name[] = "kq9ctl";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    QString reason;
    int pages = 0;
    if (!WritePdfFile(QString::fromStdString(options.Pdf), layout, reason, &pages)) {
        std::cerr << "kq9ctl: cannot write " << options.Pdf << ": " << reason.toStdString() << '\n';
        return CtlExit::FileError;
    }
    std::cout << options.Pdf << ": " << pages << (pages == 1 ? " page" : " pages") << '\n';
    return CtlExit::Success;
}
