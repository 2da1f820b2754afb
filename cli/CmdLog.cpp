// kq9ctl log SOURCE [--count N] [--seconds S] [--csv FILE]: records one live value as the log
// graph does (the same cyclic request, the same samples, 4001 at most) until N samples, S seconds,
// a full buffer or Ctrl-C, and writes the samples as "ms,value" lines to FILE or stdout. A
// failure of the line ends the recording; the samples taken so far are written all the same.

#include "app/TextFile.h"
#include "calib/GrafiekCsv.h"
#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlFiles.h"
#include "cli/CtlInterrupt.h"
#include "cli/CtlParams.h"
#include "cli/CtlPort.h"
#include "cli/CtlProgress.h"
#include "cli/CtlTransfer.h"

#include <QString>

#include <algorithm>
#include <charconv>
#include <iostream>
#include <unistd.h>

namespace {

// The live commands of the sources, by index.
constexpr const char* SourceNames = "0 … 6, r0, r1, r8, r2, r3, r4 or r5";

struct TLogOptions {
    int Source = -1;
    int Count = 0;       // 0: no limit but the buffer
    int64_t LimitMs = 0; // 0: no time limit
    std::string CsvPath; // empty: stdout
};

bool ParseSource(std::string text, int& source) {
    std::transform(text.begin(), text.end(), text.begin(), ::tolower);
    for (size_t i = 0; i < LogSources.size(); ++i) {
        if (text == std::to_string(i) || text == LogSources[i].Command) {
            source = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

bool ParseCount(const std::string& text, int& count) {
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, count);
    return !text.empty() && error == std::errc() && ptr == end && count >= 1 &&
           count <= LogSlotCount;
}

bool ParseSeconds(const std::string& text, int64_t& ms) {
    double seconds = 0;
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, seconds);
    if (text.empty() || error != std::errc() || ptr != end || !(seconds > 0) || seconds > 1e6)
        return false;
    ms = static_cast<int64_t>(seconds * 1000);
    return ms > 0;
}

bool ParseLogOptions(const std::vector<std::string>& args, TLogOptions& options,
                     std::string& error) {
    TCommandArguments parsed;
    if (!ParseCommandArguments(args, {{"--count", "--seconds", "--csv"}, {}}, parsed, error))
        return false;
    for (const std::string& word : parsed.Words) {
        if (options.Source >= 0 || !ParseSource(word, options.Source)) {
            error = "log records one source: " + std::string(SourceNames);
            return false;
        }
    }
    for (const auto& [name, value] : parsed.Options) {
        bool good = true;
        if (name == "--count")
            good = ParseCount(value, options.Count);
        else if (name == "--seconds")
            good = ParseSeconds(value, options.LimitMs);
        else if (name == "--csv")
            good = !(options.CsvPath = value).empty();
        if (!good) {
            error = "bad value for " + name + ": " + value;
            return false;
        }
    }
    if (options.Source < 0) {
        error = "log needs the source to record: " + std::string(SourceNames);
        return false;
    }
    return true;
}

int EndExitCode(const TGrafiekRecorder& recorder) {
    switch (recorder.End()) {
    case TLogEnd::Timeout:
        std::cerr << "kq9ctl: no reply to \"" << recorder.LD100LeesLogData.ASCIIProtocol()
                  << "\" (time-out); the recording ended\n";
        return CtlExit::Timeout;
    case TLogEnd::CommError:
    case TLogEnd::Other:
        std::cerr << "kq9ctl: " << DescribeCommError(recorder.LastError())
                  << "; the recording ended\n";
        return CtlExit::CommError;
    default:
        return CtlExit::Success;
    }
}

int WriteSamples(const TLogOptions& options, const TLogBuffer& buffer) {
    QString text = LogCsvText(buffer, options.Source);
    if (options.CsvPath.empty()) {
        std::cout << text.toStdString() << std::flush;
        return CtlExit::Success;
    }
    QString error;
    if (WriteTextFileAtomic(QString::fromLocal8Bit(options.CsvPath), text, &error))
        return CtlExit::Success;
    std::cerr << "kq9ctl: cannot write " << options.CsvPath << ": " << error.toStdString() << '\n';
    return CtlExit::FileError;
}

} // namespace

int RunLogCommand(const TCtlOptions& global) {
    TLogOptions options;
    std::string error;
    if (!ParseLogOptions(global.Arguments, options, error)) {
        std::cerr << "kq9ctl: " << error << '\n' << CtlUsage();
        return CtlExit::Usage;
    }
    // A recording that cannot be saved is not worth the wait.
    if (!options.CsvPath.empty()) {
        if (int result = CheckWritableForCtl(options.CsvPath); result != CtlExit::Success)
            return result;
    }
    TCtlPort port(global);
    if (int result = OpenAndSelect(port); result != CtlExit::Success)
        return result;
    if (!LogSources[options.Source].Analog) {
        // The position sources show the unit's position decimals, parameter 203.
        int32_t decimals = 0;
        if (int result = ReadUnitParameter(port, 203, decimals); result != CtlExit::Success)
            return result;
    }

    TGrafiekRecorder recorder(&port.Port());
    const int wanted = options.Count > 0 ? options.Count : LogSlotCount;
    TCtlProgress progress(std::cerr, isatty(STDERR_FILENO) == 1, "recording", wanted);
    recorder.OnSample = [&] {
        progress.Update(recorder.Buffer.Count);
        if (recorder.Buffer.Count >= wanted)
            recorder.Stop();
    };
    TCtlInterrupt interrupt;
    const int64_t started = MonotonicMs();
    auto timeUp = [&] { return options.LimitMs > 0 && MonotonicMs() - started >= options.LimitMs; };
    recorder.Start(options.Source);
    // Each reply or time-out of the cyclic request wakes the wait, so that a time limit or
    // Ctrl-C is noticed within one exchange.
    port.WaitFor([&] { return !recorder.Recording() || TCtlInterrupt::Requested() || timeUp(); });
    const bool interrupted = recorder.Recording() && TCtlInterrupt::Requested();
    recorder.Stop();
    port.WaitFor([&] { return !recorder.RequestOut(); });
    progress.Finish();

    int result = EndExitCode(recorder);
    int written = WriteSamples(options, recorder.Buffer);
    if (written != CtlExit::Success)
        return written;
    // Ctrl-C is the normal end of a recording without a limit; before a limit it cuts it short.
    if (interrupted && (options.Count > 0 || options.LimitMs > 0))
        return CtlExit::Interrupted;
    return result;
}
