#include "calib/Linearisatie.h"

#include "app/ErrorReport.h"
#include "app/Functies.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"
#include "calib/DrawImage.h"
#include "params/EditParamPage.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

constexpr QSize ClientSize{1040, 636};
constexpr QPoint PlotAt{80, 28};
constexpr int RightColumn = 828;
constexpr int RightWidth = 204;

QLabel* ValuePanel(QWidget* parent, const char* name, const QString& what) {
    auto* panel = NamedValue(new QLabel(parent), name, what);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panel->setContentsMargins(4, 0, 4, 0);
    panel->setMinimumHeight(22);
    return panel;
}

// A spin edit changed with its arrows only.
QSpinBox* ArrowSpin(QWidget* parent, const char* name, const QString& what, int low, int high) {
    auto* spin = Named(new QSpinBox(parent), name, what);
    spin->setRange(low, high);
    if (auto* text = spin->findChild<QLineEdit*>())
        text->setReadOnly(true);
    return spin;
}

QGridLayout* GroupGrid(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setVerticalSpacing(4);
    return grid;
}

// The group of one axis: the selected point's value, its edit button and the help lines.
struct TAxisGroup {
    QGroupBox* Group;
    QLabel* Panel;
    QPushButton* Edit;
    QCheckBox* Lines;
};
struct TAxisNames {
    const char *Group, *Panel, *Edit, *Lines;
};
struct TAxisTexts {
    TTextKey Group, Edit, Lines;
};

TAxisGroup AxisGroup(QWidget* parent, const TAxisNames& names, const TAxisTexts& texts,
                     const QString& what, int top) {
    TAxisGroup axis;
    axis.Group = Named(new QGroupBox(Built(texts.Group), parent), names.Group);
    axis.Group->setGeometry(RightColumn, top, RightWidth, 78);
    axis.Panel = ValuePanel(axis.Group, names.Panel, what);
    axis.Edit = Named(new QPushButton(Built(texts.Edit), axis.Group), names.Edit);
    axis.Lines = Named(new QCheckBox(Built(texts.Lines), axis.Group), names.Lines);
    auto* grid = GroupGrid(axis.Group);
    grid->addWidget(axis.Panel, 0, 0);
    grid->addWidget(axis.Edit, 0, 1);
    grid->addWidget(axis.Lines, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    return axis;
}

} // namespace

TFormLinearisatie::TFormLinearisatie(QWidget* parent) : TActivatedDialog(parent) {
    setModal(true);
    setWindowTitle(Built(TextKey::Linearisatie::CaptionLinearisatie));
    setFixedSize(ClientSize);
    CreateControls();
}

