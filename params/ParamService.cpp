#include "params/ParamService.h"

#include "app/Colors.h"
#include "app/FixedPitchFont.h"
#include "app/Functies.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"
#include "comm/LBComm.h"
#include "params/ParamDefs.h"
#include "params/ParamServiceInput.h"
#include "params/ParamStore.h"
#include "params/SingleParamReplies.h"
#include "params/TypedChar.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int ZendTimeout = 500;
constexpr int BerParTimeout = 2000;
constexpr int ComboLines = 12;
// Where the field's label stands: at the left edge in front of the wide option list, further
// right in front of the narrow number field.
constexpr int OptionLabelX = 38;
constexpr int NumberLabelX = 164;
constexpr int PanelWidth = 96;
constexpr int EditWidth = 150;
constexpr int ComboWidth = 300;
constexpr int StatusPointSize = 15;
constexpr int ButtonMinimumWidth = 80;

QLabel* LimitPanel(QWidget* parent, const char* name, const QString& shows) {
    auto* panel = Named(new QLabel(parent), name, shows);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panel->setMinimumWidth(PanelWidth);
    QFont bold = panel->font();
    bold.setBold(true);
    panel->setFont(bold);
    return panel;
}

} // namespace

TFormParamService::TFormParamService(TLBComm* port, QWidget* parent)
    : TActivatedDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setModal(true);
    CreateControls();
    BindComponents(port);
}

void TFormParamService::CreateControls() {
    LabelMin = Named(new QLabel(Built(TextKey::ParamService::LabelMin), this), "LabelMin");
    LabelMax = Named(new QLabel(Built(TextKey::ParamService::LabelMax), this), "LabelMax");
    LabelDefault =
        Named(new QLabel(Built(TextKey::ParamService::LabelDefault), this), "LabelDefault");
    PanelMin = LimitPanel(this, "PanelMin", QStringLiteral("Minimum"));
    PanelMax = LimitPanel(this, "PanelMax", QStringLiteral("Maximum"));
    PanelDefault = LimitPanel(this, "PanelDefault", QStringLiteral("Default value"));
    LabelMin->setBuddy(PanelMin);
    LabelMax->setBuddy(PanelMax);
    LabelDefault->setBuddy(PanelDefault);

    LabelParData =
        Named(new QLabel(Built(TextKey::ParamService::LabelParData), this), "LabelParData");
    MaskEditParData = Named(new QLineEdit(this), "MaskEditParData", QStringLiteral("New value"));
    MaskEditParData->setFont(FixedPitchFont(font(), true));
    MaskEditParData->setAlignment(Qt::AlignRight);
    MaskEditParData->setFixedWidth(EditWidth);
    MaskEditParData->installEventFilter(this);
    ComboParData = Named(new QComboBox(this), "ComboParData", QStringLiteral("New value"));
    ComboParData->setFont(FixedPitchFont(font()));
    ComboParData->setMaxVisibleItems(ComboLines);
    ComboParData->setFixedWidth(ComboWidth);

    PanelService = Named(new QLabel(this), "PanelService", QStringLiteral("Status"));
    PanelService->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelService->setAlignment(Qt::AlignCenter);
    QFont status = PanelService->font();
    status.setBold(true);
    status.setPointSize(StatusPointSize);
    PanelService->setFont(status);
    PanelService->setMinimumHeight(PanelService->fontMetrics().height() + 8);

    CmdDefault =
        Named(new QPushButton(Built(TextKey::ParamService::CmdDefault), this), "CmdDefault");
    CmdOK = Named(new QPushButton(Built(TextKey::ParamService::CmdOK), this), "CmdOK");
    CmdBerPar = Named(new QPushButton(Built(TextKey::ParamService::CmdBerPar), this), "CmdBerPar");
    CmdZenden = Named(new QPushButton(Built(TextKey::ParamService::CmdZenden), this), "CmdZenden");
    CmdCancel = Named(new QPushButton(QStringLiteral("Afbreken"), this), "CmdCancel");
    for (QPushButton* button : {CmdDefault, CmdOK, CmdBerPar, CmdZenden, CmdCancel}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(ButtonMinimumWidth);
    }
    CmdOK->setDefault(true);

    auto* limits = new QGridLayout;
    limits->addWidget(LabelMin, 0, 0);
    limits->addWidget(PanelMin, 1, 0);
    limits->addWidget(LabelMax, 0, 1);
    limits->addWidget(PanelMax, 1, 1);
    limits->addWidget(LabelDefault, 0, 2);
    limits->addWidget(PanelDefault, 1, 2);

    auto* field = new QHBoxLayout;
    FFieldIndent = new QSpacerItem(NumberLabelX, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    field->addSpacerItem(FFieldIndent);
    field->addWidget(LabelParData);
    field->addWidget(MaskEditParData);
    field->addWidget(ComboParData);
    field->addStretch();

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {CmdDefault, CmdOK, CmdBerPar, CmdZenden, CmdCancel})
        buttons->addWidget(button);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(limits);
    layout->addSpacing(8);
    layout->addLayout(field);
    layout->addSpacing(8);
    layout->addWidget(PanelService);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(CmdOK, &QPushButton::clicked, this, [this] { CmdOKClick(); });
    connect(CmdDefault, &QPushButton::clicked, this, [this] { CmdDefaultClick(); });
    connect(CmdZenden, &QPushButton::clicked, this, [this] { CmdZendenClick(); });
    connect(CmdBerPar, &QPushButton::clicked, this, [this] { CmdBerParClick(); });
    connect(CmdCancel, &QPushButton::clicked, this, [this] { reject(); });
}

