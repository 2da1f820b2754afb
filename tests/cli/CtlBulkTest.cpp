// kq9ctl's bulk commands as a user runs them against the simulated line on a pty: the files
// they write and read, what reaches the controller, and their exit codes. Only the backup runs
// a whole controller; the other runs are setpoint sets or stop early on a fault or Ctrl-C.

#include "ChildProcess.h"

#include "params/BackupFile.h"
#include "support/PtySimLine.h"
#include "support/WaitUntil.h"

#include <QByteArray>
#include <QFile>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using kq9test::ProgramPath;
using kq9test::RunProgram;
using kq9test::TRunResult;

namespace {

class CtlBulkTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "kq9bulk-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        Home = pattern;
        // The settings file names unit 5, which the commands then select.
        std::ofstream(Home / "application.ini") << "[Serieel]\nunit_no=5\n";
        for (int unit : {0, 5})
            Sim.Line().Configure(unit, [unit](TSimUnit& u) {
                for (int p = 0; p < 400; ++p)
                    u.Parameters[static_cast<size_t>(p)] = unit * 1000 + p;
                for (int s = 0; s < 48; ++s)
                    u.Setpoints[static_cast<size_t>(s)] = -(unit * 100 + s + 1);
            });
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(Home, ignored);
    }

    TRunResult Ctl(std::vector<std::string> args, int timeoutMs = 20000) {
        std::vector<std::string> argv = {ProgramPath("kq9ctl"), "--home", Home.string(), "--port",
                                         Sim.SlavePath(),       "--baud", "38400"};
        argv.insert(argv.end(), args.begin(), args.end());
        return RunProgram(argv, timeoutMs);
    }
    std::string File(const char* name) const { return (Home / name).string(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    TSimUnit Unit(int number) { return *Sim.Line().Unit(number); }
    void Fault(const std::string& appliesTo, const std::function<void(TSimFaults&)>& set) {
        Sim.Line().Configure(5, [&](TSimUnit& u) {
            u.Faults = {};
            u.Faults.AppliesTo = appliesTo;
            set(u.Faults);
        });
    }

    std::filesystem::path Home;
    kq9test::TPtySimLine Sim{0, 5};
};

} // namespace

TEST_F(CtlBulkTest, SetpointFilesFromAndToTheSettingsFilesUnit) {
    const std::string aps = File("unit.aps");
    TRunResult read = Ctl({"read-setpoints", aps});
    ASSERT_EQ(read.ExitCode, 0) << read.Err;
    EXPECT_EQ(read.Out, "");
    // Progress without a terminal: plain lines.
    EXPECT_NE(read.Err.find("reading setpoints: 48/48 (100%)\n"), std::string::npos) << read.Err;
    std::string text = Read(aps);
    EXPECT_TRUE(text.starts_with("ASCII Sollwerten KX7x-XXX   No: 5\r\n\r\nS000 5399\r\n"
                                 "S001 -501\r\n"))
        << text;
    EXPECT_TRUE(text.ends_with("S048 -548\r\n"));

    std::string changed = text;
    changed.replace(changed.find("S002 -502"), 9, "S002 77  ");
    changed.erase(changed.find("S002 77") + 7, 2);
    Write(aps, changed);
    TRunResult write = Ctl({"write-setpoints", aps});
    ASSERT_EQ(write.ExitCode, 0) << write.Err;
    EXPECT_EQ(Unit(5).Setpoints[1], 77);
    EXPECT_EQ(Unit(5).Setpoints[2], -503);
    EXPECT_EQ(Unit(0).Setpoints[1], -2);

    // --unit wins over the settings file.
    TRunResult other = Ctl({"--unit", "0", "read-setpoints", File("zero.aps")});
    ASSERT_EQ(other.ExitCode, 0) << other.Err;
    EXPECT_TRUE(Read(File("zero.aps")).starts_with("ASCII Sollwerten KX7x-XXX   No: 0\r\n"));

    // A refused file sends nothing; a missing argument is a usage error.
    Write(aps, "ASCII Sollwerten KX7x-XXX   No: 5\r\n\r\nS01 5\r\n");
    TRunResult malformed = Ctl({"write-setpoints", aps});
    EXPECT_EQ(malformed.ExitCode, 6);
    // Without a language file, in English, and always with the file.
    EXPECT_NE(malformed.Err.find(aps + ": a line is malformed"), std::string::npos)
        << malformed.Err;
    EXPECT_EQ(Ctl({"write-setpoints"}).ExitCode, 1);
    EXPECT_EQ(Ctl({"read-setpoints", aps, "more"}).ExitCode, 1);
}

