// Saving from the graph windows: the save flow shared by every save button (the remembered
// folder, cancelling, a failed save), the log graph's samples as CSV, and the pictures of the log
// graph, the linearisation window and the cam display.

#include "params/TransferTestSupport.h"

#include "app/ExportFile.h"
#include "app/FixtureFiles.h"
#include "app/GlobalVar.h"
#include "calib/Grafiek.h"
#include "calib/Linearisatie.h"
#include "params/DisplayNokken.h"
#include "params/ParamStore.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kq9test;

namespace {

// Answers the save dialog with a fixed file and records what the hooks were asked.
struct TSaveAnswers {
    explicit TSaveAnswers(TExportFile& exporter, QString answer) : Answer(std::move(answer)) {
        exporter.GetSaveFileName = [this](const TFileDialogRequest& request) {
            Requests.push_back(request);
            return Answer;
        };
        exporter.ShowError = [this](const QString& caption, const QString& text) {
            Errors.push_back(caption + u'|' + text);
        };
    }
    QString Answer;
    std::vector<TFileDialogRequest> Requests;
    std::vector<QString> Errors;
};

class ExportWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ParamStore() = TParamStore();
        GlobalVar() = TGlobalVar();
        GlobalVar().OpenCloseDialoogPath = Dir.path();
        ASSERT_TRUE(QDir(Dir.path()).mkdir("out"));
    }
    QString Out(const QString& name) const { return Dir.path() + "/out/" + name; }

    QTemporaryDir Dir;
};

} // namespace

TEST_F(ExportWindowsTest, TheDialogStartsInTheRememberedFolderWhichFollowsTheChosenFile) {
    QWidget owner;
    TExportFile exporter(&owner);
    TSaveAnswers answers(exporter, QString());
    // Cancelled: nothing written, the folder stays, no error.
    EXPECT_FALSE(exporter.SaveCsv([] { return QStringLiteral("ms,value\n"); }));
    EXPECT_EQ(GlobalVar().OpenCloseDialoogPath, Dir.path());
    EXPECT_TRUE(answers.Errors.empty());
    EXPECT_EQ(QDir(Dir.path() + "/out").entryList(QDir::Files), QStringList());

    answers.Answer = Out("log.csv");
    EXPECT_TRUE(exporter.SaveCsv([] { return QStringLiteral("ms,value\n0,1.5\n"); }));
    EXPECT_EQ(ReadFixture(Out("log.csv")), "ms,value\n0,1.5\n");
    EXPECT_EQ(GlobalVar().OpenCloseDialoogPath, Dir.path() + "/out");
    ASSERT_EQ(answers.Requests.size(), 2u);
    EXPECT_EQ(answers.Requests[1].Folder, Dir.path());
    EXPECT_EQ(answers.Requests[1].Filter, "CSV-bestand (*.csv)");
    EXPECT_EQ(answers.Requests[1].DefaultSuffix, "csv");
}

TEST_F(ExportWindowsTest, AFailedSaveLeavesTheOldFileAndSaysWhy) {
    QWidget owner;
    TExportFile exporter(&owner);
    const QString path = WriteFixture(Dir.path() + "/out", "old.png", "old picture");
    TSaveAnswers answers(exporter, path);

    QImage large(400, 300, QImage::Format_RGB32);
    large.fill(Qt::blue);
    bool saved = WithFileSizeLimit(8, [&] { return exporter.SavePicture([&] { return large; }); });
    EXPECT_FALSE(saved);
    // Nothing to encode fails before anything is written.
    EXPECT_FALSE(exporter.SavePicture([] { return QImage(); }));
    EXPECT_EQ(ReadFixture(path), "old picture");
    EXPECT_EQ(QDir(Dir.path() + "/out").entryList(QDir::Files), QStringList{"old.png"});
    ASSERT_EQ(answers.Errors.size(), 2u);
    for (const QString& error : answers.Errors) {
        EXPECT_TRUE(error.startsWith("Opslaan mislukt|Het bestand is niet opgeslagen"))
            << error.toStdString();
        EXPECT_TRUE(error.contains(path + ": ")) << error.toStdString();
    }
    EXPECT_TRUE(answers.Errors[1].endsWith("de afbeelding kon niet worden gemaakt"));
}

TEST_F(ExportWindowsTest, TheLogGraphSavesTheRecordedSourceWithItsDecimals) {
    ParamStore().ParData[203] = 2;
    TFormGrafiek form(nullptr);
    TSaveAnswers answers(form.Export, Out("log.csv"));
    form.show();
    // Nothing recorded yet: nothing to save.
    EXPECT_FALSE(form.CmdOpslaanCSV->isEnabled());
    EXPECT_TRUE(form.CmdOpslaanPNG->isEnabled());

    form.Recorder().Start(0);
    EXPECT_FALSE(form.CmdOpslaanCSV->isEnabled());
    Reply(form.LD100LeesLogData(), "r0 12345");
    Reply(form.LD100LeesLogData(), "r0 ???");
    Reply(form.LD100LeesLogData(), "r0 -7");
    form.CmdStopLog->click();
    // The list now names an analog source; the file keeps the decimals of the position recorded.
    form.ComboBoxBron->setCurrentIndex(3);
    ASSERT_TRUE(form.CmdOpslaanCSV->isEnabled());
    form.CmdOpslaanCSV->click();
    QStringList lines = QString::fromUtf8(ReadFixture(Out("log.csv"))).split(u'\n');
    ASSERT_EQ(lines.size(), 5) << lines.join(u'/').toStdString();
    EXPECT_EQ(lines[0], "ms,value");
    EXPECT_TRUE(lines[1].endsWith(",123.45"));
    EXPECT_TRUE(lines[2].endsWith(",")) << "an unread slot has no value";
    EXPECT_TRUE(lines[3].endsWith(",-0.07"));
    EXPECT_EQ(lines[4], "");

    answers.Answer = Out("chart.png");
    form.CmdOpslaanPNG->click();
    // The value strip, the plot and the time strip together.
    EXPECT_EQ(QImage(Out("chart.png")).size(), QSize(713, 440));
    EXPECT_TRUE(answers.Errors.empty());
}

TEST_F(ExportWindowsTest, TheLinearisationAndCamWindowsSaveWhatTheyShow) {
    ParamStore().ParData[247] = 2;
    ParamStore().ParData[141] = 1000;
    ParamStore().ParData[171] = 500;
    TFormLinearisatie linearisatie;
    TSaveAnswers linAnswers(linearisatie.Export, Out("lin.png"));
    linearisatie.show();
    linearisatie.CmdOpslaanPNG->click();
    QImage curve(Out("lin.png"));
    // The plot with its axis strips, from the Y caption above to the X caption below.
    EXPECT_EQ(curve.size(), QSize(817, 591));
    // The plot's white inside shows in the picture.
    EXPECT_EQ(curve.pixelColor(400, 300), QColor(Qt::white));

    TFormDisplayNokken nokken;
    TSaveAnswers camAnswers(nokken.Export, Out("cams.png"));
    nokken.show();
    nokken.CmdOpslaanPNG->click();
    EXPECT_EQ(QImage(Out("cams.png")).size(), nokken.StringGrid1->size());
    EXPECT_TRUE(linAnswers.Errors.empty());
    EXPECT_TRUE(camAnswers.Errors.empty());
}
