#include "app/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <iterator>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 … 0x9F.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80 … 87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88 … 8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90 … 97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98 … 9F
};

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");

} // namespace

QString DecodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(Cp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

bool EncodeWindows1252(const QString& text, QByteArray& bytes, QString* unencodable) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        int code = -1;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            code = c;
        } else {
            const char16_t* found = std::find(std::begin(Cp1252High), std::end(Cp1252High), c);
            if (found != std::end(Cp1252High))
                code = 0x80 + static_cast<int>(found - std::begin(Cp1252High));
        }
        if (code < 0) {
            if (unencodable) {
                bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
                *unencodable = text.mid(i, pair ? 2 : 1);
            }
            return false;
        }
        out.append(static_cast<char>(code));
    }
    bytes = std::move(out);
    return true;
}

QString DecodeText(QByteArrayView bytes, bool* hadBom) {
    bool bom = bytes.startsWith(Utf8Bom);
    if (hadBom)
        *hadBom = bom;
    if (bom)
        bytes = bytes.sliced(Utf8Bom.size());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeWindows1252(bytes);
}

bool ReadFileBytes(const QString& path, QByteArray& bytes, QString* error, qint64 limit) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QByteArray all = limit < 0 ? file.readAll() : file.read(limit);
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    bytes = std::move(all);
    return true;
}

bool ReadTextFile(const QString& path, QString& text, bool* hadBom, QString* error) {
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes, error))
        return false;
    text = DecodeText(bytes, hadBom);
    return true;
}

bool WriteFileAtomic(const QString& path, const QByteArray& bytes, QString* error) {
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    // Without a commit the temporary file is discarded and the old file stays untouched.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    // The data is flushed before the commit because the commit passes over a short write of the
    // buffered data (a full disk) and would rename a truncated file over the old one.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        int code = errno;
        return fail(code != 0 ? qt_error_string(code) : file.errorString());
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool CanWriteFileAtomic(const QString& path, QString* error) {
    // The same opening as the write; without a commit the temporary file is removed again.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.cancelWriting();
        return true;
    }
    if (error)
        *error = file.errorString();
    return false;
}

bool WriteTextFileAtomic(const QString& path, const QString& text, QString* error) {
    return WriteFileAtomic(path, text.toUtf8(), error);
}
