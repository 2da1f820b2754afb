// The library's texts and language, and the decoding of parity-marked input.

#include "comm/CommTexts.h"
#include "comm/ComNames.h"
#include "comm/ParmrkDecoder.h"
#include "comm/SerialDevice.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(CommTexts, RowsInBothLanguagesAndNoneForIndexZero) {
    for (int row = 0; row < CommTextRows; ++row) {
        EXPECT_EQ(CommText(row, 0), "") << row;
        EXPECT_NE(CommText(row, 1), "") << row;
        EXPECT_NE(CommText(row, 2), "") << row;
    }
    EXPECT_EQ(CommText(82, 1), "");
    EXPECT_EQ(CommText(53, 1), "Port configuration");
    EXPECT_EQ(CommText(53, 2), "Anschlußeinstellungen");
    EXPECT_EQ(CommText(18, 1),
              "Wrong storage number!\r\nParaameter memory location does not exist.");
    EXPECT_EQ(CommText(81, 2), "DTR = 0");
    EXPECT_EQ(CommTextFormat(2, 1, 0x1a), "Communication error [1Ah]:");
    EXPECT_EQ(CommTextFormat(32, 2, 0x10),
              "[0010h]: Die Hardware stellte eine Abbruchbedingung fest.");
}

TEST(CommTexts, LanguageFollowsTheFirstLocaleVariableSet) {
    auto with = [](const char* all, const char* messages, const char* lang) {
        auto set = [](const char* name, const char* value) {
            if (value)
                setenv(name, value, 1);
            else
                unsetenv(name);
        };
        set("LC_ALL", all);
        set("LC_MESSAGES", messages);
        set("LANG", lang);
        return CommLanguage();
    };
    EXPECT_EQ(with(nullptr, nullptr, "de_DE.UTF-8"), 2);
    EXPECT_EQ(with(nullptr, "de_AT", "en_US.UTF-8"), 2);
    EXPECT_EQ(with("C", nullptr, "de_DE.UTF-8"), 1);
    EXPECT_EQ(with(nullptr, nullptr, "nl_NL.UTF-8"), 1);
    EXPECT_EQ(with(nullptr, nullptr, "dex"), 1);
    EXPECT_EQ(with(nullptr, nullptr, nullptr), 1);
    unsetenv("LANG");
}

TEST(CommTexts, SystemMessagesAndPortNames) {
    EXPECT_EQ(SysErrorMessage(ENOENT), "No such file or directory");
    EXPECT_EQ(SysErrorMessage(0), "");
    EXPECT_EQ(SysErrorMessage(123456), "");
    EXPECT_NE(SysErrorMessage(995), "");
    EXPECT_EQ(PortDisplayName(TPort::COM16), "COM 16");
    TPort port{};
    EXPECT_TRUE(ParseComName("com12", port));
    EXPECT_EQ(port, TPort::COM12);
    EXPECT_FALSE(ParseComName("COM0", port));
    EXPECT_FALSE(ParseComName("COM17", port));
    EXPECT_FALSE(ParseComName("/dev/ttyS0", port));
}

TEST(ParmrkDecoder, MarkedBytesBecomeLineErrors) {
    TParmrkDecoder decoder;
    const uint8_t input[] = {'a', 0xFF, 0xFF, 0xFF, 0x00, 'b', 'c', 0xFF, 0x00, 0x00, 'd'};
    // Fed in two pieces that split a mark.
    decoder.Feed(input, 5, true);
    decoder.Feed(input + 5, sizeof input - 5, true);
    std::string bytes(decoder.Bytes().begin(), decoder.Bytes().end());
    EXPECT_EQ(bytes, std::string("a\xFF"
                                 "bcd"));
    EXPECT_EQ(decoder.TakeErrors(), CE_RXPARITY | CE_BREAK);
    EXPECT_EQ(decoder.TakeErrors(), 0u);
    const uint8_t framing[] = {0xFF, 0x00, 'x'};
    decoder.Feed(framing, 3, false);
    EXPECT_EQ(decoder.TakeErrors(), CE_FRAME);
}