TEST_F(CtlBulkTest, ParameterCommandsStopAtFaultsWithTheirExitCodes) {
    Fault("rp 3", [](TSimFaults& f) { f.NoEcho = true; });
    TRunResult read = Ctl({"read-params", File("unit.app")});
    EXPECT_EQ(read.ExitCode, 5);
    EXPECT_NE(read.Err.find("unexpected reply \"3 5003\\r\\n\" to \"rp 3\""), std::string::npos)
        << read.Err;
    EXPECT_FALSE(std::filesystem::exists(File("unit.app")));

    Fault("rp 1", [](TSimFaults& f) { f.Silent = true; });
    TRunResult silent = Ctl({"read-params", File("unit.app")});
    EXPECT_EQ(silent.ExitCode, 3);
    EXPECT_NE(silent.Err.find("no reply to \"rp 1\""), std::string::npos) << silent.Err;

    std::string app = "ASCII Parameters KX7x-XXX   No: 5\r\n\r\n";
    for (int p = 0; p < 400; ++p)
        app += "P" +
               std::string(p < 10    ? "00"
                           : p < 100 ? "0"
                                     : "") +
               std::to_string(p) + " " + std::to_string(-p) + "\r\n";
    Write(File("set.app"), app);
    Fault("wp 5", [](TSimFaults& f) { f.RefuseWith = 7; });
    TRunResult refused = Ctl({"write-params", File("set.app")});
    EXPECT_EQ(refused.ExitCode, 5);
    EXPECT_NE(refused.Err.find("refused \"wp 5 -5\""), std::string::npos) << refused.Err;
    EXPECT_NE(refused.Err.find("written P000 \u2026 P004 before the refusal; not taken over"),
              std::string::npos)
        << refused.Err;
    EXPECT_EQ(Unit(5).Parameters[4], -4);
    EXPECT_EQ(Unit(5).Parameters[5], 5005);

    std::string header = app;
    header[6] = 'X';
    Write(File("bad.app"), header);
    EXPECT_EQ(Ctl({"write-params", File("bad.app")}).ExitCode, 6);
    std::string shortText = app;
    shortText.replace(shortText.find("P017 -17"), 8, "P17 250 ");
    Write(File("bad.app"), shortText);
    TRunResult malformed = Ctl({"write-params", File("bad.app")});
    EXPECT_EQ(malformed.ExitCode, 6);
    EXPECT_NE(malformed.Err.find("nothing was sent"), std::string::npos) << malformed.Err;
    EXPECT_EQ(Unit(5).Parameters[0], 0);
}

