// kq9ctl scan against kq9ctl sim on a pty, with a unit at line settings of its own: the pty
// shows the rate and stop bits, so the unit is found only where those match; and its search loop
// in-process on the simulated line, behind an adapter that refuses a rate.

#include "ChildProcess.h"
#include "cli/CtlScan.h"
#include "comm/LBComm.h"
#include "comm/PlainHandover.h"
#include "comm/UiHandover.h"
#include "sim/SimLineSettings.h"
#include "sim/SimSerialDevice.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <sstream>

using kq9test::ProgramPath;
using kq9test::RunProgram;
using kq9test::TRunResult;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// A found unit's line without its type text.
std::string Settings(const std::string& line) {
    size_t first = line.find('\t');
    size_t second = line.find('\t', first + 1);
    return line.substr(0, first) + line.substr(second);
}

} // namespace

TEST(Kq9ctlScan, ListsEveryUnitAtEverySettingItAnswersAtAsItIsFound) {
    kq9test::TChildProcess sim;
    ASSERT_TRUE(
        sim.Start({ProgramPath("kq9ctl"), "sim", "--units", "2,3", "--unit-line", "3=38400,N,8,2",
                   "--params", std::string(KQ9_SIM_FIXTURES) + "/Parameters.txt"}));
    const std::string path = sim.ReadLine(5000);
    ASSERT_TRUE(path.starts_with("/dev/pts/")) << path;
    auto scan = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {ProgramPath("kq9ctl"), "--home", KQ9_SIM_FIXTURES,
                                             "--port", path, "--parity", "E", "scan"});
        return RunProgram(arguments, 60000);
    };

    TRunResult found = scan({"--units", "2-3", "--stopbits", "auto", "--from", "38400"});
    EXPECT_EQ(found.ExitCode, 0) << found.Err;
    std::vector<std::string> expected;
    for (const char* rate : {"38400", "57600", "9600", "19200", "28800"}) {
        expected.push_back(std::string("02\t") + rate + "\tEven\t1");
        expected.push_back(std::string("02\t") + rate + "\tEven\t2");
        if (std::string(rate) == "38400")
            expected.push_back("03\t38400\tEven\t2");
    }
    std::vector<std::string> lines = Lines(found.Out);
    std::vector<std::string> settings;
    for (const std::string& line : lines)
        settings.push_back(Settings(line));
    EXPECT_EQ(settings, expected) << found.Out;
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines[0].find("   KX71-2412\t") != std::string::npos) << lines[0];
    EXPECT_NE(found.Err.find("searching at 57600 bit/s"), std::string::npos) << found.Err;

    TRunResult none = scan({"--units", "9"});
    EXPECT_EQ(none.ExitCode, 5);
    EXPECT_EQ(none.Out, "");
    EXPECT_NE(none.Err.find("no unit answered"), std::string::npos) << none.Err;
    for (auto bad : std::vector<std::vector<std::string>>{
             {"--units", "5-2"}, {"--units", "32"}, {"--from", "14400"}, {"--parity", "N"}})
        EXPECT_EQ(scan(bad).ExitCode, 1) << bad[0] << " " << bad[1];
}

TEST(Kq9ctlScan, SimRefusesLineSettingsForAUnitItDoesNotServe) {
    for (const char* unitLine : {"7=38400,N,8,2", "0=38400,X,8,2", "0:38400,N,8,1"}) {
        TRunResult sim =
            RunProgram({ProgramPath("kq9ctl"), "sim", "--units", "0", "--unit-line", unitLine});
        EXPECT_EQ(sim.ExitCode, 1) << unitLine;
        EXPECT_NE(sim.Err.find("--unit-line"), std::string::npos) << sim.Err;
    }
}

namespace {

// The simulated line behind an adapter that cannot run at 28800 bit/s.
class TNo28800Device : public TSimSerialDevice {
public:
    using TSimSerialDevice::TSimSerialDevice;
    int SetCommState(const TDcb& dcb) override {
        return dcb.BaudRate == 28800 ? EINVAL : TSimSerialDevice::SetCommState(dcb);
    }
};

} // namespace

TEST(Kq9ctlScan, ARateTheAdapterRefusesIsReportedAndSkippedAndTheScanGoesOn) {
    auto line = std::make_shared<TSimLine>();
    line->AddUnit(1);
    line->Configure(1, [](TSimUnit& u) { ParseSimLineSettings("38400,N,8,1", u.Line); });
    TPlainHandover handover;
    SetUiHandover(&handover);
    TLBComm port([line] { return std::make_shared<TNo28800Device>(line); });
    port.SetFrameParitybit(TParityBit::None);
    port.Open();
    TSearchOptions options;
    options.StartRate = 1; // 19200
    options.FirstUnit = options.LastUnit = 1;

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int result = ScanLine(port, options, [&](const std::function<bool()>& done) {
        while (!done())
            handover.ProcessMessages(-1);
    });
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    port.Close();
    SetUiHandover(nullptr);

    EXPECT_EQ(result, 0) << err;
    EXPECT_EQ(Lines(out).size(), 1u) << out;
    EXPECT_EQ(Settings(out.substr(0, out.find('\n'))), "01\t38400\tNone\t1") << out;
    EXPECT_NE(err.find("refuses 28800 bit/s"), std::string::npos) << err;
    EXPECT_NE(err.find("searching at 9600 bit/s"), std::string::npos) << "went round: " << err;
}
