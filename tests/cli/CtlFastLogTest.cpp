// kq9ctl --fast and --log: the same results with replies ending at their line end, and every
// exchange of a run in the log file.

#include "ChildProcess.h"

#include "support/PtySimLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using kq9test::ProgramPath;
using kq9test::RunProgram;
using kq9test::TRunResult;

namespace {

std::vector<std::string> Lines(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(Kq9ctlFastLog, FastRunsGiveTheSameResultsAndTheLogHoldsEveryExchange) {
    kq9test::TPtySimLine line({0});
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kq9ctl-log-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path log = folder / "line.log";
    auto run = [&](std::vector<std::string> options) {
        std::vector<std::string> args = {ProgramPath("kq9ctl"),
                                         "--home",
                                         KQ9_SIM_FIXTURES,
                                         "--port",
                                         line.SlavePath(),
                                         "--unit",
                                         "0"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back("identify");
        return RunProgram(args);
    };
    TRunResult normal = run({});
    TRunResult fast = run({"--fast", "--log", log.string()});
    EXPECT_EQ(normal.ExitCode, 0) << normal.Err;
    EXPECT_EQ(fast.ExitCode, 0) << fast.Err;
    EXPECT_EQ(fast.Out, normal.Out);

    // The unit selection and the three identification texts.
    std::vector<std::string> lines = Lines(log);
    ASSERT_EQ(lines.size(), 4u);
    const char* commands[] = {"sc 0\\r", "rt\\r", "rh\\r", "rx\\r"};
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_NE(lines[i].find("  kq9ctl "), std::string::npos) << lines[i];
        EXPECT_NE(lines[i].find(std::string("  ") + commands[i] + " "), std::string::npos)
            << lines[i];
        EXPECT_NE(lines[i].find("\\r\\n "), std::string::npos) << lines[i];
        EXPECT_EQ(lines[i].substr(lines[i].size() - 3), " ms");
    }

    // A log that cannot be written stops the command before it touches the line.
    TRunResult refused = run({"--log", (folder / "missing" / "line.log").string()});
    EXPECT_EQ(refused.ExitCode, 6);
    EXPECT_NE(refused.Err.find("cannot write the log"), std::string::npos) << refused.Err;
    EXPECT_EQ(refused.Out, "");
    std::filesystem::remove_all(folder);
}
