// kq9ctl print-params and print-setpoints as a user runs them: the PDF they write from the
// program's shipped files, the header texts from the settings and the command line, and their
// exit codes.

#include "../cli/ChildProcess.h"
#include "PdfText.h"

#include "app/FixtureFiles.h"
#include "params/ValueFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using kq9test::ProgramPath;
using kq9test::ReadFixture;
using kq9test::RunProgram;
using kq9test::TRunResult;
using kq9test::WriteFixture;

namespace {

class PrintCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Home.isValid());
        // The program's own files, as shipped.
        QDir data(QString::fromLocal8Bit(qgetenv("KQ9_DATA_DIR")));
        for (const QString& name : data.entryList(QDir::Files))
            QFile::copy(data.filePath(name), Home.filePath(name));
        WriteFixture(Home.path(), "application.ini",
                     "[Opties]\nTaal=1\n[Afdrukken]\nFirma=ACME Machines\nType=KX71-0100\n"
                     "Sn=SN-1\n");
        TParValues values{};
        values[109] = 5000;
        ASSERT_TRUE(WriteParamFile(Home.filePath(QStringLiteral("set.app")), 0, values));
        TSollValues setpoints{};
        setpoints[7] = -1500;
        ASSERT_TRUE(WriteSollFile(Home.filePath(QStringLiteral("set.aps")), 0, setpoints, 0));
    }
    TRunResult Ctl(const std::vector<std::string>& args) {
        std::vector<std::string> argv = {ProgramPath("kq9ctl"), "--home", Path("")};
        argv.insert(argv.end(), args.begin(), args.end());
        return RunProgram(argv, 30000);
    }
    std::string Path(const char* name) const { return Home.filePath(name).toStdString(); }

    QTemporaryDir Home;
};

} // namespace

TEST_F(PrintCommandTest, ListsArePrintedToPdfInTheLanguageOfTheSettings) {
    TRunResult params =
        Ctl({"print-params", Path("set.app"), "--pdf", Path("params.pdf"), "--sn", "SN-2"});
    ASSERT_EQ(params.ExitCode, 0) << params.Err;
    QStringList pages = kq9test::PdfPages(Home.filePath(QStringLiteral("params.pdf")));
    ASSERT_GT(pages.size(), 1);
    EXPECT_EQ(params.Out, Path("params.pdf") + ": " + std::to_string(pages.size()) + " pages\n");
    const QString first = pages.front().simplified();
    EXPECT_TRUE(first.contains(QStringLiteral("Company: ACME Machines"))) << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("Serial no.: SN-2 Page 1")));
    EXPECT_TRUE(first.contains(QStringLiteral("General > Communication")));
    // Parameter 109 has three decimals in the shipped definitions.
    EXPECT_TRUE(first.contains(QStringLiteral("109 Spindle pitch (mm/rev) 5,000")));
    EXPECT_TRUE(pages.back().simplified().contains(QStringLiteral("Page %1").arg(pages.size())));

    TRunResult setpoints =
        Ctl({"print-setpoints", Path("set.aps"), "--pdf=" + Path("setpoints.pdf")});
    ASSERT_EQ(setpoints.ExitCode, 0) << setpoints.Err;
    EXPECT_EQ(setpoints.Out, Path("setpoints.pdf") + ": 1 page\n");
    const QString list =
        kq9test::PdfText(Home.filePath(QStringLiteral("setpoints.pdf"))).simplified();
    EXPECT_TRUE(list.contains(QStringLiteral("Serial no.: SN-1 Page 1")));
    EXPECT_TRUE(list.contains(QStringLiteral("Setpoints No. Value 1 0")));
    EXPECT_TRUE(list.contains(QStringLiteral("7 -1500 8 0")));
}

TEST_F(PrintCommandTest, FaultsEndWithTheirExitCodesAndKeepAnEarlierPdf) {
    EXPECT_EQ(Ctl({"print-params", Path("set.app")}).ExitCode, 1);
    EXPECT_EQ(
        Ctl({"print-params", Path("set.app"), "--pdf", Path("a.pdf"), "--colour", "x"}).ExitCode,
        1);

    TRunResult missing = Ctl({"print-params", Path("none.app"), "--pdf", Path("a.pdf")});
    EXPECT_EQ(missing.ExitCode, 6);
    EXPECT_NE(missing.Err.find("nothing was printed"), std::string::npos) << missing.Err;
    // A setpoint file is no parameter file, said in the language of the settings.
    TRunResult setpoints = Ctl({"print-params", Path("set.aps"), "--pdf", Path("a.pdf")});
    EXPECT_EQ(setpoints.ExitCode, 6);
    EXPECT_NE(setpoints.Err.find(Path("set.aps") + ": This is not a parameter file"),
              std::string::npos)
        << setpoints.Err;
    EXPECT_FALSE(QFile::exists(Home.filePath(QStringLiteral("a.pdf"))));

    // A PDF that cannot be written leaves the old one as it was.
    WriteFixture(Home.path(), "old.pdf", "old");
    QFile::setPermissions(Home.path(), QFile::ReadOwner | QFile::ExeOwner);
    TRunResult locked = Ctl({"print-setpoints", Path("set.aps"), "--pdf", Path("old.pdf")});
    QFile::setPermissions(Home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (::geteuid() != 0) {
        EXPECT_EQ(locked.ExitCode, 6);
        EXPECT_EQ(ReadFixture(Home.filePath(QStringLiteral("old.pdf"))), "old");
    }
    TRunResult noFolder =
        Ctl({"print-setpoints", Path("set.aps"), "--pdf", Path("missing/out.pdf")});
    EXPECT_EQ(noFolder.ExitCode, 6);
    EXPECT_NE(noFolder.Err.find("cannot write"), std::string::npos) << noFolder.Err;
}
