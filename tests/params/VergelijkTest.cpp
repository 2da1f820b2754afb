// The compare window opened from both editors (against a file, against the controller's set
// read first), its tick boxes and what taking ticked values does to the store, and the parameter
// editor's search field.

#include "EditorTestSupport.h"

#include "comm/LBComm.h"
#include "comm/QtHandover.h"
#include "params/EditParam.h"
#include "params/EditSollwerten.h"
#include "params/LeesParSoll.h"
#include "params/ParamDefs.h"
#include "params/ParamService.h"
#include "params/ParamStore.h"
#include "params/ValueFile.h"
#include "params/Vergelijk.h"
#include "support/PtySimLine.h"
#include "support/WaitUntil.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace kq9test;

namespace {

class VergelijkTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        LoadLanguage();
        ParamStore().ParData[203] = 2;
    }

    QString Cell(int row, int column) { return Window.StringGrid1->item(row, column)->text(); }
    void Tick(int row) { Window.StringGrid1->item(row, CmpNummer)->setCheckState(Qt::Checked); }
    // Runs `inWindow` while the compare window shows; every other dialog is answered by `other`.
    void OnWindow(const std::function<void()>& inWindow,
                  const std::function<int(QDialog&)>& other = {}) {
        Exec = [this, inWindow, other](QDialog& dialog) {
            if (&dialog != &Window)
                return other ? other(dialog) : mrCancel;
            ++Shown;
            Window.show();
            inWindow();
            Window.hide();
            return mrCancel;
        };
    }

    TLBComm Port;
    TFormVergelijk Window{&Port};
    int Shown = 0;
};

} // namespace

TEST_F(VergelijkTest, SetpointsComparedWithAFileTakeOnlyTheTickedRows) {
    TFormEditSollwerten editor(&Port);
    Answer(editor.Dialogs);
    editor.FormVergelijk = &Window;
    for (int s = 1; s <= SetpointCount; ++s)
        ParamStore().SollData[static_cast<size_t>(s)] = s * 100;
    ParamStore().SollBron = Bron::Device;
    TSollValues file = ParamStore().SollData;
    file[3] = 333;
    file[10] = -1;
    ASSERT_TRUE(WriteSollFile(Path("other.aps"), 0, file, 0));
    editor.show();
    ASSERT_TRUE(editor.subVergelijkBestand->isEnabled());
    EXPECT_FALSE(editor.subVergelijkApparaat->isEnabled());

    Chosen = Path("other.aps");
    OnWindow([&] {
        EXPECT_EQ(Window.windowTitle(), "Compare with file");
        EXPECT_EQ(Window.LabelBestand->text(), Path("other.aps"));
        EXPECT_EQ(Window.LabelVerschillen->text(), "Values that differ: 2");
        EXPECT_EQ(Window.StringGrid1->horizontalHeaderItem(CmpAndereWaarde)->text(), "File");
        // Setpoints have neither names nor option texts.
        EXPECT_TRUE(Window.StringGrid1->isColumnHidden(CmpNaam));
        EXPECT_TRUE(Window.StringGrid1->isColumnHidden(CmpAndereOptie));
        ASSERT_EQ(Window.StringGrid1->rowCount(), 2);
        EXPECT_EQ(QStringList({Cell(1, CmpNummer), Cell(1, CmpWaarde), Cell(1, CmpAndereWaarde)}),
                  QStringList({"10", "10,00", "-0,01"}));
        EXPECT_FALSE(Window.CmdOvernemen->isEnabled());
        Tick(1);
        EXPECT_TRUE(Window.CmdOvernemen->isEnabled());
        // Nothing is sent on a closed port.
        EXPECT_FALSE(Window.CmdZenden->isEnabled());
        Window.CmdOvernemen->click();
        EXPECT_EQ(Cell(1, CmpWaarde), "-0,01");
        EXPECT_EQ(Window.LabelVerschillen->text(), "Values that differ: 1");
    });
    editor.subVergelijkBestand->trigger();
    EXPECT_EQ(Shown, 1);
    EXPECT_EQ(ParamStore().SollData[10], -1);
    EXPECT_EQ(ParamStore().SollData[3], 300);
    // Part of the file is no set from the file.
    EXPECT_EQ(ParamStore().SollBron, Bron::Device);
    EXPECT_EQ(editor.StringGrid1->item(9, 1)->text(), "-0,01");

    // A file that cannot be read shows the editor's message and no window.
    WriteFile("bad.aps", "not a setpoint file\r\n");
    Chosen = Path("bad.aps");
    editor.subVergelijkBestand->trigger();
    EXPECT_EQ(Shown, 1);
    EXPECT_EQ(Messages.size(), 1);
}

