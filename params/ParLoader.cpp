#include "params/ParLoader.h"

#include "app/Colors.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"
#include "params/SingleParamReplies.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int PanelMinimumWidth = 340;
constexpr int ButtonMinimumWidth = 96;

} // namespace

TFormParLoader::TFormParLoader(TLBComm* port, QWidget* parent)
    : TActivatedDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setModal(true);
    setWindowTitle(QStringLiteral("Parameters KX91... Laden en Testen"));
    Panel1 = Named(new QLabel(this), "Panel1", QStringLiteral("Take-over result"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setWordWrap(true);
    Panel1->setMinimumWidth(PanelMinimumWidth);
    Panel1->setMinimumHeight(Panel1->fontMetrics().height() * 3);
    QFont bold = Panel1->font();
    bold.setBold(true);
    Panel1->setFont(bold);
    CmdOK = Named(new QPushButton(Built(TextKey::Loader::CmdOK), this), "CmdOK");
    CmdOK->setMinimumWidth(ButtonMinimumWidth);
    CmdOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdOK);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(CmdOK, &QPushButton::clicked, this, [this] { CmdOKClick(); });
    LD100ParLoader.SetName("LD100ParLoader");
    LD100ParLoader.SetProtocolFoot(TSequenceChar::scCR);
    LD100ParLoader.SetTimeoutTime(0);
    LD100ParLoader.SetLBComm(port);
    LD100ParLoader.OnCommResult = [this](TLBProtocolComponent* sender, TMemoryStream& result) {
        LD100ParLoaderCommResult(sender, result);
    };
    LD100ParLoader.OnCommError = [this](TLBProtocolComponent* sender, const TCommError& error,
                                        TMemoryStream& result) {
        LD100ParLoaderCommError(sender, error, result);
    };
}

void TFormParLoader::FormActivate() {
    if (GlobalVar().LanguageFileLoaded) {
        setWindowTitle(Tekst(TextKey::Loader::Caption));
        CmdOK->setText(Tekst(TextKey::Loader::CmdOK));
    }
    LD100ParLoader.SetASCIIProtocol("bp");
    LD100ParLoader.Send();
    ShowStatus({}, false);
}

void TFormParLoader::LD100ParLoaderCommResult(TLBProtocolComponent*, TMemoryStream& result) {
    if (OnTakeOverAnswered)
        OnTakeOverAnswered();
    TStatusText status = LoaderTakeOverText(result.ToString());
    ShowStatus(status.Text, status.Red);
}

void TFormParLoader::LD100ParLoaderCommError(TLBProtocolComponent*, const TCommError& error,
                                             TMemoryStream&) {
    TStatusText status = LoaderCommErrorText(error);
    ShowStatus(status.Text, status.Red);
}

void TFormParLoader::ShowStatus(const QString& text, bool red) {
    ShowStatusText(Panel1, text, red);
}
