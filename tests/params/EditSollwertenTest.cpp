// The setpoint editor through its grid: the layout of the 48 setpoints, typing values with
// Enter, Escape and the arrow keys, files and transfers.

#include "EditorTestSupport.h"

#include "app/GlobalVar.h"
#include "comm/LBComm.h"
#include "params/EditSollwerten.h"
#include "params/LeesParSoll.h"
#include "params/ParamStore.h"
#include "params/SchrijfParSoll.h"
#include "params/SollGridRules.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

using namespace kq9test;

namespace {

class EditSollwertenTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        Answer(Form.Dialogs);
        Form.SelectedUnit = [] { return 3; };
        ParamStore().ParData[203] = 2;
    }

    QString Cell(int row, int column) { return Form.StringGrid1->item(row, column)->text(); }
    int Row() const { return Form.StringGrid1->currentRow(); }
    int Column() const { return Form.StringGrid1->currentColumn(); }
    // Types into the current cell as the operator does: the first key opens the in-place editor.
    void Type(const QString& text) {
        QString rest = text;
        if (!Form.CellEditor()) {
            QTest::keyClick(Form.StringGrid1, text[0].toLatin1());
            rest.remove(0, 1);
        }
        ASSERT_NE(Form.CellEditor(), nullptr);
        QTest::keyClicks(Form.CellEditor(), rest);
    }
    void Key(Qt::Key key) {
        QWidget* target = Form.CellEditor();
        QTest::keyClick(target ? target : Form.StringGrid1, key);
    }
    // Types a value and confirms it; the in-place editor opens in the cell below.
    void Enter(int row, int column, const QString& text) {
        Form.StringGrid1->setCurrentCell(row, column);
        Type(text);
        Key(Qt::Key_Return);
    }

    TLBComm Port;
    TFormEditSollwerten Form{&Port};
};

} // namespace

TEST_F(EditSollwertenTest, TheGridShowsSetpointsSideBySideWithTheDecimalsOfParameter203) {
    ParamStore().SollData[1] = 1250;
    ParamStore().SollData[25] = -7;
    ParamStore().SollData[48] = 99;
    Form.show();
    EXPECT_EQ(QStringList({Cell(0, 0), Cell(0, 1), Cell(0, 2), Cell(0, 3), Cell(0, 4)}),
              QStringList({"1", "12,50", "", "25", "-0,07"}));
    EXPECT_EQ(Cell(23, 3), "48");
    EXPECT_EQ(Cell(23, 4), "0,99");
    EXPECT_EQ(Row(), 0);
    EXPECT_EQ(Column(), 1);
    EXPECT_EQ(Form.StringGrid1->horizontalHeaderItem(4)->text(), "No");
    // Only the value columns take the cursor.
    EXPECT_FALSE(Form.StringGrid1->item(0, 3)->flags() & Qt::ItemIsEnabled);
    EXPECT_FALSE(Form.subParOntvangen->isEnabled());
    EXPECT_FALSE(Form.subAfdrukken->isEnabled());

    Key(Qt::Key_Right);
    EXPECT_EQ(Column(), 4);
    Key(Qt::Key_Right);
    EXPECT_EQ(Column(), 4);
    Key(Qt::Key_Down);
    Key(Qt::Key_Left);
    EXPECT_EQ(Row(), 1);
    EXPECT_EQ(Column(), 1);
}

TEST_F(EditSollwertenTest, EnterStoresAndMovesDownEscapeRestoresArrowsStayPut) {
    Form.show();
    Enter(0, 1, "12.5");
    EXPECT_EQ(ParamStore().SollData[1], 1250);
    EXPECT_EQ(Cell(0, 1), "12,50");
    EXPECT_EQ(Row(), 1);
    ASSERT_NE(Form.CellEditor(), nullptr);
    // A column is entered value by value.
    Type("3");
    Key(Qt::Key_Return);
    EXPECT_EQ(ParamStore().SollData[2], 300);
    EXPECT_EQ(Row(), 2);
    // While typing, the arrows and clicks elsewhere do not leave the cell.
    Type("4");
    Key(Qt::Key_Down);
    Key(Qt::Key_Up);
    QRect other = Form.StringGrid1->visualItemRect(Form.StringGrid1->item(10, 4));
    QTest::mouseClick(Form.StringGrid1->viewport(), Qt::LeftButton, {}, other.center());
    EXPECT_EQ(Row(), 2);
    EXPECT_EQ(Column(), 1);
    EXPECT_EQ(Form.CellEditor()->text(), "4");
    // Nor do left and right: the caret stays where it is. Delete, Home and Ctrl+A edit.
    Type("5");
    Key(Qt::Key_Left);
    Type("6");
    Key(Qt::Key_Right);
    EXPECT_EQ(Form.CellEditor()->text(), "456");
    Key(Qt::Key_Home);
    PressKey(Form.CellEditor(), Qt::Key_Delete, QStringLiteral("\x7f"));
    EXPECT_EQ(Form.CellEditor()->text(), "56");
    PressKey(Form.CellEditor(), Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);
    Type("7");
    EXPECT_EQ(Form.CellEditor()->text(), "7");
    EXPECT_EQ(Row(), 2);
    EXPECT_EQ(Column(), 1);

    // Escape in column 4 of row 3 gives back setpoint 27.
    Key(Qt::Key_Escape);
    ParamStore().SollData[27] = 2700;
    Form.StringGrid1->setCurrentCell(2, 4);
    Type("99");
    Key(Qt::Key_Escape);
    EXPECT_EQ(Form.CellEditor(), nullptr);
    EXPECT_EQ(Cell(2, 4), "27,00");
    EXPECT_EQ(ParamStore().SollData[27], 2700);
    EXPECT_TRUE(Form.isVisible());

    // Enter on the last row stores and stays there.
    Enter(23, 4, "-1");
    EXPECT_EQ(ParamStore().SollData[48], -100);
    EXPECT_EQ(Row(), 23);
    EXPECT_EQ(Form.CellEditor(), nullptr);
}