void TFormParamService::BindComponents(TLBComm* port) {
    LD100ZendServiceParameter.SetName("LD100ZendServiceParameter");
    LD100ServiceBerPar.SetName("LD100ServiceBerPar");
    LD100ZendServiceParameter.SetTimeoutTime(ZendTimeout);
    LD100ServiceBerPar.SetTimeoutTime(BerParTimeout);
    auto error = [this](TLBProtocolComponent* sender, const TCommError& commError,
                        TMemoryStream& result) {
        LD100ZendServiceParameterCommError(sender, commError, result);
    };
    for (TLD100Protocol* component : {&LD100ZendServiceParameter, &LD100ServiceBerPar}) {
        component->SetProtocolFoot(TSequenceChar::scCR);
        component->SetLBComm(port);
        component->OnCommError = error;
    }
    LD100ZendServiceParameter.OnCommResult = [this](TLBProtocolComponent* sender,
                                                    TMemoryStream& result) {
        LD100ZendServiceParameterCommResult(sender, result);
    };
    LD100ServiceBerPar.OnCommResult = [this](TLBProtocolComponent* sender, TMemoryStream& result) {
        LD100ServiceBerParCommResult(sender, result);
    };
}

void TFormParamService::ApplyTexts() {
    if (!GlobalVar().LanguageFileLoaded)
        return;
    LabelMin->setText(Tekst(TextKey::ParamService::LabelMin));
    LabelMax->setText(Tekst(TextKey::ParamService::LabelMax));
    LabelDefault->setText(Tekst(TextKey::ParamService::LabelDefault));
    LabelParData->setText(Tekst(TextKey::ParamService::LabelParData));
    CmdOK->setText(Tekst(TextKey::ParamService::CmdOK));
    CmdDefault->setText(Tekst(TextKey::ParamService::CmdDefault));
    CmdZenden->setText(Tekst(TextKey::ParamService::CmdZenden));
    CmdCancel->setText(Tekst(TextKey::ParamService::CmdCancel));
    CmdBerPar->setText(Tekst(TextKey::ParamService::CmdBerPar));
}

void TFormParamService::FormActivate() {
    ApplyTexts();
    ShowStatus({}, false);
    const TSelPar& selPar = ParamStore().SelPar;
    bool isNumber = false;
    int nummer = selPar.Nummer.toInt(&isNumber);
    FNummer = isNumber && nummer >= 0 && nummer < ParameterCount ? nummer : -1;
    PanelMin->setText(selPar.MinTekst);
    PanelMax->setText(selPar.MaxTekst);
    PanelDefault->setText(selPar.DefaultTekst);
    setWindowTitle(u'[' + selPar.Nummer + u']' + QStringLiteral("   ") + selPar.Naam);
    FType = FNummer < 0 ? 0 : ParamDefs().Type(FNummer);
    if (FType != 0)
        ShowOptionFace();
    else
        ShowNumberFace();
    FPortOpen = LD100ZendServiceParameter.LBComm() && LD100ZendServiceParameter.LBComm()->Active();
    EnableButtons(true);
}

