// Finding parameters by number or name: folding of case and accents, the order of the hits,
// one hit per place on the pages, parameters on no page, and what is never found.

#include "params/ParamSearch.h"
#include "app/FixtureFiles.h"
#include "app/GlobalVar.h"
#include "params/ParamDefs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ParamSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        GlobalVar() = TGlobalVar();
        GlobalVar().Taal = 2;
        kq9test::WriteFixture(FDir.path(), "Parameters.txt",
                              "[005]\nnaam2=Geschwindigkeit Maximal\n"
                              "[017]\nnaam2=Rampé Auf\nnaam1=Ramp up\n"
                              "[117]\nnaam2=Straße 17\n"
                              "[203]\nnaam2=Positionsdezimalen\n"
                              "[250]\nnaam1=Only in English\n");
        kq9test::WriteFixture(FDir.path(), "ParNo.txt",
                              "[101]\nParId1=17\nParId4=5\n"
                              "[102]\nParId2=17\nParId3=300\n"
                              "[900]\nParId1=5\n");
        ASSERT_TRUE(Defs.LoadParameterDefs(FDir.filePath("Parameters.txt")));
        ASSERT_TRUE(Defs.LoadParamNo(FDir.filePath("ParNo.txt")));
        // Page 900 is in the page table but not in the tree: the editor cannot show it.
        Search.Index({{1, 1, "Antrieb"}, {1, 2, "Rampen"}}, Defs);
    }
    void TearDown() override { GlobalVar() = TGlobalVar(); }

    std::vector<QString> Texts(const QString& text) {
        std::vector<QString> texts;
        for (const TParamSearchHit& hit : Search.Find(text))
            texts.push_back(SearchHitText(hit, "-"));
        return texts;
    }

    QTemporaryDir FDir;
    TParamDefs Defs;
    TParamSearch Search;
};

} // namespace

TEST(ParamSearchFold, CaseAccentsAndSharpS) {
    EXPECT_EQ(SearchFolded("RAMPÉ Auf"), "rampe auf");
    EXPECT_EQ(SearchFolded("Straße"), SearchFolded("STRASSE"));
    EXPECT_EQ(SearchFolded("Übergröße"), "ubergrosse");
}

TEST_F(ParamSearchTest, NamesMatchEveryWordWithoutCaseOrAccents) {
    EXPECT_EQ(Texts("rampe"),
              (std::vector<QString>{"017  Rampé Auf  1.1.1", "017  Rampé Auf  1.2.2"}));
    EXPECT_EQ(Texts("  MAXIMAL geschw "),
              (std::vector<QString>{"005  Geschwindigkeit Maximal  1.1.4"}));
    EXPECT_EQ(Texts("strasse"), (std::vector<QString>{"117  Straße 17  -"}));
    // The other language's names are not searched; blank text finds nothing.
    EXPECT_TRUE(Texts("English").empty());
    EXPECT_TRUE(Texts("   ").empty());
    EXPECT_TRUE(Texts("rampe ab").empty());
}

TEST_F(ParamSearchTest, ANumberComesFirstThenNamesHoldingIt) {
    const std::vector<TParamSearchHit> hits = Search.Find("017");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].Parameter, 17);
    EXPECT_EQ(hits[0].Groep, 1);
    EXPECT_EQ(hits[0].Subgroep, 1);
    EXPECT_EQ(hits[0].Row, 1);
    EXPECT_EQ(hits[0].PageCaption, "Antrieb");
    EXPECT_EQ(hits[1].Row, 2);
    // A name holds "17" but not "017".
    EXPECT_EQ(Search.Find("17").size(), 3u);
    EXPECT_EQ(Search.Find("17")[2].Parameter, 117);
    EXPECT_FALSE(Search.Find("17")[2].OnPage());

    // A parameter on a page but without a definition is found by its number; one with neither,
    // or a number past the store, is not.
    EXPECT_EQ(Texts("300"), (std::vector<QString>{"300  1.2.3"}));
    EXPECT_TRUE(Texts("301").empty());
    EXPECT_TRUE(Texts("400").empty());
    // Only the tree's pages count: parameter 5 on page 900 has its one place on page 101.
    EXPECT_EQ(Search.Find("5").size(), 1u);
}

TEST_F(ParamSearchTest, WithoutThePageTableNothingStandsOnAPage) {
    TParamDefs noPages;
    ASSERT_TRUE(noPages.LoadParameterDefs(FDir.filePath("Parameters.txt")));
    Search.Index({{1, 1, "Antrieb"}}, noPages);
    const std::vector<TParamSearchHit> hits = Search.Find("17");
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits[0].Parameter, 17);
    EXPECT_FALSE(hits[0].OnPage());
}
