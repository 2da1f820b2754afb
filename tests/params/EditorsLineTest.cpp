// The service dialog and the setpoint editor against the simulated controller on a pty: single
// values sent and taken over, a refusal, and the setpoints read through the read dialog.

#include "EditorTestSupport.h"

#include "comm/LBComm.h"
#include "comm/QtHandover.h"
#include "params/EditParamPage.h"
#include "params/EditSollwerten.h"
#include "params/LeesParSoll.h"
#include "params/ParamService.h"
#include "params/ParamStore.h"
#include "support/PtySimLine.h"
#include "support/WaitUntil.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <memory>

using namespace kq9test;

namespace {

class EditorsLineTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        Handover = std::make_unique<TQtHandover>();
        SetUiHandover(Handover.get());
        Sim.UseAs(TPort::COM4);
        Port.SetPortName(TPort::COM4);
        Port.SetBaudrate(TBaudrate::br38400);
        Port.Open();
        ASSERT_TRUE(Port.Active());
    }
    void TearDown() override {
        Port.Close();
        SetUiHandover(nullptr);
        EditorTest::TearDown();
    }
    int32_t UnitParameter(int nr) {
        return Sim.Line().Unit(0)->Parameters[static_cast<size_t>(nr)];
    }

    std::unique_ptr<TQtHandover> Handover;
    TPtySimLine Sim{0};
    TLBComm Port;
};

} // namespace

TEST_F(EditorsLineTest, TheServiceDialogSendsOneValueAndHasItTakenOver) {
    TFormParamService service(&Port);
    bool parGezonden = false;
    service.OnParGezonden = [&](bool sent) { parGezonden = sent; };
    SelectParamRow(ParameterRow(17), ParamStore().SelPar);
    service.show();
    ASSERT_TRUE(service.CmdZenden->isEnabled());
    ASSERT_TRUE(service.CmdBerPar->isEnabled());
    auto waitFor = [&](const QString& text) {
        return WaitUntil([&] { return service.PanelService->text() == text; }, 3000);
    };

    service.MaskEditParData->setText("-7,5");
    service.CmdZenden->click();
    EXPECT_FALSE(service.CmdOK->isEnabled());
    ASSERT_TRUE(waitFor("tekst 4"));
    EXPECT_EQ(UnitParameter(17), -75);
    EXPECT_TRUE(parGezonden);
    EXPECT_TRUE(service.CmdZenden->isEnabled());

    Sim.Line().Configure(0, [](TSimUnit& unit) {
        unit.Faults.AppliesTo = "wp";
        unit.Faults.RefuseWith = 7;
        unit.RejectedParameter = 123;
    });
    service.MaskEditParData->setText("9");
    service.CmdZenden->click();
    ASSERT_TRUE(waitFor("(er 7) tekst 6"));
    EXPECT_EQ(UnitParameter(17), -75);
    EXPECT_EQ(ParamStore().ParData[17], 90);

    service.CmdBerPar->click();
    ASSERT_TRUE(waitFor("tekst 7 123 tekst 8"));
    EXPECT_FALSE(parGezonden);
}

TEST_F(EditorsLineTest, TheSetpointEditorReadsTheControllersSetpoints) {
    Sim.Line().Configure(0, [](TSimUnit& unit) {
        for (int s = 0; s < 48; ++s)
            unit.Setpoints[static_cast<size_t>(s)] = s * 10 - 5;
    });
    ParamStore().ParData[203] = 1;
    TFormLeesParSoll lees(&Port);
    TFormEditSollwerten editor(&Port);
    editor.FormLeesParSoll = &lees;
    Answer(editor.Dialogs);
    Exec = [&](QDialog& dialog) {
        dialog.show();
        EXPECT_TRUE(WaitUntil([&] { return lees.CmdOK->isEnabled(); }, 10000));
        lees.CmdOK->click();
        return dialog.result();
    };
    editor.show();
    ASSERT_TRUE(editor.subParOntvangen->isEnabled());
    editor.subParOntvangen->trigger();
    EXPECT_EQ(ParamStore().SollBron, Bron::Device);
    EXPECT_EQ(ParamStore().SollData[48], 465);
    EXPECT_EQ(editor.StringGrid1->item(0, 1)->text(), "-0,5");
    EXPECT_EQ(editor.StringGrid1->item(23, 4)->text(), "46,5");
}
