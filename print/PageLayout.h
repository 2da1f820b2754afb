#pragma once
// The page frame shared by the print-outs: the page metrics in printer pixels, the page header
// (three labelled lines with the date and the page number between two rules), the current line
// position, and the start of a new page when a line does not fit above the bottom limit.

#include "print/PrintDocument.h"

#include <QString>

#include <array>

struct TPrintHeader {
    // The captions of company, type and serial number, and the texts printed after them.
    std::array<QString, 3> Labels;
    std::array<QString, 3> Values;
    QString Date;
    // The word in front of the page number.
    QString PageWord;
};

class TPageLayout {
public:
    // Starts page 1 with its header; the line position is then the top line.
    TPageLayout(const TPrintMetrics& metrics, TPrintHeader header);

    const TPrintMetrics& Metrics() const { return FMetrics; }
    double PixelsPerCm() const { return FPixelsPerCm; }
    int LeftEdge() const { return FLeftEdge; }
    int TopLine() const { return FTopLine; }
    int BottomLimit() const { return FBottomLimit; }
    // The height of a normal 10-point line.
    int LineHeight() const { return FLineHeight; }
    int PageNumber() const { return FPageNumber; }
    int Y() const { return FY; }

    // Starts a new page with its header when `lines` lines of `font` do not fit above the bottom
    // limit. Only one new page is started, so a page too short for them still makes progress.
    void EnsureRoom(const TPrintFont& font, int lines);
    void NewPage();
    // A text at the left edge on the current line; the line position stays.
    void PrintText(const TPrintFont& font, const QString& text);
    void Advance(int pixels) { FY += pixels; }

    TPrintDocument TakeDocument() { return std::move(FDocument); }

private:
    void PrintPaginaHeader();
    void TextOut(int x, int y, const TPrintFont& font, const QString& text);
    void Rule(int y);
    TPrintPage& Page() { return FDocument.Pages.back(); }

    const TPrintMetrics& FMetrics;
    TPrintHeader FHeader;
    double FPixelsPerCm;
    int FLeftEdge;
    int FTopLine;
    int FBottomLimit;
    int FLineHeight;
    int FPageNumber = 1;
    int FY = 0;
    TPrintDocument FDocument;
};

// The header of a column list: each text padded with blanks to at least its width, on the right
// for a positive width and on the left for a negative one, joined by the separators given.
struct TColumn {
    QString Text;
    int Width;
    QString After; // the blanks that follow the column
};
QString JoinColumns(std::initializer_list<TColumn> columns);
