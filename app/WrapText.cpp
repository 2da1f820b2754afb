#include "app/WrapText.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool IsBreak(QChar c) {
    return IsBlank(c) || c == u'-' || c == u'.';
}

// Where the first line of `rest` ends (exclusive) and where the next one starts.
void FindBreak(const QString& rest, int width, qsizetype& end, qsizetype& next) {
    // A blank may stand just past the width, since it disappears at the break.
    for (qsizetype i = std::min<qsizetype>(width, rest.size() - 1); i > 0; --i) {
        if (IsBlank(rest[i])) {
            end = i;
            next = i + 1;
            return;
        }
        if (IsBreak(rest[i]) && i < width) {
            end = next = i + 1;
            return;
        }
    }
    // No break within the width: the word runs on to the first break after it.
    for (qsizetype i = width; i < rest.size(); ++i) {
        if (IsBreak(rest[i])) {
            end = IsBlank(rest[i]) ? i : i + 1;
            next = i + 1;
            return;
        }
    }
    end = next = rest.size();
}

QString WrapLine(QString rest, int width) {
    QStringList lines;
    while (rest.size() > width) {
        qsizetype end = 0;
        qsizetype next = 0;
        FindBreak(rest, width, end, next);
        while (end > 0 && IsBlank(rest[end - 1]))
            --end;
        lines << rest.left(end);
        while (next < rest.size() && IsBlank(rest[next]))
            ++next;
        rest = rest.mid(next);
    }
    if (!rest.isEmpty() || lines.isEmpty())
        lines << rest;
    return lines.join(LineEnd);
}

} // namespace

QString WrapText(const QString& text, int width) {
    static const QRegularExpression lineEnds(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnds);
    for (QString& line : lines)
        line = WrapLine(line, std::max(width, 1));
    return lines.join(LineEnd);
}
