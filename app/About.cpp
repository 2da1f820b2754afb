#include "app/About.h"

#include "app/AboutImage.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int ImageSize = 128;

} // namespace

TFormAbout::TFormAbout(QWidget* parent)
    : TActivatedDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("FormAbout"));
    setModal(true);
    setWindowTitle(Built(TextKey::About::Caption));

    Image1 = Named(new QLabel(this), "Image1");
    Image1->setPixmap(AboutImage(ImageSize));
    Image1->setFixedSize(ImageSize, ImageSize);
    Image1->setAccessibleName(QStringLiteral("Picture: a controller driving a positioning axis"));

    LabelTitel =
        Named(new QLabel(QStringLiteral("Corvane Software Tool (KQ9)"), this), "LabelTitel");
    QFont title = LabelTitel->font();
    title.setPointSizeF(title.pointSizeF() * 1.4);
    title.setBold(true);
    LabelTitel->setFont(title);
    LabelSoftwareVersie = Named(new QLabel(this), "LabelSoftwareVersie");
    CmdOK = Named(new QPushButton(QStringLiteral("OK"), this), "CmdOK");
    CmdOK->setDefault(true);
    connect(CmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(18);
    layout->addWidget(Image1, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(LabelTitel, 0, 1);
    layout->addWidget(LabelSoftwareVersie, 1, 1, Qt::AlignTop);
    layout->setRowStretch(1, 1);
    layout->addWidget(CmdOK, 2, 1, Qt::AlignRight | Qt::AlignBottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormAbout::FormActivate() {
    if (GlobalVar().LanguageFileLoaded)
        setWindowTitle(Tekst(TextKey::About::Caption));
    LabelSoftwareVersie->setText(Tekst(TextKey::About::SoftwareVersie) + u' ' +
                                 GlobalVar().SoftwareVersion);
}
