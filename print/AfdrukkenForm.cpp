#include "print/AfdrukkenForm.h"

#include "app/DialogButtons.h"
#include "app/ErrorReport.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"
#include "print/PainterPrint.h"
#include "print/PrintTexts.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int FieldMinimumWidth = 260;
constexpr int ButtonMinimumWidth = 96;
// The page range the print dialog offers.
constexpr int FirstPage = 1;
constexpr int LastPage = 10;

} // namespace

TFormAfdrukken::TFormAfdrukken(const TTextKey& caption, QWidget* parent)
    : TActivatedDialog(parent), FCaption(caption) {
    setModal(true);
    setWindowTitle(Built(caption));
    CreateControls();
    PrintDialog = [this](QPrinter& printer) { return ExecPrintDialog(printer); };
}

TFormAfdrukken::~TFormAfdrukken() = default;

void TFormAfdrukken::CreateControls() {
    const std::array<QString, 3> captions = BuiltAfdrukLabels();
    LabelFirma = Named(new QLabel(captions[0], this), "LabelFirma");
    LabelType = Named(new QLabel(captions[1], this), "LabelType");
    LabelSn = Named(new QLabel(captions[2], this), "LabelSn");
    EditFirma = Named(new QLineEdit(this), "EditFirma");
    EditType = Named(new QLineEdit(this), "EditType");
    EditSn = Named(new QLineEdit(this), "EditSn");
    auto* fields = new QFormLayout;
    for (auto [label, edit] : {std::pair{LabelFirma, EditFirma}, std::pair{LabelType, EditType},
                               std::pair{LabelSn, EditSn}}) {
        label->setBuddy(edit);
        edit->setMinimumWidth(FieldMinimumWidth);
        fields->addRow(label, edit);
    }

    TOkCancelRow buttons = OkCancelRow(this, Built(TextKey::Afdrukken::CmdOK),
                                       Built(TextKey::Afdrukken::CmdCancel), ButtonMinimumWidth);
    CmdOK = buttons.CmdOK;
    CmdCancel = buttons.CmdCancel;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons.Row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(CmdOK, &QPushButton::clicked, this, [this] { RunGuarded([this] { CmdOKClick(); }); });
    connect(CmdCancel, &QPushButton::clicked, this, [this] { CmdCancelClick(); });
}

void TFormAfdrukken::FormActivate() {
    if (GlobalVar().LanguageFileLoaded) {
        using namespace TextKey::Afdrukken;
        setWindowTitle(Tekst(FCaption));
        const std::array<QString, 3> captions = AfdrukLabels();
        LabelFirma->setText(captions[0]);
        LabelType->setText(captions[1]);
        LabelSn->setText(captions[2]);
        CmdOK->setText(Tekst(TextKey::Afdrukken::CmdOK));
        CmdCancel->setText(Tekst(TextKey::Afdrukken::CmdCancel));
        FPageWord = Tekst(TekstPagina);
    }
    // The fields always show the settings, so that OK never hands back empty texts in their
    // place.
    EditFirma->setText(GlobalVar().Firma);
    EditType->setText(GlobalVar().Type);
    EditSn->setText(GlobalVar().Sn);
    for (auto [label, edit] : {std::pair{LabelFirma, EditFirma}, std::pair{LabelType, EditType},
                               std::pair{LabelSn, EditSn}})
        edit->setAccessibleName(label->text());
}

void TFormAfdrukken::CmdOKClick() {
    GlobalVar().Firma = EditFirma->text();
    GlobalVar().Type = EditType->text();
    GlobalVar().Sn = EditSn->text();
    Print();
}

QPrinter& TFormAfdrukken::Printer() {
    if (!FPrinter)
        FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *FPrinter;
}

TPrintHeader TFormAfdrukken::Header() const {
    return {{LabelFirma->text(), LabelType->text(), LabelSn->text()},
            {GlobalVar().Firma, GlobalVar().Type, GlobalVar().Sn},
            TodayText(),
            FPageWord};
}

bool TFormAfdrukken::ExecPrintDialog(QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(FirstPage, LastPage);
    return dialog.exec() == QDialog::Accepted;
}

void TFormAfdrukken::Print() {
    QPrinter& printer = Printer();
    printer.setFromTo(FirstPage, LastPage);
    if (!PrintDialog(printer)) {
        reject();
        return;
    }
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(PrintJobTitle);
    QCoreApplication::processEvents();
    TDeviceMetrics metrics(printer);
    TPrintDocument document = Layout(metrics, Header());
    if (!DrawDocument(printer, document))
        ReportError(Tekst(TextKey::Afdrukken::Msg_AfdrukMislukt));
    accept();
}
