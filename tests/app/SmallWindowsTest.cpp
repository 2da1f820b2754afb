// The options, about and error-number windows, through the main window's menu items: the
// language change and what it reloads, the version text, and the help document of the language.

#include "MainWindowFixture.h"

#include "app/About.h"
#include "app/Colors.h"
#include "app/ErrorReport.h"
#include "app/GlobalVar.h"
#include "app/InfoErrorNummers.h"
#include "app/LanguageTexts.h"
#include "app/Opties.h"
#include "params/ParamDefs.h"
#include "support/QtModalCloser.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>

namespace {

class SmallWindowsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SetErrorReporter([this](const QString& message) { Reported << message; });
    }
    void StartWithWindows() {
        Start();
        Opties = std::make_unique<TFormOpties>(Form.get());
        About = std::make_unique<TFormAbout>(Form.get());
        Errors = std::make_unique<TFormInfoErrorNummers>(Form.get());
        Form->FormOpties = Opties.get();
        Form->FormAboutWindow = About.get();
        Form->FormInfoErrorNummers = Errors.get();
        Form->EnableWindowMenuItems();
    }
    void TearDown() override {
        Errors.reset();
        About.reset();
        Opties.reset();
        MainWindowTest::TearDown();
    }
    // Triggers `item` and, while its window waits, runs `whileShown` on that window.
    template <typename TWindow>
    void WhileOpen(QAction* item, TWindow& window, const std::function<void()>& whileShown) {
        QTimer::singleShot(0, &window, [&] {
            whileShown();
            if (window.isVisible())
                window.reject();
        });
        item->trigger();
    }

    std::unique_ptr<TFormOpties> Opties;
    std::unique_ptr<TFormAbout> About;
    std::unique_ptr<TFormInfoErrorNummers> Errors;
    QStringList Reported;
};

} // namespace

TEST_F(SmallWindowsTest, TheMenuItemsFollowTheWindowsThatExist) {
    Start();
    EXPECT_FALSE(Form->ww1->isEnabled());
    EXPECT_FALSE(Form->FormAbout->isEnabled());
    EXPECT_FALSE(Form->Errno1->isEnabled());
    Form.reset();
    StartWithWindows();
    EXPECT_TRUE(Form->ww1->isEnabled());
    EXPECT_TRUE(Form->FormAbout->isEnabled());
    EXPECT_TRUE(Form->Errno1->isEnabled());
}

TEST_F(SmallWindowsTest, OkWithTheSameLanguageReappliesTextsAndDefinitionsButNotTheFile) {
    StartWithWindows();
    OpenAndIdentify();
    WhileOpen(Form->ww1, *Opties, [&] {
        EXPECT_EQ(Opties->ComboTaal->currentIndex(), 0);
        // A language file without the list gives the default items.
        EXPECT_EQ(Opties->ComboTaal->itemText(2), "2");
        EXPECT_EQ(Opties->LabelTaal->text(), "Error");
        Form->GroupBoxActual->setTitle(QStringLiteral("changed by hand"));
        WriteFile(QStringLiteral("Taal0.ini"), "[Main]\nGroepActual=From a new file\n");
        WriteFile(QStringLiteral("Parameters.txt"), "[017]\nnaam0=Reloaded\n");
        Opties->CmdOK->click();
    });
    EXPECT_EQ(Form->GroupBoxActual->title(), "Actual"); // the loaded file's default
    EXPECT_EQ(ParamDefs().Naam(17, 0), "Reloaded");
    EXPECT_EQ(GlobalVar().Taal, 0);
    // The port is still open: what it allows stays enabled.
    EXPECT_TRUE(Form->CmdTerminalZenden->isEnabled());
    EXPECT_EQ(Form->CmdSelectUnit->text(), "Close");
}

TEST_F(SmallWindowsTest, AnotherLanguageLoadsItsFileAndCancelChangesNothing) {
    WriteFile(QStringLiteral("Taal1.ini"),
              "[Main]\nGroepActual=Ist\n[Opties]\nCaption=Options\nTaalItems=Dutch,English,German\n"
              "TaalLabel=Language:\n");
    StartWithWindows();
    WhileOpen(Form->ww1, *Opties, [&] {
        Opties->ComboTaal->setCurrentIndex(2);
        Opties->CmdCancel->click();
    });
    EXPECT_EQ(GlobalVar().Taal, 0);
    WhileOpen(Form->ww1, *Opties, [&] {
        Opties->ComboTaal->setCurrentIndex(1);
        Opties->CmdOK->click();
    });
    EXPECT_EQ(GlobalVar().Taal, 1);
    EXPECT_EQ(Form->GroupBoxActual->title(), "Ist");
    WhileOpen(Form->ww1, *Opties, [&] {
        EXPECT_EQ(Opties->windowTitle(), "Options");
        EXPECT_EQ(Opties->ComboTaal->count(), 3);
        EXPECT_EQ(Opties->ComboTaal->currentText(), "English");
        EXPECT_EQ(Opties->ComboTaal->accessibleName(), "Language:");
        EXPECT_EQ(Opties->PageControl1->tabText(0), "Algemeen");
    });

    // Without a language file the window keeps what it was built with.
    TekstFile_Vrijgeven();
    TFormOpties bare(Form.get());
    bare.show();
    EXPECT_EQ(bare.windowTitle(), "Instellingen");
    EXPECT_EQ(bare.LabelTaal->text(), "Taal:");
    EXPECT_EQ(bare.ComboTaal->itemText(0), "NE");
    EXPECT_EQ(bare.ComboTaal->currentText(), "EN");
}

