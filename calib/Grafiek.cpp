#include "calib/Grafiek.h"

#include "app/Colors.h"
#include "app/ErrorReport.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"
#include "calib/DrawImage.h"
#include "comm/LBComm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr QSize ClientSize{908, 504};
constexpr int RightColumn = 720;
constexpr int RightWidth = 180;
constexpr int ScrollSmallChange = 20;
constexpr int ScrollLargeChange = 10;

// The status texts: time-out, other communication error, started, stopped, buffer full.
constexpr int TextTimeout = 0, TextCommError = 1, TextStarted = 2, TextStopped = 3, TextFull = 4;
constexpr TTextKey PanelKeys[] = {TextKey::Grafiek::PanelTekst0, TextKey::Grafiek::PanelTekst1,
                                  TextKey::Grafiek::PanelTekst2, TextKey::Grafiek::PanelTekst3,
                                  TextKey::Grafiek::PanelTekst4};

// The source list without a language file: one name for each source, in the order of the list.
const QStringList BuiltInSources = {QStringLiteral("ActPos"),    QStringLiteral("Act_V"),
                                    QStringLiteral("Act_Lin"),   QStringLiteral("Act_U_uit"),
                                    QStringLiteral("Act_I_uit"), QStringLiteral("Act_U_in"),
                                    QStringLiteral("Act_I_in")};

// Selects row `index` of a list, or the first row when there is no such row.
void SelectRow(QListWidget* list, int index) {
    list->setCurrentRow(index >= 0 && index < list->count() ? index : 0);
}

// The value scale a source is fixed to, -1 when it is free or there is no source.
int FixedValueScale(int source) {
    return source >= 0 ? LogSources[ValidLogSource(source)].FixedValueScale : -1;
}

} // namespace

TFormGrafiek::TFormGrafiek(TLBComm* port, QWidget* parent, std::function<int64_t()> clock)
    : TActivatedDialog(parent), FRecorder(port, std::move(clock)) {
    setModal(true);
    setWindowTitle(Built(TextKey::Grafiek::CaptionGrafiek));
    setFixedSize(ClientSize);
    for (int i = 0; i < 5; ++i)
        FPanelTekst.append(QString());
    CreateControls();
    FRecorder.OnSample = [this] { RunGuarded([this] { LD100LeesLogDataSample(); }); };
    FRecorder.OnEnd = [this](TLogEnd end) { RunGuarded([&] { LD100LeesLogDataEnd(end); }); };
}

