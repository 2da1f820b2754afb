#pragma once
// Reading printed PDF files back with poppler's pdftotext: the text in reading order, and the
// words with their positions.

#include <QString>
#include <QStringList>

#include <vector>

namespace kq9test {

// The text of every page, lines kept in their order (pdftotext -layout); pages are separated by
// form feeds. Empty when pdftotext fails.
QString PdfText(const QString& pdf);
QStringList PdfPages(const QString& pdf);

struct TPdfWord {
    int Page = 0; // from 1
    double XMin = 0;
    double XMax = 0;
    double YMin = 0;
    QString Text;
};
std::vector<TPdfWord> PdfWords(const QString& pdf);

// The number of character cells between the starts of two words on a line of fixed-pitch text.
int CellsBetween(const TPdfWord& first, const TPdfWord& second);

} // namespace kq9test