TEST_F(SmallWindowsTest, TheLineEndChoiceReachesThePortOnOkAndIsSavedAtTheEnd) {
    WriteFile(QStringLiteral("application.ini"), "[Opties]\nSnelAntwoord=0\n");
    StartWithWindows();
    WhileOpen(Form->ww1, *Opties, [&] {
        EXPECT_FALSE(Opties->CheckSnelAntwoord->isChecked());
        EXPECT_FALSE(Opties->CheckSnelAntwoord->accessibleDescription().isEmpty());
        Opties->CheckSnelAntwoord->setChecked(true);
        Opties->CmdCancel->click();
    });
    EXPECT_FALSE(Form->LBComm1.ReplyEndsAtLineEnd());
    WhileOpen(Form->ww1, *Opties, [&] {
        EXPECT_FALSE(Opties->CheckSnelAntwoord->isChecked());
        Opties->CheckSnelAntwoord->setChecked(true);
        Opties->CmdOK->click();
    });
    EXPECT_TRUE(Form->LBComm1.ReplyEndsAtLineEnd());
    WhileOpen(Form->ww1, *Opties, [&] { EXPECT_TRUE(Opties->CheckSnelAntwoord->isChecked()); });
    Form->close();
    QFile file(Home.filePath(QStringLiteral("application.ini")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("SnelAntwoord=1"));
}

TEST_F(SmallWindowsTest, TheAboutWindowShowsTheVersionOnceAfterTwoOpenings) {
    StartWithWindows();
    for (int opening = 0; opening < 2; ++opening)
        WhileOpen(Form->FormAbout, *About, [&] {
            EXPECT_EQ(About->LabelSoftwareVersie->text(), "Software versie: 4.06");
            EXPECT_EQ(About->windowTitle(), "Info");
            EXPECT_FALSE(About->Image1->pixmap().isNull());
            About->CmdOK->click();
        });
    EXPECT_FALSE(About->isVisible());
}

TEST_F(SmallWindowsTest, TheErrorWindowShowsTheDocumentOfTheLanguageWithoutWaiting) {
    QFile::copy(QString::fromLocal8Bit(qgetenv("KQ9_DATA_DIR")) + "/ErrorHelp0.rtf",
                Home.filePath(QStringLiteral("ErrorHelp0.rtf")));
    StartWithWindows();
    Form->Errno1->trigger();
    EXPECT_TRUE(Errors->isVisible());
    EXPECT_FALSE(Errors->isModal());
    EXPECT_EQ(Errors->size(), QSize(545, 362));
    EXPECT_TRUE(Errors->RichEdit1->isReadOnly());
    EXPECT_EQ(Errors->RichEdit1->palette().color(QPalette::Base), ActivePanelColor());
    const QString text = Errors->RichEdit1->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Foutnummers van de KX71/KX72 besturing")));
    EXPECT_TRUE(text.contains(QStringLiteral("Fout 15:")));
    Errors->hide();

    // Language 1 has no document: the window keeps what it showed (empty the first time).
    GlobalVar().Taal = 1;
    Form->Errno1->trigger();
    EXPECT_EQ(Errors->RichEdit1->toPlainText(), text);
    Errors->hide();
    TFormInfoErrorNummers fresh(Form.get());
    fresh.ShowNonModal();
    EXPECT_TRUE(fresh.RichEdit1->toPlainText().isEmpty());
    fresh.hide();

    // A document that cannot be read is reported, and the window stays open.
    GlobalVar().Taal = 0;
    QFile::remove(Home.filePath(QStringLiteral("ErrorHelp0.rtf")));
    QDir(Home.path()).mkdir(QStringLiteral("ErrorHelp0.rtf"));
    Form->Errno1->trigger();
    ASSERT_EQ(Reported.size(), 1);
    EXPECT_TRUE(
        Reported[0].startsWith(QStringLiteral("EFileReadError error raised, with message : ")))
        << Reported[0].toStdString();
    EXPECT_TRUE(Errors->isVisible());
    EXPECT_EQ(Errors->RichEdit1->toPlainText(), text);
}

TEST_F(SmallWindowsTest, OpenedFromAModalWindowTheErrorWindowIsLentToItAndComesBack) {
    StartWithWindows();
    QDialog editor(Form.get());
    bool lent = false;
    QTimer::singleShot(0, &editor, [&] {
        Errors->ShowNonModal();
        lent = Errors->parentWidget() == &editor && Errors->isVisible();
        editor.accept();
    });
    editor.exec();
    EXPECT_TRUE(lent);
    EXPECT_EQ(Errors->parentWidget(), Form.get());
    EXPECT_TRUE(Errors->isVisible());
}
