#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <cmath>

namespace kq9test {

namespace {

QString Run(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

QString PdfText(const QString& pdf) {
    return Run({QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

QStringList PdfPages(const QString& pdf) {
    QStringList pages = PdfText(pdf).split(u'\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

std::vector<TPdfWord> PdfWords(const QString& pdf) {
    const QString html = Run({QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression item(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"[0-9.]+\">([^<]*)</word>"));
    std::vector<TPdfWord> words;
    int page = 0;
    for (const QRegularExpressionMatch& match : item.globalMatch(html)) {
        if (match.captured(0) == QLatin1String("<page ")) {
            ++page;
            continue;
        }
        words.push_back({page, match.captured(1).toDouble(), match.captured(3).toDouble(),
                         match.captured(2).toDouble(),
                         QTextDocumentFragment::fromHtml(match.captured(4)).toPlainText()});
    }
    return words;
}

int CellsBetween(const TPdfWord& first, const TPdfWord& second) {
    const double cell = (second.XMax - second.XMin) / static_cast<double>(second.Text.size());
    return static_cast<int>(std::lround((second.XMin - first.XMin) / cell));
}

} // namespace kq9test
