#include "fuzz/FuzzInput.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

QByteArrayView TFuzzReader::Take(size_t count) {
    count = std::min(count, FSize - FPos);
    QByteArrayView part(reinterpret_cast<const char*>(FData + FPos), static_cast<qsizetype>(count));
    FPos += count;
    return part;
}

std::vector<uint8_t> TFuzzReader::RestBytes() {
    QByteArrayView rest = Rest();
    return std::vector<uint8_t>(rest.begin(), rest.end());
}

std::vector<QByteArrayView> SplitFuzzInput(QByteArrayView input, QByteArrayView marker,
                                           size_t count) {
    std::vector<QByteArrayView> parts;
    const QByteArray separator = '\n' + marker.toByteArray() + '\n';
    while (parts.size() + 1 < count) {
        qsizetype at = input.indexOf(separator);
        if (at < 0)
            break;
        parts.push_back(input.first(at + 1));
        input = input.sliced(at + separator.size());
    }
    parts.push_back(input);
    parts.resize(count);
    return parts;
}

QStringList TextLines(const QString& text) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}
