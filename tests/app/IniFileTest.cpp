// Reading ini files as the usual readers do, and editing them in place.

#include "app/IniFile.h"
#include "app/FixtureFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(IniFile, ReadsSectionsAndKeysLooselyAndTheFirstOneWins) {
    TIniFile ini;
    ini.LoadFromText("orphan=before any section\n"
                     "  [ Main ]  \n"
                     "; GroepActual=comment\n"
                     "  GroepActual  =  Ist  \n"
                     "groepactual=second\n"
                     "no equals sign\n"
                     "[main]\n"
                     "Other=in the second Main\n"
                     "[Opties]\r\n"
                     "Taal=2\r\n"
                     "Bad=12x\r\n"
                     "Hex=$10\r\n"
                     "Items=\"a b\",c");
    EXPECT_EQ(ini.ReadString("MAIN", "groepACTUAL", "x"), "Ist");
    EXPECT_EQ(ini.ReadString("Main", "Other", "missing"), "missing");
    EXPECT_EQ(ini.ReadString("Main", "; GroepActual", "missing"), "missing");
    EXPECT_EQ(ini.ReadString("", "orphan", "missing"), "missing");
    EXPECT_FALSE(ini.SectionExists("Nothing"));
    EXPECT_EQ(ini.ReadInteger("opties", "Taal", 0), 2);
    EXPECT_EQ(ini.ReadInteger("Opties", "Bad", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Opties", "Hex", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Opties", "Missing", -3), -3);
    EXPECT_TRUE(ini.ReadBool("Opties", "Taal", false));
    EXPECT_TRUE(ini.ReadBool("Opties", "Bad", true));
    // Quotes are part of the value; list keys split them as comma texts.
    EXPECT_EQ(ini.ReadString("Opties", "Items", ""), "\"a b\",c");
}

TEST(IniFile, WritingKeepsEverythingElseByteForByte) {
    const QString original = "; settings\r\n"
                             "[Serieel]\r\n"
                             "Baudrate = 6\r\n"
                             "custom=keep me\r\n"
                             "\r\n"
                             "; belongs to the next section\r\n"
                             "[Poorten]\r\n"
                             "COM1=/dev/ttyUSB0\r\n";
    TIniFile ini;
    ini.LoadFromText(original);
    ini.WriteInteger("serieel", "baudrate", 6);
    EXPECT_EQ(ini.Text(), original);

    ini.WriteInteger("Serieel", "baudrate", 8);
    ini.WriteInteger("Serieel", "databit", 0);
    ini.WriteBool("Grafiek", "X_hulplijn", true);
    ini.WriteString("Grafiek", "Y_Div", "5");
    EXPECT_EQ(ini.Text(), "; settings\r\n"
                          "[Serieel]\r\n"
                          "Baudrate = 8\r\n"
                          "custom=keep me\r\n"
                          "databit=0\r\n"
                          "\r\n"
                          "; belongs to the next section\r\n"
                          "[Poorten]\r\n"
                          "COM1=/dev/ttyUSB0\r\n"
                          "\r\n"
                          "[Grafiek]\r\n"
                          "X_hulplijn=1\r\n"
                          "Y_Div=5\r\n");
    EXPECT_EQ(ini.ReadInteger("Serieel", "Baudrate", 0), 8);
    EXPECT_EQ(ini.ReadInteger("Grafiek", "Y_Div", 0), 5);
}

TEST(IniFile, WritingIntoAFileWithoutFinalLineEnd) {
    TIniFile ini;
    ini.LoadFromText("[A]\nx=1");
    ini.WriteString("A", "y", "2");
    EXPECT_EQ(ini.Text(), "[A]\nx=1\ny=2");
    ini.WriteString("B", "z", "3");
    EXPECT_EQ(ini.Text(), "[A]\nx=1\ny=2\n\n[B]\nz=3");

    TIniFile empty;
    empty.LoadFromText("");
    empty.WriteString("Opties", "Taal", "1");
    EXPECT_EQ(empty.Text(), "[Opties]\nTaal=1\n");
}

TEST(IniFile, ALineBreakInAValueMakesNoKeyOfItsOwn) {
    TIniFile ini;
    ini.LoadFromText("[Afdrukken]\nType=KX71\n");
    ini.WriteString("Afdrukken", "Firma", "A\r\nType=forged\n[Opties]");
    EXPECT_EQ(ini.Text(), "[Afdrukken]\nType=KX71\nFirma=A  Type=forged [Opties]\n");
    EXPECT_EQ(ini.ReadString("Afdrukken", "Type", {}), "KX71");
    EXPECT_FALSE(ini.SectionExists("Opties"));
}

TEST(IniFile, ANewLineInAFileOfMixedLineEndsKeepsTheEmptyLineAfterIt) {
    TIniFile ini;
    ini.LoadFromText("[A]\r[B]\n\n[C]\n");
    ini.WriteString("B", "k", "v");
    EXPECT_EQ(ini.Text(), "[A]\r[B]\nk=v\n\n[C]\n");
}

TEST(IniFile, SavesAtomicallyKeepingEncodingMarkAndReadsOldFiles) {
    QTemporaryDir dir;
    QString path = kq9test::WriteFixture(dir.path(), "a.ini", "\xEF\xBB\xBF[Main]\nA=\xC3\xA9\n");
    TIniFile ini;
    ASSERT_TRUE(ini.LoadFromFile(path));
    EXPECT_EQ(ini.ReadString("Main", "A", ""), QString::fromUtf8("é"));
    ini.WriteString("Main", "B", QString::fromUtf8("ü"));
    ASSERT_TRUE(ini.SaveToFile(path));
    EXPECT_EQ(kq9test::ReadFixture(path), "\xEF\xBB\xBF[Main]\nA=\xC3\xA9\nB=\xC3\xBC\n");

    // An older file in Windows-1252 is read correctly and written back as UTF-8.
    path = kq9test::WriteFixture(dir.path(), "b.ini", "[Main]\nA=caf\xE9\n");
    ASSERT_TRUE(ini.LoadFromFile(path));
    EXPECT_EQ(ini.ReadString("Main", "A", ""), QString::fromUtf8("café"));

    EXPECT_FALSE(ini.LoadFromFile(dir.path() + "/missing.ini"));
    EXPECT_FALSE(ini.SectionExists("Main"));
}
