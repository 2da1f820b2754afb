#include "app/ValueText.h"

#include "app/TextFile.h"
#include "params/DefIniFile.h"

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

bool ValueTextToInt(const QString& text, int32_t& value) {
    QString trimmed = text.trimmed();
    for (QChar c : trimmed)
        if (c.unicode() > 0x7F)
            return false;
    return ParseDefInteger(trimmed.toStdString(), value);
}
