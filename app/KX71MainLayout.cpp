// The controls of the main window: fixed positions in a client area of 723 × 406.

#include "app/Colors.h"
#include "app/IndicatorBox.h"
#include "app/KX71Main.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>

namespace {

constexpr int StatusPanelWidths[6] = {40, 80, 70, 80, 120, 80};

QLabel* ValuePanel(QWidget* parent, const char* name) {
    auto* panel = Named(new QLabel(parent), name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = panel->font();
    bold.setBold(true);
    panel->setFont(bold);
    panel->setMinimumHeight(20);
    panel->setContentsMargins(2, 0, 4, 0);
    SetBackground(panel, NeutralColor());
    return panel;
}

QLabel* TextPanel(QWidget* parent, const char* name) {
    auto* panel = Named(new QLabel(parent), name);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    panel->setContentsMargins(4, 0, 4, 0);
    return panel;
}

QGroupBox* Group(QWidget* parent, const char* name, const QRect& geometry,
                 const QString& title = {}) {
    auto* group = Named(new QGroupBox(title, parent), name);
    group->setGeometry(geometry);
    return group;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    return Named(new QPushButton(caption, parent), name);
}

QGridLayout* Grid(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setVerticalSpacing(3);
    return grid;
}

} // namespace

void TFormMain::BuildWindow() {
    auto* client = new QWidget(this);
    setCentralWidget(client);

    auto* unitGroup = Group(client, "GroupBoxUnit", {6, 2, 176, 56});
    auto* unitLayout = new QHBoxLayout(unitGroup);
    unitLayout->setContentsMargins(8, 6, 8, 6);
    CmdSelectUnit = Button(unitGroup, "CmdSelectUnit", QString());
    SpinEditUnitSelect = Named(new QSpinBox(unitGroup), "SpinEditUnitSelect");
    SpinEditUnitSelect->setRange(0, 31);
    SpinEditUnitSelect->setToolTip(QStringLiteral("KX9x no:"));
    SpinEditUnitSelect->setAccessibleName(QStringLiteral("KX9x no:"));
    unitLayout->addWidget(CmdSelectUnit, 1);
    unitLayout->addWidget(SpinEditUnitSelect);

    PanelComInfo = TextPanel(client, "PanelComInfo");
    PanelComInfo->setGeometry(188, 8, 282, 22);
    PanelErrorNo = TextPanel(client, "PanelErrorNo");
    PanelErrorNo->setGeometry(188, 34, 282, 22);
    QFont bold = PanelErrorNo->font();
    bold.setBold(true);
    PanelErrorNo->setFont(bold);
    SetErrorText(PanelErrorNo, true);

    GroupBoxActual =
        Group(client, "GroupBoxActual", {6, 60, 228, 96}, Built(TextKey::Main::GroepActual));
    auto* actual = Grid(GroupBoxActual);
    LabelActPos =
        Named(new QLabel(Built(TextKey::Main::LabelActualPositie), GroupBoxActual), "LabelActPos");
    LabelSnelheid = Named(new QLabel(Built(TextKey::Main::LabelActualSnelheid), GroupBoxActual),
                          "LabelSnelheid");
    LabelActPosLin = Named(new QLabel(Built(TextKey::Main::LabelActualLinPos), GroupBoxActual),
                           "LabelActPosLin");
    PanelActPos = ValuePanel(GroupBoxActual, "PanelActPos");
    PanelSnelheid = ValuePanel(GroupBoxActual, "PanelSnelheid");
    PanelActPosLin = ValuePanel(GroupBoxActual, "PanelActPosLin");
    actual->addWidget(LabelActPos, 0, 0);
    actual->addWidget(PanelActPos, 0, 1);
    actual->addWidget(LabelSnelheid, 1, 0);
    actual->addWidget(PanelSnelheid, 1, 1);
    actual->addWidget(LabelActPosLin, 2, 0);
    actual->addWidget(PanelActPosLin, 2, 1);
    actual->setColumnStretch(1, 1);

    GroupBox_ANA_IN =
        Group(client, "GroupBox_ANA_IN", {240, 60, 230, 96}, Built(TextKey::Main::Groep_ANA_IN));
    auto* anaIn = Grid(GroupBox_ANA_IN);
    LabelSpanning_in = Named(new QLabel(Built(TextKey::Main::LabelSpanning_in), GroupBox_ANA_IN),
                             "LabelSpanning_in");
    LabelStroom_in =
        Named(new QLabel(Built(TextKey::Main::LabelStroom_in), GroupBox_ANA_IN), "LabelStroom_in");
    PanelSpanning_in = ValuePanel(GroupBox_ANA_IN, "PanelSpanning_in");
    PanelStroom_in = ValuePanel(GroupBox_ANA_IN, "PanelStroom_in");
    PanelAnaloog_in_AWE = ValuePanel(GroupBox_ANA_IN, "PanelAnaloog_in_AWE");
    auto* labelAwe = Named(new QLabel(QStringLiteral("AWE:"), GroupBox_ANA_IN), "LabelAWE");
    anaIn->addWidget(LabelSpanning_in, 0, 0);
    anaIn->addWidget(PanelSpanning_in, 0, 1);
    anaIn->addWidget(LabelStroom_in, 1, 0);
    anaIn->addWidget(PanelStroom_in, 1, 1);
    anaIn->addWidget(labelAwe, 2, 0);
    anaIn->addWidget(PanelAnaloog_in_AWE, 2, 1);
    anaIn->setColumnStretch(1, 1);

    GroupBox_ANA_UIT =
        Group(client, "GroupBox_ANA_UIT", {6, 158, 228, 74}, Built(TextKey::Main::Groep_ANA_UIT));
    auto* anaOut = Grid(GroupBox_ANA_UIT);
    LabelSpanning_uit =
        Named(new QLabel(Built(TextKey::Main::LabelActualSpanning), GroupBox_ANA_UIT),
              "LabelSpanning_uit");
    LabelStroom_uit = Named(new QLabel(Built(TextKey::Main::LabelActualStroom), GroupBox_ANA_UIT),
                            "LabelStroom_uit");
    PanelSpanning_uit = ValuePanel(GroupBox_ANA_UIT, "PanelSpanning_uit");
    PanelStroom_uit = ValuePanel(GroupBox_ANA_UIT, "PanelStroom_uit");
    anaOut->addWidget(LabelSpanning_uit, 0, 0);
    anaOut->addWidget(PanelSpanning_uit, 0, 1);
    anaOut->addWidget(LabelStroom_uit, 1, 0);
    anaOut->addWidget(PanelStroom_uit, 1, 1);
    anaOut->setColumnStretch(1, 1);

    GroupBox_DW =
        Group(client, "GroupBox_DW", {240, 158, 230, 74}, Built(TextKey::Main::GroepDuimwiel));
    auto* dw = Grid(GroupBox_DW);
    static const char* const dwNames[] = {"", "Panel_DW1", "Panel_DW2", "Panel_DW3", "Panel_DW4"};
    Panel_DW[0] = nullptr;
    for (int i = 1; i <= 4; ++i) {
        Panel_DW[i] = ValuePanel(GroupBox_DW, dwNames[i]);
        dw->addWidget(Panel_DW[i], (i - 1) / 2, (i - 1) % 2);
    }

    GroupBoxIngangen =
        Group(client, "GroupBoxIngangen", {6, 234, 228, 122}, Built(TextKey::Main::GroepIngangen));
    auto* inputs = Grid(GroupBoxIngangen);
    inputs->setVerticalSpacing(1);
    TB_K0 = Named(new TIndicatorBox(QStringLiteral("K0"), GroupBoxIngangen), "TB_K0");
    LabelFun_K0 = Named(new QLabel(GroupBoxIngangen), "LabelFun_K0");
    inputs->addWidget(new QLabel(QStringLiteral("K0"), GroupBoxIngangen), 0, 0);
    inputs->addWidget(TB_K0, 0, 1);
    inputs->addWidget(LabelFun_K0, 0, 2);
    static const char* const inBoxes[] = {"", "Tb_in1", "Tb_in2", "Tb_in3", "Tb_in4"};
    static const char* const inLabels[] = {"", "LabelFun_in1", "LabelFun_in2", "LabelFun_in3",
                                           "LabelFun_in4"};
    Tb_in[0] = nullptr;
    LabelFun_in[0] = nullptr;
    for (int i = 1; i <= 4; ++i) {
        Tb_in[i] = Named(new TIndicatorBox(QStringLiteral("input %1").arg(i), GroupBoxIngangen),
                         inBoxes[i]);
        LabelFun_in[i] = Named(new QLabel(GroupBoxIngangen), inLabels[i]);
        inputs->addWidget(new QLabel(QString::number(i), GroupBoxIngangen), i, 0);
        inputs->addWidget(Tb_in[i], i, 1);
        inputs->addWidget(LabelFun_in[i], i, 2);
    }
    inputs->setColumnStretch(2, 1);

    GroupBoxUitgangen = Group(client, "GroupBoxUitgangen", {240, 234, 230, 122},
                              Built(TextKey::Main::GroepUitgangen));
    auto* outputs = Grid(GroupBoxUitgangen);
    outputs->setVerticalSpacing(1);
    static const char* const outBoxes[] = {"", "TbUitgang1", "TbUitgang2", "TbUitgang3",
                                           "TbUitgang4"};
    static const char* const outLabels[] = {"", "LabelFun_uit1", "LabelFun_uit2", "LabelFun_uit3",
                                            "LabelFun_uit4"};
    TbUitgang[0] = nullptr;
    LabelFun_uit[0] = nullptr;
    for (int i = 1; i <= 4; ++i) {
        TbUitgang[i] = Named(
            new TIndicatorBox(QStringLiteral("output %1").arg(i), GroupBoxUitgangen), outBoxes[i]);
        LabelFun_uit[i] = Named(new QLabel(GroupBoxUitgangen), outLabels[i]);
        outputs->addWidget(new QLabel(QString::number(i), GroupBoxUitgangen), i - 1, 0);
        outputs->addWidget(TbUitgang[i], i - 1, 1);
        outputs->addWidget(LabelFun_uit[i], i - 1, 2);
    }
    outputs->setRowStretch(4, 1);
    outputs->setColumnStretch(2, 1);

    CmdActual = Button(client, "CmdActual", QString());
    CmdActual->setGeometry(6, 360, 112, 24);
    CmdInUit = Button(client, "CmdInUit", QString());
    CmdInUit->setGeometry(122, 360, 112, 24);
    CmdDuimwiel = Button(client, "CmdDuimwiel", QString());
    CmdDuimwiel->setGeometry(240, 360, 112, 24);
    CmdResetError = Button(client, "CmdResetError", QStringLiteral("RST SSI Err"));
    CmdResetError->setGeometry(356, 360, 114, 24);

    // Enabled while the port is open.
    for (QPushButton* button : {CmdActual, CmdInUit, CmdDuimwiel, CmdResetError})
        button->setEnabled(false);

    CmdCalibratie = Button(client, "CmdCalibratie", QStringLiteral("Calibratie"));
    CmdCalibratie->setGeometry(606, 8, 111, 24);

    GroupBoxTerminal = Group(client, "GroupBoxTerminal", {478, 60, 239, 324});
    GroupBoxTerminal->setTitle(QStringLiteral("Terminal"));
    auto* terminal = new QGridLayout(GroupBoxTerminal);
    terminal->setContentsMargins(8, 6, 8, 8);
    EditZenden = Named(new QLineEdit(GroupBoxTerminal), "EditZenden");
    EditZenden->setFont(bold);
    CmdTerminalZenden = Button(GroupBoxTerminal, "CmdTerminalZenden", QStringLiteral("Transmit"));
    MemoReceive = Named(new QPlainTextEdit(GroupBoxTerminal), "MemoReceive");
    MemoReceive->setReadOnly(true);
    MemoReceive->setFocusPolicy(Qt::NoFocus);
    MemoReceive->setFont(bold);
    QPalette greyed = MemoReceive->palette();
    greyed.setColor(QPalette::Base, NeutralColor());
    MemoReceive->setPalette(greyed);
    terminal->addWidget(EditZenden, 0, 0);
    terminal->addWidget(CmdTerminalZenden, 0, 1);
    terminal->addWidget(MemoReceive, 1, 0, 1, 2);

    // Enter anywhere in the window presses the terminal's send button.
    CmdTerminalZenden->setDefault(true);
    CmdTerminalZenden->setAutoDefault(true);
}

void TFormMain::BuildMenu() {
    auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = Named(menuBar()->addMenu(caption), name);
        return m;
    };
    auto item = [](QMenu* owner, const char* name, const QString& caption) {
        QAction* action = owner->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    File1 = menu("File1", QStringLiteral("&File"));
    Exit1 = item(File1, "Exit1", QStringLiteral("&Afsluiten"));
    Edit = menu("Edit", QStringLiteral("&Edit"));
    Par11 = item(Edit, "Par11", QStringLiteral("&Parameters"));
    Par21 = item(Edit, "Par21", QStringLiteral("&Sollwerten"));
    Extra = menu("Extra", QStringLiteral("&Extra"));
    Serial1 = item(Extra, "Serial1", QStringLiteral("&Serieel"));
    ww1 = item(Extra, "ww1", QStringLiteral("&Opties"));
    Zendenenontvangen1 = menu("Zendenenontvangen1", QStringLiteral("Communicatie"));
    KX91ontvangen1 = item(Zendenenontvangen1, "KX91ontvangen1",
                          QStringLiteral("Parameters + Sollwerten ontvangen"));
    N1 = Zendenenontvangen1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    Backup1 = item(Zendenenontvangen1, "Backup1", QStringLiteral("Backup KX91..."));
    Restore1 = item(Zendenenontvangen1, "Restore1", QStringLiteral("Restore KX91..."));
    N2 = Zendenenontvangen1->addSeparator();
    N2->setObjectName(QStringLiteral("N2"));
    KX71zoeken = item(Zendenenontvangen1, "KX71zoeken", QStringLiteral("Apparaat zoeken..."));
    Venster = menu("Venster", QStringLiteral("&Venster"));
    displaynokken1 = item(Venster, "displaynokken1", QStringLiteral("Nokken info"));
    Grafiek1 = item(Venster, "Grafiek1", QStringLiteral("Grafiek"));
    Grafiek2 = item(Venster, "Grafiek2", QStringLiteral("Grafiek2"));
    CommunicatieLog1 = item(Venster, "CommunicatieLog1", QStringLiteral("Communicatie log"));
    Info1 = menu("Info1", QStringLiteral("&Help"));
    FormAbout = item(Info1, "FormAbout", QStringLiteral("&Info"));
    Errno1 = item(Info1, "Errno1", QStringLiteral("Error nummers"));

    // Windows that do not exist yet keep their items disabled.
    for (QAction* missing :
         {ww1, displaynokken1, Grafiek1, Grafiek2, CommunicatieLog1, FormAbout, Errno1})
        missing->setEnabled(false);
    EnableWindowMenuItems();
}

void TFormMain::BuildStatusBar() {
    QStatusBar* bar = Named(new QStatusBar(this), "StatusBar1");
    bar->setSizeGripEnabled(false);
    // The panels have the classic narrow widths; a smaller font lets more of their texts show,
    // and each panel's tooltip holds its whole text.
    QFont small = bar->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    bar->setFont(small);
    setStatusBar(bar);
    static const char* const names[] = {"StatusPanel0", "StatusPanel1", "StatusPanel2",
                                        "StatusPanel3", "StatusPanel4", "StatusPanel5"};
    for (int i = 0; i < 6; ++i) {
        StatusPanel[i] = Named(new QLabel(bar), names[i]);
        StatusPanel[i]->setFixedWidth(StatusPanelWidths[i]);
        StatusPanel[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(StatusPanel[i]);
    }
    SetStatusText(1, QStringLiteral("Offline"));
}