void TFormLinearisatie::CreateControls() {
    Image1 = new TDrawImage("Image1", LinPlotSize, this);
    Image1->move(PlotAt);
    Image1->setAccessibleName(QStringLiteral("Linearisation curve"));
    ImageX = new TDrawImage("ImageX", LinXStripSize, this);
    ImageX->move(PlotAt.x(), PlotAt.y() + LinPlotSize.height());
    ImageX->setAccessibleName(QStringLiteral("X axis"));
    ImageY = new TDrawImage("ImageY", LinYStripSize, this);
    ImageY->move(0, PlotAt.y());
    ImageY->setAccessibleName(QStringLiteral("Y axis"));
    Image1->raise();
    LabelYas = Named(new QLabel(Built(TextKey::Linearisatie::GroepYas), this), "LabelYas");
    LabelYas->setGeometry(8, 6, 70, 18);
    LabelYas->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelXas = Named(new QLabel(Built(TextKey::Linearisatie::GroepXas), this), "LabelXas");
    LabelXas->setGeometry(PlotAt.x() + LinPlotSize.width() - 100,
                          PlotAt.y() + LinPlotSize.height() + LinXStripSize.height() + 2, 100, 18);
    LabelXas->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Image1->OnMouseMove = [this](QPoint position) { FMouse = position; };
    Image1->OnClick = [this] { RunGuarded([this] { Image1Click(); }); };

    CreateQuadrant();

    using namespace TextKey::Linearisatie;
    LabelGrafiekPunt = Named(new QLabel(Built(CaptionGrafiekPunt), this), "LabelGrafiekPunt");
    SpinEdit_GrafiekPunt =
        ArrowSpin(this, "SpinEdit_GrafiekPunt", QStringLiteral("Selected point"), 1, LinHitSlots);
    LabelPuntGrootte = Named(new QLabel(Built(CaptionPuntGrootte), this), "LabelPuntGrootte");
    SpinEditDot = ArrowSpin(this, "SpinEditDot", QStringLiteral("Dot size"), 0, 10);
    auto* points = new QGridLayout;
    points->addWidget(LabelGrafiekPunt, 0, 0);
    points->addWidget(SpinEdit_GrafiekPunt, 0, 1);
    points->addWidget(LabelPuntGrootte, 1, 0);
    points->addWidget(SpinEditDot, 1, 1);
    auto* pointsHolder = new QWidget(this);
    pointsHolder->setLayout(points);
    pointsHolder->setGeometry(RightColumn - 8, 236, RightWidth + 16, 66);

    TAxisGroup x = AxisGroup(this, {"GroupBoxX", "Panel_PX", "cmdEdit_X", "CheckHulplijnenXas"},
                             {GroepXas, CaptionEditX, LabelHulplijnenXas},
                             QStringLiteral("X of the selected point"), 304);
    GroupBoxX = x.Group;
    Panel_PX = x.Panel;
    cmdEdit_X = x.Edit;
    CheckHulplijnenXas = x.Lines;
    TAxisGroup y = AxisGroup(this, {"GroupBoxY", "Panel_PY", "cmdEdit_Y", "CheckHulplijnenYas"},
                             {GroepYas, CaptionEditY, LabelHulplijnenYas},
                             QStringLiteral("Y of the selected point"), 386);
    GroupBoxY = y.Group;
    Panel_PY = y.Panel;
    cmdEdit_Y = y.Edit;
    CheckHulplijnenYas = y.Lines;

    GroupBoxLin = Named(new QGroupBox(Built(GroepLin), this), "GroupBoxLin");
    GroupBoxLin->setGeometry(RightColumn, 468, RightWidth, 112);
    LabelMode = Named(new QLabel(GroupBoxLin), "LabelMode");
    PanelMode = ValuePanel(GroupBoxLin, "PanelMode", QStringLiteral("Linearisation mode"));
    LabelBron = Named(new QLabel(GroupBoxLin), "LabelBron");
    PanelBron = ValuePanel(GroupBoxLin, "PanelBron", QStringLiteral("Source of X"));
    for (QLabel* panel : {PanelMode, PanelBron})
        panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* lin = GroupGrid(GroupBoxLin);
    lin->addWidget(LabelMode, 0, 0);
    lin->addWidget(PanelMode, 1, 0);
    lin->addWidget(LabelBron, 2, 0);
    lin->addWidget(PanelBron, 3, 0);

    // The save button closes the right column.
    CreateExportControls({RightColumn, 596, RightWidth, 28});

    connect(SpinEdit_GrafiekPunt, &QSpinBox::valueChanged, this,
            [this] { RunGuarded([this] { SetSpinEditGrafiek(); }); });
    connect(SpinEditDot, &QSpinBox::valueChanged, this,
            [this] { RunGuarded([this] { SpinEditDotChange(); }); });
    for (QCheckBox* box : {CheckHulplijnenXas, CheckHulplijnenYas})
        connect(box, &QCheckBox::toggled, this, [this] {
            RunGuarded([this] {
                if (FTable.Count() > 1)
                    TekenGrafiek();
            });
        });
    connect(cmdEdit_X, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { cmdEdit_XClick(); }); });
    connect(cmdEdit_Y, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { cmdEdit_YClick(); }); });
}

