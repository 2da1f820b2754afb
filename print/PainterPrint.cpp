#include "print/PainterPrint.h"

#include "app/TextFile.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

// Rules are a sixth of a millimetre wide, whatever the resolution.
constexpr int RuleWidthPerInch = 150;

} // namespace

QFont PrinterFont(const TPrintFont& font) {
    QFont result(QStringLiteral("Courier New"), font.PointSize);
    result.setStyleHint(QFont::TypeWriter);
    result.setFixedPitch(true);
    result.setBold(font.Bold);
    return result;
}

int TDeviceMetrics::PixelsPerInch() const {
    return FDevice.logicalDpiY();
}

int TDeviceMetrics::PageWidth() const {
    return FDevice.width();
}

int TDeviceMetrics::PageHeight() const {
    return FDevice.height();
}

int TDeviceMetrics::TextHeight(const TPrintFont& font) const {
    return QFontMetrics(PrinterFont(font), &FDevice).height();
}

int TDeviceMetrics::TextWidth(const TPrintFont& font, const QString& text) const {
    return QFontMetrics(PrinterFont(font), &FDevice).horizontalAdvance(text);
}

bool DrawDocument(QPagedPaintDevice& device, const TPrintDocument& document) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setPen(QPen(Qt::black, std::max(1, device.logicalDpiX() / RuleWidthPerInch)));
    bool first = true;
    for (const TPrintPage& page : document.Pages) {
        if (!first && !device.newPage()) {
            painter.end();
            return false;
        }
        first = false;
        for (const TPrintItem& item : page.Items) {
            if (item.Kind == TPrintItem::TKind::Rule) {
                painter.drawLine(item.X, item.Y, item.X2, item.Y2);
                continue;
            }
            QFont font = PrinterFont(item.Font);
            painter.setFont(font);
            // Items are placed by their top; the painter writes on the baseline.
            painter.drawText(item.X, item.Y + QFontMetrics(font, &device).ascent(), item.Text);
        }
    }
    return painter.end();
}

QPageLayout PdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
}

bool WritePdfFile(const QString& path, const TPrintLayoutFunction& layout, QString& error,
                  int* pages) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfResolution);
        writer.setPageLayout(PdfPageLayout());
        writer.setTitle(PrintJobTitle);
        TDeviceMetrics metrics(writer);
        TPrintDocument document = layout(metrics);
        if (pages)
            *pages = static_cast<int>(document.Pages.size());
        if (!DrawDocument(writer, document)) {
            error = QStringLiteral("the PDF could not be drawn");
            return false;
        }
    }
    return WriteFileAtomic(path, buffer.data(), &error);
}
