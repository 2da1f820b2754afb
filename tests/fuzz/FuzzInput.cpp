#include "fuzz/FuzzInput.h"

#include <QStringList>

#include <algorithm>

TMemoryStream FuzzStream(QByteArrayView bytes) {
    TMemoryStream stream;
    stream.Write(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<size_t>(bytes.size()));
    stream.SetPosition(0);
    return stream;
}

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
    // By hand: a regular expression finds nothing in a text that is not valid UTF-16.
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}
