// The value text of a reply and its integer.

#include "app/ValueText.h"

#include <gtest/gtest.h>

namespace {

TMemoryStream Reply(const std::string& bytes) {
    TMemoryStream stream;
    stream.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    stream.SetPosition(0);
    return stream;
}

} // namespace

TEST(ValueText, DropsEchoAndLineEndAndRefusesLongReplies) {
    EXPECT_EQ(ReadValueText(Reply("r0 12345\r\n")), "12345");
    EXPECT_EQ(ReadValueText(Reply("rf 5\r\n")), "5");
    EXPECT_EQ(ReadValueText(Reply("rf \r\n")), "");
    EXPECT_EQ(ReadValueText(Reply("ok")), "");
    EXPECT_EQ(ReadValueText(TMemoryStream()), "");
    EXPECT_EQ(ReadValueText(Reply("rt K\xC4X\r\n")), QString::fromUtf8("KÄX"));

    std::string hundred = "rt " + std::string(95, 'x') + "\r\n";
    EXPECT_EQ(ReadValueText(Reply(hundred)).size(), 95);
    EXPECT_FALSE(ReadValueTextChecked(Reply(hundred + "x")).has_value());
    EXPECT_EQ(ReadValueText(Reply(hundred + "x")), "");

    std::string twenty = "ri " + std::string(15, '1') + "\r\n";
    EXPECT_TRUE(ReadValueTextChecked(Reply(twenty), ShortValueTextLimit).has_value());
    EXPECT_FALSE(ReadValueTextChecked(Reply(twenty + "1"), ShortValueTextLimit).has_value());
    EXPECT_EQ(ReadValueTextChecked(Reply("ri\r\n"), ShortValueTextLimit), QString());
}

TEST(ValueText, AnAnswerCarriesTheCommandsLettersAndTheLineEnd) {
    EXPECT_TRUE(ReplyAnswers(Reply("rd 2 250\r\n"), "rd 2"));
    EXPECT_TRUE(ReplyAnswers(Reply("rf\r\n"), "rf"));
    for (const char* reply : {"er 7\r\n", "250\r\n", "rd 2 25", "rd 2 250\r", "", "r\r\n"})
        EXPECT_FALSE(ReplyAnswers(Reply(reply), "rd 2")) << reply;
    EXPECT_EQ(ReadAnswerValueText(Reply("r0 -5\r\n"), "r0"), QString("-5"));
    EXPECT_FALSE(ReadAnswerValueText(Reply("r1 -5\r\n"), "r0").has_value());
    EXPECT_FALSE(
        ReadAnswerValueText(Reply("ri " + std::string(16, '1') + "\r\n"), "ri", ShortValueTextLimit)
            .has_value());
}

TEST(ValueText, IntegerOfAValueText) {
    int32_t value = 0;
    EXPECT_TRUE(ValueTextToInt("12345", value));
    EXPECT_EQ(value, 12345);
    EXPECT_TRUE(ValueTextToInt(" -42 ", value));
    EXPECT_EQ(value, -42);
    EXPECT_TRUE(ValueTextToInt("-2147483648", value));
    EXPECT_EQ(value, INT32_MIN);
    EXPECT_TRUE(ValueTextToInt("$1F", value));
    EXPECT_EQ(value, 31);
    value = 7;
    for (const char* text : {"", "-", "12a", "1 2", "2147483648", "1,5"})
        EXPECT_FALSE(ValueTextToInt(text, value)) << text;
    EXPECT_FALSE(ValueTextToInt(QString::fromUtf8("١٢"), value));
    EXPECT_EQ(value, 7);
}
