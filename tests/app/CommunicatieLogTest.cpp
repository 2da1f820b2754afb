// The communication log window on the main window's port: what it shows of the exchanges, the
// filter, pause and clear, saving, the menu item, and staying usable while a modal window runs.

#include "MainWindowFixture.h"

#include "app/CommunicatieLog.h"
#include "app/ErrorReport.h"
#include "app/GlobalVar.h"
#include "support/WaitUntil.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <set>

using kq9test::WaitUntil;

namespace {

class CommunicatieLogTest : public MainWindowTest {
protected:
    void StartWithLog() {
        Start();
        Log = std::make_unique<TFormCommunicatieLog>(&Form->LBComm1, Form.get());
        Form->FormCommunicatieLog = Log.get();
        Form->EnableWindowMenuItems();
    }
    void TearDown() override {
        Log.reset();
        MainWindowTest::TearDown();
    }
    // Waits until the window shows at least `count` lines.
    bool WaitForLines(int count) {
        return WaitUntil(
            [&] {
                Log->TimerLezenTimer();
                return Log->ShownLines().size() >= count;
            },
            3000);
    }
    QStringList LinesOf(const QString& component) const {
        QStringList lines;
        for (const QString& line : Log->ShownLines())
            if (line.contains(QStringLiteral("  ") + component + QLatin1Char(' ')))
                lines.append(line);
        return lines;
    }

    std::unique_ptr<TFormCommunicatieLog> Log;
};

} // namespace

TEST_F(CommunicatieLogTest, ShowsEveryExchangeOfTheLineAndFiltersByComponent) {
    Start();
    EXPECT_FALSE(Form->CommunicatieLog1->isEnabled());
    Form.reset();
    StartWithLog();
    ASSERT_TRUE(Form->CommunicatieLog1->isEnabled());
    Answer("rf", "rf -1\r\n");
    OpenAndIdentify();
    Form->Timer1Timer();

    // The exchanges before the window was first shown are there when it opens.
    Form->CommunicatieLog1->trigger();
    ASSERT_TRUE(Log->isVisible());
    EXPECT_FALSE(Log->isModal());
    ASSERT_TRUE(WaitForLines(5));
    QStringList lines = Log->ShownLines();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("  LD100UnitSelect ")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("  sc 0\\r ")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("  sc 0\\r\\n ")));
    ASSERT_EQ(LinesOf(QStringLiteral("LD100TypeInfo")).size(), 3);
    EXPECT_TRUE(LinesOf(QStringLiteral("LD100TypeInfo"))[0].contains("rt KX71-0100\\r\\n"));
    EXPECT_EQ(Log->MemoLog->blockCount(), lines.size());

    // A silent command shows the failure instead of a reply.
    Form->EditZenden->setText(QStringLiteral("zz"));
    Form->CmdTerminalZenden->click();
    ASSERT_TRUE(WaitForLines(lines.size() + 1));
    EXPECT_TRUE(Log->ShownLines().last().contains(QStringLiteral("LD100Protocol1")));
    EXPECT_TRUE(Log->ShownLines().last().contains(QStringLiteral("[1070h]")));

    // The filter lists the components seen and shows the chosen one's lines only.
    EXPECT_EQ(Log->ComboComponent->itemText(0), "Alle componenten");
    int typeInfo = Log->ComboComponent->findText(QStringLiteral("LD100TypeInfo"));
    ASSERT_GT(typeInfo, 0);
    EXPECT_LT(Log->ComboComponent->findText(QStringLiteral("LD100ReadError")), typeInfo);
    Log->ComboComponent->setCurrentIndex(typeInfo);
    EXPECT_EQ(Log->ShownLines().size(), 3);
    EXPECT_EQ(Log->MemoLog->blockCount(), 3);
    EXPECT_EQ(Log->LabelAantal->text(), "3 regels");
    // New lines of other components stay out of the view but are kept.
    Form->Timer1Timer();
    // The port logs an exchange before it moves on to the next request.
    ASSERT_TRUE(
        WaitUntil([&] { return CountOf("rf") == 2 && Form->LBComm1.QueueLength() == 0; }, 3000));
    Log->TimerLezenTimer();
    EXPECT_EQ(Log->MemoLog->blockCount(), 3);
    Log->ComboComponent->setCurrentIndex(0);
    EXPECT_EQ(LinesOf(QStringLiteral("LD100ReadError")).size(), 2);
}

