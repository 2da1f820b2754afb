// The backup file: exact layout, markers, short and unwritable files, and the comparison that
// kq9ctl's verify prints.

#include "params/BackupFile.h"
#include "app/FixtureFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using kq9test::ReadFixture;
using kq9test::WriteFixture;

namespace {

TBackupData Sample() {
    TBackupData data;
    for (int p = 0; p < ParameterCount; ++p)
        data.Par[static_cast<size_t>(p)] = p * 3 - 600;
    for (int s = 1; s <= SetpointCount; ++s)
        data.Soll[static_cast<size_t>(s)] = -s * 1000;
    return data;
}

int32_t At(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<int32_t>(bytes.constData() + offset);
}

} // namespace

TEST(BackupFile, LayoutAndRoundTrip) {
    QByteArray bytes = BackupFileBytes(Sample());
    ASSERT_EQ(bytes.size(), 16020);
    EXPECT_EQ(bytes.left(8), QByteArray::fromHex("3998ae003998ae00"));
    EXPECT_EQ(bytes.right(8), QByteArray::fromHex("15cd5b0715cd5b07"));
    EXPECT_EQ(At(bytes, 8), -600);          // parameter 0
    EXPECT_EQ(At(bytes, 8 + 4 * 399), 597); // parameter 399
    EXPECT_EQ(At(bytes, 8 + 4 * 400), 0);   // unused entries of the parameter block
    EXPECT_EQ(At(bytes, 8 + 4 * 2000), 0);
    EXPECT_EQ(At(bytes, 8012), -1000); // setpoint 1
    EXPECT_EQ(At(bytes, 8012 + 4 * 47), -48000);
    EXPECT_EQ(At(bytes, 8012 + 4 * 48), 0);
    EXPECT_EQ(At(bytes, 16008), 0);

    QTemporaryDir dir;
    QString path = dir.filePath("unit.bak");
    WriteBackupFile(path, Sample());
    EXPECT_EQ(ReadFixture(path), bytes);
    TBackupData read;
    ASSERT_TRUE(ReadBackupFile(path, read));
    EXPECT_EQ(read, Sample());
    // Bytes after the first 16020 are ignored; entries beyond the data too.
    QByteArray longer = bytes + "trailing";
    qToLittleEndian<int32_t>(99, longer.data() + 8 + 4 * 1000);
    TBackupData fromLonger;
    ASSERT_TRUE(ReadBackupFile(WriteFixture(dir.path(), "long.bak", longer), fromLonger));
    EXPECT_EQ(fromLonger, Sample());
}

TEST(BackupFile, WrongMarkersAndShortFilesAreRefused) {
    QTemporaryDir dir;
    QByteArray good = BackupFileBytes(Sample());
    for (qsizetype offset : {0, 4, 16012, 16016}) {
        QByteArray bad = good;
        bad[offset + 1] = 0x7F;
        TBackupData data;
        data.Par[0] = 5;
        EXPECT_FALSE(ReadBackupFile(WriteFixture(dir.path(), "bad.bak", bad), data)) << offset;
        EXPECT_EQ(data.Par[0], 5);
    }
    TBackupData data;
    try {
        ReadBackupFile(WriteFixture(dir.path(), "short.bak", good.left(16019)), data);
        ADD_FAILURE() << "a short file was read";
    } catch (const EBackupFileError& e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf("16019 of 16020"), -1) << e.what();
    }
    EXPECT_THROW(ReadBackupFile(dir.filePath("none.bak"), data), EBackupFileError);
}

TEST(BackupFile, FailedWriteKeepsTheOlderFile) {
    QTemporaryDir dir;
    QString path = dir.filePath("unit.bak");
    QByteArray older = BackupFileBytes(TBackupData{});
    WriteFixture(dir.path(), "unit.bak", older);
    // The limit must be lifted again before the exception leaves, so it is caught inside.
    bool thrown = kq9test::WithFileSizeLimit(4096, [&] {
        try {
            WriteBackupFile(path, Sample());
        } catch (const EBackupFileError&) {
            return true;
        }
        return false;
    });
    EXPECT_TRUE(thrown);
    EXPECT_EQ(ReadFixture(path), older);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"unit.bak"});
    EXPECT_THROW(WriteBackupFile(dir.filePath("no/such/folder/x.bak"), Sample()), EBackupFileError);
}

TEST(BackupFile, DifferencesNameEveryValueThatDiffers) {
    TBackupData file = Sample();
    TBackupData device = file;
    EXPECT_TRUE(BackupDifferences(file, device).empty());
    file.Par[17] = -350;
    device.Par[17] = -300;
    device.Soll[3] = 12;
    std::vector<QString> lines = BackupDifferences(file, device);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "P017 file=-350 device=-300");
    EXPECT_EQ(lines[1], "S003 file=-3000 device=12");
}
