#include "params/ValueFile.h"

#include "app/TextFile.h"
#include "params/DecimalText.h"

#include <QStringList>

#include <vector>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

struct TFormat {
    QLatin1StringView Header; // the header line's first 25 characters
    QChar Letter;
    int Count; // numbers 0 … Count - 1
};

const TFormat ParamFormat{QLatin1StringView("ASCII Parameters KX7x-XXX"), u'P', ParameterCount};
const TFormat SollFormat{QLatin1StringView("ASCII Sollwerten KX7x-XXX"), u'S', SetpointCount + 1};

QString FileText(const TFormat& format, int unitNo, const int32_t* values) {
    QString text =
        format.Header + QStringLiteral("   No: ") + QString::number(unitNo) + LineEnd + LineEnd;
    for (int n = 0; n < format.Count; ++n)
        text += format.Letter + QStringLiteral("%1 ").arg(n, 3, 10, QChar(u'0')) +
                QString::number(values[n]) + LineEnd;
    return text;
}

// One value line: the letter, three digits, a blank, a decimal value.
bool ParseLine(const TFormat& format, QStringView line, int& number, int32_t& value) {
    if (line.size() < 6 || line[0] != format.Letter || line.indexOf(u' ') != 4)
        return false;
    int32_t n = 0;
    QStringView digits = line.sliced(1, 3);
    for (QChar c : digits)
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
    if (!DecimalTextToInt(digits, n) || n >= format.Count)
        return false;
    number = n;
    return DecimalTextToInt(line.sliced(5), value);
}

TValueFileResult ReadValues(const TFormat& format, const QString& path, bool checkHeader,
                            std::vector<int32_t>& values) {
    QString text;
    if (!ReadTextFile(path, text))
        return TValueFileResult::OpenMsg1;
    QStringList lines = text.split(u'\n');
    // A final line end leaves one empty piece, which is no line of the file.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    if (lines.isEmpty())
        return checkHeader ? TValueFileResult::OpenMsg2 : TValueFileResult::OpenMsg4;
    if (checkHeader && !lines.first().startsWith(format.Header))
        return TValueFileResult::OpenMsg2;

    std::vector<int32_t> read(static_cast<size_t>(format.Count), 0);
    std::vector<bool> seen(static_cast<size_t>(format.Count), false);
    int counted = 0;
    bool repeated = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        int number = 0;
        int32_t value = 0;
        if (!ParseLine(format, lines[i], number, value))
            return TValueFileResult::OpenMsg3;
        repeated = repeated || seen[static_cast<size_t>(number)];
        seen[static_cast<size_t>(number)] = true;
        read[static_cast<size_t>(number)] = value;
        ++counted;
    }
    // With the count right and no number twice, every number is there once.
    if (counted != format.Count || repeated)
        return TValueFileResult::OpenMsg4;
    values = std::move(read);
    return TValueFileResult::Ok;
}

} // namespace

QString ParamFileText(int unitNo, const TParValues& values) {
    return FileText(ParamFormat, unitNo, values.data());
}

QString SollFileText(int unitNo, const TSollValues& setpoints, int32_t parameter399) {
    TSollValues lines = setpoints;
    lines[0] = parameter399;
    return FileText(SollFormat, unitNo, lines.data());
}

bool WriteParamFile(const QString& path, int unitNo, const TParValues& values, QString* error) {
    return WriteTextFileAtomic(path, ParamFileText(unitNo, values), error);
}

bool WriteSollFile(const QString& path, int unitNo, const TSollValues& setpoints,
                   int32_t parameter399, QString* error) {
    return WriteTextFileAtomic(path, SollFileText(unitNo, setpoints, parameter399), error);
}

TValueFileResult ReadParamFile(const QString& path, bool checkHeader, TParValues& values) {
    std::vector<int32_t> read;
    TValueFileResult result = ReadValues(ParamFormat, path, checkHeader, read);
    if (result == TValueFileResult::Ok)
        std::copy(read.begin(), read.end(), values.begin());
    return result;
}

TValueFileResult ReadSollFile(const QString& path, bool checkHeader, TSollValues& setpoints) {
    std::vector<int32_t> read;
    TValueFileResult result = ReadValues(SollFormat, path, checkHeader, read);
    if (result == TValueFileResult::Ok)
        std::copy(read.begin() + 1, read.end(), setpoints.begin() + 1);
    return result;
}
