// The order of the device search over units, parity, stop bits and rates, and the texts of a
// found unit's row.

#include "app/ApparaatZoekenSteps.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every combination of one run, the first included.
std::vector<TSearchPoint> WholeRun(const TSearchOptions& options, const TSearchPoint& kept) {
    std::vector<TSearchPoint> points{FirstSearchPoint(options, kept)};
    const TBaudrate start = points.front().Baudrate;
    TSearchPoint point = points.front();
    while (NextSearchPoint(point, options, start)) {
        points.push_back(point);
        if (points.size() > 2000)
            break;
    }
    EXPECT_EQ(point.Baudrate, start) << "the run ends back at its starting rate";
    return points;
}

const TSearchPoint Kept{TBaudrate::br115200, TParityBit::Even, TStopBit::sb_2, 17};

} // namespace

TEST(ApparaatZoekenSteps, KeepingThePortsFramingEveryUnitIsTriedAtEachRateFromTheChosenOne) {
    TSearchOptions options;
    options.StartRate = 3; // 38400
    std::vector<TSearchPoint> run = WholeRun(options, Kept);
    ASSERT_EQ(run.size(), 5u * 32u);
    const TBaudrate order[] = {TBaudrate::br38400, TBaudrate::br57600, TBaudrate::br9600,
                               TBaudrate::br19200, TBaudrate::br28800};
    for (size_t i = 0; i < run.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(run[i].Baudrate, order[i / 32]);
        EXPECT_EQ(run[i].Unit, static_cast<int>(i % 32));
        EXPECT_EQ(run[i].Parity, TParityBit::Even);
        EXPECT_EQ(run[i].Stopbits, TStopBit::sb_2);
    }
}

TEST(ApparaatZoekenSteps, AutomaticFramingTriesNoneOddEvenAtOneThenTwoStopBitsPerUnit) {
    TSearchOptions options;
    options.ParityAuto = options.StopbitsAuto = true;
    std::vector<TSearchPoint> run = WholeRun(options, Kept);
    ASSERT_EQ(run.size(), 5u * 32u * 6u);
    using P = TParityBit;
    using S = TStopBit;
    const std::pair<P, S> framing[] = {{P::None, S::sb_1}, {P::Odd, S::sb_1}, {P::Even, S::sb_1},
                                       {P::None, S::sb_2}, {P::Odd, S::sb_2}, {P::Even, S::sb_2}};
    for (size_t i = 0; i < run.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(run[i].Parity, framing[i % 6].first);
        EXPECT_EQ(run[i].Stopbits, framing[i % 6].second);
        EXPECT_EQ(run[i].Unit, static_cast<int>(i / 6 % 32));
        EXPECT_EQ(run[i].Baudrate, SearchRates[i / (6 * 32)]);
    }

    // Only one of the two automatic: the other keeps the port's setting.
    options.StopbitsAuto = false;
    run = WholeRun(options, Kept);
    ASSERT_EQ(run.size(), 5u * 32u * 3u);
    EXPECT_EQ(run[1].Parity, P::Odd);
    EXPECT_EQ(run[3].Unit, 1);
    EXPECT_EQ(run[3].Parity, P::None);
    for (const TSearchPoint& point : run)
        EXPECT_EQ(point.Stopbits, S::sb_2);
}

TEST(ApparaatZoekenSteps, ANarrowedRangeOfUnitsStartsEachRateAtItsFirstUnit) {
    TSearchOptions options;
    options.FirstUnit = 4;
    options.LastUnit = 6;
    options.StopbitsAuto = true;
    options.StartRate = 4;
    std::vector<TSearchPoint> run = WholeRun(options, Kept);
    ASSERT_EQ(run.size(), 5u * 3u * 2u);
    EXPECT_EQ(run[0], (TSearchPoint{TBaudrate::br57600, TParityBit::Even, TStopBit::sb_1, 4}));
    EXPECT_EQ(run[5], (TSearchPoint{TBaudrate::br57600, TParityBit::Even, TStopBit::sb_2, 6}));
    EXPECT_EQ(run[6], (TSearchPoint{TBaudrate::br9600, TParityBit::Even, TStopBit::sb_1, 4}));
}

TEST(ApparaatZoekenSteps, ARowsTextsNameItsSettingsAndReadBack) {
    TFoundUnit found{{TBaudrate::br28800, TParityBit::Odd, TStopBit::sb_2, 5}, "rx   rh   rt"};
    const QStringList texts = FoundUnitTexts(found);
    EXPECT_EQ(texts, (QStringList{"05", "rx   rh   rt", "28800", "Odd", "2"}));
    TBaudrate rate = TBaudrate::br9600;
    TParityBit parity = TParityBit::None;
    TStopBit stopbits = TStopBit::sb_1;
    EXPECT_TRUE(SearchRateFromText(texts[2], rate));
    EXPECT_TRUE(ParityFromText(texts[3], parity));
    EXPECT_TRUE(StopbitsFromText(texts[4], stopbits));
    EXPECT_EQ(rate, TBaudrate::br28800);
    EXPECT_EQ(parity, TParityBit::Odd);
    EXPECT_EQ(stopbits, TStopBit::sb_2);
    // Texts of no search setting leave the setting alone.
    EXPECT_FALSE(SearchRateFromText(QStringLiteral("115200"), rate));
    EXPECT_FALSE(ParityFromText(QStringLiteral("odd"), parity));
    EXPECT_FALSE(StopbitsFromText(QString(), stopbits));
    EXPECT_EQ(rate, TBaudrate::br28800);
    EXPECT_EQ(SearchRateText(TBaudrate::br9600), QStringLiteral("9600 bit/s"));
}
