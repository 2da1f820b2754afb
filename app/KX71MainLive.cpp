// The main window's live view: the Actual, I/O and thumbwheel groups, the reset of the encoder
// error, and the function labels of the inputs and outputs.

#include "app/Colors.h"
#include "app/ErrorReport.h"
#include "app/Functies.h"
#include "app/GlobalVar.h"
#include "app/IndicatorBox.h"
#include "app/KX71Main.h"
#include "app/LiveView.h"
#include "app/ValueText.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"

#include <QPushButton>

namespace {

struct TActualValue {
    TLD100Protocol* Component;
    QLabel* Panel;
    size_t Limit;
    int Decimals;
    const char* Suffix;
};

void SetBits(TIndicatorBox* const* boxes, int first, int count, int32_t pattern, int firstBit) {
    for (int i = 0; i < count; ++i) {
        bool set = (pattern >> (firstBit + i)) & 1;
        boxes[first + i]->SetState(set ? TIndicatorBox::TState::Set : TIndicatorBox::TState::Clear);
    }
}

} // namespace

void TFormMain::BindLiveComponents() {
    const TActualValue values[] = {
        {&LD100ActPos, PanelActPos, ValueTextLimit, DecimalsOfPosition, ""},
        {&LD100Snelheid, PanelSnelheid, ValueTextLimit, DecimalsOfPosition, ""},
        {&LD100ActPosLin, PanelActPosLin, ValueTextLimit, DecimalsOfLinPosition, ""},
        {&LD100Spanning_uit, PanelSpanning_uit, ValueTextLimit, 4, " V"},
        {&LD100Stroom_uit, PanelStroom_uit, ValueTextLimit, 4, " mA"},
        {&LD100Spanning_in, PanelSpanning_in, ShortValueTextLimit, 4, " V"},
        {&LD100Stroom_in, PanelStroom_in, ShortValueTextLimit, 4, " mA"},
    };
    for (const TActualValue& v : values) {
        v.Component->OnCommResult = [this, v](TLBProtocolComponent*, TMemoryStream& result) {
            RunGuarded([&] {
                if (GlobalVar().ActualActive)
                    v.Panel->setText(LiveValueText(result, v.Component->ASCIIProtocol(), v.Limit,
                                                   v.Decimals, v.Suffix));
            });
        };
        v.Component->OnCommError = [panel = v.Panel](TLBProtocolComponent*, const TCommError&,
                                                     TMemoryStream&) {
            panel->setText(NoReplyText);
        };
    }
    LD100Analoog_in_AWE.OnCommResult = [this](TLBProtocolComponent*, TMemoryStream& result) {
        if (GlobalVar().ActualActive)
            PanelAnaloog_in_AWE->setText(
                ReadAnswerValueText(result, LD100Analoog_in_AWE.ASCIIProtocol())
                    .value_or(NotANumberText));
    };
    LD100Analoog_in_AWE.OnCommError = [this](TLBProtocolComponent*, const TCommError&,
                                             TMemoryStream&) {
        PanelAnaloog_in_AWE->setText(NoReplyText);
    };
    LD100_in.OnCommResult = [this](TLBProtocolComponent*, TMemoryStream& result) {
        if (!GlobalVar().InOutActive)
            return;
        int32_t pattern = BitPattern(result, LD100_in.ASCIIProtocol());
        SetBits(&TB_K0, 0, 1, pattern, 0);
        SetBits(Tb_in, 1, 4, pattern, 1);
    };
    LD100_uit.OnCommResult = [this](TLBProtocolComponent*, TMemoryStream& result) {
        if (GlobalVar().InOutActive)
            SetBits(TbUitgang, 1, 4, BitPattern(result, LD100_uit.ASCIIProtocol()), 0);
    };
    LD100Duimwiel.OnCommResult = [this](TLBProtocolComponent*, TMemoryStream& result) {
        RunGuarded([&] { LD100DuimwielCommResult(result); });
    };
    LD100Duimwiel.OnCommError = [this](TLBProtocolComponent*, const TCommError&, TMemoryStream&) {
        LD100DuimwielCommError();
    };

    Bind(CmdActual, &QPushButton::clicked, &TFormMain::CmdActualClick);
    Bind(CmdInUit, &QPushButton::clicked, &TFormMain::CmdInUitClick);
    Bind(CmdDuimwiel, &QPushButton::clicked, &TFormMain::CmdDuimwielClick);
    Bind(CmdResetError, &QPushButton::clicked, &TFormMain::CmdResetErrorClick);
}

void TFormMain::SetActualPanels(bool active) {
    QColor color = active ? ActivePanelColor() : NeutralColor();
    for (QLabel* panel : {PanelActPos, PanelSnelheid, PanelActPosLin, PanelSpanning_in,
                          PanelStroom_in, PanelAnaloog_in_AWE, PanelSpanning_uit, PanelStroom_uit})
        SetBackground(panel, color);
}

void TFormMain::SetThumbwheelPanels(bool active) {
    for (int i = 1; i <= 4; ++i)
        SetBackground(Panel_DW[i], active ? ActivePanelColor() : NeutralColor());
}