void TFormGrafiek::CreateControls() {
    Image1 = new TDrawImage("Image1", LogPlotSize, this);
    Image1->move(80, 12);
    Image1->setAccessibleName(QStringLiteral("Chart of the recorded values"));
    ImageX = new TDrawImage("ImageX", LogTimeStripSize, this);
    ImageX->move(60, 421);
    ImageX->setAccessibleName(QStringLiteral("Time axis in seconds"));
    ImageY = new TDrawImage("ImageY", LogValueStripSize, this);
    ImageY->move(0, 6);
    ImageY->setAccessibleName(QStringLiteral("Value axis"));
    // The strips lie beside the plot and partly under it.
    Image1->raise();

    ScrollBar2 = Named(new QScrollBar(Qt::Horizontal, this), "ScrollBar2",
                       QStringLiteral("First sample shown"));
    ScrollBar2->setGeometry(80, 450, LogPlotSize.width(), 17);
    ScrollBar2->setSingleStep(ScrollSmallChange);
    ScrollBar2->setPageStep(ScrollLargeChange);
    ScrollBar2->setRange(0, 0);

    LabelBuffer = Named(new QLabel(Built(TextKey::Grafiek::LabelBuffer), this), "LabelBuffer");
    LabelBuffer->setGeometry(8, 476, 68, 20);
    LabelBuffer->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Gauge1 = Named(new QProgressBar(this), "Gauge1", QStringLiteral("Buffer filled"));
    Gauge1->setGeometry(80, 477, 250, 18);
    Gauge1->setRange(0, LogLastSlot);
    Gauge1->setTextVisible(false);
    LabelBufferCount = NamedValue(new QLabel(QStringLiteral("0,0 sec"), this), "LabelBufferCount",
                                  QStringLiteral("Recorded time"));
    LabelBufferCount->setGeometry(338, 476, 80, 20);
    PanelCommError = Named(new QLabel(this), "PanelCommError", QStringLiteral("Recording status"));
    PanelCommError->setGeometry(424, 475, RightColumn - 424 - 8, 22);
    PanelCommError->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelCommError->setContentsMargins(4, 0, 4, 0);

    GroupBoxXas = Named(new QGroupBox(Built(TextKey::Grafiek::GroepXas), this), "GroupBoxXas");
    GroupBoxXas->setGeometry(RightColumn, 6, RightWidth, 188);
    ListBoxX = Named(new QListWidget(GroupBoxXas), "ListBoxX", QStringLiteral("Time per division"));
    for (const TLogTimeScale& scale : LogTimeScales)
        ListBoxX->addItem(QString::fromLatin1(scale.Caption));
    CheckHulplijnenXas =
        Named(new QCheckBox(Built(TextKey::Grafiek::LabelHulplijnenXas), GroupBoxXas),
              "CheckHulplijnenXas");
    CheckBoxAutoScroll = Named(new QCheckBox(Built(TextKey::Grafiek::LabelAutoscroll), GroupBoxXas),
                               "CheckBoxAutoScroll");
    auto* xLayout = new QVBoxLayout(GroupBoxXas);
    xLayout->setContentsMargins(8, 4, 8, 6);
    xLayout->addWidget(ListBoxX);
    xLayout->addWidget(CheckHulplijnenXas);
    xLayout->addWidget(CheckBoxAutoScroll);

    GroupBoxYas = Named(new QGroupBox(Built(TextKey::Grafiek::GroepYas), this), "GroupBoxYas");
    GroupBoxYas->setGeometry(RightColumn, 198, RightWidth, 168);
    ListBoxY =
        Named(new QListWidget(GroupBoxYas), "ListBoxY", QStringLiteral("Units per division"));
    for (int32_t units : LogValueScales)
        ListBoxY->addItem(QString::number(units));
    CheckHulplijnenYas =
        Named(new QCheckBox(Built(TextKey::Grafiek::LabelHulplijnenYas), GroupBoxYas),
              "CheckHulplijnenYas");
    auto* yLayout = new QVBoxLayout(GroupBoxYas);
    yLayout->setContentsMargins(8, 4, 8, 6);
    yLayout->addWidget(ListBoxY);
    yLayout->addWidget(CheckHulplijnenYas);

    LabelBron = Named(new QLabel(Built(TextKey::Grafiek::LabelBron), this), "LabelBron");
    LabelBron->setGeometry(RightColumn, 370, RightWidth, 18);
    ComboBoxBron = Named(new QComboBox(this), "ComboBoxBron", QStringLiteral("Recorded value"));
    ComboBoxBron->setGeometry(RightColumn, 388, RightWidth, 24);
    ComboBoxBron->addItems(BuiltInSources);

    CmdStartLog = Named(new QPushButton(QStringLiteral("Start Log"), this), "CmdStartLog");
    CmdStartLog->setGeometry(RightColumn, 420, RightWidth / 2 - 2, 28);
    CmdStopLog = Named(new QPushButton(QStringLiteral("Stop Log"), this), "CmdStopLog");
    CmdStopLog->setGeometry(RightColumn + RightWidth / 2 + 2, 420, RightWidth / 2 - 2, 28);
    CmdStopLog->setEnabled(false);
    // The save buttons beside the status panel, under Start and Stop.
    CreateExportControls({RightColumn, 472, RightWidth, 26});

    auto guarded = [this](void (TFormGrafiek::*handler)()) {
        return [this, handler] { RunGuarded([&] { (this->*handler)(); }); };
    };
    connect(CmdStartLog, &QPushButton::clicked, this, guarded(&TFormGrafiek::CmdStartLogClick));
    connect(CmdStopLog, &QPushButton::clicked, this, guarded(&TFormGrafiek::CmdStopLogClick));
    connect(ComboBoxBron, &QComboBox::currentIndexChanged, this,
            guarded(&TFormGrafiek::ComboBoxBronChange));
    connect(ScrollBar2, &QScrollBar::valueChanged, this, guarded(&TFormGrafiek::TekenGrafiek));
    connect(ListBoxX, &QListWidget::currentRowChanged, this, guarded(&TFormGrafiek::TekenGrafiek));
    connect(ListBoxY, &QListWidget::currentRowChanged, this, [this] {
        RunGuarded([this] {
            TekenYasVerdeling();
            TekenGrafiek();
        });
    });
    for (QCheckBox* box : {CheckHulplijnenXas, CheckHulplijnenYas, CheckBoxAutoScroll})
        connect(box, &QCheckBox::toggled, this, guarded(&TFormGrafiek::TekenGrafiek));
}

