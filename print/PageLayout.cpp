#include "print/PageLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// Rules and the right-aligned header texts keep this distance from the page's sides.
constexpr int SideMargin = 100;
// The fixed height of the top rule.
constexpr int TopRuleY = 50;

constexpr double CmPerInch = 2.54;
constexpr double HalfTextWidthCm = 8.9;
constexpr double TopLineCm = 2.6;
constexpr double BottomMarginCm = 1.2;
constexpr double HeaderTopCm = 0.5;

int Cm(double cm, double pixelsPerCm) {
    return static_cast<int>(std::trunc(cm * pixelsPerCm));
}

} // namespace

TPageLayout::TPageLayout(const TPrintMetrics& metrics, TPrintHeader header)
    : FMetrics(metrics), FHeader(std::move(header)),
      FPixelsPerCm(metrics.PixelsPerInch() / CmPerInch),
      FLeftEdge(metrics.PageWidth() / 2 - Cm(HalfTextWidthCm, FPixelsPerCm)),
      FTopLine(Cm(TopLineCm, FPixelsPerCm)),
      FBottomLimit(metrics.PageHeight() - Cm(BottomMarginCm, FPixelsPerCm)),
      FLineHeight(metrics.TextHeight(PrintFont::Normal10)) {
    FDocument.Pages.emplace_back();
    PrintPaginaHeader();
    FY = FTopLine;
}

void TPageLayout::EnsureRoom(const TPrintFont& font, int lines) {
    if (FY + lines * FMetrics.TextHeight(font) > FBottomLimit)
        NewPage();
}

void TPageLayout::NewPage() {
    FDocument.Pages.emplace_back();
    ++FPageNumber;
    PrintPaginaHeader();
    FY = FTopLine;
}

void TPageLayout::PrintText(const TPrintFont& font, const QString& text) {
    TextOut(FLeftEdge, FY, font, text);
}

void TPageLayout::PrintPaginaHeader() {
    const TPrintFont font = PrintFont::Bold12;
    const int right = FMetrics.PageWidth() - SideMargin;
    const int height = FMetrics.TextHeight(font);
    int y = Cm(HeaderTopCm, FPixelsPerCm);
    Rule(TopRuleY);

    qsizetype longest = 0;
    for (const QString& label : FHeader.Labels)
        longest = std::max(longest, label.size());
    std::array<QString, 3> labels;
    for (size_t i = 0; i < labels.size(); ++i)
        labels[i] = FHeader.Labels[i].rightJustified(longest);
    const int valueX = FLeftEdge + FMetrics.TextWidth(font, labels[0] + QStringLiteral("  "));
    const QString pageText =
        FHeader.PageWord + u' ' + QString::number(FPageNumber).rightJustified(3);

    for (size_t i = 0; i < labels.size(); ++i) {
        TextOut(FLeftEdge, y, font, labels[i]);
        TextOut(valueX, y, font, FHeader.Values[i]);
        // The date on the first line and the page text on the third end at the right margin.
        const QString* rightText = i == 0 ? &FHeader.Date : i == 2 ? &pageText : nullptr;
        if (rightText)
            TextOut(right - FMetrics.TextWidth(font, *rightText), y, font, *rightText);
        y += height;
    }
    Rule(y);
}

void TPageLayout::TextOut(int x, int y, const TPrintFont& font, const QString& text) {
    if (!text.isEmpty())
        Page().Items.push_back({TPrintItem::TKind::Text, x, y, 0, 0, font, text});
}

void TPageLayout::Rule(int y) {
    Page().Items.push_back(
        {TPrintItem::TKind::Rule, SideMargin, y, FMetrics.PageWidth() - SideMargin, y, {}, {}});
}

QString JoinColumns(std::initializer_list<TColumn> columns) {
    QString line;
    for (const TColumn& column : columns) {
        line += column.Width < 0 ? column.Text.rightJustified(-column.Width)
                                 : column.Text.leftJustified(column.Width);
        line += column.After;
    }
    return line;
}
