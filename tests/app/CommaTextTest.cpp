// Comma texts: splitting with quotes and blanks, and joining so that splitting gives them back.

#include "app/CommaText.h"

#include <gtest/gtest.h>

TEST(CommaText, SplitsAtCommasAndBlanksUnlessQuoted) {
    EXPECT_EQ(SplitCommaText("Uit,Aan"), (QStringList{"Uit", "Aan"}));
    EXPECT_EQ(SplitCommaText("  \t Uit,   Aan  "), (QStringList{"Uit", "Aan"}));
    EXPECT_EQ(SplitCommaText("Hold Reset,Ref"), (QStringList{"Hold", "Reset", "Ref"}));
    EXPECT_EQ(SplitCommaText("\"Hold Reset\",\"a, b\",c"),
              (QStringList{"Hold Reset", "a, b", "c"}));
    EXPECT_EQ(SplitCommaText("\"say \"\"hi\"\"\",x"), (QStringList{"say \"hi\"", "x"}));
    EXPECT_EQ(SplitCommaText("a,,b"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(SplitCommaText("a,"), (QStringList{"a", ""}));
    EXPECT_EQ(SplitCommaText("a\tb\x01"
                             "c"),
              (QStringList{"a", "b", "c"}));
    EXPECT_EQ(SplitCommaText("\"\"\"\""), (QStringList{"\""}));
    // An unterminated quote runs to the end; text right after a closing quote is a new item.
    EXPECT_EQ(SplitCommaText("\"open, end"), (QStringList{"open, end"}));
    EXPECT_EQ(SplitCommaText("\"ab\"cd,e"), (QStringList{"ab", "cd", "e"}));
    EXPECT_EQ(SplitCommaText("\"0\",\"1\",\"2\""), (QStringList{"0", "1", "2"}));
    EXPECT_TRUE(SplitCommaText("").isEmpty());
    EXPECT_TRUE(SplitCommaText("  ").isEmpty());
}

TEST(CommaText, JoinQuotesWhatNeedsItAndRoundTrips) {
    EXPECT_EQ(JoinCommaText({"a", "b"}), "a,b");
    EXPECT_EQ(JoinCommaText({"#Shared"}), "#Shared");
    EXPECT_EQ(JoinCommaText({"#Shared", "List"}), "#Shared,List");
    EXPECT_EQ(JoinCommaText({"a b", "c,d", "say \"x\""}), "\"a b\",\"c,d\",\"say \"\"x\"\"\"");
    EXPECT_EQ(JoinCommaText({""}), "\"\"");
    EXPECT_EQ(JoinCommaText({"a", ""}), "a,");
    EXPECT_EQ(JoinCommaText({}), "");

    const QStringList items{"Hold Reset", "", "x,y", "\"q\"", "tab\there", "plain"};
    EXPECT_EQ(SplitCommaText(JoinCommaText(items)), items);
}
