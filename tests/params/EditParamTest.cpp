// The parameter editor through its controls: the tree and its pages, row selection into SelPar,
// editing through the service dialog, the store-changing menu items, files, and closing.

#include "EditorTestSupport.h"

#include "app/GlobalVar.h"
#include "app/InfoErrorNummers.h"
#include "comm/LBComm.h"
#include "params/EditParam.h"
#include "params/LeesParSoll.h"
#include "params/ParamDefs.h"
#include "params/ParamService.h"
#include "params/ParamStore.h"
#include "params/SchrijfParSoll.h"
#include "params/ValueFile.h"

#include <QAction>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

using namespace kq9test;

namespace {

class EditParamTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        Answer(Form.Dialogs);
        Form.OnFunctieTeksten = [this] { ++Refreshes; };
        Form.SelectedUnit = [] { return 5; };
    }

    QString Cell(int row, int column) { return Form.StringGrid1->item(row, column)->text(); }
    void ShowPage(int groep, int subgroep) {
        QTreeWidgetItem* group = Form.TreeView1->topLevelItem(0)->child(groep - 1);
        Form.TreeView1->setCurrentItem(subgroep == 0 ? group : group->child(subgroep - 1));
    }

    TLBComm Port;
    TFormEditParam Form{&Port};
    int Refreshes = 0;
};

} // namespace

TEST_F(EditParamTest, PagesFollowTheTreeAndRowsFillSelPar) {
    ParamStore().ParData[17] = -35;
    ParamStore().ParData[20] = 3; // one past the last option
    ParamStore().ParData[203] = 3;
    ParamStore().ParData[7] = 12345;
    Form.show();
    // The root: nothing to show, no Clear.
    EXPECT_EQ(Form.TreeView1->topLevelItem(0)->text(0), "Parameters");
    EXPECT_TRUE(Form.TreeView1->topLevelItem(0)->isExpanded());
    EXPECT_EQ(Form.Groep, 0);
    for (int r = 0; r < ParamPageRows; ++r)
        for (int c = 0; c < ParamColumnCount; ++c)
            EXPECT_TRUE(Cell(r, c).isEmpty()) << r << "," << c;
    EXPECT_FALSE(Form.CmdClear->isEnabled());

    ShowPage(2, 3);
    EXPECT_EQ(Form.Groep, 2);
    EXPECT_EQ(Form.Subgroep, 3);
    EXPECT_EQ(QStringList({Cell(0, 0), Cell(0, 1), Cell(0, 2), Cell(0, 3), Cell(0, 4)}),
              QStringList({"2.3.1", "017", "Offset", "-3,5", ""}));
    EXPECT_TRUE(Cell(2, 1).isEmpty());
    EXPECT_EQ(Cell(4, 0), "2.3.5");
    EXPECT_EQ(Cell(4, 3), "3");
    EXPECT_EQ(Cell(4, 4), "########");
    EXPECT_EQ(Cell(17, 3), "12,345");
    EXPECT_FALSE(Form.CmdClear->isEnabled());

    Form.StringGrid1->setCurrentCell(0, 2);
    const TSelPar& selPar = ParamStore().SelPar;
    EXPECT_EQ(selPar.Nummer, "017");
    EXPECT_EQ(selPar.Naam, "Offset");
    EXPECT_EQ(selPar.Waarde, "-3,5");
    EXPECT_EQ(selPar.Min, -100);
    EXPECT_EQ(selPar.MaxTekst, "100,0");
    EXPECT_EQ(Form.DecCode, 1);
    EXPECT_EQ(Form.StatusPanel[1]->text(), "-10,0");
    EXPECT_EQ(Form.StatusPanel[3]->text(), "100,0");
    EXPECT_EQ(Form.StatusPanel[5]->text(), "0,5");
    // An empty row empties SelPar and the panels; leaving the grid clears the panels.
    Form.StringGrid1->setCurrentCell(2, 0);
    EXPECT_TRUE(selPar.Nummer.isEmpty());
    EXPECT_TRUE(Form.StatusPanel[1]->text().isEmpty());
    Form.StringGrid1->setCurrentCell(17, 0);
    EXPECT_EQ(Form.StatusPanel[3]->text(), "99999,999");
    QFocusEvent leave(QEvent::FocusOut);
    QCoreApplication::sendEvent(Form.StringGrid1, &leave);
    EXPECT_TRUE(Form.StatusPanel[3]->text().isEmpty());

    // A whole-group page, and the page of group 9 with a parameter that has no definition.
    ShowPage(1, 0);
    EXPECT_EQ(Cell(0, 0), "1.0.1");
    EXPECT_EQ(Cell(0, 1), "203");
    ShowPage(9, 1);
    EXPECT_TRUE(Form.CmdClear->isEnabled());
    ParamStore().ParData[141] = 1234;
    ParamStore().ParData[140] = 5;
    Form.FillPage();
    EXPECT_EQ(Cell(1, 2), "");
    EXPECT_EQ(Cell(1, 3), "1234");
    Form.CmdClear->click();
    EXPECT_EQ(ParamStore().ParData[140], 0);
    EXPECT_EQ(ParamStore().ParData[141], 0);
    EXPECT_EQ(ParamStore().ParData[17], -35);
    EXPECT_EQ(Cell(1, 3), "0");
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(EditParamTest, WithoutTreeOrDefinitionsThePagesStayEmpty) {
    QFile::remove(Path("Tree1.txt"));
    Form.show();
    EXPECT_EQ(Form.TreeView1->topLevelItemCount(), 0);
    EXPECT_EQ(Form.Groep, 0);
    QTest::keyClick(Form.StringGrid1, Qt::Key_Return);
    Form.hide();

    // A tree that jumps two levels keeps what it loaded and says why it stopped.
    WriteFile("Tree1.txt", "Root\n\tGroup 1\n\t\t\tToo deep\n\tGroup 2\n");
    ParamDefs().LoadParamNo(Path("missing.txt"));
    Form.show();
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].endsWith(
        "|EGroupTreeError error raised, with message : Invalid item level assignment"));
    EXPECT_EQ(Form.TreeView1->topLevelItem(0)->childCount(), 1);
    ShowPage(1, 0);
    EXPECT_EQ(Form.Groep, 1);
    EXPECT_TRUE(Cell(0, 1).isEmpty());
}

