// The linearisation table as a picture: table size, ranges and labels, pixel positions, the
// quadrant picture of the mirror modes, and picking a point.

#include "calib/LinearisatieGrafiek.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LinearisatieGrafiekTest : public ::testing::Test {
protected:
    void SetUp() override {
        ParamStore() = TParamStore();
        ParamDefs().Free();
    }
    void TearDown() override { ParamDefs().Free(); }

    static void Table(const std::vector<TLinPoint>& points, int32_t mode = 0) {
        TParamStore& store = ParamStore();
        store.ParData[LinCountParameter] = static_cast<int32_t>(points.size());
        store.ParData[LinModeParameter] = mode;
        for (size_t k = 1; k <= points.size(); ++k) {
            store.ParData[LinXParameter(static_cast<int>(k))] = points[k - 1].X;
            store.ParData[LinYParameter(static_cast<int>(k))] = points[k - 1].Y;
        }
    }
};

std::vector<TDrawLine> BlueLines(const TDrawList& list) {
    std::vector<TDrawLine> lines;
    for (const TDrawLine& line : list.All<TDrawLine>())
        if (line.Ink == TInk::Blue)
            lines.push_back(line);
    return lines;
}

} // namespace

TEST_F(LinearisatieGrafiekTest, TwoPointsSpanTheCurveAndLabelBothAxes) {
    Table({{0, 0}, {1000, 500}});
    TLinTable table = ReadLinTable();
    std::vector<TDrawText> x = DrawLinXAxis(table).All<TDrawText>();
    ASSERT_EQ(x.size(), 3u);
    EXPECT_EQ(x[0], (TDrawText{{10, 10}, "0"}));
    EXPECT_EQ(x[1], (TDrawText{{350, 10}, "500"}));
    EXPECT_EQ(x[2], (TDrawText{{690, 10}, "1000"}));
    std::vector<TDrawText> y = DrawLinYAxis(table).All<TDrawText>();
    ASSERT_EQ(y.size(), 3u);
    EXPECT_EQ(y[0], (TDrawText{{68, 4}, "500", TDrawText::TAnchor::Right}));
    EXPECT_EQ(y[1].Text, "250");
    EXPECT_EQ(y[2].At, QPoint(68, 504));

    TLinGraph graph = DrawLinGraph(table, {1, 3, false, false});
    EXPECT_EQ(graph.Positions, (std::vector<QPoint>{{10, 510}, {690, 10}}));
    EXPECT_EQ(BlueLines(graph.Plot), (std::vector<TDrawLine>{{{0, 510}, {10, 510}, TInk::Blue},
                                                             {{10, 510}, {690, 10}, TInk::Blue},
                                                             {{690, 10}, {700, 10}, TInk::Blue}}));
    std::vector<TDrawEllipse> dots = graph.Plot.All<TDrawEllipse>();
    ASSERT_EQ(dots.size(), 3u);
    EXPECT_EQ(dots[2], (TDrawEllipse{QRect(QPoint(7, 507), QPoint(13, 513)), TInk::Red}));

    // Help lines: eleven each way.
    TLinGraph lined = DrawLinGraph(table, {1, 0, true, true});
    EXPECT_EQ(lined.Plot.All<TDrawLine>().size(), 22u + 3u);

    // Decimals: X with parameter 203, Y with parameter 248.
    ParamStore().ParData[203] = 2;
    ParamStore().ParData[248] = 1;
    table = ReadLinTable();
    EXPECT_EQ(DrawLinXAxis(table).All<TDrawText>()[2].Text, "10,00");
    EXPECT_EQ(DrawLinYAxis(table).All<TDrawText>()[0].Text, "50,0");
}

