// The linearisation window's save button: the curve as a picture.

#include "calib/Linearisatie.h"

#include "app/ErrorReport.h"
#include "calib/DrawImage.h"

#include <QLabel>
#include <QPushButton>

void TFormLinearisatie::CreateExportControls(const QRect& area) {
    CmdOpslaanPNG = SavePngButton(this, QStringLiteral("Save the curve as PNG"));
    CmdOpslaanPNG->setGeometry(area);
    connect(CmdOpslaanPNG, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { CmdOpslaanPNGClick(); }); });
}

void TFormLinearisatie::CmdOpslaanPNGClick() {
    Export.SavePicture([this] {
        return GrabParts(this, {Image1, ImageX, ImageY, LabelXas, LabelYas});
    });
}
