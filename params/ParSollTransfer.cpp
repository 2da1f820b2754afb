#include "params/ParSollTransfer.h"

#include "app/Colors.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int PanelMinimumWidth = 360;
constexpr int ButtonMinimumWidth = 96;

} // namespace

TFormParSollTransfer::TFormParSollTransfer(std::unique_ptr<TTransferSequence> sequence,
                                           std::span<const TTextKey, 4> captions,
                                           std::span<const TTextKey, 3> buttons, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      FSequence(std::move(sequence)), FCaptions(captions), FButtons(buttons) {
    setModal(true);
    CreateControls();
    BindSequence();
}

void TFormParSollTransfer::CreateControls() {
    Panel1 = Named(new QLabel(this), "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setMinimumWidth(PanelMinimumWidth);
    Panel1->setMinimumHeight(Panel1->fontMetrics().height() * 2);
    QFont bold = Panel1->font();
    bold.setBold(true);
    Panel1->setFont(bold);

    ProgressBar1 = Named(new QProgressBar(this), "ProgressBar1");
    ProgressBar1->setTextVisible(false);

    CmdOK = Named(new QPushButton(this), "CmdOK");
    CmdAgain = Named(new QPushButton(this), "CmdAgain");
    CmdCancel = Named(new QPushButton(this), "CmdCancel");
    CmdOK->setText(Built(FButtons[0]));
    CmdAgain->setText(Built(FButtons[1]));
    CmdCancel->setText(Built(FButtons[2]));
    for (QPushButton* button : {CmdOK, CmdAgain, CmdCancel})
        button->setMinimumWidth(ButtonMinimumWidth);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdOK);
    buttons->addWidget(CmdAgain);
    buttons->addWidget(CmdCancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(CmdOK, &QPushButton::clicked, this, [this] { FSequence->CmdOKClick(); });
    connect(CmdAgain, &QPushButton::clicked, this, [this] { FSequence->CmdAgainClick(); });
    connect(CmdCancel, &QPushButton::clicked, this, [this] { FSequence->CmdCancelClick(); });
}

void TFormParSollTransfer::BindSequence() {
    FSequence->OnPanel = [this](const QString& text, bool red) {
        ShowStatusText(Panel1, text, red);
    };
    FSequence->OnProgressMaximum = [this](int maximum) { ProgressBar1->setMaximum(maximum); };
    FSequence->OnProgress = [this](int position) { ProgressBar1->setValue(position); };
    FSequence->OnButtons = [this](bool ok, bool again, bool cancel) {
        CmdOK->setEnabled(ok);
        CmdAgain->setEnabled(again);
        CmdCancel->setEnabled(cancel);
    };
    FSequence->OnFocusOK = [this] {
        CmdOK->setDefault(true);
        CmdOK->setFocus();
    };
    FSequence->OnClose = [this](int modalResult) { done(modalResult); };
}

void TFormParSollTransfer::FormActivate() {
    size_t mode = FSequence->Mode >= 0 && FSequence->Mode <= 3 ? FSequence->Mode : 0;
    // Without a language file Tekst gives the built-in texts, which are the design texts.
    setWindowTitle(Tekst(FCaptions[mode]));
    CmdOK->setText(Tekst(FButtons[0]));
    CmdAgain->setText(Tekst(FButtons[1]));
    CmdCancel->setText(Tekst(FButtons[2]));
    FSequence->LoadPanelTexts();
    FSequence->Start();
}

void TFormParSollTransfer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TFormParSollTransfer::reject() {
    // Escape and the window system's close request: only the buttons close this window.
}
