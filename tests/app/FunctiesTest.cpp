// Fixed-point texts in both directions.

#include "app/Functies.h"
#include "params/ParamStore.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

class Functies : public ::testing::Test {
protected:
    void SetUp() override { ParamStore() = TParamStore(); }
    void TearDown() override { ParamStore() = TParamStore(); }
};

constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();

} // namespace

TEST_F(Functies, IntToFixedTextPadsAndPlacesTheComma) {
    EXPECT_EQ(IntToFixedText(2, 12345), "123,45");
    EXPECT_EQ(IntToFixedText(3, 5), "0,005");
    EXPECT_EQ(IntToFixedText(2, -7), "-0,07");
    EXPECT_EQ(IntToFixedText(1, 0), "0,0");
    EXPECT_EQ(IntToFixedText(0, 42), "42");
    EXPECT_EQ(IntToFixedText(-1, -42), "-42");
    EXPECT_EQ(IntToFixedText(3, Min32), "-2147483,648");
    EXPECT_EQ(IntToFixedText(0, Min32), "-2147483648");
    EXPECT_EQ(IntToFixedText(12, -1), "-0,000000000001");
    EXPECT_EQ(IntToFixedText(8, std::numeric_limits<int32_t>::max()), "21,47483647");
}

TEST_F(Functies, IntToFixedTextCodesTakeTheirDecimalsFromTheStore) {
    auto& parData = ParamStore().ParData;
    parData[203] = 2;
    EXPECT_EQ(IntToFixedText(9, 12345), "123,45");
    parData[203] = 3;
    EXPECT_EQ(IntToFixedText(9, 12345), "12,345");
    parData[248] = 1;
    EXPECT_EQ(IntToFixedText(10, 12345), "1234,5");
    // Parameter 203 holding 10 sends code 9 on to parameter 248.
    parData[203] = 10;
    EXPECT_EQ(IntToFixedText(9, 12345), "1234,5");
    parData[203] = 0;
    EXPECT_EQ(IntToFixedText(9, -5), "-5");
    // A corrupted decimals parameter gives a bounded text instead of exhausting memory.
    parData[203] = std::numeric_limits<int32_t>::max();
    EXPECT_LE(IntToFixedText(9, 1).size(), 40);
}

TEST_F(Functies, FixedTextToIntTable) {
    auto parse = [](const QString& text) {
        return FixedTextToInt(text, 2, true, -9999999, 99999999);
    };
    EXPECT_EQ(parse("12,5"), 1250);
    EXPECT_EQ(parse("12"), 1200);
    EXPECT_EQ(parse(",5"), 50);
    EXPECT_EQ(parse("-0,01"), -1);
    EXPECT_EQ(parse("1,234"), FixedTextFormatError);
    EXPECT_EQ(parse("1.5"), FixedTextFormatError);
    EXPECT_EQ(parse("1-"), FixedTextFormatError);
    EXPECT_EQ(parse("1000000"), FixedTextRangeError);
    EXPECT_EQ(parse("10000000"), FixedTextFormatError);
    EXPECT_EQ(parse("5,"), 500);
    EXPECT_EQ(parse("1,2,3"), FixedTextFormatError);
    EXPECT_EQ(parse("--1"), FixedTextFormatError);
    EXPECT_EQ(parse(" 1"), FixedTextFormatError);
    EXPECT_EQ(parse("+1"), FixedTextFormatError);
    EXPECT_EQ(parse(QString::fromUtf8("١")), FixedTextFormatError); // a digit of another script
    EXPECT_EQ(parse("-,5"), -50);
    EXPECT_EQ(parse("-0"), 0);
}

TEST_F(Functies, FixedTextToIntEdgeCases) {
    for (int decimals : {0, 2, 9})
        for (const char* text : {"", ",", "-"})
            EXPECT_EQ(FixedTextToInt(text, decimals, true, Min32, 999999999), FixedTextFormatError)
                << text << " " << decimals;
    EXPECT_EQ(FixedTextToInt("-5", 0, false, -10, 10), FixedTextFormatError);
    EXPECT_EQ(FixedTextToInt("-5", 0, true, 0, 10), FixedTextRangeError);
    EXPECT_EQ(FixedTextToInt("-5", 0, true, -5, 10), -5);
    EXPECT_EQ(FixedTextToInt("1,0", 0, true, 0, 10), FixedTextFormatError);
    EXPECT_EQ(FixedTextToInt("123456789", 0, true, 0, 999999999), 123456789);
    EXPECT_EQ(FixedTextToInt("1234567890", 0, true, 0, 999999999), FixedTextFormatError);
    EXPECT_EQ(FixedTextToInt("-12345678", 0, true, Min32, 0), -12345678);
    EXPECT_EQ(FixedTextToInt("-123456789", 0, true, Min32, 0), FixedTextFormatError);
    // Negative decimals accept plain integers only.
    EXPECT_EQ(FixedTextToInt("12", -1, true, 0, 100), 12);
    EXPECT_EQ(FixedTextToInt("1,", -1, true, 0, 100), FixedTextFormatError);
    // A huge decimals count is refused by length, without building the padded text.
    EXPECT_EQ(FixedTextToInt("1", std::numeric_limits<int>::max(), true, 0, 100),
              FixedTextFormatError);
}
