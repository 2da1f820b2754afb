// The parameter definitions and the page table: the definition-file rules as the lookups see
// them, option lists with their one indirection, and page rows.

#include "params/ParamDefs.h"
#include "app/FixtureFiles.h"
#include "app/GlobalVar.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using kq9test::WriteFixture;

namespace {

class ParamDefsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        GlobalVar() = TGlobalVar();
        SetProgramPath(FDir.path());
        ParamDefs().Free();
    }
    void TearDown() override {
        ParamDefs().Free();
        GlobalVar() = TGlobalVar();
    }
    void LoadDefs(const QByteArray& text) {
        WriteFixture(FDir.path(), "Parameters.txt", text);
        ParameterDef_lezen();
        ASSERT_TRUE(ParamDefs().ParameterDefGeladen());
    }
    QTemporaryDir FDir;
};

} // namespace

TEST_F(ParamDefsTest, LineRulesOfTheDefinitionFile) {
    LoadDefs("naam0=before any header\n"
             "[017]\n"
             "; naam0=comment\n"
             "\n"
             "naam0=Snelheid\n"
             "NAAM0=second wins not\n"
             "naam1=Speed \n"
             "naam2 = Geschwindigkeit\n"
             " type=1\n"
             "dec=0x2\n"
             "min=-100\n"
             "max=0x7FFFFFFF\n"
             "default=$1F\n"
             "[ 018]\n"
             "naam0=blank after bracket\n"
             "[018]\n"
             "min=ten\n"
             "max=\n"
             "[017]\n"
             "naam0=second section\n"
             "[019]\n");
    const TParamDefs& defs = ParamDefs();
    EXPECT_EQ(defs.Naam(17, 0), "Snelheid");
    EXPECT_EQ(defs.Naam(17, 1), "Speed "); // values are not trimmed
    EXPECT_EQ(defs.Naam(17, 2), "");       // blanks before "=" make another key
    EXPECT_EQ(defs.Type(17), 0);           // a leading blank makes another key
    EXPECT_EQ(defs.Dec(17), 2);
    EXPECT_EQ(defs.Min(17), -100);
    EXPECT_EQ(defs.Max(17), 2147483647);
    EXPECT_EQ(defs.Default(17), 31);
    EXPECT_EQ(defs.Naam(18, 0), ""); // "[ 018]" is another section
    EXPECT_EQ(defs.Min(18), 0);      // not a number reads as 0
    EXPECT_EQ(defs.Max(18), 0);
    EXPECT_TRUE(defs.HasDefinition(17));
    EXPECT_TRUE(defs.HasDefinition(18));
    EXPECT_FALSE(defs.HasDefinition(19)); // a section without lines
    EXPECT_FALSE(defs.HasDefinition(20));

    GlobalVar().Taal = 1;
    EXPECT_EQ(defs.Naam(17), "Speed ");
    EXPECT_EQ(ParameterSection(7), "007");
    EXPECT_EQ(ParameterSection(249), "249");
}

TEST_F(ParamDefsTest, OptionListsFollowOneIndirection) {
    LoadDefs("[100]\n"
             "opties0=Uit,Aan\n"
             "opties1=\"Hold Reset\",Ref fijn\n"
             "[101]\n"
             "opties0=#Shared\n"
             "[102]\n"
             "opties0=#Chain\n"
             "[103]\n"
             "opties0=\"#Shared\"\n"
             "[104]\n"
             "opties0=#Missing\n"
             "[Shared]\n"
             "opties0=Nul,Een,Twee\n"
             "[Chain]\n"
             "opties0=#Shared\n");
    const TParamDefs& defs = ParamDefs();
    EXPECT_EQ(defs.Opties(100, 0), (QStringList{"Uit", "Aan"}));
    EXPECT_EQ(defs.Opties(100, 1), (QStringList{"Hold Reset", "Ref", "fijn"}));
    EXPECT_EQ(defs.Opties(101, 0), (QStringList{"Nul", "Een", "Twee"}));
    EXPECT_EQ(defs.Opties(102, 0), (QStringList{"#Shared"}));
    // A quoted "#Shared" joins to the same text: still an indirection.
    EXPECT_EQ(defs.Opties(103, 0), (QStringList{"Nul", "Een", "Twee"}));
    EXPECT_TRUE(defs.Opties(104, 0).isEmpty());
    EXPECT_TRUE(defs.Opties(101, 1).isEmpty());
    EXPECT_TRUE(defs.Opties(399, 0).isEmpty());

    EXPECT_EQ(defs.OptieTekst(101, 2, 0), "Twee");
    EXPECT_EQ(defs.OptieTekst(101, 3, 0), NoOptionText);
    EXPECT_EQ(defs.OptieTekst(101, -1, 0), NoOptionText);
    EXPECT_EQ(defs.OptieTekst(399, 0, 0), NoOptionText);
}

TEST_F(ParamDefsTest, OlderFilesInWindows1252AndMissingFiles) {
    LoadDefs("[001]\nnaam0=Drehz\xE4hler\nopties0=\xC4"
             "n,\x80\n");
    EXPECT_EQ(ParamDefs().Naam(1, 0), QString::fromUtf8("Drehzähler"));
    EXPECT_EQ(ParamDefs().Opties(1, 0),
              (QStringList{QString::fromUtf8("Än"), QString::fromUtf8("€")}));

    QFile::remove(FDir.path() + "/Parameters.txt");
    ParameterDef_lezen();
    EXPECT_FALSE(ParamDefs().ParameterDefGeladen());
    EXPECT_EQ(ParamDefs().Naam(1, 0), "");
    ParamNo_lezen();
    EXPECT_FALSE(ParamDefs().ParamNoGeladen());
}

TEST_F(ParamDefsTest, PageRowsOfThePageTable) {
    WriteFixture(FDir.path(), "ParNo.txt",
                 "[203]\nParId1=17\nParId2=-1\nParId4=0x10\nParId5=400\nParId6=-7\nParId7=x\n"
                 "[100]\nParId18=399\n");
    ParamNo_lezen();
    ASSERT_TRUE(ParamDefs().ParamNoGeladen());
    const TParamDefs& defs = ParamDefs();
    EXPECT_EQ(PageId(2, 3), 203);
    EXPECT_EQ(defs.PageRow(203, 1), 17);
    EXPECT_EQ(defs.PageRow(203, 2), -1);
    EXPECT_EQ(defs.PageRow(203, 3), -1);
    EXPECT_EQ(defs.PageRow(203, 4), 16);
    // Numbers outside the store would read past it: empty rows.
    EXPECT_EQ(defs.PageRow(203, 5), -1);
    EXPECT_EQ(defs.PageRow(203, 6), -1);
    EXPECT_EQ(defs.PageRow(203, 7), -1);
    EXPECT_EQ(defs.PageRow(PageId(1, 0), 18), 399);
    EXPECT_EQ(defs.PageRow(0, 1), -1);
}
