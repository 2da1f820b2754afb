// Comparing sets: which values differ, how a row reads (names, decimals, option texts, the
// columns of setpoints), and what taking and sending ticked rows does to the store and the rows.

#include "params/ValueCompare.h"
#include "app/FixtureFiles.h"
#include "app/GlobalVar.h"
#include "params/ParamDefs.h"
#include "params/ValueFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ValueCompareTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        GlobalVar() = TGlobalVar();
        GlobalVar().Taal = 1;
        ParamStore() = TParamStore();
        kq9test::WriteFixture(FDir.path(), "Parameters.txt",
                              "[007]\nnaam1=Cam 1 start\ndec=9\n"
                              "[017]\nnaam1=Offset\ndec=1\n"
                              "[020]\nnaam1=Mode\ntype=1\nopties1=Off,Slow,Fast\n");
        ASSERT_TRUE(Defs.LoadParameterDefs(FDir.filePath("Parameters.txt")));
    }
    void TearDown() override {
        ParamStore() = TParamStore();
        GlobalVar() = TGlobalVar();
    }

    QTemporaryDir FDir;
    TParamDefs Defs;
};

} // namespace

TEST_F(ValueCompareTest, RowsOfParametersReadAsTheEditorShowsThem) {
    TParValues a{}, b{};
    a[17] = -35;
    b[17] = 120;
    a[20] = 1;
    b[20] = 3; // no option of the list
    a[7] = 12345;
    b[7] = 12346;
    a[399] = 5; // the last parameter counts too
    ParamStore().ParData[203] = 3;
    const std::vector<TCompareRow> rows = CompareValues(TCompareKind::Parameters, a, b);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].Number, 7);
    EXPECT_EQ(rows[3].Number, 399);
    EXPECT_EQ(CompareRowLine(TCompareKind::Parameters, rows[0], Defs),
              "007\tCam 1 start\t12,345\t\t12,346\t");
    EXPECT_EQ(CompareRowLine(TCompareKind::Parameters, rows[1], Defs),
              "017\tOffset\t-3,5\t\t12,0\t");
    EXPECT_EQ(CompareRowLine(TCompareKind::Parameters, rows[2], Defs),
              "020\tMode\t1\tSlow\t3\t########");
    // A parameter without a definition: no name, no decimals.
    EXPECT_EQ(CompareRowLine(TCompareKind::Parameters, rows[3], Defs), "399\t\t5\t\t0\t");
    EXPECT_TRUE(CompareValues(TCompareKind::Parameters, a, a).empty());
}

TEST_F(ValueCompareTest, SetpointRowsHaveNumberAndTwoValuesWithTheStoresDecimals) {
    TSollValues a{}, b{};
    a[0] = 1; // not a setpoint
    b[0] = 2;
    a[1] = 150;
    b[48] = -7;
    ParamStore().ParData[203] = 2;
    const std::vector<TCompareRow> rows = CompareValues(TCompareKind::Setpoints, a, b);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(CompareRowLine(TCompareKind::Setpoints, rows[0], Defs), "1\t1,50\t0,00");
    EXPECT_EQ(CompareRowLine(TCompareKind::Setpoints, rows[1], Defs), "48\t0,00\t-0,07");
    for (int c : {CmpNaam, CmpOptie, CmpAndereOptie})
        EXPECT_FALSE(CompareColumnUsed(TCompareKind::Setpoints, c));
    EXPECT_TRUE(CompareColumnUsed(TCompareKind::Parameters, CmpAndereOptie));
}

TEST_F(ValueCompareTest, TakingTickedRowsChangesOnlyThoseAndMarksAWholeSetAsItsOrigin) {
    TParamStore& store = ParamStore();
    store.ParData[3] = 30;
    store.ParData[4] = 40;
    store.ParBron = Bron::Defaults;
    TParValues file = store.ParData;
    file[3] = 33;
    file[4] = 44;
    TValueComparison comparison;
    comparison.Compare(TCompareKind::Parameters, file, Bron::File, store);
    ASSERT_EQ(comparison.Rows().size(), 2u);
    EXPECT_EQ(comparison.TickedCount(), 0);

    comparison.Rows()[1].Ticked = true;
    comparison.TakeTicked(store);
    EXPECT_EQ(store.ParData[3], 30);
    EXPECT_EQ(store.ParData[4], 44);
    // The row stays, now showing the same value twice; part of a set is no new origin.
    EXPECT_EQ(comparison.Rows()[1].Value, 44);
    EXPECT_EQ(store.ParBron, Bron::Defaults);

    comparison.TickAll(true);
    comparison.TakeTicked(store);
    EXPECT_EQ(store.ParData, file);
    EXPECT_EQ(store.ParBron, Bron::File);
    EXPECT_EQ(store.SollBron, Bron::None);
}

TEST_F(ValueCompareTest, SentValuesLoseTheirTickAndShowOnTheDeviceSideOnly) {
    TParamStore& store = ParamStore();
    store.SollData[2] = 20;
    store.SollData[5] = 50;
    TSollValues device{};
    TValueComparison comparison;
    comparison.Compare(TCompareKind::Setpoints, device, Bron::Device, store);
    comparison.TickAll(true);
    const std::vector<TCompareValue> values = comparison.TickedValues();
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[1].Number, 5);
    EXPECT_EQ(values[1].Value, 50);
    comparison.Sent(values[0]);
    EXPECT_FALSE(comparison.Rows()[0].Ticked);
    EXPECT_EQ(comparison.Rows()[0].Other, 20);
    EXPECT_TRUE(comparison.Rows()[1].Ticked);
    // Taking the other row makes the store the controller's set.
    comparison.TakeTicked(store);
    EXPECT_EQ(store.SollData[2], 20);
    EXPECT_EQ(store.SollData[5], 0);
    EXPECT_EQ(store.SollBron, Bron::Device);

    // A file does not change by sending.
    comparison.Compare(TCompareKind::Setpoints, device, Bron::File, store);
    comparison.TickAll(true);
    comparison.Sent({2, 20});
    EXPECT_EQ(comparison.Rows()[0].Other, 0);
    EXPECT_FALSE(comparison.Rows()[0].Ticked);
}
