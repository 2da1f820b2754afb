// kq9ctl log against the simulated line on a pty: the samples it writes, where it writes them,
// and how a silent unit ends it.

#include "ChildProcess.h"

#include "support/PtySimLine.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using kq9test::ProgramPath;
using kq9test::RunProgram;
using kq9test::TRunResult;

namespace {

class CtlLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "kq9log-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        Home = pattern;
        Sim.Line().Configure(0, [](TSimUnit& u) { u.Parameters[203] = 2; });
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(Home, ignored);
    }
    TRunResult Log(std::vector<std::string> args) {
        std::vector<std::string> argv = {ProgramPath("kq9ctl"), "--home", Home.string(), "--port",
                                         Sim.SlavePath(),       "log"};
        argv.insert(argv.end(), args.begin(), args.end());
        return RunProgram(argv, 20000);
    }

    std::filesystem::path Home;
    kq9test::TPtySimLine Sim{0};
};

// The "ms,value" lines after the header, split.
std::vector<QStringList> Rows(const std::string& csv) {
    QStringList lines = QString::fromStdString(csv).split('\n', Qt::SkipEmptyParts);
    EXPECT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.value(0), "ms,value");
    std::vector<QStringList> rows;
    for (qsizetype i = 1; i < lines.size(); ++i)
        rows.push_back(lines[i].split(','));
    return rows;
}

} // namespace

TEST_F(CtlLogTest, RecordsTheCountAskedForWithRisingTimeStamps) {
    TRunResult run = Log({"r0", "--count", "6"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    std::vector<QStringList> rows = Rows(run.Out);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0][0], "0");
    for (size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 2) << i;
        if (i > 0) {
            EXPECT_GT(rows[i][0].toInt(), rows[i - 1][0].toInt()) << i;
        }
        // The unit's two position decimals, with a point.
        EXPECT_EQ(rows[i][1].section('.', 1).size(), 2) << rows[i][1].toStdString();
    }
    EXPECT_NE(run.Err.find("recording: 6/6 (100%)"), std::string::npos) << run.Err;

    // An analog source by its index, for a time, into a file.
    const std::string csv = (Home / "current.csv").string();
    run = Log({"4", "--seconds", "0.4", "--csv", csv});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
    std::ifstream in(csv);
    rows = Rows({std::istreambuf_iterator<char>(in), {}});
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[0][1].section('.', 1).size(), 4);
    EXPECT_GE(rows[0][1].toDouble(), 4.0);

    // A file that cannot be written is found out before anything is recorded.
    run = Log({"4", "--seconds", "30", "--csv", (Home / "missing" / "current.csv").string()});
    EXPECT_EQ(run.ExitCode, 6);
    EXPECT_NE(run.Err.find("cannot write"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find("recording"), std::string::npos) << run.Err;
}

TEST_F(CtlLogTest, ASilentUnitEndsItWithTheTimeOutCode) {
    Sim.Line().Configure(0, [](TSimUnit& u) {
        u.Faults.AppliesTo = "r5";
        u.Faults.Silent = true;
    });
    TRunResult run = Log({"r5", "--count", "3"});
    EXPECT_EQ(run.ExitCode, 3);
    EXPECT_EQ(run.Out, "ms,value\n");
    EXPECT_NE(run.Err.find("no reply to \"r5\""), std::string::npos) << run.Err;

    EXPECT_EQ(Log({}).ExitCode, 1);
    EXPECT_EQ(Log({"r7"}).ExitCode, 1);
    EXPECT_EQ(Log({"r0", "--count", "4002"}).ExitCode, 1);
    EXPECT_EQ(Log({"r0", "--seconds", "-1"}).ExitCode, 1);
}