void TFormMain::ActualActief() {
    TGlobalVar& global = GlobalVar();
    TLD100Protocol* const all[] = {&LD100ActPos,       &LD100Snelheid,      &LD100ActPosLin,
                                   &LD100Spanning_uit, &LD100Stroom_uit,    &LD100Spanning_in,
                                   &LD100Stroom_in,    &LD100Analoog_in_AWE};
    if (global.ActualActive) {
        for (TLD100Protocol* component : all)
            component->SetCyclic(false);
        SetActualPanels(false);
        CmdActual->setText(FCmdActual_ON);
        global.ActualActive = false;
        for (QLabel* panel :
             {PanelActPos, PanelSnelheid, PanelActPosLin, PanelSpanning_in, PanelStroom_in,
              PanelAnaloog_in_AWE, PanelSpanning_uit, PanelStroom_uit})
            panel->clear();
        return;
    }
    TActualRequests requests = ActualRequests();
    auto start = [](TLD100Protocol& component, const char* command, QLabel* panel) {
        component.SetASCIIProtocol(command);
        component.SetCyclic(true);
        SetBackground(panel, ActivePanelColor());
    };
    start(LD100ActPos, "r0", PanelActPos);
    start(LD100Snelheid, "r1", PanelSnelheid);
    if (requests.LinPosition)
        start(LD100ActPosLin, "r8", PanelActPosLin);
    if (requests.VoltageOut)
        start(LD100Spanning_uit, "r2", PanelSpanning_uit);
    if (requests.CurrentOut)
        start(LD100Stroom_uit, "r3", PanelStroom_uit);
    if (requests.VoltageIn)
        start(LD100Spanning_in, "r4", PanelSpanning_in);
    if (requests.CurrentIn)
        start(LD100Stroom_in, "r5", PanelStroom_in);
    start(LD100Analoog_in_AWE, "r6", PanelAnaloog_in_AWE);
    CmdActual->setText(FCmdActual_OFF);
    global.ActualActive = true;
}

void TFormMain::InUitActief() {
    TGlobalVar& global = GlobalVar();
    if (global.InOutActive) {
        LD100_in.SetCyclic(false);
        LD100_uit.SetCyclic(false);
        CmdInUit->setText(FCmdIO_ON);
        global.InOutActive = false;
        Disable_checkboxen_status_klemmen();
        return;
    }
    LD100_in.SetASCIIProtocol("ri");
    LD100_in.SetCyclic(true);
    LD100_uit.SetASCIIProtocol("ru");
    LD100_uit.SetCyclic(true);
    CmdInUit->setText(FCmdIO_OFF);
    global.InOutActive = true;
}

void TFormMain::DuimwielActief() {
    TGlobalVar& global = GlobalVar();
    if (global.ThumbwheelActive) {
        LD100Duimwiel.SetCyclic(false);
        CmdDuimwiel->setText(FCmdDuimwiel_ON);
        global.ThumbwheelActive = false;
        SetThumbwheelPanels(false);
        for (int i = 1; i <= 4; ++i)
            Panel_DW[i]->clear();
        return;
    }
    // A reply still on its way goes on with the one chain, from the thumbwheel it was asked for;
    // a second "rd 1" now would start another chain beside it.
    if (!LD100Duimwiel.RequestPending()) {
        ThumbwheelIndex = 1;
        LD100Duimwiel.SetASCIIProtocol("rd 1");
        LD100Duimwiel.Send();
    }
    SetThumbwheelPanels(true);
    CmdDuimwiel->setText(FCmdDuimwiel_OFF);
    global.ThumbwheelActive = true;
}

void TFormMain::LD100DuimwielCommResult(TMemoryStream& result) {
    if (!GlobalVar().ThumbwheelActive)
        return;
    int k = ThumbwheelIndex;
    ThumbwheelIndex = k == 4 ? 1 : k + 1;
    int32_t value = 0;
    if (ThumbwheelValue(result, LD100Duimwiel.ASCIIProtocol(), value)) {
        Panel_DW[k]->setText(IntToFixedText(DecimalsOfPosition, value));
        ParamStore().DuimwielWaarde[k] = value;
    } else {
        Panel_DW[k]->setText(NotANumberText);
        ParamStore().DuimwielWaarde[k] = 0;
    }
    LD100Duimwiel.SetASCIIProtocol("rd " + std::to_string(ThumbwheelIndex));
    LD100Duimwiel.Send();
}

void TFormMain::LD100DuimwielCommError() {
    Panel_DW[ThumbwheelIndex]->setText(NoReplyText);
}

void TFormMain::StopLiveMonitoring() {
    if (GlobalVar().InOutActive)
        InUitActief();
    if (GlobalVar().ActualActive)
        ActualActief();
    if (GlobalVar().ThumbwheelActive)
        DuimwielActief();
}

void TFormMain::CmdResetErrorClick() {
    LD100ResetError.SetASCIIProtocol("wf");
    LD100ResetError.Send();
}

void TFormMain::Disable_checkboxen_status_klemmen() {
    TB_K0->SetState(TIndicatorBox::TState::Neutral);
    for (int i = 1; i <= 4; ++i) {
        Tb_in[i]->SetState(TIndicatorBox::TState::Neutral);
        TbUitgang[i]->SetState(TIndicatorBox::TState::Neutral);
    }
}

void TFormMain::InputFunctieTeksten() {
    if (ParamDefs().ParameterDefGeladen())
        for (int i = 1; i <= 4; ++i)
            LabelFun_in[i]->setText(InputFunctionText(i));
    LabelFun_K0->setText(K0FunctionText());
}

void TFormMain::OutputFunctieTeksten() {
    if (!ParamDefs().ParameterDefGeladen())
        return;
    for (int i = 1; i <= 4; ++i)
        LabelFun_uit[i]->setText(OutputFunctionText(i));
}
