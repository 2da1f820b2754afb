#include "app/ExportFile.h"

#include "app/DialogFilter.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextFile.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"

#include <QBuffer>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <QWidget>

struct TExportFile::TKind {
    TTextKey Caption;
    TTextKey Filter;
    const char* Suffix;
};

TExportFile::TExportFile(QWidget* owner) : FOwner(owner) {
    GetSaveFileName = [this](const TFileDialogRequest& request) {
        return RunSaveFileDialog(FOwner, request);
    };
    ShowError = [this](const QString& caption, const QString& text) {
        QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, FOwner);
        box.exec();
    };
}

bool TExportFile::SavePicture(const std::function<QImage()>& grab) {
    static const TKind png{TextKey::Export::CaptionPNG, TextKey::Export::FilterPNG, "png"};
    return Save(png, [&](QByteArray& bytes, QString& error) {
        if (PngBytes(grab(), bytes))
            return true;
        error = Tekst(TextKey::Export::FoutPNG);
        return false;
    });
}

bool TExportFile::SaveCsv(const std::function<QString()>& make) {
    static const TKind csv{TextKey::Export::CaptionCSV, TextKey::Export::FilterCSV, "csv"};
    return Save(csv, [&](QByteArray& bytes, QString&) {
        bytes = make().toUtf8();
        return true;
    });
}

bool TExportFile::Save(const TKind& kind,
                       const std::function<bool(QByteArray&, QString&)>& content) {
    const QString path =
        GetSaveFileName({Tekst(kind.Caption), GlobalVar().OpenCloseDialoogPath,
                         QtNameFilter(Tekst(kind.Filter)), QString::fromLatin1(kind.Suffix)});
    if (path.isEmpty())
        return false;
    RememberDialogFolder(path);
    QByteArray bytes;
    QString error;
    if (content(bytes, error) && WriteFileAtomic(path, bytes, &error))
        return true;
    ShowError(Tekst(TextKey::Export::FoutCaption), Tekst(TextKey::Export::FoutTekst) +
                                                       QStringLiteral("\n\n") + path +
                                                       QStringLiteral(": ") + error);
    return false;
}

QImage GrabParts(QWidget* window, std::initializer_list<const QWidget*> parts) {
    QRect area;
    for (const QWidget* part : parts)
        area |= QRect(part->mapTo(window, QPoint(0, 0)), part->size());
    return window->grab(area).toImage();
}

bool PngBytes(const QImage& image, QByteArray& bytes) {
    if (image.isNull())
        return false;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG");
}

QPushButton* SaveCsvButton(QWidget* parent, const QString& what) {
    return Named(new QPushButton(Built(TextKey::Export::CmdOpslaanCSV), parent), "CmdOpslaanCSV",
                 what);
}

QPushButton* SavePngButton(QWidget* parent, const QString& what) {
    return Named(new QPushButton(Built(TextKey::Export::CmdOpslaanPNG), parent), "CmdOpslaanPNG",
                 what);
}

void ReadExportButtonTexts(QPushButton* png, QPushButton* csv) {
    png->setText(Tekst(TextKey::Export::CmdOpslaanPNG));
    if (csv)
        csv->setText(Tekst(TextKey::Export::CmdOpslaanCSV));
}
