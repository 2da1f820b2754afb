// The log graph's pictures against the numbers of its layout: time axis, value axis, the first
// sample shown, the curve and its scaling.

#include "calib/GrafiekChart.h"
#include "params/ParamStore.h"

#include <gtest/gtest.h>

namespace {

using Anchor = TDrawText::TAnchor;

TLogBuffer Samples(const std::vector<std::pair<int32_t, int32_t>>& timesAndValues) {
    TLogBuffer buffer;
    buffer.Clear();
    for (const auto& [time, value] : timesAndValues) {
        ++buffer.Newest;
        buffer.Times[buffer.Newest] = time;
        buffer.Values[buffer.Newest] = value;
        buffer.Read[buffer.Newest] = true;
    }
    buffer.Count = buffer.Newest + 1;
    return buffer;
}

std::vector<QString> TextsOf(const TDrawList& list) {
    std::vector<QString> texts;
    for (const TDrawText& t : list.All<TDrawText>())
        texts.push_back(t.Text);
    return texts;
}

std::vector<TDrawLine> Curve(const TDrawList& plot) {
    std::vector<TDrawLine> curve;
    for (const TDrawLine& line : plot.All<TDrawLine>())
        if (line.Ink == TInk::Blue)
            curve.push_back(line);
    return curve;
}

class GrafiekChartTest : public ::testing::Test {
protected:
    void SetUp() override { ParamStore() = TParamStore(); }
};

} // namespace

TEST_F(GrafiekChartTest, AnEmptyChartCountsTimeFromZeroInDivisionSteps) {
    TLogBuffer empty;
    TLogView view;
    view.TimeGrid = true;
    TLogChart chart = DrawLogChart(empty, view);
    EXPECT_EQ(chart.ScrollMaximum, 0);
    EXPECT_TRUE(Curve(chart.Plot).empty());
    EXPECT_EQ(TextsOf(chart.TimeStrip),
              (std::vector<QString>{"0,0", "0,2", "0,4", "0,6", "0,8", "1,0", "1,2", "1,4", "1,6",
                                    "1,8", "2,0"}));
    std::vector<TDrawText> labels = chart.TimeStrip.All<TDrawText>();
    EXPECT_EQ(labels[1].At, QPoint(70, 10));
    std::vector<TDrawLine> ticks = chart.TimeStrip.All<TDrawLine>();
    ASSERT_EQ(ticks.size(), 11u);
    EXPECT_EQ(ticks[0], (TDrawLine{{20, 0}, {20, 10}}));
    EXPECT_EQ(ticks[10].From, QPoint(620, 0));
    // Grid lines at the inner columns only, beside the zero line.
    std::vector<TDrawLine> lines = chart.Plot.All<TDrawLine>();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], (TDrawLine{{0, 204}, {601, 204}}));
    EXPECT_EQ(lines[1], (TDrawLine{{60, 1}, {60, 408}, TInk::Black, true}));

    // Right after Start, before the first reply, the scroll range stays 0 … 0.
    TLogBuffer started;
    started.Clear();
    view.ScrollPosition = 5;
    EXPECT_EQ(DrawLogChart(started, view).ScrollMaximum, 0);
    EXPECT_EQ(DrawLogChart(started, view).FirstSample, 0);
}

TEST_F(GrafiekChartTest, ALaterStartTimeShiftsTheColumnsToWholeDivisions) {
    // 1 sec per division, the first sample shown at 1,5 s: the next whole second, 2,0 s, lies
    // half a division in.
    TLogBuffer buffer = Samples({{0, 0}, {1500, 0}, {2500, 0}});
    TLogView view;
    view.TimeScale = 2;
    view.ScrollPosition = 1;
    view.TimeGrid = true;
    TLogChart chart = DrawLogChart(buffer, view);
    EXPECT_EQ(chart.FirstSample, 1);
    std::vector<TDrawText> labels = chart.TimeStrip.All<TDrawText>();
    ASSERT_EQ(labels.size(), 10u);
    EXPECT_EQ(labels[0].Text, "2,0");
    EXPECT_EQ(labels[0].At, QPoint(40, 10));
    EXPECT_EQ(labels[9].Text, "11,0");
    EXPECT_EQ(labels[9].At, QPoint(580, 10));
    // The curve starts at the left edge: x counts from the first sample shown.
    EXPECT_EQ(Curve(chart.Plot), (std::vector<TDrawLine>{{{0, 204}, {60, 204}, TInk::Blue}}));
}

