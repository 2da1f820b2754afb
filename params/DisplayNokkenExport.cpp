// The cam display's save button: the grid of cams as a picture.

#include "params/DisplayNokken.h"

#include "app/ErrorReport.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QTableWidget>

void TFormDisplayNokken::CreateExportControls(QBoxLayout* layout) {
    CmdOpslaanPNG = SavePngButton(this, QStringLiteral("Save the grid of cams as PNG"));
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(CmdOpslaanPNG);
    layout->addSpacing(6);
    layout->addLayout(row);
    connect(CmdOpslaanPNG, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { CmdOpslaanPNGClick(); }); });
}

void TFormDisplayNokken::CmdOpslaanPNGClick() {
    Export.SavePicture([this] { return StringGrid1->grab().toImage(); });
}
