#include "app/CommunicatieLog.h"

#include "app/DialogFilter.h"
#include "app/ErrorReport.h"
#include "app/FixedPitchFont.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/ModalLending.h"
#include "app/TextFile.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"
#include "comm/LBComm.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int FormWidth = 860;
constexpr int FormHeight = 420;
constexpr int ComboMinimumWidth = 220;

QString Text(const TTextKey& key) {
    return GlobalVar().LanguageFileLoaded ? Tekst(key) : Built(key);
}

} // namespace

TFormCommunicatieLog::TFormCommunicatieLog(TLBComm* port, QWidget* owner)
    : TActivatedDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                  Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      FPort(port), FLending(new TModalLending(this, owner)) {
    setObjectName(QStringLiteral("FormCommunicatieLog"));
    setWindowTitle(Built(TextKey::CommunicatieLog::Caption));
    resize(FormWidth, FormHeight);
    CreateControls();
    if (FPort)
        FPort->SetLog(FLog);
    GetSaveFileName = [this](const TFileDialogRequest& request) {
        return RunSaveFileDialog(this, request);
    };
    ShowSaveError = [this](const QString& text) {
        QMessageBox box(QMessageBox::Critical, windowTitle(), text, QMessageBox::Ok, this);
        box.exec();
    };
    TimerLezen.setInterval(ReadIntervalMs);
    connect(&TimerLezen, &QTimer::timeout, this,
            [this] { RunGuarded([this] { TimerLezenTimer(); }); });
}

TFormCommunicatieLog::~TFormCommunicatieLog() {
    if (FPort && FPort->Log() == FLog)
        FPort->SetLog(nullptr);
}

void TFormCommunicatieLog::CreateControls() {
    using namespace TextKey::CommunicatieLog;
    LabelComponent =
        Named(new QLabel(Built(TextKey::CommunicatieLog::LabelComponent), this), "LabelComponent");
    ComboComponent = Named(new QComboBox(this), "ComboComponent");
    ComboComponent->addItem(Built(AlleComponenten));
    ComboComponent->setMinimumWidth(ComboMinimumWidth);
    LabelComponent->setBuddy(ComboComponent);
    CmdPauze = Named(new QPushButton(Built(TextKey::CommunicatieLog::CmdPauze), this), "CmdPauze");
    CmdPauze->setCheckable(true);
    CmdWissen =
        Named(new QPushButton(Built(TextKey::CommunicatieLog::CmdWissen), this), "CmdWissen");
    CmdOpslaan =
        Named(new QPushButton(Built(TextKey::CommunicatieLog::CmdOpslaan), this), "CmdOpslaan");
    auto* top = new QHBoxLayout;
    top->addWidget(LabelComponent);
    top->addWidget(ComboComponent);
    top->addStretch();
    for (QPushButton* button : {CmdPauze, CmdWissen, CmdOpslaan})
        top->addWidget(button);

    MemoLog = Named(new QPlainTextEdit(this), "MemoLog");
    MemoLog->setReadOnly(true);
    MemoLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoLog->setMaximumBlockCount(MaxLines);
    MemoLog->setUndoRedoEnabled(false);
    MemoLog->setFont(FixedPitchFont(MemoLog->font()));

    LabelAantal = Named(new QLabel(this), "LabelAantal");
    CmdSluiten =
        Named(new QPushButton(Built(TextKey::CommunicatieLog::CmdSluiten), this), "CmdSluiten");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(LabelAantal, 1);
    bottom->addWidget(CmdSluiten);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(MemoLog, 1);
    layout->addLayout(bottom);

    connect(CmdPauze, &QPushButton::clicked, this, [this] { CmdPauzeClick(); });
    connect(CmdWissen, &QPushButton::clicked, this, [this] { CmdWissenClick(); });
    connect(CmdOpslaan, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { CmdOpslaanClick(); }); });
    connect(CmdSluiten, &QPushButton::clicked, this, [this] { close(); });
    connect(ComboComponent, &QComboBox::currentIndexChanged, this,
            [this] { ComboComponentChange(); });
    UpdateCount();
}

void TFormCommunicatieLog::FormActivate() {
    using namespace TextKey::CommunicatieLog;
    setWindowTitle(Text(Caption));
    LabelComponent->setText(Text(TextKey::CommunicatieLog::LabelComponent));
    ComboComponent->setItemText(0, Text(AlleComponenten));
    ComboComponent->setAccessibleName(LabelComponent->text());
    CmdWissen->setText(Text(TextKey::CommunicatieLog::CmdWissen));
    CmdOpslaan->setText(Text(TextKey::CommunicatieLog::CmdOpslaan));
    CmdSluiten->setText(Text(TextKey::CommunicatieLog::CmdSluiten));
    MemoLog->setAccessibleName(windowTitle());
    SetPauseCaption();
    UpdateCount();
}

void TFormCommunicatieLog::ShowNonModal() {
    FLending->Show();
}

bool TFormCommunicatieLog::Paused() const {
    return CmdPauze->isChecked();
}