TEST_F(VergelijkTest, ParametersAreComparedWithTheControllersFullRead) {
    TFormEditParam editor(&Port);
    Answer(editor.Dialogs);
    TFormLeesParSoll lees(&Port);
    editor.FormLeesParSoll = &lees;
    editor.FormVergelijk = &Window;
    ParamStore().ParData[17] = -35;
    ParamStore().ParData[20] = 1;
    editor.show();

    int reads = 0;
    auto read = [&](QDialog& dialog) {
        EXPECT_EQ(&dialog, &lees);
        EXPECT_EQ(lees.Sequence().Mode, 0);
        ++reads;
        lees.Sequence().ParBuffer = ParamStore().ParData;
        lees.Sequence().ParBuffer[17] = 120;
        lees.Sequence().ParBuffer[20] = 2;
        return mrOK;
    };
    OnWindow(
        [&] {
            EXPECT_EQ(Window.windowTitle(), "Compare with controller");
            EXPECT_FALSE(Window.LabelBestand->isVisible());
            ASSERT_EQ(Window.StringGrid1->rowCount(), 2);
            EXPECT_EQ(QStringList({Cell(0, CmpNummer), Cell(0, CmpNaam), Cell(0, CmpWaarde),
                                   Cell(0, CmpAndereWaarde)}),
                      QStringList({"017", "Offset", "-3,5", "12,0"}));
            EXPECT_EQ(Cell(1, CmpOptie), "Slow");
            EXPECT_EQ(Cell(1, CmpAndereOptie), "Fast");
            Window.CmdAlles->click();
            EXPECT_EQ(Window.Comparison().TickedCount(), 2);
            Window.CmdOvernemen->click();
            EXPECT_EQ(Window.LabelVerschillen->text(), "No differences: every value is the same.");
        },
        read);
    // Reading needs the port open; the item follows it.
    EXPECT_FALSE(editor.subVergelijkApparaat->isEnabled());
    editor.subVergelijkApparaatClick();
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(Shown, 1);
    EXPECT_EQ(ParamStore().ParData[17], 120);
    EXPECT_EQ(ParamStore().ParData[20], 2);
    // The whole set taken: the store now holds the controller's parameters.
    EXPECT_EQ(ParamStore().ParBron, Bron::Device);

    // A cancelled read shows no window.
    OnWindow([] {}, [&](QDialog&) { return mrCancel; });
    editor.subVergelijkApparaatClick();
    EXPECT_EQ(Shown, 1);
}

TEST_F(VergelijkTest, TheSearchFieldShowsAHitsPageOrEditsAParameterOnNoPage) {
    // Parameter 300 has a name but stands on no page.
    WriteFile("Parameters.txt", "[017]\nnaam1=Offset\ndec=1\n[020]\nnaam1=Mode\n"
                                "[300]\nnaam1=Hidden offset\n");
    ParameterDef_lezen();
    TFormEditParam editor(&Port);
    Answer(editor.Dialogs);
    TFormParamService service(&Port, &editor);
    editor.FormParamService = &service;
    editor.show();
    EXPECT_FALSE(editor.ListZoeken->isVisible());

    editor.EditZoeken->setText(QStringLiteral("OFFSET"));
    EXPECT_TRUE(editor.ListZoeken->isVisible());
    EXPECT_FALSE(editor.TreeView1->isVisible());
    ASSERT_EQ(editor.ListZoeken->count(), 2);
    EXPECT_EQ(editor.ListZoeken->item(0)->text(), "017  Offset  2.3.1");
    EXPECT_EQ(editor.ListZoeken->item(1)->text(), "300  Hidden offset  on no page");

    // Enter in the field takes the current hit: its page, with its row selected.
    QTest::keyClick(editor.EditZoeken, Qt::Key_Return);
    EXPECT_EQ(editor.Groep, 2);
    EXPECT_EQ(editor.Subgroep, 3);
    EXPECT_EQ(editor.StringGrid1->currentRow(), 0);
    EXPECT_EQ(ParamStore().SelPar.Nummer, "017");

    // The arrows walk the list from the field; a parameter on no page is edited at once.
    int edited = 0;
    Exec = [&](QDialog& dialog) {
        EXPECT_EQ(&dialog, &service);
        EXPECT_EQ(ParamStore().SelPar.Nummer, "300");
        ++edited;
        return mrCancel;
    };
    editor.EditZoeken->setFocus();
    QTest::keyClick(editor.EditZoeken, Qt::Key_Down);
    QTest::keyClick(editor.EditZoeken, Qt::Key_Return);
    EXPECT_EQ(edited, 1);

    // Escape empties the field and brings the tree back.
    QTest::keyClick(editor.EditZoeken, Qt::Key_Escape);
    EXPECT_TRUE(editor.EditZoeken->text().isEmpty());
    EXPECT_TRUE(editor.TreeView1->isVisible());
    EXPECT_TRUE(editor.isVisible());
}

