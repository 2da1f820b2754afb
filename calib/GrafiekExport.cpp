// The log graph's save buttons: the recorded samples as CSV, the chart as a picture.

#include "calib/Grafiek.h"

#include "app/ErrorReport.h"
#include "calib/DrawImage.h"
#include "calib/GrafiekCsv.h"

#include <QPushButton>

void TFormGrafiek::CreateExportControls(const QRect& area) {
    CmdOpslaanCSV = SaveCsvButton(this, QStringLiteral("Save the recorded samples as CSV"));
    CmdOpslaanPNG = SavePngButton(this, QStringLiteral("Save the chart as PNG"));
    const int half = area.width() / 2;
    CmdOpslaanCSV->setGeometry(area.x(), area.y(), half - 2, area.height());
    CmdOpslaanPNG->setGeometry(area.x() + half + 2, area.y(), area.width() - half - 2,
                               area.height());
    CmdOpslaanCSV->setEnabled(false);
    connect(CmdOpslaanCSV, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { CmdOpslaanCSVClick(); }); });
    connect(CmdOpslaanPNG, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { CmdOpslaanPNGClick(); }); });
}

void TFormGrafiek::CmdOpslaanCSVClick() {
    Export.SaveCsv([this] { return LogCsvText(FRecorder.Buffer, FRecorder.Buffer.Source); });
}

void TFormGrafiek::CmdOpslaanPNGClick() {
    Export.SavePicture([this] { return GrabParts(this, {ImageY, Image1, ImageX}); });
}
