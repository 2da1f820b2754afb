#pragma once
// Drawing a laid-out print-out with a QPainter, on a printer or into a PDF file, and the
// metrics of such a device for the layout.

#include "print/PrintDocument.h"

#include <QFont>
#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPaintDevice;

// The job title of every print-out.
inline const QString PrintJobTitle = QStringLiteral("KX7x Printing");

// The fixed-pitch printer font ("Courier New", matched by a metric-compatible family).
QFont PrinterFont(const TPrintFont& font);

class TDeviceMetrics : public TPrintMetrics {
public:
    explicit TDeviceMetrics(QPaintDevice& device) : FDevice(device) {}
    int PixelsPerInch() const override;
    int PageWidth() const override;
    int PageHeight() const override;
    int TextHeight(const TPrintFont& font) const override;
    int TextWidth(const TPrintFont& font, const QString& text) const override;

private:
    QPaintDevice& FDevice;
};

// Draws every page of `document` on `device`, one device page each; false when the device
// cannot be painted on (a printer that does not start, a file that cannot be written).
bool DrawDocument(QPagedPaintDevice& device, const TPrintDocument& document);

// PDF files: A4 portrait without margins, at this resolution.
constexpr int PdfResolution = 600;
QPageLayout PdfPageLayout();

using TPrintLayoutFunction = std::function<TPrintDocument(const TPrintMetrics& metrics)>;

// Lays out and draws a print-out into a PDF file, written atomically. False with the reason in
// `error` when it cannot be written; an existing file then stays as it was. `pages` gets the
// number of pages.
bool WritePdfFile(const QString& path, const TPrintLayoutFunction& layout, QString& error,
                  int* pages = nullptr);