TEST_F(EditSollwertenTest, WithoutDecimalsTheLimitsAreEightNinesAndSevenNegative) {
    ParamStore().ParData[203] = 0;
    Form.show();
    Enter(0, 1, "99999999");
    Enter(1, 1, "-9999999");
    EXPECT_EQ(ParamStore().SollData[1], 99999999);
    EXPECT_EQ(ParamStore().SollData[2], -9999999);
    EXPECT_TRUE(Form.Panel1->text().isEmpty());

    ParamStore().SollData[3] = 5;
    Enter(2, 1, "100000000");
    EXPECT_EQ(Form.Panel1->text(), "Ingane ongeldig!");
    EXPECT_EQ(Form.Panel1->accessibleDescription(), "error");
    EXPECT_EQ(ParamStore().SollData[3], 5);
    EXPECT_EQ(Row(), 2);
    EXPECT_EQ(Form.CellEditor()->text(), "5");
    Form.CellEditor()->clear();
    QTest::keyClicks(Form.CellEditor(), "-10000000");
    Key(Qt::Key_Return);
    EXPECT_EQ(ParamStore().SollData[3], 5);
    // The comma does nothing; a second minus neither.
    Form.CellEditor()->clear();
    QTest::keyClicks(Form.CellEditor(), ",-4-.2");
    EXPECT_EQ(Form.CellEditor()->text(), "-42");
    Key(Qt::Key_Return);
    EXPECT_EQ(ParamStore().SollData[3], -42);
    EXPECT_TRUE(Form.Panel1->text().isEmpty());
    EXPECT_EQ(Form.Panel1->accessibleDescription(), "");
}

TEST_F(EditSollwertenTest, FilesRoundTripWithoutTouchingTheParameters) {
    LoadLanguage();
    for (int s = 1; s <= SetpointCount; ++s)
        ParamStore().SollData[static_cast<size_t>(s)] = s * 100 - 1;
    ParamStore().ParData[399] = 7;
    TSollValues saved = ParamStore().SollData;
    Form.show();
    EXPECT_EQ(Form.StringGrid1->horizontalHeaderItem(4)->text(), "Value");
    Chosen = Path("set.aps");
    Form.subOpslaanAls->trigger();
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0].Filter, "Setpoint file (*.aps)");
    EXPECT_EQ(Requests[0].DefaultSuffix, "aps");
    QFile file(Path("set.aps"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray text = file.readAll();
    EXPECT_TRUE(text.startsWith("ASCII Sollwerten KX7x-XXX   No: 3\r\n\r\nS000 7\r\nS001 99\r\n"));
    EXPECT_EQ(text.count("\r\n"), 51);

    ParamStore().SollData.fill(0);
    ParamStore().ParData[399] = 0;
    Chosen = Path("set.aps");
    Form.subOpenen->trigger();
    EXPECT_EQ(ParamStore().SollData, saved);
    EXPECT_EQ(ParamStore().ParData[399], 0);
    EXPECT_EQ(ParamStore().SollBron, Bron::File);
    EXPECT_EQ(Cell(0, 1), "0,99");

    WriteFile("short.aps", text.left(text.indexOf("S048")));
    ParamStore().SollData[5] = 1;
    Chosen = Path("short.aps");
    Form.subOpenen->trigger();
    EXPECT_EQ(
        Messages,
        QStringList{"Error|The file does not hold exactly 49 setpoint lines (S000 ... S048)."});
    EXPECT_EQ(ParamStore().SollData[5], 1);
}

TEST_F(EditSollwertenTest, ReceiveAndSendGoThroughTheTransferDialogsInMode1) {
    TFormLeesParSoll lees(&Port);
    TFormSchrijfParSoll schrijf(&Port);
    Form.FormLeesParSoll = &lees;
    Form.FormSchrijfParSoll = &schrijf;
    Form.show();
    int shown = 0;
    Exec = [&](QDialog&) {
        ++shown;
        return mrOK;
    };
    // Nothing to send without a set and without a language file to warn with.
    Form.subParZendenClick();
    EXPECT_EQ(shown, 0);

    lees.Sequence().SollBuffer.fill(-250);
    Form.subParOntvangenClick();
    EXPECT_EQ(lees.Sequence().Mode, 1);
    EXPECT_EQ(ParamStore().SollData[48], -250);
    EXPECT_EQ(ParamStore().SollBron, Bron::Device);
    EXPECT_EQ(Cell(23, 4), "-2,50");

    ParamStore().SollData[2] = 17;
    Form.subParZendenClick();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(schrijf.Sequence().Mode, 1);
    EXPECT_EQ(schrijf.Sequence().SollBuffer[2], 17);

    LoadLanguage();
    ParamStore().SollBron = Bron::None;
    BoxAnswer = QMessageBox::Cancel;
    Form.subParZendenClick();
    EXPECT_EQ(shown, 2);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(
        Messages[0].startsWith("Warning|No setpoints have been received or opened yet.\n\r"));
    EXPECT_EQ(Form.windowTitle(), "Warning");
}
