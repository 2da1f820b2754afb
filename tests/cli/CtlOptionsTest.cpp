// The options of kq9ctl before its command word.

#include "cli/CtlOptions.h"
#include "comm/ComNames.h"

#include <gtest/gtest.h>

namespace {

bool Parse(std::vector<std::string> args, TCtlOptions& options, std::string& error) {
    options = TCtlOptions{};
    error.clear();
    return ParseCtlOptions(args, options, error);
}

} // namespace

TEST(CtlOptions, TakesTheLineSettingsThePortAndTheCommand) {
    TCtlOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"send", "rt"}, o, error));
    EXPECT_FALSE(o.Port || o.Baudrate || o.Parity || o.Databits || o.Stopbits);
    EXPECT_EQ(o.Unit, -1);
    EXPECT_EQ(o.TimeoutMs, 1500);
    EXPECT_EQ(o.Command, "send");
    EXPECT_EQ(o.Arguments, std::vector<std::string>{"rt"});

    ASSERT_TRUE(Parse({"--port", "COM12", "--baud", "28800", "--parity=E", "--databits", "7",
                       "--stopbits", "2", "--unit", "31", "--timeout", "0", "--home", "/opt/kq9",
                       "send", "wp", "5", "-120"},
                      o, error))
        << error;
    EXPECT_EQ(o.Port, TPort::COM12);
    EXPECT_TRUE(o.DevicePath.empty());
    EXPECT_EQ(o.Baudrate, TBaudrate::br28800);
    EXPECT_EQ(o.Parity, TParityBit::Even);
    EXPECT_EQ(o.Databits, TDataBit::db_7);
    EXPECT_EQ(o.Stopbits, TStopBit::sb_2);
    EXPECT_EQ(o.Unit, 31);
    EXPECT_EQ(o.TimeoutMs, 0);
    EXPECT_EQ(o.Home, "/opt/kq9");
    // Options after the command word belong to the command.
    EXPECT_EQ(o.Arguments, (std::vector<std::string>{"wp", "5", "-120"}));

    EXPECT_FALSE(o.Fast);
    EXPECT_TRUE(o.LogPath.empty());
    // --fast is a switch: the word after it is the next option or the command.
    ASSERT_TRUE(Parse({"--fast", "--log", "line.log", "--unit", "2", "backup", "x.bak"}, o, error));
    EXPECT_TRUE(o.Fast);
    EXPECT_EQ(o.LogPath, "line.log");
    EXPECT_EQ(o.Command, "backup");

    ASSERT_TRUE(Parse({"--port", "/dev/serial/by-id/usb-FTDI", "sim", "--units", "1"}, o, error));
    EXPECT_FALSE(o.Port);
    EXPECT_EQ(o.DevicePath, "/dev/serial/by-id/usb-FTDI");
    EXPECT_EQ(o.Arguments, (std::vector<std::string>{"--units", "1"}));
}

TEST(CtlOptions, RefusesWhatItCannotUse) {
    TCtlOptions o;
    std::string error;
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--baud", "9600"},
        {"--baud", "14400", "send", "rt"},
        {"--parity", "X", "send", "rt"},
        {"--parity", "e", "send", "rt"},
        {"--databits", "6", "send", "rt"},
        {"--stopbits", "1.5", "send", "rt"},
        {"--unit", "32", "send", "rt"},
        {"--unit", "-1", "send", "rt"},
        {"--timeout", "soon", "send", "rt"},
        {"--port", "", "send", "rt"},
        {"--verbose", "send", "rt"},
        {"--unit"},
        {"--log", "", "send", "rt"},
        {"--fast"},
        {"--fast=1", "send", "rt"},
    };
    for (const auto& args : bad) {
        std::string joined;
        for (const auto& a : args)
            joined += a + " ";
        EXPECT_FALSE(Parse(args, o, error)) << joined;
        EXPECT_FALSE(error.empty()) << joined;
    }
}

TEST(CtlOptions, AnUnknownOptionIsCalledUnknownWhereverItStands) {
    const TCommandOptionSpec spec{{"--page"}, {"--yes"}};
    TCommandArguments parsed;
    std::string error;
    ASSERT_TRUE(ParseCommandArguments({"a.app", "--page", "702", "--yes", "-5", "--page=101"}, spec,
                                      parsed, error))
        << error;
    EXPECT_EQ(parsed.Words, (std::vector<std::string>{"a.app", "-5"}));
    EXPECT_EQ(parsed.Options, (std::vector<std::pair<std::string, std::string>>{
                                  {"--page", "702"}, {"--yes", ""}, {"--page", "101"}}));
    EXPECT_TRUE(parsed.Has("--yes"));

    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"17", "5", "--bogus"}, "unknown option --bogus"},
        {{"--bogus", "x"}, "unknown option --bogus"},
        {{"--bogus=1"}, "unknown option --bogus"},
        {{"a.app", "--page"}, "option --page needs a value"},
        {{"--yes=1"}, "option --yes takes no value"},
    };
    for (const auto& [args, message] : refused) {
        error.clear();
        EXPECT_FALSE(ParseCommandArguments(args, spec, parsed, error)) << message;
        EXPECT_EQ(error, message);
    }

    // The options before the command word follow the same rule.
    TCtlOptions o;
    EXPECT_FALSE(Parse({"--bogus"}, o, error));
    EXPECT_EQ(error, "unknown option --bogus");
}
