#include "app/ValueText.h"

#include "app/TextFile.h"
#include "params/DefIniFile.h"

#include <algorithm>

namespace {

constexpr size_t HeadBytes = 3;
constexpr size_t FootBytes = 2;

} // namespace

std::optional<QString> ReadValueTextChecked(const TMemoryStream& stream, size_t limit) {
    const std::vector<uint8_t>& bytes = stream.Bytes();
    if (bytes.size() > limit)
        return std::nullopt;
    if (bytes.size() <= HeadBytes + FootBytes)
        return QString();
    auto begin = reinterpret_cast<const char*>(bytes.data()) + HeadBytes;
    return DecodeWindows1252(QByteArrayView(begin, bytes.size() - HeadBytes - FootBytes));
}

QString ReadValueText(const TMemoryStream& stream, size_t limit) {
    return ReadValueTextChecked(stream, limit).value_or(QString());
}

bool ReplyAnswers(const TMemoryStream& stream, const std::string& command) {
    const std::vector<uint8_t>& bytes = stream.Bytes();
    const size_t letters = std::min<size_t>(command.size(), 2);
    auto lineEnd = [](uint8_t byte) { return byte == '\r' || byte == '\n'; };
    return bytes.size() >= letters + FootBytes &&
           std::equal(command.begin(), command.begin() + static_cast<std::ptrdiff_t>(letters),
                      bytes.begin()) &&
           lineEnd(bytes[bytes.size() - 1]) && lineEnd(bytes[bytes.size() - 2]);
}

std::optional<QString> ReadAnswerValueText(const TMemoryStream& stream, const std::string& command,
                                           size_t limit) {
    if (!ReplyAnswers(stream, command))
        return std::nullopt;
    return ReadValueTextChecked(stream, limit);
}

bool ValueTextToInt(const QString& text, int32_t& value) {
    QString trimmed = text.trimmed();
    for (QChar c : trimmed)
        if (c.unicode() > 0x7F)
            return false;
    return ParseDefInteger(trimmed.toStdString(), value);
}
