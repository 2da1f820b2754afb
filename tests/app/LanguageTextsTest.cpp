// Choosing and loading the language file, and reading texts with their built-in defaults.

#include "app/LanguageTexts.h"
#include "app/FixtureFiles.h"
#include "app/GlobalVar.h"
#include "app/TextKeys.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using kq9test::WriteFixture;

namespace {

class LanguageTexts : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        GlobalVar() = TGlobalVar();
        TekstFile_Vrijgeven();
        SetProgramPath(FDir.path());
    }
    void TearDown() override {
        TekstFile_Vrijgeven();
        GlobalVar() = TGlobalVar();
    }
    QTemporaryDir FDir;
};

} // namespace

TEST_F(LanguageTexts, FileChosenByLanguageIndex) {
    EXPECT_EQ(LanguageFileName(0), "Taal0.ini");
    EXPECT_EQ(LanguageFileName(1), "Taal1.ini");
    EXPECT_EQ(LanguageFileName(2), "Taal2.ini");
    EXPECT_EQ(LanguageFileName(7), "Taal0.ini");
    EXPECT_EQ(LanguageFileName(-1), "Taal0.ini");

    WriteFixture(FDir.path(), "Taal0.ini", "[Main]\nGroepActual=Nul\n");
    WriteFixture(FDir.path(), "Taal1.ini", "[Main]\nGroepActual=Een\n");
    GlobalVar().Taal = 7;
    TekstFile_Lezen();
    EXPECT_TRUE(GlobalVar().LanguageFileLoaded);
    EXPECT_EQ(Tekst("Main", "GroepActual", "Actual"), "Nul");
    GlobalVar().Taal = 1;
    TekstFile_Lezen();
    EXPECT_EQ(Tekst("Main", "GroepActual", "Actual"), "Een");
}

TEST_F(LanguageTexts, MissingKeysTakeDefaultsAndAMissingFileKeepsTheEarlierOne) {
    EXPECT_EQ(Tekst("Main", "GroepActual", "Actual"), "Actual");
    TekstFile_Lezen();
    EXPECT_FALSE(GlobalVar().LanguageFileLoaded);

    WriteFixture(FDir.path(), "Taal0.ini", "[Main]\nGroepActual=Ist\n");
    TekstFile_Lezen();
    ASSERT_TRUE(GlobalVar().LanguageFileLoaded);
    EXPECT_EQ(Tekst(TextKey::Main::GroepActual), "Ist");
    EXPECT_EQ(Tekst("main", "groepactual"), "Ist");
    EXPECT_EQ(Tekst(TextKey::Main::GroepIngangen), "Ingangen");
    EXPECT_EQ(Tekst("Main", "Msg_Melding_Geen_KX71"), "");

    GlobalVar().Taal = 2;
    TekstFile_Lezen();
    EXPECT_TRUE(GlobalVar().LanguageFileLoaded);
    EXPECT_EQ(Tekst(TextKey::Main::GroepActual), "Ist");
}

TEST_F(LanguageTexts, ListKeysAreCommaTextsAndOldFilesAreReadAsWindows1252) {
    WriteFixture(FDir.path(), "Taal0.ini",
                 "[InitCom]\nParityItems=Geen,Even,\"On even\"\n[Main]\nK0_RefFijn=R\xE9"
                 "f\n");
    TekstFile_Lezen();
    EXPECT_EQ(TekstList("InitCom", "ParityItems"), (QStringList{"Geen", "Even", "On even"}));
    EXPECT_TRUE(TekstList("InitCom", "BaudItems").isEmpty());
    EXPECT_EQ(TekstList("Opties", "TaalItems", "\"0\",\"1\",\"2\""), (QStringList{"0", "1", "2"}));
    EXPECT_EQ(Tekst("Main", "K0_RefFijn", ""), QString::fromUtf8("Réf"));
}
