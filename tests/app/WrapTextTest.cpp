// Message texts broken into lines for the warning boxes.

#include "app/WrapText.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(WrapText, BreaksAtBlanksDashesAndPointsWithinTheWidth) {
    EXPECT_EQ(WrapText("short text", 42), "short text");
    EXPECT_EQ(WrapText("one two three", 7), "one two\r\nthree");
    EXPECT_EQ(WrapText("one two  three", 8), "one two\r\nthree");
    // A dash or point stays at the end of its line; a tab gives way like a blank.
    EXPECT_EQ(WrapText("take-over now", 6), "take-\r\nover\r\nnow");
    EXPECT_EQ(WrapText("end.Next", 5), "end.\r\nNext");
    EXPECT_EQ(WrapText("a\tb", 1), "a\r\nb");
    // A word longer than the width stays whole; line ends in the text are kept.
    EXPECT_EQ(WrapText("abcdefghij kl", 4), "abcdefghij\r\nkl");
    EXPECT_EQ(WrapText("ab\ncd ef", 4), "ab\r\ncd\r\nef");

    QString text = "Parameters were sent to the controller but have not been taken over yet "
                   "(button Take over). Close anyway?";
    QString wrapped = WrapText(text);
    for (const QString& line : wrapped.split("\r\n"))
        EXPECT_LE(line.size(), 42) << line.toStdString();
    EXPECT_EQ(wrapped.split("\r\n").join(u' '), text);
}