void TFormParamService::ShowOptionFace() {
    FFieldIndent->changeSize(OptionLabelX, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    MaskEditParData->hide();
    ComboParData->show();
    ComboParData->clear();
    const QStringList options = ParamDefs().Opties(FNummer);
    for (qsizetype i = 0; i < options.size(); ++i)
        ComboParData->addItem(QString::number(i) + QStringLiteral(" - ") + options[i]);
    // A value that is no index of the list selects nothing, so OK cannot store a choice the
    // operator did not make.
    int32_t value = ParamStore().ParData[static_cast<size_t>(FNummer)];
    ComboParData->setCurrentIndex(value >= 0 && value < options.size() ? value : -1);
    layout()->invalidate();
    layout()->activate();
    ComboParData->setFocus();
}

void TFormParamService::ShowNumberFace() {
    FFieldIndent->changeSize(NumberLabelX, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    ComboParData->hide();
    MaskEditParData->show();
    const TSelPar& selPar = ParamStore().SelPar;
    FDecimals = FNummer < 0 ? 0 : ResolvedDecimals(ParamDefs().Dec(FNummer));
    FDigitLimit = ::DigitLimit(selPar.MinTekst, selPar.MaxTekst, FDecimals);
    MaskEditParData->setText(selPar.Waarde);
    layout()->invalidate();
    layout()->activate();
    MaskEditParData->setFocus();
}

bool TFormParamService::Validate() {
    ShowStatus({}, false);
    TServiceValue checked;
    if (FNummer < 0) {
        checked.Check = TServiceCheck::OutOfLimits;
    } else if (FType != 0) {
        checked = ValidateServiceOption(ComboParData->currentIndex(), ComboParData->count());
    } else {
        const TSelPar& selPar = ParamStore().SelPar;
        checked = ValidateServiceNumber(MaskEditParData->text(), FDecimals, selPar.Min, selPar.Max);
    }
    if (checked.Check != TServiceCheck::Valid) {
        ShowStatus(ServiceCheckText(checked.Check), true);
        (FType != 0 ? static_cast<QWidget*>(ComboParData) : MaskEditParData)->setFocus();
        return false;
    }
    ParamStore().ParData[static_cast<size_t>(FNummer)] = checked.Value;
    return true;
}

void TFormParamService::CmdOKClick() {
    if (Validate())
        accept();
}

void TFormParamService::CmdDefaultClick() {
    const QString& defaultText = ParamStore().SelPar.DefaultTekst;
    if (FType != 0) {
        bool isNumber = false;
        int index = defaultText.toInt(&isNumber);
        ComboParData->setCurrentIndex(
            isNumber && index >= 0 && index < ComboParData->count() ? index : -1);
    } else {
        MaskEditParData->setText(defaultText);
    }
}

void TFormParamService::CmdZendenClick() {
    if (!Validate())
        return;
    ShowStatus(Tekst(TextKey::ParamService::PanelTekst1), false);
    LD100ZendServiceParameter.SetASCIIProtocol(
        "wp " + std::to_string(FNummer) + " " +
        std::to_string(ParamStore().ParData[static_cast<size_t>(FNummer)]));
    EnableButtons(false);
    LD100ZendServiceParameter.Send();
}

void TFormParamService::CmdBerParClick() {
    LD100ServiceBerPar.SetASCIIProtocol("bp");
    ShowStatus(Tekst(TextKey::ParamService::PanelTekst9), false);
    EnableButtons(false);
    LD100ServiceBerPar.Send();
}

void TFormParamService::LD100ZendServiceParameterCommResult(TLBProtocolComponent*,
                                                            TMemoryStream& result) {
    std::string reply = result.ToString();
    if (ClassifyWriteReply(reply) == TWriteReply::Accepted && OnParGezonden)
        OnParGezonden(true);
    TStatusText status = ServiceWriteText(reply);
    ShowStatus(status.Text, status.Red);
    EnableButtons(true);
}

void TFormParamService::LD100ServiceBerParCommResult(TLBProtocolComponent*, TMemoryStream& result) {
    // Any answer to the take-over ends the mark; only a failed exchange leaves it.
    if (OnParGezonden)
        OnParGezonden(false);
    TStatusText status = ServiceTakeOverText(result.ToString());
    ShowStatus(status.Text, status.Red);
    EnableButtons(true);
}

void TFormParamService::LD100ZendServiceParameterCommError(TLBProtocolComponent*,
                                                           const TCommError& error,
                                                           TMemoryStream&) {
    TStatusText status = ServiceCommErrorText(error);
    ShowStatus(status.Text, status.Red);
    EnableButtons(true);
}

void TFormParamService::ShowStatus(const QString& text, bool red) {
    ShowStatusText(PanelService, text, red);
}

void TFormParamService::EnableButtons(bool enabled) {
    for (QPushButton* button : {CmdDefault, CmdOK, CmdCancel})
        button->setEnabled(enabled);
    CmdZenden->setEnabled(enabled && FPortOpen);
    CmdBerPar->setEnabled(enabled && FPortOpen);
}

bool TFormParamService::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MaskEditParData && event->type() == QEvent::KeyPress)
        return MaskEditParDataKeyPress(static_cast<const QKeyEvent&>(*event));
    return QDialog::eventFilter(watched, event);
}

bool TFormParamService::MaskEditParDataKeyPress(const QKeyEvent& event) {
    QChar key = TypedChar(event);
    if (key.isNull())
        return false;
    TServiceField field{MaskEditParData->text(), MaskEditParData->cursorPosition(),
                        MaskEditParData->hasSelectedText()};
    TServiceKey outcome =
        FilterServiceKey(key, field, FDecimals, FDigitLimit, ParamStore().SelPar.Min);
    switch (outcome.Action) {
    case TServiceKeyAction::Drop:
        return true;
    case TServiceKeyAction::PrependMinus:
        MaskEditParData->setText(u'-' + MaskEditParData->text());
        MaskEditParData->end(false);
        return true;
    case TServiceKeyAction::Insert:
        break;
    }
    if (key == u'\b')
        return false;
    MaskEditParData->insert(QString(outcome.Char));
    return true;
}
