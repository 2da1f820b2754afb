// The service dialog's value rules without the dialog: digit limit, key filter, validation of
// typed and pasted text, and what the controller's answers to "wp" and "bp" mean.

#include "params/ParamServiceInput.h"
#include "params/SingleParamReplies.h"

#include <gtest/gtest.h>

namespace {

// Types `keys` one by one into a field with the caret at the end, as the edit field does.
QString Typed(QString text, const QString& keys, int decimals, int digitLimit, int32_t minimum) {
    for (QChar key : keys) {
        TServiceKey outcome = FilterServiceKey(key, {text, static_cast<int>(text.size()), false},
                                               decimals, digitLimit, minimum);
        if (outcome.Action == TServiceKeyAction::Insert)
            text += outcome.Char;
        else if (outcome.Action == TServiceKeyAction::PrependMinus)
            text.prepend(u'-');
    }
    return text;
}

TServiceCheck Check(const QString& text, int decimals = 2, int32_t min = -100000,
                    int32_t max = 100000) {
    return ValidateServiceNumber(text, decimals, min, max).Check;
}

} // namespace

TEST(ParamServiceInput, DigitLimitComesFromTheLongerLimitText) {
    EXPECT_EQ(DigitLimit("-10,0", "100,0", 1), 3);
    EXPECT_EQ(DigitLimit("-9999999", "99", 0), 7);
    EXPECT_EQ(DigitLimit("0,00", "12345,67", 2), 5);
}

TEST(ParamServiceInput, KeyFilterShapesTypedText) {
    // Limits -10,0 … 100,0 with 1 decimal: three digits before the comma, one after.
    EXPECT_EQ(Typed("", "1234", 1, 3, -100), "123");
    EXPECT_EQ(Typed("", "12.34", 1, 3, -100), "12,3");
    EXPECT_EQ(Typed("", "1,,2", 1, 3, -100), "1,2");
    EXPECT_EQ(Typed("", "12-", 1, 3, -100), "-12");
    EXPECT_EQ(Typed("", "1-2-", 1, 3, -100), "-12");
    EXPECT_EQ(Typed("", "a1 b", 1, 3, -100), "1");
    // No minus for a minimum of 0, no comma without decimals.
    EXPECT_EQ(Typed("", "5-", 1, 3, 0), "5");
    EXPECT_EQ(Typed("", "5,5", 0, 3, -100), "55");

    // With a minus in front nothing goes before it; after the comma only the decimals fit.
    TServiceField negative{"-12", 0, false};
    EXPECT_EQ(FilterServiceKey(u'5', negative, 1, 3, -100).Action, TServiceKeyAction::Drop);
    TServiceField full{"12,3", 1, false};
    EXPECT_EQ(FilterServiceKey(u'9', full, 1, 3, -100).Action, TServiceKeyAction::Insert);
    EXPECT_EQ(FilterServiceKey(u'9', {"12,3", 4, false}, 1, 3, -100).Action,
              TServiceKeyAction::Drop);
    EXPECT_EQ(FilterServiceKey(u'9', {"123,3", 2, false}, 1, 3, -100).Action,
              TServiceKeyAction::Drop);
    // A selection is replaced by the key, so the limits do not apply; a minus stays single.
    EXPECT_EQ(FilterServiceKey(u'9', {"123", 3, true}, 1, 3, -100).Action,
              TServiceKeyAction::Insert);
    EXPECT_EQ(FilterServiceKey(u'-', {"-12", 3, true}, 1, 3, -100).Action, TServiceKeyAction::Drop);
    EXPECT_EQ(FilterServiceKey(u'\b', {"123", 3, false}, 1, 3, -100).Action,
              TServiceKeyAction::Insert);
}