void TFormGrafiek::LezenTeksten() {
    if (!GlobalVar().LanguageFileLoaded)
        return;
    using namespace TextKey::Grafiek;
    setWindowTitle(Tekst(CaptionGrafiek));
    LabelBuffer->setText(Tekst(TextKey::Grafiek::LabelBuffer));
    CheckBoxAutoScroll->setText(Tekst(LabelAutoscroll));
    CheckHulplijnenXas->setText(Tekst(LabelHulplijnenXas));
    CheckHulplijnenYas->setText(Tekst(LabelHulplijnenYas));
    CmdStartLog->setText(Tekst(TextKey::Grafiek::CmdStartLog));
    CmdStopLog->setText(Tekst(TextKey::Grafiek::CmdStopLog));
    ReadExportButtonTexts(CmdOpslaanPNG, CmdOpslaanCSV);
    GroupBoxXas->setTitle(Tekst(GroepXas));
    GroupBoxYas->setTitle(Tekst(GroepYas));
    LabelBron->setText(Tekst(TextKey::Grafiek::LabelBron));
    {
        QSignalBlocker blocker(ComboBoxBron);
        ComboBoxBron->clear();
        ComboBoxBron->addItems(TekstList(optiesBron));
    }
    for (int i = 0; i < 5; ++i)
        FPanelTekst[i] = Tekst(PanelKeys[i]);
}

void TFormGrafiek::FormActivate() {
    LezenTeksten();
    TLBComm* port = FRecorder.LD100LeesLogData.LBComm();
    SetIdle(port && port->Active());
    const TGlobalVar& settings = GlobalVar();
    {
        QSignalBlocker x(ListBoxX), y(ListBoxY), source(ComboBoxBron);
        SelectRow(ListBoxX, settings.X_Div);
        SelectRow(ListBoxY, settings.Y_Div);
        int item = settings.BronItem;
        ComboBoxBron->setCurrentIndex(item >= 0 && item < ComboBoxBron->count() ? item : 0);
    }
    {
        QSignalBlocker x(CheckHulplijnenXas), y(CheckHulplijnenYas);
        CheckHulplijnenXas->setChecked(settings.X_hulplijn);
        CheckHulplijnenYas->setChecked(settings.Y_hulplijn);
    }
    Gauge1->setValue(0);
    ShowStatusText(PanelCommError, {}, false);
    ComboBoxBronChange();
    TekenGrafiek();
}

void TFormGrafiek::SetIdle(bool portOpen) {
    // Without a source (an empty list from the language file) there is nothing to record.
    CmdStartLog->setEnabled(portOpen && ComboBoxBron->currentIndex() >= 0);
    CmdStopLog->setEnabled(false);
    ComboBoxBron->setEnabled(true);
    // An analog source's axis is labelled for its own scale only.
    ListBoxY->setEnabled(FixedValueScale(ComboBoxBron->currentIndex()) < 0);
}

void TFormGrafiek::ComboBoxBronChange() {
    const int fixed = FixedValueScale(ComboBoxBron->currentIndex());
    if (fixed >= 0) {
        QSignalBlocker blocker(ListBoxY);
        ListBoxY->setCurrentRow(fixed);
    }
    ListBoxY->setEnabled(fixed < 0);
    TekenYasVerdeling();
    TekenGrafiek();
}

