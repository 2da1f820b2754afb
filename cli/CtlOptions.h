#pragma once
// The options of kq9ctl that come before the command word, and the command with its own
// arguments. Line settings left out are empty here: they come from the settings file when there
// is one, else from the program's defaults.

#include "comm/CommTypes.h"

#include <optional>
#include <string>
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
    std::string Command;
    std::vector<std::string> Arguments;
};

// Parses the program's arguments (without the program name). False with a message in `error`
// for an unknown option, a bad value or a missing command.
bool ParseCtlOptions(const std::vector<std::string>& args, TCtlOptions& options,
                     std::string& error);

// Takes the option at args[i] ("--name value" or "--name=value") and moves i past it. False with
// a message in `error` when a value is missing.
bool NextOption(const std::vector<std::string>& args, size_t& i, std::string& name,
                std::string& value, std::string& error);

// The option text of a line rate in bits per second ("28800"); false for a rate the port
// cannot set.
bool ParseBaudrate(const std::string& text, TBaudrate& rate);