TEST_F(EditParamTest, EnterOpensTheServiceDialogAndThePageShowsTheNewValue) {
    TFormParamService service(&Port, &Form);
    Form.FormParamService = &service;
    Form.show();
    ShowPage(2, 3);
    Form.StringGrid1->setCurrentCell(0, 1);
    int opened = 0;
    Exec = [&](QDialog& dialog) {
        ++opened;
        EXPECT_EQ(&dialog, &service);
        dialog.show();
        EXPECT_EQ(service.windowTitle(), "[017]   Offset");
        service.MaskEditParData->setText("42,5");
        service.CmdOK->click();
        return dialog.result();
    };
    QTest::keyClick(Form.StringGrid1, Qt::Key_Return);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(ParamStore().ParData[17], 425);
    EXPECT_EQ(Cell(0, 3), "42,5");
    EXPECT_EQ(ParamStore().SelPar.Waarde, "42,5");
    // An empty row opens nothing.
    Form.StringGrid1->setCurrentCell(2, 1);
    Form.StringGrid1DblClick();
    EXPECT_EQ(opened, 1);
}

TEST_F(EditParamTest, DefaultsSendAndReceiveChangeTheStoreAsTheyShould) {
    TFormLeesParSoll lees(&Port);
    TFormSchrijfParSoll schrijf(&Port);
    Form.FormLeesParSoll = &lees;
    Form.FormSchrijfParSoll = &schrijf;
    Form.show();
    // The port is closed: no transfers from the menu.
    EXPECT_FALSE(Form.subParOntvangen->isEnabled());
    EXPECT_FALSE(Form.subParZenden->isEnabled());
    EXPECT_FALSE(Form.subAfdrukken->isEnabled());
    EXPECT_FALSE(Form.subNokkenInfo->isEnabled());

    // Without a language file there is nothing to warn with, so a set never loaded is not sent.
    int shown = 0;
    Exec = [&](QDialog& dialog) {
        ++shown;
        return dialog.result();
    };
    Form.subParZendenClick();
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(Messages.isEmpty());

    Form.subLaadDefaultClick();
    EXPECT_EQ(ParamStore().ParData[17], 5);
    EXPECT_EQ(ParamStore().ParData[7], 100);
    EXPECT_EQ(ParamStore().ParData[141], 0);
    EXPECT_EQ(ParamStore().ParBron, Bron::Defaults);
    EXPECT_EQ(Messages.size(), 1);
    EXPECT_EQ(Refreshes, 1);

    // Sending a set that is present goes straight to the write dialog; OK clears the mark.
    Form.ParGezonden = true;
    Exec = [&](QDialog& dialog) {
        EXPECT_EQ(&dialog, &schrijf);
        EXPECT_EQ(schrijf.Sequence().Mode, 0);
        EXPECT_EQ(schrijf.Sequence().ParBuffer[17], 5);
        return mrOK;
    };
    Form.subParZendenClick();
    EXPECT_FALSE(Form.ParGezonden);

    // A read that closes with Cancel changes nothing; one with OK takes every value.
    lees.Sequence().ParBuffer.fill(9);
    Exec = [](QDialog&) { return mrCancel; };
    Form.subParOntvangenClick();
    EXPECT_EQ(ParamStore().ParData[17], 5);
    Exec = [](QDialog&) { return mrOK; };
    Form.subParOntvangenClick();
    EXPECT_EQ(ParamStore().ParData[17], 9);
    EXPECT_EQ(ParamStore().ParBron, Bron::Device);
    EXPECT_EQ(Refreshes, 2);

    ParamDefs().LoadParameterDefs(Path("missing.txt"));
    Form.subLaadDefaultClick();
    EXPECT_EQ(ParamStore().ParData[17], 9);
    EXPECT_EQ(Messages.size(), 2);
}

