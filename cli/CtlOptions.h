#pragma once
// The options of kq9ctl that come before the command word, and the command with its own
// arguments. Line settings left out are empty here: they come from the settings file when there
// is one, else from the program's defaults.

#include "comm/CommTypes.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

struct TCtlOptions {
    std::string Home;          // --home DIR
    std::optional<TPort> Port; // --port COMn
    std::string DevicePath;    // --port PATH
    std::optional<TBaudrate> Baudrate;
    std::optional<TParityBit> Parity;
    std::optional<TDataBit> Databits;
    std::optional<TStopBit> Stopbits;
    int Unit = -1;        // --unit N; -1: select none
    int TimeoutMs = 1500; // --timeout MS: the component's TimeoutTime
    bool Fast = false;    // --fast: replies end at their line end
    std::string LogPath;  // --log FILE: the communication log
    std::string Command;
    std::vector<std::string> Arguments;
};

// Parses the program's arguments (without the program name). False with a message in `error`
// for an unknown option, a bad value or a missing command.
bool ParseCtlOptions(const std::vector<std::string>& args, TCtlOptions& options,
                     std::string& error);

// The options one command takes: those with a value ("--page ID" or "--page=ID") and the
// switches, which take none ("--yes").
struct TCommandOptionSpec {
    std::vector<std::string> Valued;
    std::vector<std::string> Switches;
};

// A command's arguments after its word: the plain words in order, and the options given, each
// with its value (empty for a switch), in order.
struct TCommandArguments {
    std::vector<std::string> Words;
    std::vector<std::pair<std::string, std::string>> Options;

    bool Has(const std::string& name) const;
};

// Splits a command's arguments. Every argument that begins with "--" is an option, here as
// before the command word: false with a message in `error` for one the command does not take
// ("unknown option --x"), a valued one without its value, or a switch given one.
bool ParseCommandArguments(const std::vector<std::string>& args, const TCommandOptionSpec& spec,
                           TCommandArguments& parsed, std::string& error);
// The same for the arguments of `options.Command`; a refusal is reported on stderr with the
// usage text.
bool TakeCommandArguments(const TCtlOptions& options, const TCommandOptionSpec& spec,
                          TCommandArguments& parsed);

// The option text of a line rate in bits per second ("28800"); false for a rate the port
// cannot set.
bool ParseBaudrate(const std::string& text, TBaudrate& rate);