TEST(ParamServiceInput, ValidationStoresOnlyWhatTheTextMeans) {
    EXPECT_EQ(ValidateServiceNumber("5", 2, 0, 1000).Value, 500);
    EXPECT_EQ(ValidateServiceNumber("5,5", 2, 0, 1000).Value, 550);
    EXPECT_EQ(ValidateServiceNumber("5,", 2, 0, 1000).Value, 500);
    EXPECT_EQ(ValidateServiceNumber(",5", 2, 0, 1000).Value, 50);
    EXPECT_EQ(ValidateServiceNumber("-0,01", 2, -10, 0).Value, -1);
    EXPECT_EQ(ValidateServiceNumber("", 0, 0, 10).Value, 0);
    EXPECT_EQ(ValidateServiceNumber("12345678", 0, 0, 99999999).Value, 12345678);
    EXPECT_EQ(Check("12345678", 0, 0, 99999999), TServiceCheck::Valid);

    // More than eight digits once the decimals are filled in, or more decimals than there are.
    EXPECT_EQ(Check("123456789", 0), TServiceCheck::TooManyDigits);
    EXPECT_EQ(Check("1234567"), TServiceCheck::TooManyDigits);
    EXPECT_EQ(Check("1,234"), TServiceCheck::TooManyDigits);
    // Outside the limits.
    EXPECT_EQ(Check("1001", 0, 0, 1000), TServiceCheck::OutOfLimits);
    EXPECT_EQ(Check("-1", 0, 0, 1000), TServiceCheck::OutOfLimits);
    // Text that bypassed the key filter is no number at all.
    for (const char* nonsense : {"5-", "1,2,3", "--1", "12a", "-", ",", " 5", "5,0 ", "+5"})
        EXPECT_EQ(Check(nonsense), TServiceCheck::OutOfLimits) << nonsense;
    EXPECT_EQ(Check("5,5", 0), TServiceCheck::OutOfLimits);

    EXPECT_EQ(ValidateServiceOption(2, 3).Value, 2);
    EXPECT_EQ(ValidateServiceOption(-1, 3).Check, TServiceCheck::OutOfLimits);
    EXPECT_EQ(ValidateServiceOption(3, 3).Check, TServiceCheck::OutOfLimits);
}

TEST(SingleParamReplies, OnlyTheEchoCountsAsWrittenAndOnlyBpAnswersTheTakeOver) {
    EXPECT_EQ(ClassifyWriteReply("wp 17 250\r\n"), TWriteReply::Accepted);
    EXPECT_EQ(ClassifyWriteReply("er 7\r\n"), TWriteReply::Refused);
    EXPECT_EQ(RefusalOf("er 7\r\n"), "er 7");
    EXPECT_EQ(ClassifyWriteReply("er 3\r\n"), TWriteReply::Refused);
    EXPECT_EQ(ClassifyWriteReply("xx\r\n"), TWriteReply::Unexpected);
    EXPECT_EQ(ClassifyWriteReply("wp" + std::string(100, '1') + "\r\n"), TWriteReply::Unexpected);

    EXPECT_EQ(ClassifyTakeOverReply("bp -1\r\n"), TTakeOverReply::Accepted);
    EXPECT_EQ(ClassifyTakeOverReply("bp 123\r\n"), TTakeOverReply::Rejected);
    EXPECT_EQ(RejectedParameterOf("bp 123\r\n"), "123");
    EXPECT_EQ(ClassifyTakeOverReply("bp -1"), TTakeOverReply::Unexpected);
    EXPECT_EQ(ClassifyTakeOverReply("er 1\r\n"), TTakeOverReply::Unexpected);
    EXPECT_EQ(ClassifyTakeOverReply("bp \r\n"), TTakeOverReply::Unexpected);

    TStatusText refused = ServiceWriteText("er 7\r\n");
    EXPECT_TRUE(refused.Red);
    EXPECT_TRUE(refused.Text.startsWith("(er 7) ")) << refused.Text.toStdString();
    EXPECT_FALSE(ServiceWriteText("wp 1 2\r\n").Red);
    EXPECT_TRUE(ServiceTakeOverText("bp 123\r\n").Text.contains(" 123 "));
    TStatusText garbage = LoaderTakeOverText("garbage\r\n");
    EXPECT_TRUE(garbage.Red);
    EXPECT_EQ(garbage.Text, "garbage");
}