TEST_F(EditParamTest, WarningsSpeakTheLanguageAndTheCloseWaitsForTheTakeOver) {
    LoadLanguage();
    TFormSchrijfParSoll schrijf(&Port);
    Form.FormSchrijfParSoll = &schrijf;
    QDialog printOut;
    Form.FormAfdrukkenPar = &printOut;
    Form.show();
    EXPECT_EQ(Form.windowTitle(), "Edit parameters");
    EXPECT_EQ(Form.StringGrid1->horizontalHeaderItem(3)->text(), "Value");
    EXPECT_TRUE(Form.subAfdrukken->isEnabled());

    int shown = 0;
    Exec = [&](QDialog&) {
        ++shown;
        return mrOK;
    };
    BoxAnswer = QMessageBox::No;
    Form.subParZendenClick();
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(Form.windowTitle(), "Warning");
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith("Warning|No parameters have been received, opened\n\ror"));
    EXPECT_TRUE(Messages[0].endsWith("\n\rSend anyway?"));
    BoxAnswer = QMessageBox::Yes;
    Form.subAfdrukkenClick();
    EXPECT_EQ(shown, 1);

    // A value sent but not taken over: the close asks, wrapped at 42 columns.
    Form.ParGezonden = true;
    Messages.clear();
    BoxAnswer = QMessageBox::No;
    Form.subAfsluiten->trigger();
    EXPECT_TRUE(Form.isVisible());
    ASSERT_EQ(Messages.size(), 1);
    for (const QString& line : Messages[0].section(u'|', 1).split("\r\n"))
        EXPECT_LE(line.size(), 42) << line.toStdString();
    EXPECT_EQ(Refreshes, 1);
    BoxAnswer = QMessageBox::Yes;
    Form.close();
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(Refreshes, 2);
    // Each showing starts without the mark.
    Form.show();
    EXPECT_FALSE(Form.ParGezonden);
    EXPECT_EQ(Form.windowTitle(), "Edit parameters");
}

TEST_F(EditParamTest, FilesRoundTripAndABadFileChangesNothing) {
    LoadLanguage();
    for (int p = 0; p < ParameterCount; ++p)
        ParamStore().ParData[static_cast<size_t>(p)] = p * 7 - 500;
    TParValues saved = ParamStore().ParData;
    Form.show();
    GlobalVar().OpenCloseDialoogPath = "/nowhere";
    Chosen = Path("set.app");
    Form.subOpslaanAls->trigger();
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0].Caption, "Save parameter file as");
    EXPECT_EQ(Requests[0].Folder, "/nowhere");
    EXPECT_EQ(Requests[0].Filter, "Parameter file (*.app)");
    EXPECT_EQ(Requests[0].DefaultSuffix, "app");
    EXPECT_EQ(GlobalVar().OpenCloseDialoogPath, Home.path());
    QFile file(Path("set.app"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray text = file.readAll();
    EXPECT_TRUE(text.startsWith("ASCII Parameters KX7x-XXX   No: 5\r\n\r\nP000 -500\r\n"));
    EXPECT_EQ(text.count("\r\n"), 402);

    ParamStore().ParData.fill(0);
    Chosen = Path("set.app");
    Form.subOpenen->trigger();
    EXPECT_EQ(ParamStore().ParData, saved);
    EXPECT_EQ(ParamStore().ParBron, Bron::File);
    EXPECT_TRUE(Messages.isEmpty());

    // A short line stops the open with its message; the store keeps its values.
    WriteFile("bad.app", text.replace("P017 ", "P17 "));
    ParamStore().ParData[17] = 1;
    Chosen = Path("bad.app");
    Form.subOpenen->trigger();
    EXPECT_EQ(Messages, QStringList{"Error|A parameter line is malformed (expected: P012 value)."});
    EXPECT_EQ(ParamStore().ParData[17], 1);
    // A file that cannot be written says why and leaves the old one as it was.
    Chosen = Path("missing-folder/set.app");
    Form.subOpslaanAlsClick();
    ASSERT_EQ(Messages.size(), 2);
    EXPECT_TRUE(Messages[1].startsWith("Error|" + Chosen + ": "));
}

TEST_F(EditParamTest, TheErrorNumbersOpenBesideTheEditorWithoutWaiting) {
    TFormInfoErrorNummers errors;
    Form.FormInfoErrorNummers = &errors;
    Form.show();
    Form.EnableWindowMenuItems();
    ASSERT_TRUE(Form.subErrorNummers->isEnabled());
    Form.subErrorNummers->trigger();
    EXPECT_TRUE(errors.isVisible());
    EXPECT_FALSE(errors.isModal());
    errors.close();
}
