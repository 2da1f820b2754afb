// kq9ctl get-param, set-param and show-params as a user runs them: against the simulated line
// on a pty with the shipped definitions in English, with their output and exit codes.

#include "ChildProcess.h"

#include "params/ValueFile.h"
#include "support/PtySimLine.h"

#include <QString>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using kq9test::ProgramPath;
using kq9test::RunProgram;
using kq9test::TRunResult;

namespace {

class CtlParamTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "kq9param-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        Home = pattern;
        const std::filesystem::path data = std::getenv("KQ9_DATA_DIR");
        for (const char* name : {"Parameters.txt", "ParNo.txt", "Tree1.txt", "Taal1.ini"})
            std::filesystem::copy_file(data / name, Home / name);
        std::ofstream(Home / "application.ini") << "[Opties]\nTaal=1\n";
        Unit([](TSimUnit& u) {
            u.Parameters[203] = 3;
            u.Parameters[17] = -12345;
            u.Parameters[220] = 1;
            u.Parameters[221] = 9;
        });
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(Home, ignored);
    }

    TRunResult Ctl(std::vector<std::string> args) {
        std::vector<std::string> argv = {ProgramPath("kq9ctl"), "--home", Home.string(), "--port",
                                         Sim.SlavePath(),       "--baud", "38400"};
        argv.insert(argv.end(), args.begin(), args.end());
        return RunProgram(argv);
    }
    void Unit(const std::function<void(TSimUnit&)>& change) { Sim.Line().Configure(0, change); }
    int32_t Parameter(int nr) { return Sim.Line().Unit(0)->Parameters[static_cast<size_t>(nr)]; }

    std::filesystem::path Home;
    kq9test::TPtySimLine Sim{0};
};

} // namespace

TEST_F(CtlParamTest, GetParamPrintsTheRowAsTheEditorShowsIt) {
    TRunResult position = Ctl({"get-param", "17"});
    ASSERT_EQ(position.ExitCode, 0) << position.Err;
    EXPECT_EQ(position.Out, "017\t-12,345\t\tCam 11 start position\n");
    EXPECT_EQ(Ctl({"get-param", "220"}).Out, "220\t1\tAutomatic\tMode after power-on\n");
    EXPECT_EQ(Ctl({"get-param", "221"}).Out.substr(0, 14), "221\t9\t########");

    EXPECT_EQ(Ctl({"get-param", "400"}).ExitCode, 1);
    EXPECT_EQ(Ctl({"get-param"}).ExitCode, 1);
    Unit([](TSimUnit& u) {
        u.Faults.AppliesTo = "rp 17";
        u.Faults.NoEcho = true;
    });
    TRunResult garbled = Ctl({"get-param", "17"});
    EXPECT_EQ(garbled.ExitCode, 5) << garbled.Err;
    EXPECT_EQ(garbled.Out, "");
}

TEST_F(CtlParamTest, SetParamChecksAsTheDialogDoesBeforeAnythingIsSent) {
    TRunResult set = Ctl({"set-param", "17", "1.5"});
    ASSERT_EQ(set.ExitCode, 0) << set.Err;
    EXPECT_EQ(Parameter(17), 1500);
    EXPECT_EQ(set.Out, "017\t1,500\t\tCam 11 start position\n");

    // Decimals of the unit's parameter 203, and the limits of the definitions.
    TRunResult decimals = Ctl({"set-param", "17", "1,2345"});
    EXPECT_EQ(decimals.ExitCode, 1);
    EXPECT_NE(decimals.Err.find("Too many digits"), std::string::npos) << decimals.Err;
    TRunResult option = Ctl({"set-param", "220", "2"});
    EXPECT_EQ(option.ExitCode, 1);
    EXPECT_NE(option.Err.find("Value out of limits"), std::string::npos) << option.Err;
    EXPECT_EQ(Ctl({"set-param", "220", "abc"}).ExitCode, 1);
    EXPECT_EQ(Parameter(17), 1500);
    EXPECT_EQ(Parameter(220), 1);
    EXPECT_EQ(Ctl({"set-param", "220", "0"}).ExitCode, 0);
    EXPECT_EQ(Parameter(220), 0);

    Unit([](TSimUnit& u) {
        u.Faults.AppliesTo = "wp";
        u.Faults.RefuseWith = 7;
        u.Faults.Times = 1;
        u.RejectedParameter = 57;
    });
    TRunResult refused = Ctl({"set-param", "17", "-2"});
    EXPECT_EQ(refused.ExitCode, 5);
    EXPECT_NE(refused.Err.find("(er 7) value refused"), std::string::npos) << refused.Err;
    EXPECT_EQ(Parameter(17), 1500);
    TRunResult rejected = Ctl({"set-param", "17", "-2", "--take-over"});
    EXPECT_EQ(rejected.ExitCode, 5);
    EXPECT_NE(rejected.Err.find("Parameter 57 not taken over"), std::string::npos) << rejected.Err;
    EXPECT_EQ(Parameter(17), -2000);
    Unit([](TSimUnit& u) { u.RejectedParameter = -1; });
    EXPECT_EQ(Ctl({"set-param", "--take-over", "17", "3"}).ExitCode, 0);

    TRunResult unknown = Ctl({"set-param", "17", "5", "--bogus"});
    EXPECT_EQ(unknown.ExitCode, 1);
    EXPECT_NE(unknown.Err.find("unknown option --bogus"), std::string::npos) << unknown.Err;
    EXPECT_EQ(Parameter(17), 3000);
}

