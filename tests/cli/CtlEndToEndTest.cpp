// kq9ctl as a user runs it: "sim" in one process, "send" against it from others, exit codes
// and messages.

#include "ChildProcess.h"

#include "comm/CommTexts.h"
#include "support/PtySimLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using kq9test::ProgramPath;
using kq9test::RunProgram;
using kq9test::TRunResult;

namespace {

std::string Kq9ctl() {
    return ProgramPath("kq9ctl");
}

// A settings file beside the test binary must not change what the options say: every run
// gets a home folder without one, unless the test gives its own.
TRunResult Send(std::vector<std::string> options, const std::vector<std::string>& text) {
    if (std::find(options.begin(), options.end(), "--home") == options.end())
        options.insert(options.begin(), {"--home", KQ9_SIM_FIXTURES});
    options.insert(options.begin(), Kq9ctl());
    options.push_back("send");
    options.insert(options.end(), text.begin(), text.end());
    return RunProgram(options);
}

struct TTempDir {
    std::filesystem::path Path;
    TTempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kq9ctl-XXXXXX").string();
        Path = ::mkdtemp(pattern.data()) ? pattern : "";
    }
    ~TTempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
};

} // namespace

TEST(Kq9ctl, SimServesSendThroughItsLinkUntilTerminated) {
    TTempDir dir;
    const std::string link = (dir.Path / "ttySIM").string();
    kq9test::TChildProcess sim;
    ASSERT_TRUE(
        sim.Start({Kq9ctl(), "sim", "--link", link, "--units", "0,5", "--line", "38400,E,8,1",
                   "--params", std::string(KQ9_SIM_FIXTURES) + "/Parameters.txt"}));
    const std::string path = sim.ReadLine(5000);
    ASSERT_TRUE(path.starts_with("/dev/pts/")) << path;
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), path);

    TRunResult rt = Send({"--port", link, "--baud", "38400", "--parity", "E"}, {"rt"});
    EXPECT_EQ(rt.ExitCode, 0) << rt.Err;
    EXPECT_EQ(rt.Out, "rt KX71-2412\n");
    TRunResult rp = Send({"--port", path, "--baud", "38400", "--unit", "5"}, {"  rp", "12  "});
    EXPECT_EQ(rp.ExitCode, 0) << rp.Err;
    EXPECT_EQ(rp.Out, "rp 12 -350\n");
    // Not at the line's rate, and a unit that is not there: time-outs.
    TRunResult slow = Send({"--port", path, "--timeout", "0"}, {"rt"});
    EXPECT_EQ(slow.ExitCode, 3);
    EXPECT_EQ(slow.Out, "");
    TRunResult missing = Send({"--port", path, "--baud", "38400", "--unit", "7"}, {"rt"});
    EXPECT_EQ(missing.ExitCode, 3);
    EXPECT_NE(missing.Err.find("sc 7"), std::string::npos) << missing.Err;

    sim.Signal(SIGTERM);
    EXPECT_EQ(sim.Wait(5000), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(Kq9ctl, SendReportsFailuresWithItsExitCodes) {
    TRunResult noDevice = Send({"--port", "/dev/kq9-no-such-device"}, {"rt"});
    EXPECT_EQ(noDevice.ExitCode, 2);
    EXPECT_NE(noDevice.Err.find(SysErrorMessage(ENOENT)), std::string::npos) << noDevice.Err;

    EXPECT_EQ(Send({"--baud", "14400"}, {"rt"}).ExitCode, 1);
    EXPECT_EQ(Send({}, {}).ExitCode, 1);
    EXPECT_EQ(RunProgram({Kq9ctl(), "fly"}).ExitCode, 1);
    TRunResult help = RunProgram({Kq9ctl(), "--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Out.find("send"), std::string::npos);
    EXPECT_NE(help.Out.find("--timeout MS applies to single exchanges"), std::string::npos);

    // A unit that refuses its selection, and a reply printed as it came, refusal included.
    kq9test::TPtySimLine line({3});
    line.Line().Configure(3, [](TSimUnit& u) {
        u.Faults.AppliesTo = "sc";
        u.Faults.RefuseWith = 4;
    });
    TRunResult refused = Send({"--port", line.SlavePath(), "--unit", "3"}, {"rt"});
    EXPECT_EQ(refused.ExitCode, 5);
    EXPECT_NE(refused.Err.find("er 4"), std::string::npos) << refused.Err;
    TRunResult unknown = Send({"--port", line.SlavePath()}, {"zz"});
    EXPECT_EQ(unknown.ExitCode, 0);
    EXPECT_EQ(unknown.Out, "er 1\n");
    // Pulling the line mid-reply is a communication error, not a crash.
    line.Line().Configure(3, [](TSimUnit& u) {
        u.Faults = {};
        u.Faults.CutAfter = 3;
        u.Faults.DropLineAfterMs = 20;
    });
    TRunResult dropped = Send({"--port", line.SlavePath()}, {"rt"});
    EXPECT_EQ(dropped.ExitCode, 4) << dropped.Err;
}

TEST(Kq9ctl, IdentifyTakesThePortAndUnitFromTheSettingsFile) {
    kq9test::TPtySimLine line({0, 5});
    line.Line().Configure(5, [](TSimUnit& u) { u.TypeText = "XY12-1"; });
    TTempDir home;
    {
        std::ofstream ini(home.Path / "application.ini");
        ini << "[Serieel]\nbaudrate=6\nparity=1\nportname=2\nunit_no=5\n"
            << "[Poorten]\nCOM3=" << line.SlavePath() << "\n";
    }
    TRunResult identify = RunProgram({Kq9ctl(), "--home", home.Path.string(), "identify"});
    EXPECT_EQ(identify.ExitCode, 0) << identify.Err;
    auto unit5 = line.Line().Unit(5);
    ASSERT_TRUE(unit5.has_value());
    EXPECT_EQ(identify.Out, "XY12-1\n" + unit5->HardwareText + "\n" + unit5->SoftwareText + "\n");
    TRunResult strict =
        RunProgram({Kq9ctl(), "--home", home.Path.string(), "--unit", "0", "identify", "--strict"});
    EXPECT_EQ(strict.ExitCode, 0) << strict.Err;
    TRunResult foreign =
        RunProgram({Kq9ctl(), "--home", home.Path.string(), "identify", "--strict"});
    EXPECT_EQ(foreign.ExitCode, 5);
    EXPECT_NE(foreign.Err.find("XY12-1"), std::string::npos) << foreign.Err;

    // A unit number the line cannot have is a usage error naming where it came from.
    std::ofstream(home.Path / "application.ini")
        << "[Serieel]\nunit_no=77\n[Poorten]\nCOM1=" << line.SlavePath() << "\n";
    for (const char* command : {"identify", "read-setpoints"}) {
        std::vector<std::string> args = {Kq9ctl(), "--home", home.Path.string(), command};
        if (std::string(command) == "read-setpoints")
            args.push_back((home.Path / "unit.aps").string());
        TRunResult outside = RunProgram(args);
        EXPECT_EQ(outside.ExitCode, 1) << command;
        EXPECT_NE(
            outside.Err.find((home.Path / "application.ini").string() + ": [Serieel] unit_no=77"),
            std::string::npos)
            << outside.Err;
    }
    EXPECT_EQ(
        RunProgram({Kq9ctl(), "--home", home.Path.string(), "--unit", "5", "identify"}).ExitCode,
        0);
}
