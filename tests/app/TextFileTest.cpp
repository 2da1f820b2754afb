// Reading text files in either encoding, and writes that never leave a half-written file.

#include "app/TextFile.h"
#include "app/FixtureFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

using kq9test::ReadFixture;
using kq9test::WriteFixture;

TEST(TextFile, Utf8WhenValidElseWindows1252) {
    EXPECT_EQ(DecodeText("Stra\xC3\x9F"
                         "e \xE2\x82\xAC"),
              QString::fromUtf8("Straße €"));
    // 0xE9 alone is no UTF-8: the whole text is read as Windows-1252.
    EXPECT_EQ(DecodeText("caf\xE9 \x80 \x93x\x94 \x9F"), QString::fromUtf8("café € “x” Ÿ"));
    // Codes the Windows table leaves open become the control characters of the same number.
    EXPECT_EQ(DecodeWindows1252("\x81\x8D\x8F\x90\x9D"),
              QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D"));

    bool bom = false;
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF[Main]", &bom), QStringLiteral("[Main]"));
    EXPECT_TRUE(bom);
    DecodeText("[Main]", &bom);
    EXPECT_FALSE(bom);
}

TEST(TextFile, ReadsWholeFileAndReportsMissingOne) {
    QTemporaryDir dir;
    QString path = WriteFixture(dir.path(), "a.txt", "eins\r\nzw\xF6lf\n");
    QString text;
    ASSERT_TRUE(ReadTextFile(path, text));
    EXPECT_EQ(text, QString::fromUtf8("eins\r\nzwölf\n"));

    QString error;
    text = "unchanged";
    EXPECT_FALSE(ReadTextFile(dir.path() + "/missing.txt", text, nullptr, &error));
    EXPECT_EQ(text, "unchanged");
    EXPECT_FALSE(error.isEmpty());
}

TEST(TextFile, AtomicWriteReplacesTheFileAndLeavesNoTemporaryFile) {
    QTemporaryDir dir;
    QString path = WriteFixture(dir.path(), "out.ini", "old contents");
    ASSERT_TRUE(WriteTextFileAtomic(path, QString::fromUtf8("neu: €")));
    EXPECT_EQ(ReadFixture(path), QByteArray("neu: \xE2\x82\xAC"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.ini"});

    QString error;
    EXPECT_FALSE(WriteFileAtomic(dir.path() + "/no/such/folder/out.ini", "x", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(TextFile, FailedWriteLeavesTheOldFileIntact) {
    QTemporaryDir dir;
    QString path = WriteFixture(dir.path(), "application.ini", "[Opties]\nTaal=1\n");

    QString error;
    bool written = kq9test::WithFileSizeLimit(
        8, [&] { return WriteFileAtomic(path, QByteArray(1000, 'x'), &error); });
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadFixture(path), QByteArray("[Opties]\nTaal=1\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"application.ini"});

    if (geteuid() != 0) {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_FALSE(WriteFileAtomic(path, "new", &error));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(ReadFixture(path), QByteArray("[Opties]\nTaal=1\n"));
    }
}