TEST_F(LinearisatieGrafiekTest, ThePointCountStaysWithinTheParametersAndSlots) {
    ParamStore().ParData[LinCountParameter] = 40;
    EXPECT_EQ(ReadLinTable().Count(), 30);
    ParamStore().ParData[LinCountParameter] = -3;
    EXPECT_EQ(ReadLinTable().Count(), 0);
    EXPECT_FALSE(DrawLinGraph(ReadLinTable(), {}).Positions.size());

    // The definitions may allow fewer.
    QTemporaryDir dir;
    QFile file(dir.filePath("Parameters.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[247]\nmin=2\nmax=12\n");
    file.close();
    ASSERT_TRUE(ParamDefs().LoadParameterDefs(file.fileName()));
    ParamStore().ParData[LinCountParameter] = 20;
    EXPECT_EQ(ReadLinTable().Count(), 12);

    // One point: no labels and no curve.
    Table({{5, 5}});
    TLinTable one = ReadLinTable();
    EXPECT_TRUE(DrawLinXAxis(one).All<TDrawText>().empty());
    EXPECT_TRUE(BlueLines(DrawLinGraph(one, {}).Plot).empty());
}

TEST_F(LinearisatieGrafiekTest, DegenerateAndExtremeRangesNeverDivideByZeroOrOverflow) {
    Table({{100, 7}, {100, 7}, {100, 7}});
    TLinTable flat = ReadLinTable();
    for (QPoint p : DrawLinGraph(flat, {}).Positions)
        EXPECT_EQ(p, QPoint(680, 510));
    std::vector<TDrawLine> quadrant = BlueLines(DrawLinQuadrant(ReadLinTable()));
    EXPECT_TRUE(quadrant.empty()); // mode 0

    Table({{100, 7}, {100, 7}}, 1);
    for (const TDrawLine& line : BlueLines(DrawLinQuadrant(ReadLinTable())))
        EXPECT_EQ(line.From.y(), 100);

    Table({{-2000000000, INT32_MIN}, {2000000000, INT32_MAX}});
    EXPECT_EQ(DrawLinGraph(ReadLinTable(), {}).Positions,
              (std::vector<QPoint>{{10, 510}, {690, 10}}));
    EXPECT_EQ(DrawLinXAxis(ReadLinTable()).All<TDrawText>()[1].Text, "0");
}

TEST_F(LinearisatieGrafiekTest, TheMirrorModesCopyTheCurveIntoTheLeftQuadrants) {
    Table({{0, 0}, {1000, 500}}, 1);
    EXPECT_EQ(BlueLines(DrawLinQuadrant(ReadLinTable())),
              (std::vector<TDrawLine>{{{101, 100}, {195, 6}, TInk::Blue},
                                      {{195, 6}, {201, 6}, TInk::Blue},
                                      {{100, 100}, {6, 6}, TInk::Blue},
                                      {{6, 6}, {0, 6}, TInk::Blue}}));
    Table({{0, 0}, {1000, 500}}, 2);
    std::vector<TDrawLine> mode2 = BlueLines(DrawLinQuadrant(ReadLinTable()));
    ASSERT_EQ(mode2.size(), 4u);
    EXPECT_EQ(mode2[2], (TDrawLine{{100, 100}, {6, 194}, TInk::Blue}));
    EXPECT_EQ(mode2[3], (TDrawLine{{6, 194}, {0, 194}, TInk::Blue}));
    EXPECT_FALSE(LinShowsQuadrant(0));
    EXPECT_TRUE(LinShowsQuadrant(2));
}

TEST_F(LinearisatieGrafiekTest, AClickPicksTheFirstPointWithinFivePixels) {
    const std::vector<QPoint> positions = {{100, 100}, {104, 104}, {300, 50}};
    EXPECT_EQ(LinHitTest(positions, {105, 95}), 1);
    EXPECT_EQ(LinHitTest(positions, {95, 105}), 1);
    EXPECT_EQ(LinHitTest(positions, {106, 104}), 2); // out of point 1's reach, within point 2's
    EXPECT_EQ(LinHitTest(positions, {100, 94}), 0);
    EXPECT_EQ(LinHitTest(positions, {300, 56}), 0);
    EXPECT_EQ(LinHitTest(positions, {295, 45}), 3);
    EXPECT_EQ(LinHitTest({}, {0, 0}), 0);
}