TEST_F(GrafiekChartTest, AutoScrollFollowsTheNewestSampleOnlyWhileRecording) {
    std::vector<std::pair<int32_t, int32_t>> samples;
    for (int i = 0; i <= 100; ++i)
        samples.push_back({i * 60, i});
    TLogBuffer buffer = Samples(samples);
    TLogView view;
    view.AutoScroll = true;
    view.Running = true;
    view.ScrollPosition = 3;
    // 200 ms per division: 25 samples before the newest.
    EXPECT_EQ(DrawLogChart(buffer, view).FirstSample, 75);
    EXPECT_EQ(DrawLogChart(buffer, view).ScrollMaximum, 100);
    view.TimeScale = 5; // 10 s: 1250 samples back, no further than the first
    EXPECT_EQ(DrawLogChart(buffer, view).FirstSample, 0);
    view.TimeScale = 0;
    view.Running = false;
    EXPECT_EQ(DrawLogChart(buffer, view).FirstSample, 3);
}

TEST_F(GrafiekChartTest, TheCurveScalesWithoutOverflowAndStopsPastTheRightEdge) {
    EXPECT_EQ(LogValueY(1000, 100), -196);
    EXPECT_EQ(LogValueY(-250, 100), 304);
    // Far beyond what 32 bits hold once multiplied by 40.
    EXPECT_EQ(LogValueY(100000000, 100), -39999796);
    EXPECT_EQ(LogValueY(INT32_MIN, 100), 858993663);
    EXPECT_EQ(LogTimeX(INT32_MAX, 0, 200), 644245094);

    // A step to a huge value keeps its direction where it leaves the plot.
    TLogBuffer buffer = Samples({{0, 0}, {200, 100000000}, {400, 0}, {5000, 0}, {6000, 0}});
    std::vector<TDrawLine> curve = Curve(DrawLogChart(buffer, TLogView{}).Plot);
    ASSERT_EQ(curve.size(), 3u);
    EXPECT_EQ(curve[0].From, QPoint(0, 204));
    EXPECT_EQ(curve[0].To, QPoint(0, -10));
    EXPECT_EQ(curve[1].To, QPoint(120, 204));
    // The sample at 5 s lies past the right edge: the line goes to it and the curve ends.
    EXPECT_EQ(curve[2].From, QPoint(120, 204));
    EXPECT_EQ(curve[2].To, QPoint(611, 204));

    // Slots without a number, here the first shown and one in the middle, are passed over.
    buffer = Samples({{0, 0}, {200, 500}, {400, 0}, {600, 500}});
    buffer.Read[0] = buffer.Read[2] = false;
    curve = Curve(DrawLogChart(buffer, TLogView{}).Plot);
    ASSERT_EQ(curve.size(), 1u);
    EXPECT_EQ(curve[0], (TDrawLine{{60, 4}, {180, 4}, TInk::Blue}));
}

TEST_F(GrafiekChartTest, TheValueAxisCountsDivisionsInTheSourcesUnits) {
    ParamStore().ParData[203] = 2;
    TLogView view;
    view.ValueScale = 3; // 1000 per division
    TDrawList axis = DrawLogValueAxis(view);
    std::vector<QString> texts = TextsOf(axis);
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[0], "50,00");
    EXPECT_EQ(texts[5], "0");
    EXPECT_EQ(texts[10], "-50,00");
    EXPECT_EQ(texts[11], "(AWE)");
    std::vector<TDrawText> labels = axis.All<TDrawText>();
    EXPECT_EQ(labels[1].At, QPoint(68, 44));
    EXPECT_EQ(labels[1].Anchor, Anchor::Right);
    EXPECT_EQ(labels[11].At, QPoint(10, 204));
    EXPECT_EQ(axis.All<TDrawLine>()[0], (TDrawLine{{70, 10}, {80, 10}}));

    // Analog sources count whole volts or milliamperes: 20000 per division labels 2.
    view.Source = 5;
    view.ValueScale = 7;
    texts = TextsOf(DrawLogValueAxis(view));
    EXPECT_EQ(texts[0], "10");
    EXPECT_EQ(texts[4], "2");
    EXPECT_EQ(texts[11], "(V)");
}

TEST_F(GrafiekChartTest, TheBufferLabelAndDescriptionTellTheNewestSample) {
    TLogBuffer buffer = Samples({{0, 7}, {3249, 1234}});
    EXPECT_EQ(LogBufferText(buffer), "3,2 sec");
    EXPECT_EQ(LogChartDescription(buffer, 0), "2 samples, newest 1234 at 3,2 sec");
    buffer.Read[1] = false;
    EXPECT_EQ(LogChartDescription(buffer, 0), "2 samples, newest without a value at 3,2 sec");
    EXPECT_EQ(LogChartDescription(TLogBuffer{}, 0), "no samples");
    EXPECT_EQ(LogBufferText(TLogBuffer{}), "0,0 sec");
}