TEST_F(CtlBulkTest, BackupRestoreAndVerify) {
    const std::string bak = File("unit.bak");
    // A destination that cannot be written is found before the half minute of reading.
    TRunResult nowhere = Ctl({"backup", File("no-such-folder/unit.bak")});
    EXPECT_EQ(nowhere.ExitCode, 6);
    EXPECT_NE(nowhere.Err.find("nothing was read"), std::string::npos) << nowhere.Err;
    EXPECT_EQ(Sim.Line().Selected(), 0); // the port was not even opened to select unit 5

    TRunResult backup = Ctl({"backup", bak}, 60000);
    ASSERT_EQ(backup.ExitCode, 0) << backup.Err;
    TBackupData device;
    TSimUnit unit = Unit(5);
    std::copy(unit.Parameters.begin(), unit.Parameters.end(), device.Par.begin());
    std::copy(unit.Setpoints.begin(), unit.Setpoints.end(), device.Soll.begin() + 1);
    QByteArray expected = BackupFileBytes(device);
    EXPECT_EQ(Read(bak), expected.toStdString());

    // A file with other values: refused without --yes and without a terminal.
    TBackupData other = device;
    for (int32_t& value : other.Par)
        value = -value;
    Write(File("other.bak"), BackupFileBytes(other).toStdString());
    TRunResult unconfirmed = Ctl({"restore", File("other.bak")});
    EXPECT_EQ(unconfirmed.ExitCode, 1);
    EXPECT_NE(unconfirmed.Err.find("--yes"), std::string::npos) << unconfirmed.Err;
    // Short files and wrong markers are refused before anything is sent.
    Write(File("short.bak"), expected.left(16019).toStdString());
    TRunResult shortFile = Ctl({"restore", File("short.bak"), "--yes"});
    EXPECT_EQ(shortFile.ExitCode, 6);
    EXPECT_NE(shortFile.Err.find("too short"), std::string::npos) << shortFile.Err;
    QByteArray marker = BackupFileBytes(other);
    marker[16012] = 0;
    Write(File("marker.bak"), marker.toStdString());
    EXPECT_EQ(Ctl({"restore", File("marker.bak"), "--yes"}).ExitCode, 6);
    EXPECT_EQ(Unit(5).Parameters, unit.Parameters);

    // Confirmed: the values go out until the controller refuses one.
    Fault("wp 3", [](TSimFaults& f) { f.RefuseWith = 7; });
    TRunResult restore = Ctl({"restore", File("other.bak"), "--yes"});
    EXPECT_EQ(restore.ExitCode, 5) << restore.Err;
    EXPECT_EQ(Unit(5).Parameters[2], -5002);
    EXPECT_EQ(Unit(5).Parameters[3], 5003);

    Fault("rp 2", [](TSimFaults& f) { f.Silent = true; });
    TRunResult verify = Ctl({"verify", bak});
    EXPECT_EQ(verify.ExitCode, 3) << verify.Err;
    EXPECT_EQ(verify.Out, "");
    EXPECT_EQ(Ctl({"verify", File("short.bak")}).ExitCode, 6);
}

// Ctrl-C in the middle of a backup or restore: the run stops between two exchanges with exit
// code 130, a backup leaves no file, and a restore says how far it got.
TEST_F(CtlBulkTest, CtrlCEndsATransferBetweenExchanges) {
    const std::filesystem::path errors = Home.parent_path() / (Home.filename().string() + ".err");
    auto interrupted = [&](const std::vector<std::string>& args, const std::string& label) {
        std::vector<std::string> argv = {"/bin/sh",
                                         "-c",
                                         "exec \"$0\" \"$@\" 2>" + errors.string(),
                                         ProgramPath("kq9ctl"),
                                         "--home",
                                         Home.string(),
                                         "--port",
                                         Sim.SlavePath(),
                                         "--baud",
                                         "38400"};
        argv.insert(argv.end(), args.begin(), args.end());
        kq9test::TChildProcess ctl;
        EXPECT_TRUE(ctl.Start(argv));
        // Some way in: the progress past its first tenth.
        const std::string progress = label + ": ";
        EXPECT_TRUE(kq9test::WaitUntil(
            [&] {
                std::string err = Read(errors.string());
                size_t at = err.find(progress);
                return at != std::string::npos && err.find("(10%)", at) != std::string::npos;
            },
            20000));
        ctl.Signal(SIGINT);
        EXPECT_EQ(ctl.Wait(5000), 130);
        std::string err = Read(errors.string());
        std::filesystem::remove(errors);
        return err;
    };

    const std::string bak = File("unit.bak");
    std::string backup = interrupted({"backup", bak}, "reading the controller");
    EXPECT_NE(backup.find("kq9ctl: interrupted at \"rp "), std::string::npos) << backup;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(Home))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"application.ini"});

    TBackupData data;
    for (int32_t& value : data.Par)
        value = 7;
    Write(bak, BackupFileBytes(data).toStdString());
    std::string restore = interrupted({"restore", bak, "--yes"}, "writing the controller");
    EXPECT_NE(restore.find("kq9ctl: interrupted at \"wp "), std::string::npos) << restore;
    EXPECT_NE(restore.find("kq9ctl: written P000 \u2026 P"), std::string::npos) << restore;
    EXPECT_NE(restore.find("before the interruption; not taken over"), std::string::npos)
        << restore;
    EXPECT_EQ(Unit(5).Parameters[0], 7);
    EXPECT_EQ(Unit(5).Parameters[399], 5399);
}
