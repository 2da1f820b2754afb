#include "app/InfoErrorNummers.h"

#include "app/Colors.h"
#include "app/ErrorRaised.h"
#include "app/ErrorReport.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/ModalLending.h"
#include "app/RtfReader.h"
#include "app/RtfTextDocument.h"
#include "app/TextFile.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"

#include <QFileInfo>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int FormWidth = 545;
constexpr int FormHeight = 362;
// Help documents are small; a larger file is shown as far as this.
constexpr qint64 MaxDocumentBytes = 16 * 1024 * 1024;

} // namespace

QString ErrorHelpFileName(int taal) {
    return taal >= 0 && taal <= 2 ? QStringLiteral("ErrorHelp%1.rtf").arg(taal) : QString();
}

TFormInfoErrorNummers::TFormInfoErrorNummers(QWidget* parent)
    : TActivatedDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      FLending(new TModalLending(this, parent)) {
    setObjectName(QStringLiteral("FormInfoErrorNummers"));
    setWindowTitle(Built(TextKey::HelpErrorNummers::Caption));
    resize(FormWidth, FormHeight);
    RichEdit1 = Named(new QTextEdit(this), "RichEdit1");
    RichEdit1->setReadOnly(true);
    RichEdit1->setAccessibleName(QStringLiteral("Error numbers"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit1);
}

void TFormInfoErrorNummers::ShowNonModal() {
    FLending->Show();
}

void TFormInfoErrorNummers::FormActivate() {
    QPalette palette = RichEdit1->palette();
    palette.setColor(QPalette::Base, ActivePanelColor());
    RichEdit1->setPalette(palette);
    if (GlobalVar().LanguageFileLoaded)
        setWindowTitle(Tekst(TextKey::HelpErrorNummers::Caption));
    RichEdit1->setAccessibleName(windowTitle());

    const QString name = ErrorHelpFileName(GlobalVar().Taal);
    if (name.isEmpty())
        return;
    const QString path = ProgramFile(name);
    if (!QFileInfo::exists(path))
        return;
    QByteArray bytes;
    QString reason;
    if (!ReadFileBytes(path, bytes, &reason, MaxDocumentBytes)) {
        ReportError(FileReadErrorText(path, reason));
        return;
    }
    FillTextDocument(*RichEdit1->document(), ParseRtf(bytes));
}
