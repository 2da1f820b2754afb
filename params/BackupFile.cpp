#include "params/BackupFile.h"

#include "app/TextFile.h"

#include <QtEndian>

namespace {

constexpr qsizetype ParamBlockOffset = 8;
constexpr qsizetype ParamBlockEntries = 2001;
constexpr qsizetype SollBlockOffset = ParamBlockOffset + 4 * ParamBlockEntries; // 8012
constexpr qsizetype SollBlockEntries = 2000;
constexpr qsizetype EndMarkerOffset = SollBlockOffset + 4 * SollBlockEntries; // 16012
static_assert(EndMarkerOffset + 8 == BackupFileSize);

void Put(QByteArray& bytes, qsizetype offset, int32_t value) {
    qToLittleEndian(value, bytes.data() + offset);
}

int32_t Get(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<int32_t>(bytes.constData() + offset);
}

// The setpoint block begins with index 1: setpoint s at entry s - 1.
qsizetype SollOffset(int s) {
    return SollBlockOffset + 4 * (s - 1);
}

QString Line(QChar letter, int number, int32_t file, int32_t device) {
    return letter + QStringLiteral("%1 file=%2 device=%3")
                        .arg(number, 3, 10, QChar(u'0'))
                        .arg(file)
                        .arg(device);
}

} // namespace

QByteArray BackupFileBytes(const TBackupData& data) {
    QByteArray bytes(BackupFileSize, '\0');
    Put(bytes, 0, BackupStartMarker);
    Put(bytes, 4, BackupStartMarker);
    for (int p = 0; p < ParameterCount; ++p)
        Put(bytes, ParamBlockOffset + 4 * p, data.Par[static_cast<size_t>(p)]);
    for (int s = 1; s <= SetpointCount; ++s)
        Put(bytes, SollOffset(s), data.Soll[static_cast<size_t>(s)]);
    Put(bytes, EndMarkerOffset, BackupEndMarker);
    Put(bytes, EndMarkerOffset + 4, BackupEndMarker);
    return bytes;
}

void WriteBackupFile(const QString& path, const TBackupData& data) {
    QString error;
    if (!WriteFileAtomic(path, BackupFileBytes(data), &error))
        throw EBackupFileError(
            QStringLiteral("Cannot write the backup file %1: %2").arg(path, error).toStdString());
}

bool ReadBackupFile(const QString& path, TBackupData& data) {
    QByteArray bytes;
    QString error;
    // Bytes after the backup are ignored: a large file chosen by mistake is not read whole.
    if (!ReadFileBytes(path, bytes, &error, BackupFileSize))
        throw EBackupFileError(
            QStringLiteral("Cannot read the backup file %1: %2").arg(path, error).toStdString());
    if (bytes.size() < BackupFileSize)
        throw EBackupFileError(QStringLiteral("The backup file %1 is too short: %2 of %3 bytes.")
                                   .arg(path)
                                   .arg(bytes.size())
                                   .arg(BackupFileSize)
                                   .toStdString());
    if (Get(bytes, 0) != BackupStartMarker || Get(bytes, 4) != BackupStartMarker ||
        Get(bytes, EndMarkerOffset) != BackupEndMarker ||
        Get(bytes, EndMarkerOffset + 4) != BackupEndMarker)
        return false;
    for (int p = 0; p < ParameterCount; ++p)
        data.Par[static_cast<size_t>(p)] = Get(bytes, ParamBlockOffset + 4 * p);
    for (int s = 1; s <= SetpointCount; ++s)
        data.Soll[static_cast<size_t>(s)] = Get(bytes, SollOffset(s));
    return true;
}

std::vector<QString> BackupDifferences(const TBackupData& file, const TBackupData& device) {
    std::vector<QString> lines;
    for (int p = 0; p < ParameterCount; ++p) {
        size_t i = static_cast<size_t>(p);
        if (file.Par[i] != device.Par[i])
            lines.push_back(Line(u'P', p, file.Par[i], device.Par[i]));
    }
    for (int s = 1; s <= SetpointCount; ++s) {
        size_t i = static_cast<size_t>(s);
        if (file.Soll[i] != device.Soll[i])
            lines.push_back(Line(u'S', s, file.Soll[i], device.Soll[i]));
    }
    return lines;
}