TEST_F(CtlParamTest, ShowParamsPrintsTheFilesPagesInTreeOrder) {
    TParValues values{};
    values[203] = 2;
    values[7] = 1234;
    values[256] = 1;
    const std::string path = (Home / "set.app").string();
    ASSERT_TRUE(WriteParamFile(QString::fromStdString(path), 0, values));

    TRunResult page = Ctl({"show-params", path, "--page", "702"});
    ASSERT_EQ(page.ExitCode, 0) << page.Err;
    EXPECT_EQ(page.Out.substr(0, page.Out.find('\n', page.Out.find('\n') + 1) + 1),
              "702\tCams 1 and 2\n7.2.1\t256\tCam 1 function\t1\tWindow\n");
    EXPECT_NE(page.Out.find("7.2.4\t007\tCam 1 start position\t12,34\t\n"), std::string::npos)
        << page.Out;

    TRunResult all = Ctl({"show-params", path});
    ASSERT_EQ(all.ExitCode, 0) << all.Err;
    EXPECT_EQ(all.Out.substr(0, 16), "101\tCommunicatio");
    EXPECT_LT(all.Out.find("\n\n102\t"), all.Out.find("\n\n702\t"));
    EXPECT_EQ(Ctl({"show-params", path, "--page", "799"}).ExitCode, 1);
    TRunResult unknown = Ctl({"show-params", path, "--bogus"});
    EXPECT_EQ(unknown.ExitCode, 1);
    EXPECT_NE(unknown.Err.find("unknown option --bogus"), std::string::npos) << unknown.Err;

    // A refused file is named with the editor's text of the language, whichever command reads it.
    const std::string badPath = (Home / "bad.app").string();
    std::ofstream(badPath) << "not a parameter file\r\n";
    for (const char* command : {"show-params", "write-params"}) {
        TRunResult bad = Ctl({command, badPath});
        EXPECT_EQ(bad.ExitCode, 6) << command;
        EXPECT_NE(bad.Err.find(badPath + ": This is not a parameter file"), std::string::npos)
            << bad.Err;
    }
}

TEST_F(CtlParamTest, DiffListsTheValuesThatDifferAndEndsWith5WhenAnyDoes) {
    TParValues a{};
    a[203] = 2;
    a[7] = 1234;
    a[220] = 1;
    TParValues b = a;
    b[7] = 1250;
    b[220] = 0;
    const std::string pathA = (Home / "a.app").string();
    const std::string pathB = (Home / "b.app").string();
    ASSERT_TRUE(WriteParamFile(QString::fromStdString(pathA), 0, a));
    ASSERT_TRUE(WriteParamFile(QString::fromStdString(pathB), 0, b));

    TRunResult same = Ctl({"diff", pathA, pathA});
    EXPECT_EQ(same.ExitCode, 0) << same.Err;
    EXPECT_EQ(same.Out, "");
    TRunResult differ = Ctl({"diff", pathA, pathB});
    EXPECT_EQ(differ.ExitCode, 5) << differ.Err;
    EXPECT_EQ(differ.Out, "007\tCam 1 start position\t12,34\t\t12,50\t\n"
                          "220\tMode after power-on\t1\tAutomatic\t0\tManual\n");
    EXPECT_NE(differ.Err.find("2 parameters differ"), std::string::npos) << differ.Err;

    // Sets of two kinds, the unit twice, a missing file: nothing is compared.
    const std::string setpoints = (Home / "set.aps").string();
    TSollValues file{};
    file[1] = 1500;
    file[3] = -20;
    ASSERT_TRUE(WriteSollFile(QString::fromStdString(setpoints), 0, file, 0));
    EXPECT_EQ(Ctl({"diff", pathA, setpoints}).ExitCode, 1);
    EXPECT_EQ(Ctl({"diff", "device", "device"}).ExitCode, 1);
    EXPECT_EQ(Ctl({"diff", pathA}).ExitCode, 1);
    EXPECT_EQ(Ctl({"diff", pathA, (Home / "none.app").string()}).ExitCode, 6);

    // The unit's setpoints, with the decimals of its parameter 203.
    Unit([](TSimUnit& u) {
        u.Setpoints.fill(0);
        u.Setpoints[0] = 1500;
        u.Setpoints[47] = 7;
    });
    TRunResult unit = Ctl({"diff", setpoints, "device"});
    EXPECT_EQ(unit.ExitCode, 5) << unit.Err;
    EXPECT_EQ(unit.Out, "3\t-0,020\t0,000\n48\t0,000\t0,007\n");
}
