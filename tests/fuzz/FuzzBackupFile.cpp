// The backup file reader: a short file is an error, a file with a wrong marker leaves the
// values untouched, and a file that opens gives the values of its entries, which written as a
// backup again open as the same values.

#include "fuzz/FuzzFiles.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"
#include "params/BackupFile.h"

#include <QtEndian>

namespace {

TBackupData Untouched() {
    TBackupData data;
    data.Par.fill(0x5EED5EED);
    data.Soll.fill(0x5EED5EED);
    return data;
}

int32_t Entry(QByteArrayView bytes, qsizetype offset) {
    return qFromLittleEndian<int32_t>(bytes.data() + offset);
}

} // namespace

KQ9_FUZZ_TARGET(backup_file) {
    QByteArrayView bytes = FuzzBytes(data, size);
    const QString path = WriteFuzzFile(QStringLiteral("backup.bak"), bytes);
    TBackupData read = Untouched();
    bool opened = false;
    try {
        opened = ReadBackupFile(path, read);
    } catch (const EBackupFileError&) {
        FUZZ_CHECK(bytes.size() < BackupFileSize);
        FUZZ_CHECK(read == Untouched());
        return;
    }
    FUZZ_CHECK(bytes.size() >= BackupFileSize);
    const QByteArray sound = BackupFileBytes(TBackupData{});
    const bool markersRight =
        Entry(bytes, 0) == Entry(sound, 0) && Entry(bytes, 4) == Entry(sound, 4) &&
        Entry(bytes, 16012) == Entry(sound, 16012) && Entry(bytes, 16016) == Entry(sound, 16016);
    FUZZ_CHECK(opened == markersRight);
    if (!opened) {
        FUZZ_CHECK(read == Untouched());
        return;
    }
    // Every entry the format uses is the file's; the entries it leaves unused may hold anything.
    for (int p = 0; p < ParameterCount; ++p)
        FUZZ_CHECK(read.Par[static_cast<size_t>(p)] == Entry(bytes, 8 + 4 * p));
    for (int s = 1; s <= SetpointCount; ++s)
        FUZZ_CHECK(read.Soll[static_cast<size_t>(s)] == Entry(bytes, 8012 + 4 * (s - 1)));

    const QString again = FuzzFolder() + QStringLiteral("again.bak");
    WriteBackupFile(again, read);
    TBackupData back;
    back.Soll[0] = read.Soll[0]; // no setpoint: neither written nor read
    FUZZ_CHECK(ReadBackupFile(again, back));
    FUZZ_CHECK(back == read);

    // The comparison with the device names exactly the entries that differ.
    FUZZ_CHECK(BackupDifferences(read, read).empty());
    TBackupData device = read;
    device.Par[static_cast<uint8_t>(bytes[8]) % ParameterCount] ^= 1;
    device.Soll[1 + static_cast<uint8_t>(bytes[9]) % SetpointCount] ^= 1;
    const std::vector<QString> lines = BackupDifferences(read, device);
    FUZZ_CHECK(lines.size() == 2 && lines[0].startsWith(u'P') && lines[1].startsWith(u'S'));
}