TEST_F(CommunicatieLogTest, PauseHoldsTheViewAndClearStartsAfresh) {
    StartWithLog();
    OpenAndIdentify();
    Log->ShowNonModal();
    ASSERT_TRUE(WaitForLines(4));
    Log->CmdPauze->click();
    EXPECT_TRUE(Log->Paused());
    EXPECT_EQ(Log->CmdPauze->text(), "Verder");
    EXPECT_TRUE(Log->LabelAantal->text().endsWith(QStringLiteral("gepauzeerd")));
    const QStringList before = Log->ShownLines();
    Answer("rf", "rf 12\r\n");
    Form->Timer1Timer();
    ASSERT_TRUE(WaitUntil([&] { return CountOf("rf") == 1; }, 3000));
    kq9test::ProcessFor(2 * TFormCommunicatieLog::ReadIntervalMs);
    EXPECT_EQ(Log->ShownLines(), before);
    // Resuming shows what came meanwhile.
    Log->CmdPauze->click();
    EXPECT_EQ(Log->CmdPauze->text(), "Pauze");
    ASSERT_TRUE(WaitForLines(before.size() + 1));
    EXPECT_TRUE(Log->ShownLines().last().contains(QStringLiteral("rf 12\\r\\n")));

    Log->CmdWissen->click();
    EXPECT_TRUE(Log->ShownLines().isEmpty());
    EXPECT_TRUE(Log->MemoLog->toPlainText().isEmpty());
    EXPECT_EQ(Log->LabelAantal->text(), "0 regels");
}

TEST_F(CommunicatieLogTest, AFullBufferLeavesANoteWhereExchangesAreMissing) {
    StartWithLog();
    for (size_t i = 0; i < Log->Log()->Capacity() + 5; ++i) {
        TCommLogEntry entry;
        entry.Component = "LD100ActPos";
        entry.Command = "r0\r";
        Log->Log()->Add(entry);
    }
    Log->ShowNonModal();
    const QStringList lines = Log->ShownLines();
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(Log->Log()->Capacity() + 1));
    EXPECT_EQ(lines[0], "... hier ontbreken 5 uitwisselingen: de buffer was vol");
    // The note stays whatever the filter.
    Log->ComboComponent->setCurrentIndex(1);
    EXPECT_EQ(Log->ShownLines()[0], lines[0]);
}

TEST_F(CommunicatieLogTest, SavesTheShownLinesAndKeepsTheOldFileWhenThatFails) {
    StartWithLog();
    OpenAndIdentify();
    Log->ShowNonModal();
    ASSERT_TRUE(WaitForLines(4));
    Log->ComboComponent->setCurrentIndex(
        Log->ComboComponent->findText(QStringLiteral("LD100TypeInfo")));
    QString path = Home.filePath(QStringLiteral("log/line.txt"));
    QDir(Home.path()).mkdir(QStringLiteral("log"));
    TFileDialogRequest asked;
    Log->GetSaveFileName = [&](const TFileDialogRequest& request) {
        asked = request;
        return path;
    };
    QStringList errors;
    Log->ShowSaveError = [&](const QString& text) { errors << text; };
    GlobalVar().OpenCloseDialoogPath = Home.path();
    Log->CmdOpslaan->click();
    EXPECT_EQ(asked.Folder, Home.path());
    EXPECT_EQ(asked.DefaultSuffix, "txt");
    EXPECT_EQ(asked.Filter, "Tekstbestanden (*.txt);;Alle bestanden (*.*)");
    EXPECT_EQ(GlobalVar().OpenCloseDialoogPath, Home.filePath(QStringLiteral("log")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), Log->ShownLines().join(u'\n') + u'\n');
    file.close();
    EXPECT_TRUE(errors.isEmpty());

    // A folder where the file should be: the message, and nothing else changes.
    path = Home.filePath(QStringLiteral("log"));
    Log->CmdOpslaan->click();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("De log kon niet worden opgeslagen:")));
    EXPECT_TRUE(QFile::exists(Home.filePath(QStringLiteral("log/line.txt"))));
}

TEST_F(CommunicatieLogTest, StaysUsableWhileAModalWindowRuns) {
    StartWithLog();
    Log->ShowNonModal();
    QDialog editor(Form.get());
    bool lent = false;
    QTimer::singleShot(0, &editor, [&] {
        lent = WaitUntil([&] { return Log->parentWidget() == &editor; }, 2000) && Log->isVisible();
        editor.accept();
    });
    editor.exec();
    EXPECT_TRUE(lent);
    EXPECT_EQ(Log->parentWidget(), Form.get());
    EXPECT_TRUE(Log->isVisible());
}

TEST_F(CommunicatieLogTest, EveryComponentOnTheMainPortHasItsOwnName) {
    Start();
    TTransferWindows transfers(*Form);
    std::set<std::string> names;
    for (TLBComponent* component : Form->LBComm1.Components()) {
        if (!dynamic_cast<TLBProtocolComponent*>(component))
            continue; // the setup dialog's component never exchanges
        EXPECT_FALSE(component->Name().empty());
        EXPECT_TRUE(names.insert(component->Name()).second) << component->Name();
    }
    EXPECT_GE(names.size(), 19u);
}