namespace {

class VergelijkLineTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        LoadLanguage();
        Handover = std::make_unique<TQtHandover>();
        SetUiHandover(Handover.get());
        Sim.UseAs(TPort::COM4);
        Port.SetPortName(TPort::COM4);
        Port.SetBaudrate(TBaudrate::br38400);
        Port.Open();
        ASSERT_TRUE(Port.Active());
        Window.OnParGezonden = [this](bool sent) { ParGezonden = sent; };
    }
    void TearDown() override {
        Port.Close();
        SetUiHandover(nullptr);
        EditorTest::TearDown();
    }
    TSimUnit Unit() { return *Sim.Line().Unit(0); }
    void Configure(const std::function<void(TSimUnit&)>& change) {
        Sim.Line().Configure(0, change);
    }
    // Ticks every row, sends and waits for the run's last status text.
    bool Send(const QString& status) {
        Window.CmdAlles->click();
        Window.CmdZenden->click();
        return WaitUntil([&] { return Window.PanelService->text() == status; }, 5000) &&
               WaitUntil([&] { return Window.CmdAlles->isEnabled(); }, 1000);
    }

    std::unique_ptr<TQtHandover> Handover;
    TPtySimLine Sim{0};
    TLBComm Port;
    TFormVergelijk Window{&Port};
    bool ParGezonden = false;
};

} // namespace

TEST_F(VergelijkLineTest, TickedValuesAreWrittenToTheControllerAndTakenOver) {
    TParValues device{};
    for (int nr = 0; nr < ParameterCount; ++nr)
        device[static_cast<size_t>(nr)] = Unit().Parameters[static_cast<size_t>(nr)];
    ParamStore().ParData = device;
    ParamStore().ParData[17] = -75;
    ParamStore().ParData[20] = 2;
    Window.CompareWithDevice(TCompareKind::Parameters, device);
    Window.show();
    ASSERT_EQ(Window.Comparison().Rows().size(), 2u);
    ASSERT_TRUE(Send("Parameters taken over"));
    EXPECT_EQ(Unit().Parameters[17], -75);
    EXPECT_EQ(Unit().Parameters[20], 2);
    EXPECT_FALSE(ParGezonden);
    // The controller now holds the store's values: the rows say so.
    EXPECT_EQ(Window.LabelVerschillen->text(), "No differences: every value is the same.");
    EXPECT_EQ(Window.Comparison().TickedCount(), 0);

    // A refusal ends the run at its value: what went before stays written but not taken over.
    device = ParamStore().ParData;
    ParamStore().ParData[17] = 10;
    ParamStore().ParData[20] = 0;
    Window.CompareWithDevice(TCompareKind::Parameters, device);
    Window.FormActivate();
    Configure([](TSimUnit& unit) {
        unit.Faults.AppliesTo = "wp 20";
        unit.Faults.RefuseWith = 7;
    });
    ASSERT_TRUE(Send("(er 7) value refused   P[020]")) << Window.PanelService->text().toStdString();
    EXPECT_EQ(Window.PanelService->accessibleDescription(), "error");
    EXPECT_EQ(Unit().Parameters[17], 10);
    EXPECT_EQ(Unit().Parameters[20], 2);
    EXPECT_TRUE(ParGezonden);
    EXPECT_TRUE(Window.Comparison().Rows()[1].Ticked);

    // Setpoints need no take-over.
    ParamStore().SollData[5] = 4321;
    TSollValues setpoints{};
    Window.CompareWithDevice(TCompareKind::Setpoints, setpoints);
    Window.FormActivate();
    ASSERT_TRUE(Send("Value sent"));
    EXPECT_EQ(Unit().Setpoints[4], 4321);
}
