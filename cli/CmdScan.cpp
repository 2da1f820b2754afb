// kq9ctl scan [--from RATE] [--parity com|auto] [--stopbits com|auto] [--units A-B]: the device
// search of the program's search window, over the line. Every unit that answers is printed at
// once, one line per unit and setting, with the search window's columns separated by tabs; the
// search then goes on by itself until it has gone round every rate.

#include "app/ApparaatZoekenSequence.h"
#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlPort.h"
#include "cli/CtlScan.h"
#include "cli/CtlUnitRange.h"

#include <iostream>
#include <unistd.h>

namespace {

bool ParseStartRate(const std::string& text, TSearchOptions& options) {
    TBaudrate rate;
    if (!ParseBaudrate(text, rate))
        return false;
    for (size_t i = 0; i < SearchRates.size(); ++i) {
        if (SearchRates[i] == rate) {
            options.StartRate = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

bool ParseAuto(const std::string& text, bool& automatic) {
    if (text != "com" && text != "auto")
        return false;
    automatic = text == "auto";
    return true;
}

bool ParseScanOptions(const std::vector<std::string>& args, TSearchOptions& options,
                      std::string& error) {
    TCommandArguments parsed;
    if (!ParseCommandArguments(args, {{"--from", "--parity", "--stopbits", "--units"}, {}}, parsed,
                               error))
        return false;
    if (!parsed.Words.empty()) {
        error = "scan takes no argument " + parsed.Words[0];
        return false;
    }
    for (const auto& [name, value] : parsed.Options) {
        bool good = false;
        if (name == "--from")
            good = ParseStartRate(value, options);
        else if (name == "--parity")
            good = ParseAuto(value, options.ParityAuto);
        else if (name == "--stopbits")
            good = ParseAuto(value, options.StopbitsAuto);
        else if (name == "--units")
            good = ParseUnitRange(value, options.FirstUnit, options.LastUnit);
        if (!good) {
            error = "bad value for " + name + ": " + value;
            return false;
        }
    }
    return true;
}

// What is being tried, on stderr: redrawn in place on a terminal; otherwise one line for each
// rate, so that a log stays short.
class TScanProgress {
public:
    explicit TScanProgress(const TSearchOptions& options) : FOptions(options) {}

    void Show(const TSearchPoint& point) {
        const std::string rate = SearchRateText(point.Baudrate).toStdString();
        if (FTerminal) {
            std::cerr << "\r" << rate << ", parity " << ParityText(point.Parity).toStdString()
                      << ", stop bits " << StopbitsText(point.Stopbits).toStdString() << ", unit "
                      << point.Unit << "   " << std::flush;
            FDrawn = true;
            return;
        }
        if (point.Baudrate == FLastRate)
            return;
        FLastRate = point.Baudrate;
        std::cerr << "kq9ctl: searching at " << rate << ", parity "
                  << (FOptions.ParityAuto ? "None/Odd/Even"
                                          : ParityText(point.Parity).toStdString())
                  << ", stop bits "
                  << (FOptions.StopbitsAuto ? "1/2" : StopbitsText(point.Stopbits).toStdString())
                  << ", units " << FOptions.FirstUnit << "-" << FOptions.LastUnit << '\n';
    }
    // Ends the line redrawn in place, before anything else is written.
    void Break() {
        if (FDrawn)
            std::cerr << '\n';
        FDrawn = false;
    }

private:
    const TSearchOptions& FOptions;
    const bool FTerminal = isatty(STDERR_FILENO) == 1;
    bool FDrawn = false;
    TBaudrate FLastRate = TBaudrate::br115200;
};

} // namespace

int ScanLine(TLBComm& port, const TSearchOptions& options,
             const std::function<void(const std::function<bool()>&)>& waitFor) {
    TApparaatZoekenSequence search(&port);
    search.Options = options;
    TScanProgress progress(search.Options);
    search.OnPoint = [&](const TSearchPoint& point) { progress.Show(point); };
    search.OnFound = [&](const TFoundUnit& found) {
        progress.Break();
        std::cout << FoundUnitTexts(found).join(QLatin1Char('\t')).toStdString() << std::endl;
    };
    bool started = false;
    for (;;) {
        try {
            if (started) {
                search.CmdVerderClick();
            } else {
                started = true;
                search.FormActivate();
                search.CmdStartZoekenClick();
            }
            waitFor([&] { return search.State() != TSearchState::Searching; });
        } catch (const std::exception& e) {
            progress.Break();
            if (search.State() != TSearchState::Refused) {
                std::cerr << "kq9ctl: " << e.what() << '\n';
                return CtlExit::CommError;
            }
            // A line setting the device cannot take (an adapter without 28800 bit/s): the
            // search goes on without it.
            std::cerr << "kq9ctl: the device refuses " << e.what() << "; skipped\n";
            continue;
        }
        if (search.State() != TSearchState::Found)
            break;
    }
    progress.Break();
    if (search.State() == TSearchState::LineLost) {
        std::cerr << "kq9ctl: the line was lost during the search (system error 995)\n";
        return CtlExit::CommError;
    }
    if (search.FoundCount() == 0) {
        std::cerr << "kq9ctl: no unit answered\n";
        return CtlExit::Unexpected;
    }
    return CtlExit::Success;
}

int RunScanCommand(const TCtlOptions& options) {
    TSearchOptions search;
    std::string error;
    if (!ParseScanOptions(options.Arguments, search, error)) {
        std::cerr << "kq9ctl: " << error << '\n' << CtlUsage();
        return CtlExit::Usage;
    }
    TCtlPort port(options);
    if (int result = port.Open(); result != CtlExit::Success)
        return result;
    return ScanLine(port.Port(), search,
                    [&port](const std::function<bool()>& done) { port.WaitFor(done); });
}