void TFormLinearisatie::CreateQuadrant() {
    Image6 = new TDrawImage("Image6", LinQuadrantSize, this);
    Image6->move(RightColumn, 28);
    Image6->setAccessibleName(QStringLiteral("Mirroring of the curve"));
    auto label = [this](const char* name, const char* text, QPoint at) {
        auto* l = Named(new QLabel(QString::fromLatin1(text), Image6), name);
        l->move(at);
        return l;
    };
    LabelQ2 = label("LabelQ2", "Q2", {6, 4});
    LabelQ1 = label("LabelQ1", "Q1", {176, 4});
    LabelQ3 = label("LabelQ3", "Q3", {6, 180});
    LabelQ4 = label("LabelQ4", "Q4", {176, 180});
    LabelQX = label("LabelQX", "X", {190, 84});
    LabelQY = label("LabelQY", "Y", {104, 2});
    Lijn_X = Named(new QFrame(Image6), "Lijn_X");
    Lijn_X->setFrameShape(QFrame::HLine);
    Lijn_X->setGeometry(0, 99, LinQuadrantSize.width(), 3);
    Lijn_Y = Named(new QFrame(Image6), "Lijn_Y");
    Lijn_Y->setFrameShape(QFrame::VLine);
    Lijn_Y->setGeometry(99, 0, 3, LinQuadrantSize.height());
}

void TFormLinearisatie::LezenTeksten() {
    if (!GlobalVar().LanguageFileLoaded)
        return;
    using namespace TextKey::Linearisatie;
    setWindowTitle(Tekst(CaptionLinearisatie));
    GroupBoxX->setTitle(Tekst(GroepXas));
    LabelXas->setText(Tekst(GroepXas));
    GroupBoxY->setTitle(Tekst(GroepYas));
    LabelYas->setText(Tekst(GroepYas));
    LabelGrafiekPunt->setText(Tekst(CaptionGrafiekPunt));
    LabelPuntGrootte->setText(Tekst(CaptionPuntGrootte));
    CheckHulplijnenXas->setText(Tekst(LabelHulplijnenXas));
    CheckHulplijnenYas->setText(Tekst(LabelHulplijnenYas));
    GroupBoxLin->setTitle(Tekst(GroepLin));
    cmdEdit_X->setText(Tekst(CaptionEditX));
    cmdEdit_Y->setText(Tekst(CaptionEditY));
    ReadExportButtonTexts(CmdOpslaanPNG);
}

void TFormLinearisatie::FormActivate() {
    const TGlobalVar& settings = GlobalVar();
    {
        QSignalBlocker x(CheckHulplijnenXas), y(CheckHulplijnenYas), dot(SpinEditDot);
        CheckHulplijnenXas->setChecked(settings.Lin_X_hulplijn);
        CheckHulplijnenYas->setChecked(settings.Lin_Y_hulplijn);
        SpinEditDot->setValue(settings.Puntgrootte);
        FDotSize = SpinEditDot->value();
    }
    LezenTeksten();

    FTable = ReadLinTable();
    const TParamDefs& defs = ParamDefs();
    PanelMode->setText(StoreOptionText(LinModeParameter));
    PanelBron->setText(StoreOptionText(LinSourceParameter));
    if (defs.ParameterDefGeladen()) {
        LabelMode->setText(defs.Naam(LinModeParameter));
        LabelBron->setText(defs.Naam(LinSourceParameter) + QStringLiteral("  (") +
                           GroupBoxX->title() + u')');
    }

    {
        QSignalBlocker blocker(SpinEdit_GrafiekPunt);
        // Judged before the new maximum would pull a point beyond the table down to the last.
        const int point = SpinEdit_GrafiekPunt->value();
        SpinEdit_GrafiekPunt->setMaximum(std::max(FTable.Count(), 1));
        if (point > FTable.Count() || point == 0)
            SpinEdit_GrafiekPunt->setValue(1);
    }
    FSelected = SpinEdit_GrafiekPunt->value();
    Ber_en_Teken_XY();
    ShowPointPanels();
    TekenGrafiek_sub();
    TekenGrafiek();
}

