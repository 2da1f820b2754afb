#include "calib/Calibratie.h"

#include "app/Colors.h"
#include "app/ErrorReport.h"
#include "app/WidgetNames.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr std::array<const char*, 4> BoxNames = {"GroupBoxDASpanning", "GroupBoxDAStroom",
                                                 "GroupBoxADSpanning", "GroupBoxADStroom"};
constexpr std::array<const char*, 4> BoxTitles = {"DA Spanning", "DA Stroom", "AD Spanning",
                                                  "AD Stroom"};
constexpr int PanelMinimumWidth = 110;
constexpr int DacPanelMinimumWidth = 80;

QPushButton* Button(QWidget* parent, const char* name, const QString& caption,
                    const QString& accessibleName) {
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setAccessibleName(accessibleName);
    button->setAutoDefault(false);
    return button;
}

QGroupBox* Group(QWidget* parent, const char* name, const QString& title) {
    return Named(new QGroupBox(title, parent), name, title);
}

QLabel* Label(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// A sunken panel whose text is the value it shows.
QLabel* ValuePanel(QWidget* parent, const char* name, const QString& accessibleName,
                   int minimumWidth) {
    auto* panel = Named(new QLabel(parent), name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panel->setMinimumWidth(minimumWidth);
    panel->setContentsMargins(2, 0, 4, 0);
    panel->setAccessibleName(accessibleName);
    QFont bold = panel->font();
    bold.setBold(true);
    panel->setFont(bold);
    // Its own text colour, so that greying the group's caption leaves it alone.
    SetTextColor(panel, QApplication::palette().color(QPalette::WindowText));
    SetBackground(panel, NeutralColor());
    return panel;
}

QSpinBox* SpinEdit(QWidget* parent, const char* name, int32_t minimum, int32_t maximum,
                   const QString& accessibleName) {
    auto* spin = Named(new QSpinBox(parent), name);
    spin->setRange(minimum, maximum);
    spin->setAccessibleName(accessibleName);
    return spin;
}

// The suffix of a spin edit's name ("SpinEdit_Offset_U" gives "_Offset_U"), for the names of
// the labels beside it.
QString NameSuffix(const char* spinEdit) {
    return QString::fromLatin1(spinEdit).mid(QStringLiteral("SpinEdit").size());
}

QString WithoutColon(const char* caption) {
    QString text = QString::fromLatin1(caption);
    return text.endsWith(u':') ? text.chopped(1) : text;
}

QColor WindowTextColor() {
    return QApplication::palette().color(QPalette::WindowText);
}

} // namespace

TFormCalibratie::TFormCalibratie(TLBComm* port, QWidget* parent)
    : TActivatedDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                   Qt::WindowCloseButtonHint),
      Logic(port) {
    setObjectName(QStringLiteral("FormCalibratie"));
    setWindowTitle(QStringLiteral("Calibratie"));
    setModal(true);
    CreateControls();
    BindControls();
    BindLogic();
}