void TFormGrafiek::CmdStartLogClick() {
    Gauge1->setValue(0);
    CmdStartLog->setEnabled(false);
    ComboBoxBron->setEnabled(false);
    CmdStopLog->setEnabled(true);
    FRecorder.Start(ComboBoxBron->currentIndex());
    ShowStatus(TextStarted, false);
    TekenGrafiek();
}

void TFormGrafiek::CmdStopLogClick() {
    FRecorder.Stop();
    TLBComm* port = FRecorder.LD100LeesLogData.LBComm();
    SetIdle(port && port->Active());
    ShowStatus(TextStopped, false);
    TekenGrafiek();
}

void TFormGrafiek::LD100LeesLogDataSample() {
    Gauge1->setValue(std::max(FRecorder.Buffer.Newest, 0));
    TekenGrafiek();
    LabelBufferCount->setText(LogBufferText(FRecorder.Buffer));
}

void TFormGrafiek::LD100LeesLogDataEnd(TLogEnd end) {
    TLBComm* port = FRecorder.LD100LeesLogData.LBComm();
    SetIdle(port && port->Active());
    switch (end) {
    case TLogEnd::Full:
        ShowStatus(TextFull, false);
        break;
    case TLogEnd::Timeout:
        ShowStatus(TextTimeout, true);
        break;
    case TLogEnd::CommError:
        ShowStatus(TextCommError, true);
        break;
    default:
        break;
    }
    TekenGrafiek();
}

void TFormGrafiek::ShowStatus(int text, bool red) {
    ShowStatusText(PanelCommError, FPanelTekst[text], red);
}

TLogView TFormGrafiek::View() const {
    TLogView view;
    view.TimeScale = ListBoxX->currentRow();
    view.ValueScale = ListBoxY->currentRow();
    view.Source = ComboBoxBron->currentIndex();
    view.TimeGrid = CheckHulplijnenXas->isChecked();
    view.ValueGrid = CheckHulplijnenYas->isChecked();
    view.AutoScroll = CheckBoxAutoScroll->isChecked();
    view.Running = FRecorder.Recording();
    view.ScrollPosition = ScrollBar2->value();
    return view;
}

void TFormGrafiek::TekenGrafiek() {
    QSignalBlocker blocker(ScrollBar2);
    ScrollBar2->setMaximum(std::max(FRecorder.Buffer.Newest, 0));
    TLogView view = View();
    TLogChart chart = DrawLogChart(FRecorder.Buffer, view);
    // While the chart follows the newest sample the scroll bar shows where it is, so that the
    // view stays put when the recording ends.
    if (view.AutoScroll && view.Running)
        ScrollBar2->setValue(chart.FirstSample);
    Image1->SetDrawing(std::move(chart.Plot));
    ImageX->SetDrawing(std::move(chart.TimeStrip));
    Image1->setAccessibleDescription(LogChartDescription(FRecorder.Buffer, view.Source));
    CmdOpslaanCSV->setEnabled(FRecorder.Buffer.Count > 0);
}

void TFormGrafiek::TekenYasVerdeling() {
    ImageY->SetDrawing(DrawLogValueAxis(View()));
}

void TFormGrafiek::done(int result) {
    RunGuarded([this] { FormClose(); });
    QDialog::done(result);
}

void TFormGrafiek::FormClose() {
    TGlobalVar& settings = GlobalVar();
    settings.X_Div = ListBoxX->currentRow();
    settings.Y_Div = ListBoxY->currentRow();
    if (ComboBoxBron->currentIndex() >= 0)
        settings.BronItem = ComboBoxBron->currentIndex();
    settings.X_hulplijn = CheckHulplijnenXas->isChecked();
    settings.Y_hulplijn = CheckHulplijnenYas->isChecked();
    FRecorder.Stop();
    TLBComm* port = FRecorder.LD100LeesLogData.LBComm();
    SetIdle(port && port->Active());
}
