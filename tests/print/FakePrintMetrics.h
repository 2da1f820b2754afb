#pragma once
// A device of whole numbers for layout tests: an A4 page at 600 dpi on which a line of any font
// is ten pixels per point high and each character five pixels per point wide.

#include "print/PrintDocument.h"

#include <QStringList>

#include <ostream>

// Texts in test failures as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace kq9test {

class TFakePrintMetrics : public TPrintMetrics {
public:
    int Width = 4958;
    int Height = 7017;
    int PixelsPerInch() const override { return 600; }
    int PageWidth() const override { return Width; }
    int PageHeight() const override { return Height; }
    int TextHeight(const TPrintFont& font) const override { return font.PointSize * 10; }
    int TextWidth(const TPrintFont& font, const QString& text) const override {
        return static_cast<int>(text.size()) * font.PointSize * 5;
    }
};

// The texts of a page, top to bottom, each with its font's size and weight as a prefix
// ("B12 heading", "N10 row").
inline QStringList PageTexts(const TPrintPage& page) {
    QStringList texts;
    for (const TPrintItem& item : page.Items)
        if (item.Kind == TPrintItem::TKind::Text)
            texts << QStringLiteral("%1%2 %3")
                         .arg(QChar(item.Font.Bold ? u'B' : u'N'))
                         .arg(item.Font.PointSize)
                         .arg(item.Text);
    return texts;
}

} // namespace kq9test
