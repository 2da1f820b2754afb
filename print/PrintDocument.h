#pragma once
// A print-out laid out in printer pixels, independent of where it goes: pages of texts and
// rules, positioned with the metrics of the device that will draw them. The layout code fills it
// through TPrintMetrics; a painter (print/PainterPrint.h) draws it on a printer or into a PDF.

#include <QString>

#include <vector>

// Every print-out uses one fixed-pitch family ("Courier New") in a few sizes.
struct TPrintFont {
    int PointSize = 10;
    bool Bold = false;
    friend bool operator==(const TPrintFont&, const TPrintFont&) = default;
};

namespace PrintFont {
inline constexpr TPrintFont Normal10{10, false};
inline constexpr TPrintFont Bold10{10, true};
inline constexpr TPrintFont Bold12{12, true};
inline constexpr TPrintFont Bold14{14, true};
} // namespace PrintFont

struct TPrintItem {
    enum class TKind { Text, Rule };
    TKind Kind = TKind::Text;
    // A text's top left corner, or a rule's start.
    int X = 0;
    int Y = 0;
    // A rule's end.
    int X2 = 0;
    int Y2 = 0;
    TPrintFont Font;
    QString Text;
};

struct TPrintPage {
    std::vector<TPrintItem> Items;
};

struct TPrintDocument {
    std::vector<TPrintPage> Pages;
};

// What the layout needs to know of the device, in its pixels.
class TPrintMetrics {
public:
    virtual ~TPrintMetrics() = default;
    virtual int PixelsPerInch() const = 0;
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    // The height of a line of text ("A") in that font.
    virtual int TextHeight(const TPrintFont& font) const = 0;
    virtual int TextWidth(const TPrintFont& font, const QString& text) const = 0;
};
