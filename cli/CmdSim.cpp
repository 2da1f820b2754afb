// kq9ctl sim: serves a simulated line of controllers on a new pty until SIGINT, SIGTERM or a
// hang-up of its terminal. The first line of stdout is the device path to open; --link also
// makes a symbolic link to it, removed again at the end. Every unit answers at the settings of
// --line unless --unit-line gives it its own.

#include "app/GlobalVar.h"
#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlLocations.h"
#include "comm/CommTexts.h"
#include "sim/SimInterpreter.h"
#include "sim/SimPtyServer.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>

namespace {

struct TSimOptions {
    std::string Link;
    std::vector<int> Units{0};
    TSimLineSettings Line;
    // Units that answer at line settings of their own instead of those of --line.
    std::map<int, TSimLineSettings> UnitLines;
    std::string ParameterFile;
};

bool ParseUnits(const std::string& text, std::vector<int>& units) {
    units.clear();
    std::stringstream stream(text);
    for (std::string item; std::getline(stream, item, ',');) {
        int64_t number = 0;
        if (!ParseSimNumber(item, number) || number < 0 || number >= TSimLine::MaxUnits)
            return false;
        units.push_back(static_cast<int>(number));
    }
    return !units.empty();
}

// "N=rate,parity,databits,stopbits" (or "N=any"): the line settings unit N answers at.
bool ParseUnitLine(const std::string& text, std::map<int, TSimLineSettings>& unitLines) {
    size_t equals = text.find('=');
    int64_t number = 0;
    TSimLineSettings settings;
    if (equals == std::string::npos || !ParseSimNumber(text.substr(0, equals), number) ||
        number < 0 || number >= TSimLine::MaxUnits ||
        !ParseSimLineSettings(text.substr(equals + 1), settings))
        return false;
    unitLines[static_cast<int>(number)] = settings;
    return true;
}

bool ParseSimOptions(const std::vector<std::string>& args, TSimOptions& options,
                     std::string& error) {
    TCommandArguments parsed;
    if (!ParseCommandArguments(
            args, {{"--link", "--units", "--line", "--unit-line", "--params"}, {}}, parsed, error))
        return false;
    if (!parsed.Words.empty()) {
        error = "sim takes no argument " + parsed.Words[0];
        return false;
    }
    for (const auto& [name, value] : parsed.Options) {
        bool good = true;
        if (name == "--link")
            options.Link = value;
        else if (name == "--units")
            good = ParseUnits(value, options.Units);
        else if (name == "--line")
            good = ParseSimLineSettings(value, options.Line);
        else if (name == "--unit-line")
            good = ParseUnitLine(value, options.UnitLines);
        else if (name == "--params")
            options.ParameterFile = value;
        if (!good || value.empty()) {
            error = "bad value for " + name + ": " + value;
            return false;
        }
    }
    for (const auto& [unit, settings] : options.UnitLines) {
        if (std::find(options.Units.begin(), options.Units.end(), unit) == options.Units.end()) {
            error = "--unit-line names unit " + std::to_string(unit) +
                    ", which is not on the "
                    "line (--units)";
            return false;
        }
    }
    return true;
}

// Points `link` at `target`, replacing an earlier link but nothing else.
bool MakeLink(const std::string& link, const std::string& target) {
    std::error_code error;
    if (std::filesystem::is_symlink(link, error))
        std::filesystem::remove(link, error);
    std::filesystem::create_symlink(target, link, error);
    if (error)
        std::cerr << "kq9ctl: cannot create the link " << link << ": " << error.message() << '\n';
    return !error;
}

} // namespace

int RunSimCommand(const TCtlOptions& global) {
    TSimOptions options;
    std::string error;
    if (!ParseSimOptions(global.Arguments, options, error)) {
        std::cerr << "kq9ctl: " << error << '\n' << CtlUsage();
        return CtlExit::Usage;
    }
    auto line = std::make_shared<TSimLine>();
    for (int unit : options.Units) {
        if (!line->AddUnit(unit)) {
            std::cerr << "kq9ctl: unit " << unit << " is given twice\n";
            return CtlExit::Usage;
        }
        auto own = options.UnitLines.find(unit);
        const TSimLineSettings& settings =
            own == options.UnitLines.end() ? options.Line : own->second;
        line->Configure(unit, [&](TSimUnit& u) { u.Line = settings; });
    }
    // Without --params the units take the definitions shipped with the program.
    SetCtlFileLocations(global);
    std::string shipped = ProgramFile(QStringLiteral("Parameters.txt")).toStdString();
    if (options.ParameterFile.empty() && std::filesystem::exists(shipped))
        options.ParameterFile = shipped;
    if (!options.ParameterFile.empty() && !line->LoadParameterFile(options.ParameterFile)) {
        std::cerr << "kq9ctl: cannot read " << options.ParameterFile << '\n';
        return CtlExit::FileError;
    }

    // Blocked before the server's thread starts, so that only sigwait below takes them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    TSimPtyServer server(line);
    if (int result = server.Start(); result != 0) {
        std::cerr << "kq9ctl: cannot create a pty: " << SysErrorMessage(result) << '\n';
        return CtlExit::PortNotOpened;
    }
    // The link first: whoever reads the path may use the link at once.
    if (!options.Link.empty() && !MakeLink(options.Link, server.SlavePath()))
        return CtlExit::FileError;
    std::cout << server.SlavePath() << std::endl;
    int signal = 0;
    sigwait(&stopSignals, &signal);
    std::error_code ignored;
    server.Stop();
    if (!options.Link.empty())
        std::filesystem::remove(options.Link, ignored);
    return CtlExit::Success;
}
