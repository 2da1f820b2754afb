// What the cam display makes of the store: the one lit cell of each active cam, and the details
// of a cam with its values chosen by the selectors.

#include "params/NokkenInfo.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class NokkenInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ParamStore() = TParamStore();
        ParamDefs().Free();
    }
    void TearDown() override { ParamDefs().Free(); }

    static void Cam(int n, int function, int output) {
        ParamStore().ParData[CamFunctionParameter(n)] = function;
        ParamStore().ParData[CamOutputParameter(n)] = output;
    }
};

} // namespace

TEST_F(NokkenInfoTest, AnActiveCamLightsOnlyTheCellOfItsOutput) {
    Cam(5, 2, 3);
    Cam(6, 1, 1);
    Cam(7, 3, 4);
    Cam(8, 0, 2);
    for (int output = 1; output <= 4; ++output)
        EXPECT_EQ(CamCellColour(5, output), output == 3 ? std::optional(TInk::Lime) : std::nullopt);
    EXPECT_EQ(CamCellColour(6, 1), TInk::Red);
    EXPECT_EQ(CamCellColour(7, 4), TInk::Yellow);
    EXPECT_EQ(CamCellColour(8, 2), std::nullopt);
    EXPECT_EQ(CamCellDescription(5, 3), "cam 5: function 2 on output 3");
    EXPECT_EQ(CamCellDescription(5, 1), "cam 5: not on output 1");
    EXPECT_EQ(CamCellDescription(8, 2), "cam 8: off");

    // Functions 2 and 3 have no end; a cell of another row shows nothing.
    TCamDetails lit = CamDetails(5, 3);
    EXPECT_FALSE(lit.Clear);
    EXPECT_EQ(lit.NokNummer, "5");
    EXPECT_EQ(lit.Einde, "---");
    EXPECT_EQ(lit.SelectEinde, "---");
    EXPECT_TRUE(CamDetails(5, 2).Clear);
    EXPECT_TRUE(CamDetails(8, 2).Clear);
}

TEST_F(NokkenInfoTest, SelectorsChooseOwnPositionSetpointOrThumbwheel) {
    TParamStore& store = ParamStore();
    store.ParData[203] = 1;
    Cam(6, 1, 2);
    store.ParData[CamStartParameter(6)] = 255; // parameter 12
    store.ParData[CamEndSelectorParameter(6)] = 3;
    store.SollData[3] = -75;
    store.ParData[CamHysteresisParameter(6)] = 12;
    store.ParData[OutputAdvanceParameter(2)] = 1500;
    TCamDetails details = CamDetails(6, 2);
    EXPECT_EQ(details.Aanvang, "25,5");
    EXPECT_EQ(details.Einde, "-7,5");
    EXPECT_EQ(details.Hysteresis, "1,2");
    EXPECT_EQ(details.Vervroeging, "1,500");
    // Without definitions the option texts are empty.
    EXPECT_EQ(details.Functie, "");
    EXPECT_EQ(details.SelectAanvang, "");

    store.ParData[203] = 2;
    store.ParData[CamStartSelectorParameter(6)] = 50;
    store.DuimwielWaarde[2] = 12345;
    EXPECT_EQ(CamDetails(6, 2).Aanvang, "123,45");
    // A selector that names no value shows none.
    store.ParData[CamStartSelectorParameter(6)] = 53;
    EXPECT_EQ(CamDetails(6, 2).Aanvang, "");
    EXPECT_EQ(CamSelectedValue(-1, 9), std::nullopt);
    EXPECT_EQ(CamSelectedValue(48, 9), store.SollData[48]);
    EXPECT_EQ(CamSelectedValue(52, 9), store.DuimwielWaarde[4]);
}

TEST_F(NokkenInfoTest, OptionTextsComeFromTheDefinitionsWhenTheValueIndexesThem) {
    QTemporaryDir dir;
    QFile file(dir.filePath("Parameters.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[257]\nopties0=#fun\n[fun]\nopties0=Off,Window,Plus,Minus\n"
               "[281]\nopties0=Pos,Lin\n[305]\nopties0=Own,S1,S2\n");
    file.close();
    ASSERT_TRUE(ParamDefs().LoadParameterDefs(file.fileName()));
    Cam(2, 2, 1);
    ParamStore().ParData[CamSourceParameter(2)] = 2; // one past the list
    ParamStore().ParData[CamStartSelectorParameter(2)] = 1;
    TCamDetails details = CamDetails(2, 1);
    EXPECT_EQ(details.Functie, "Plus");
    EXPECT_EQ(details.Bron, "");
    EXPECT_EQ(details.SelectAanvang, "S1");
}