void TFormCalibratie::CreateControls() {
    auto* values = new QGridLayout;
    for (TCalibBox box :
         {TCalibBox::DASpanning, TCalibBox::DAStroom, TCalibBox::ADSpanning, TCalibBox::ADStroom}) {
        int i = static_cast<int>(box);
        values->addWidget(CreateValueGroup(box), i / 2, i % 2);
    }

    Panel1 = Named(new QLabel(this), "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setContentsMargins(4, 2, 4, 2);
    Panel1->setMinimumHeight(Panel1->fontMetrics().height() + 8);
    Panel1->setAccessibleName(QStringLiteral("Status"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateModeGroups());
    layout->addLayout(values);
    layout->addWidget(CreateDacTeachGroup());
    layout->addWidget(Panel1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TFormCalibratie::CreateModeGroups() {
    auto* row = new QWidget(this);
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);

    GroupBoxCalibratieMode =
        Group(row, "GroupBoxCalibratieMode", QStringLiteral("Calibratie mode"));
    auto* mode = new QHBoxLayout(GroupBoxCalibratieMode);
    CmdSetKalibtatieMode = Button(GroupBoxCalibratieMode, "CmdSetKalibtatieMode",
                                  QStringLiteral("Aan"), QStringLiteral("Calibratie mode aan"));
    CmdResCalibtatieMode = Button(GroupBoxCalibratieMode, "CmdResCalibtatieMode",
                                  QStringLiteral("Uit"), QStringLiteral("Calibratie mode uit"));
    mode->addWidget(CmdSetKalibtatieMode);
    mode->addWidget(CmdResCalibtatieMode);

    GroupBox4 = Group(row, "GroupBox4", QStringLiteral("DA Select"));
    auto* select = new QHBoxLayout(GroupBox4);
    CmdSet_U_actief = Button(GroupBox4, "CmdSet_U_actief", QStringLiteral("Spanning"),
                             QStringLiteral("DA Select Spanning"));
    CmdSet_I_actief = Button(GroupBox4, "CmdSet_I_actief", QStringLiteral("Stroom"),
                             QStringLiteral("DA Select Stroom"));
    CmdSet_I_InActief = Button(GroupBox4, "CmdSet_I_InActief", QStringLiteral("Geen"),
                               QStringLiteral("DA Select Geen"));
    select->addWidget(CmdSet_U_actief);
    select->addWidget(CmdSet_I_actief);
    select->addWidget(CmdSet_I_InActief);

    CmdSaveToEEPROM = Button(row, "CmdSaveToEEPROM", QStringLiteral("EEPROM"),
                             QStringLiteral("Opslaan in EEPROM"));
    CmdSaveToEEPROM->setMinimumHeight(CmdSetKalibtatieMode->sizeHint().height() * 2);

    rowLayout->addWidget(GroupBoxCalibratieMode);
    rowLayout->addWidget(GroupBox4);
    rowLayout->addStretch();
    rowLayout->addWidget(CmdSaveToEEPROM, 0, Qt::AlignBottom);
    return row;
}

QGroupBox* TFormCalibratie::CreateValueGroup(TCalibBox box) {
    size_t b = static_cast<size_t>(box);
    QString title = QString::fromLatin1(BoxTitles[b]);
    auto* group = Group(this, BoxNames[b], title);
    GroupBoxes[b] = group;
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(4);
    int row = 0;
    for (size_t i = 0; i < CalibValues.size(); ++i) {
        const TCalibValue& value = CalibValues[i];
        if (value.Box != box)
            continue;
        QString suffix = NameSuffix(value.SpinEdit);
        Labels[i] = Label(group, "Label" + suffix, QString::fromLatin1(value.Caption));
        SpinEdits[i] = SpinEdit(group, value.SpinEdit, value.Minimum, value.Maximum,
                                title + u' ' + WithoutColon(value.Caption));
        Labels[i]->setBuddy(SpinEdits[i]);
        UnitLabels[i] = Label(group, "LabelEenheid" + suffix,
                              value.Offset ? QStringLiteral("in 311uV eenheden")
                                           : QStringLiteral("in 0,1 mV eenheden"));
        grid->addWidget(Labels[i], row, 0);
        grid->addWidget(SpinEdits[i], row, 1);
        grid->addWidget(UnitLabels[i], row, 2);
        ++row;
    }
    bool da = box == TCalibBox::DASpanning || box == TCalibBox::DAStroom;
    if (da) {
        grid->setRowMinimumHeight(row++, 6);
        bool current = box == TCalibBox::DAStroom;
        for (size_t i = 0; i < TeachPoints.size(); ++i) {
            const TTeachPoint& point = TeachPoints[i];
            if (point.Current != current)
                continue;
            // "CmdSetUmin" names the point: "Umin".
            QString pointName = QString::fromLatin1(point.Button).mid(6);
            TeachButtons[i] = Button(group, point.Button, QStringLiteral("Set"),
                                     QStringLiteral("Set ") + pointName);
            TeachSpinEdits[i] = SpinEdit(group, point.SpinEdit, point.Minimum, point.Maximum,
                                         QStringLiteral("Teach punt ") + pointName);
            TeachUnitLabels[i] =
                Label(group, "LabelEenheid" + QString::fromLatin1(point.SpinEdit).mid(8),
                      current ? QStringLiteral("mA") : QStringLiteral("V"));
            grid->addWidget(TeachButtons[i], row, 0);
            grid->addWidget(TeachSpinEdits[i], row, 1);
            grid->addWidget(TeachUnitLabels[i], row, 2);
            ++row;
        }
        return group;
    }
    // The unit captions of the input groups keep their colour when the group is greyed.
    for (size_t i = 0; i < CalibValues.size(); ++i) {
        if (CalibValues[i].Box == box)
            SetTextColor(UnitLabels[i], WindowTextColor());
    }
    grid->setRowMinimumHeight(row++, 6);
    bool voltage = box == TCalibBox::ADSpanning;
    QLabel* panel = ValuePanel(group, voltage ? "Panel2" : "Panel3",
                               title + QStringLiteral(" ingang"), PanelMinimumWidth);
    QPushButton* toggle = Button(group, voltage ? "CmdAct_U_AD" : "CmdAct_I_AD",
                                 QStringLiteral("ON"), title + QStringLiteral(" live"));
    (voltage ? Panel2 : Panel3) = panel;
    (voltage ? CmdAct_U_AD : CmdAct_I_AD) = toggle;
    grid->addWidget(toggle, row, 0);
    grid->addWidget(panel, row, 1, 1, 2);
    ShowLive(voltage ? TAnalogInput::Voltage : TAnalogInput::Current, false);
    return group;
}

QGroupBox* TFormCalibratie::CreateDacTeachGroup() {
    GroupBoxDACTeach = Group(this, "GroupBoxDACTeach", QStringLiteral("DA Teach waarden"));
    auto* grid = new QGridLayout(GroupBoxDACTeach);
    for (size_t i = 0; i < DacTeachValues.size(); ++i) {
        const TDacTeachValue& teach = DacTeachValues[i];
        QString suffix = QString::fromLatin1(teach.Panel).mid(5); // after "Panel"
        DacTeachLabels[i] =
            Label(GroupBoxDACTeach, "Label" + suffix, QString::fromLatin1(teach.Caption));
        DacTeachPanels[i] = ValuePanel(GroupBoxDACTeach, teach.Panel, WithoutColon(teach.Caption),
                                       DacPanelMinimumWidth);
        int row = static_cast<int>(i % 2);
        int column = static_cast<int>(i / 2) * 3;
        grid->addWidget(DacTeachLabels[i], row, column);
        grid->addWidget(DacTeachPanels[i], row, column + 1);
    }
    cmd_LeesDAC_Teach = Button(GroupBoxDACTeach, "cmd_LeesDAC_Teach", QStringLiteral("Lees"),
                               QStringLiteral("DA Teach waarden lezen"));
    grid->setColumnMinimumWidth(2, 24);
    grid->setColumnStretch(5, 1);
    grid->addWidget(cmd_LeesDAC_Teach, 0, 6, 2, 1, Qt::AlignVCenter);
    return GroupBoxDACTeach;
}

void TFormCalibratie::BindControls() {
    connect(CmdSetKalibtatieMode, &QPushButton::clicked, this,
            [this] { Logic.CmdSetKalibtatieModeClick(); });
    connect(CmdResCalibtatieMode, &QPushButton::clicked, this,
            [this] { Logic.CmdResCalibtatieModeClick(); });
    connect(CmdSet_U_actief, &QPushButton::clicked, this, [this] { Logic.CmdSet_U_actiefClick(); });
    connect(CmdSet_I_actief, &QPushButton::clicked, this, [this] { Logic.CmdSet_I_actiefClick(); });
    connect(CmdSet_I_InActief, &QPushButton::clicked, this,
            [this] { Logic.CmdSet_I_InActiefClick(); });
    connect(CmdSaveToEEPROM, &QPushButton::clicked, this, [this] { Logic.CmdSaveToEEPROMClick(); });
    connect(CmdAct_U_AD, &QPushButton::clicked, this, [this] { Logic.CmdAct_U_ADClick(); });
    connect(CmdAct_I_AD, &QPushButton::clicked, this, [this] { Logic.CmdAct_I_ADClick(); });
    connect(cmd_LeesDAC_Teach, &QPushButton::clicked, this,
            [this] { Logic.cmd_LeesDAC_TeachClick(); });
    for (size_t i = 0; i < SpinEdits.size(); ++i) {
        connect(SpinEdits[i], &QSpinBox::valueChanged, this,
                [this, i](int value) { Logic.SpinEditChange(static_cast<int>(i), value); });
    }
    for (size_t i = 0; i < TeachPoints.size(); ++i) {
        connect(TeachSpinEdits[i], &QSpinBox::valueChanged, this,
                [this, i](int value) { Logic.TeachPointChange(static_cast<int>(i), value); });
        connect(TeachButtons[i], &QPushButton::clicked, this,
                [this, i] { Logic.CmdSetClick(static_cast<int>(i)); });
    }
}

void TFormCalibratie::BindLogic() {
    Logic.OnStatus = [this](const QString& text, bool red) { ShowStatusText(Panel1, text, red); };
    Logic.OnValue = [this](int index, int32_t value) {
        QSignalBlocker blocker(SpinEdits[static_cast<size_t>(index)]);
        SpinEdits[static_cast<size_t>(index)]->setValue(value);
    };
    Logic.OnTeachPoint = [this](int index, int32_t value) {
        QSignalBlocker blocker(TeachSpinEdits[static_cast<size_t>(index)]);
        TeachSpinEdits[static_cast<size_t>(index)]->setValue(value);
    };
    Logic.OnDacTeachValue = [this](int index, const QString& text) {
        DacTeachPanels[static_cast<size_t>(index)]->setText(text);
    };
    Logic.OnGroupEnabled = [this](TCalibGroup group, bool enabled) { ShowGroup(group, enabled); };
    Logic.OnEEPROMEnabled = [this](bool enabled) { CmdSaveToEEPROM->setEnabled(enabled); };
    Logic.OnLive = [this](TAnalogInput input, bool live) { ShowLive(input, live); };
    Logic.OnLiveValue = [this](TAnalogInput input, const QString& text) {
        (input == TAnalogInput::Voltage ? Panel2 : Panel3)->setText(text);
    };
    Logic.OnConversionError = [](const QString& message) { ReportError(message); };
    Logic.OnConfirmClose = [this](const QString& caption, const QString& text) {
        return ConfirmClose(caption, text);
    };
}

void TFormCalibratie::ShowGroup(TCalibGroup group, bool enabled) {
    auto show = [&](QWidget* caption, std::initializer_list<QWidget*> controls) {
        ShowCaptionEnabled(caption, enabled);
        for (QWidget* control : controls)
            control->setEnabled(enabled);
    };
    auto showValues = [&](TCalibBox box, bool units) {
        for (size_t i = 0; i < CalibValues.size(); ++i) {
            if (CalibValues[i].Box != box)
                continue;
            show(Labels[i], {SpinEdits[i]});
            if (units)
                ShowCaptionEnabled(UnitLabels[i], enabled);
        }
    };
    auto showTeachPoints = [&](bool current) {
        for (size_t i = 0; i < TeachPoints.size(); ++i) {
            if (TeachPoints[i].Current == current)
                show(TeachUnitLabels[i], {TeachSpinEdits[i], TeachButtons[i]});
        }
    };
    switch (group) {
    case TCalibGroup::Spanning:
        show(GroupBoxes[static_cast<size_t>(TCalibBox::DASpanning)], {});
        showValues(TCalibBox::DASpanning, true);
        showTeachPoints(false);
        break;
    case TCalibGroup::Stroom:
        show(GroupBoxes[static_cast<size_t>(TCalibBox::DAStroom)], {});
        showValues(TCalibBox::DAStroom, true);
        showTeachPoints(true);
        break;
    case TCalibGroup::AD:
        show(GroupBoxes[static_cast<size_t>(TCalibBox::ADSpanning)], {CmdAct_U_AD});
        show(GroupBoxes[static_cast<size_t>(TCalibBox::ADStroom)], {CmdAct_I_AD});
        showValues(TCalibBox::ADSpanning, false);
        showValues(TCalibBox::ADStroom, false);
        break;
    case TCalibGroup::DASelect:
        show(GroupBox4, {CmdSet_U_actief, CmdSet_I_actief, CmdSet_I_InActief});
        break;
    }
}

void TFormCalibratie::ShowLive(TAnalogInput input, bool live) {
    bool voltage = input == TAnalogInput::Voltage;
    QLabel* panel = voltage ? Panel2 : Panel3;
    QPushButton* toggle = voltage ? CmdAct_U_AD : CmdAct_I_AD;
    if (!live)
        panel->clear();
    SetBackground(panel, live ? ActivePanelColor() : NeutralColor());
    panel->setAccessibleDescription(live ? QStringLiteral("live") : QStringLiteral("uit"));
    toggle->setText(live ? QStringLiteral("OFF") : QStringLiteral("ON"));
}

bool TFormCalibratie::ConfirmClose(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("CloseWarning"));
    return box.exec() == QMessageBox::Yes;
}

void TFormCalibratie::reject() {
    if (Logic.FormClose())
        QDialog::reject();
}
