#include "cli/CtlFiles.h"

#include "app/LanguageTexts.h"
#include "app/TextFile.h"
#include "app/TextKeys.h"
#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"

#include <iostream>

namespace {

QString Q(const std::string& path) {
    return QString::fromLocal8Bit(path);
}

// What the editors say of a file they cannot open, by kind of file; and what kq9ctl says
// without a language file (or when the file leaves a text empty).
const TTextKey ParamFileMessages[] = {TextKey::EditParam::OpenMsg1, TextKey::EditParam::OpenMsg2,
                                      TextKey::EditParam::OpenMsg3, TextKey::EditParam::OpenMsg4};
const TTextKey SollFileMessages[] = {
    TextKey::EditSollwert::OpenMsg1, TextKey::EditSollwert::OpenMsg2,
    TextKey::EditSollwert::OpenMsg3, TextKey::EditSollwert::OpenMsg4};
const char* const ParamFileEnglish[] = {
    "the file cannot be read", "not a parameter file (wrong first line)",
    "a line is malformed (expected: P012 value)",
    "the file does not hold exactly one line for every parameter P000 ... P399"};
const char* const SollFileEnglish[] = {
    "the file cannot be read", "not a setpoint file (wrong first line)",
    "a line is malformed (expected: S012 value)",
    "the file does not hold exactly one line for every number S000 ... S048"};

int ValueFileExitCode(TValueFileResult result, const std::string& path, TValueFileKind kind,
                      const char* outcome) {
    if (result == TValueFileResult::Ok)
        return CtlExit::Success;
    std::cerr << "kq9ctl: " << ValueFileErrorText(result, path, kind) << '\n';
    if (outcome)
        std::cerr << "kq9ctl: " << outcome << '\n';
    return CtlExit::FileError;
}

int WriteExitCode(bool written, const std::string& path, const QString& error) {
    if (written)
        return CtlExit::Success;
    std::cerr << "kq9ctl: cannot write " << path << ": " << error.toStdString() << '\n';
    return CtlExit::FileError;
}

} // namespace

std::string ValueFileErrorText(TValueFileResult result, const std::string& path,
                               TValueFileKind kind) {
    if (result == TValueFileResult::Ok)
        return {};
    size_t message = static_cast<size_t>(result) - static_cast<size_t>(TValueFileResult::OpenMsg1);
    bool parameters = kind == TValueFileKind::Parameters;
    QString text = Tekst(parameters ? ParamFileMessages[message] : SollFileMessages[message]);
    if (text.isEmpty())
        text = QString::fromUtf8(parameters ? ParamFileEnglish[message] : SollFileEnglish[message]);
    return path + ": " + text.toStdString();
}

int ReadParamFileForCtl(const std::string& path, TParValues& values, const char* outcome) {
    return ValueFileExitCode(ReadParamFile(Q(path), true, values), path, TValueFileKind::Parameters,
                             outcome);
}

int ReadSollFileForCtl(const std::string& path, TSollValues& setpoints, const char* outcome) {
    return ValueFileExitCode(ReadSollFile(Q(path), true, setpoints), path,
                             TValueFileKind::Setpoints, outcome);
}

int ReadBackupFileForCtl(const std::string& path, TBackupData& data) {
    try {
        if (ReadBackupFile(Q(path), data))
            return CtlExit::Success;
        std::cerr << "kq9ctl: " << path << " is not a valid backup file: a marker is wrong\n";
    } catch (const EBackupFileError& e) {
        std::cerr << "kq9ctl: " << e.what() << '\n';
    }
    return CtlExit::FileError;
}

int WriteParamFileForCtl(const std::string& path, int unitNo, const TParValues& values) {
    QString error;
    return WriteExitCode(WriteParamFile(Q(path), unitNo, values, &error), path, error);
}

int WriteSollFileForCtl(const std::string& path, int unitNo, const TSollValues& setpoints,
                        int32_t parameter399) {
    QString error;
    return WriteExitCode(WriteSollFile(Q(path), unitNo, setpoints, parameter399, &error), path,
                         error);
}

int WriteBackupFileForCtl(const std::string& path, const TBackupData& data) {
    try {
        WriteBackupFile(Q(path), data);
        return CtlExit::Success;
    } catch (const EBackupFileError& e) {
        std::cerr << "kq9ctl: " << e.what() << '\n';
        return CtlExit::FileError;
    }
}

int CheckWritableForCtl(const std::string& path) {
    QString error;
    if (CanWriteFileAtomic(Q(path), &error))
        return CtlExit::Success;
    std::cerr << "kq9ctl: cannot write " << path << ": " << error.toStdString()
              << "; nothing was read\n";
    return CtlExit::FileError;
}

bool OneFileArgument(const std::vector<std::string>& arguments, const char* command,
                     std::string& path) {
    TCommandArguments parsed;
    std::string error;
    if (!ParseCommandArguments(arguments, {}, parsed, error)) {
        std::cerr << "kq9ctl: " << command << ": " << error << '\n' << CtlUsage();
        return false;
    }
    if (parsed.Words.size() != 1) {
        std::cerr << "kq9ctl: " << command << " needs one file name\n" << CtlUsage();
        return false;
    }
    path = parsed.Words[0];
    return true;
}