void TFormCommunicatieLog::TimerLezenTimer() {
    if (Paused())
        return;
    TCommLog::TTaken taken = FLog->Take();
    if (taken.Entries.empty() && taken.Dropped == 0)
        return;
    const uint8_t language = FPort ? FPort->Language() : 1;
    std::vector<TLine> added;
    added.reserve(taken.Entries.size() + 1);
    if (taken.Dropped > 0)
        added.push_back({QString(), Text(TextKey::CommunicatieLog::Ontbreekt)
                                        .arg(static_cast<qulonglong>(taken.Dropped))});
    for (const TCommLogEntry& entry : taken.Entries) {
        added.push_back({QString::fromStdString(entry.Component),
                         QString::fromStdString(CommLogLine(entry, language))});
        AddComponent(added.back().Component);
    }
    QStringList shown;
    for (TLine& line : added) {
        if (Matches(line))
            shown.append(line.Text);
        FLines.push_back(std::move(line));
    }
    while (FLines.size() > static_cast<size_t>(MaxLines))
        FLines.pop_front();
    AppendLines(shown);
    UpdateCount();
}

void TFormCommunicatieLog::CmdPauzeClick() {
    SetPauseCaption();
    UpdateCount();
    if (!Paused())
        TimerLezenTimer();
}

void TFormCommunicatieLog::CmdWissenClick() {
    FLog->Clear();
    FLines.clear();
    MemoLog->clear();
    UpdateCount();
}

void TFormCommunicatieLog::CmdOpslaanClick() {
    using namespace TextKey::CommunicatieLog;
    const QString path = GetSaveFileName({Text(SaveCaption), GlobalVar().OpenCloseDialoogPath,
                                          QtNameFilter(Text(SaveFilter)), QStringLiteral("txt")});
    if (path.isEmpty())
        return;
    RememberDialogFolder(path);
    QStringList lines = ShownLines();
    QString text = lines.join(QLatin1Char('\n'));
    if (!lines.isEmpty())
        text += QLatin1Char('\n');
    QString error;
    if (!WriteTextFileAtomic(path, text, &error))
        ShowSaveError(Text(Msg_OpslaanFout) + QStringLiteral("\n") + path + QStringLiteral("\n") +
                      error);
}

void TFormCommunicatieLog::ComboComponentChange() {
    ShowAllLines();
    UpdateCount();
}

QStringList TFormCommunicatieLog::ShownLines() const {
    QStringList lines;
    for (const TLine& line : FLines)
        if (Matches(line))
            lines.append(line.Text);
    return lines;
}

void TFormCommunicatieLog::AddComponent(const QString& name) {
    if (name.isEmpty() || ComboComponent->findText(name, Qt::MatchExactly) > 0)
        return;
    // Sorted after the "all" item; inserting keeps the current choice.
    int index = 1;
    while (index < ComboComponent->count() && ComboComponent->itemText(index) < name)
        ++index;
    const QSignalBlocker blocker(ComboComponent);
    ComboComponent->insertItem(index, name);
}

bool TFormCommunicatieLog::Matches(const TLine& line) const {
    return ComboComponent->currentIndex() <= 0 || line.Component.isEmpty() ||
           line.Component == ComboComponent->currentText();
}

void TFormCommunicatieLog::ShowAllLines() {
    MemoLog->setPlainText(ShownLines().join(QLatin1Char('\n')));
    MemoLog->verticalScrollBar()->setValue(MemoLog->verticalScrollBar()->maximum());
}

void TFormCommunicatieLog::AppendLines(const QStringList& lines) {
    if (lines.isEmpty())
        return;
    // The view follows the newest lines unless the user has scrolled back to read.
    QScrollBar* bar = MemoLog->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    MemoLog->appendPlainText(lines.join(QLatin1Char('\n')));
    if (atEnd)
        bar->setValue(bar->maximum());
}

void TFormCommunicatieLog::UpdateCount() {
    QString text = Text(TextKey::CommunicatieLog::Aantal)
                       .arg(MemoLog->blockCount() > 0 && !MemoLog->document()->isEmpty()
                                ? MemoLog->blockCount()
                                : 0);
    if (Paused())
        text += QStringLiteral(" \u2013 ") + Text(TextKey::CommunicatieLog::Gepauzeerd);
    LabelAantal->setText(text);
}

void TFormCommunicatieLog::SetPauseCaption() {
    using namespace TextKey::CommunicatieLog;
    CmdPauze->setText(Paused() ? Text(CmdVerder) : Text(TextKey::CommunicatieLog::CmdPauze));
    CmdPauze->setAccessibleDescription(Paused() ? Text(Gepauzeerd) : QString());
}

void TFormCommunicatieLog::showEvent(QShowEvent* event) {
    TActivatedDialog::showEvent(event);
    TimerLezen.start();
    TimerLezenTimer();
}

void TFormCommunicatieLog::hideEvent(QHideEvent* event) {
    TimerLezen.stop();
    TActivatedDialog::hideEvent(event);
}