void TFormLinearisatie::Ber_en_Teken_XY() {
    FTable = ReadLinTable();
    ImageX->SetDrawing(DrawLinXAxis(FTable));
    ImageY->SetDrawing(DrawLinYAxis(FTable));
}

void TFormLinearisatie::TekenGrafiek() {
    TLinGraph graph = DrawLinGraph(FTable, {FSelected, FDotSize, CheckHulplijnenXas->isChecked(),
                                            CheckHulplijnenYas->isChecked()});
    FPositions = std::move(graph.Positions);
    Image1->SetDrawing(std::move(graph.Plot));
    Image1->setAccessibleDescription(LinGraphDescription(FTable, FSelected));
    EnableEditButtons();
}

void TFormLinearisatie::TekenGrafiek_sub() {
    // The quadrant picture, its labels and axis lines show for every mode but 0.
    Image6->setVisible(FTable.Mode != 0);
    Image6->SetDrawing(DrawLinQuadrant(FTable));
    Image6->setAccessibleDescription(
        FTable.Mode == 1   ? QStringLiteral("curve mirrored into the upper left quadrant")
        : FTable.Mode == 2 ? QStringLiteral("curve mirrored into the lower left quadrant")
                           : QString());
}

void TFormLinearisatie::ShowPointPanels() {
    if (FSelected < 1 || FSelected > FTable.Count()) {
        Panel_PX->clear();
        Panel_PY->clear();
        return;
    }
    const TLinPoint& point = FTable.Points[static_cast<size_t>(FSelected - 1)];
    Panel_PX->setText(IntToFixedText(DecimalsOfPosition, point.X));
    Panel_PY->setText(IntToFixedText(DecimalsOfLinPosition, point.Y));
}

void TFormLinearisatie::EnableEditButtons() {
    bool editable = FormParamService && FSelected >= 1 && FSelected <= FTable.Count();
    cmdEdit_X->setEnabled(editable);
    cmdEdit_Y->setEnabled(editable);
}

void TFormLinearisatie::SetSpinEditGrafiek() {
    FSelected = SpinEdit_GrafiekPunt->value();
    if (FTable.Count() > 1) {
        Ber_en_Teken_XY();
        TekenGrafiek();
    }
    ShowPointPanels();
    EnableEditButtons();
}

void TFormLinearisatie::Image1Click() {
    int point = LinHitTest(FPositions, FMouse);
    if (point == 0)
        return;
    {
        // Picking the point already selected changes no value: select it here either way.
        QSignalBlocker blocker(SpinEdit_GrafiekPunt);
        SpinEdit_GrafiekPunt->setValue(point);
    }
    SetSpinEditGrafiek();
}

void TFormLinearisatie::SpinEditDotChange() {
    FDotSize = SpinEditDot->value();
    if (FTable.Count() >= 2) {
        Ber_en_Teken_XY();
        TekenGrafiek_sub();
        TekenGrafiek();
    }
}

void TFormLinearisatie::EditPoint(bool x) {
    if (!FormParamService || FSelected < 1 || FSelected > FTable.Count())
        return;
    const int nr = x ? LinXParameter(FSelected) : LinYParameter(FSelected);
    SelectParamRow(ParameterRow(nr), ParamStore().SelPar);
    FormParamService->exec();
    Ber_en_Teken_XY();
    TekenGrafiek_sub();
    TekenGrafiek();
    ShowPointPanels();
}

void TFormLinearisatie::done(int result) {
    RunGuarded([this] { FormClose(); });
    QDialog::done(result);
}

void TFormLinearisatie::FormClose() {
    TGlobalVar& settings = GlobalVar();
    settings.Lin_X_hulplijn = CheckHulplijnenXas->isChecked();
    settings.Lin_Y_hulplijn = CheckHulplijnenYas->isChecked();
    settings.Puntgrootte = FDotSize;
}
