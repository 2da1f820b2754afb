// The reader of rich text: the shipped help documents as the error-number window shows them, the
// formats and tables it keeps, and malformed input, which never makes it fail.

#include "app/RtfReader.h"
#include "app/TextFile.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString DataFile(const QString& name) {
    return QString::fromLocal8Bit(qgetenv("KQ9_DATA_DIR")) + u'/' + name;
}

std::string Std(const QString& text) {
    return text.toStdString();
}

} // namespace

TEST(RtfReader, TheShippedHelpDocumentsReadWithTheirHeadingsAndQuotes) {
    const char* heading[] = {"Fout 1: Positie-encoder (SSI) fout",
                             "Error 1: Position encoder (SSI) error", "Fehler 1:"};
    for (int taal = 0; taal < 3; ++taal) {
        SCOPED_TRACE(taal);
        QByteArray bytes;
        ASSERT_TRUE(ReadFileBytes(DataFile(QStringLiteral("ErrorHelp%1.rtf").arg(taal)), bytes));
        TRtfDocument document = ParseRtf(bytes);
        ASSERT_GT(document.Paragraphs.size(), 30u);
        EXPECT_EQ(document.FontName(-1), "Arial");
        ASSERT_EQ(document.Colors.size(), 3u);
        EXPECT_FALSE(document.Colors[0]);

        const TRtfParagraph& title = document.Paragraphs.front();
        ASSERT_EQ(title.Runs.size(), 1u);
        EXPECT_TRUE(title.Runs[0].Format.Bold);
        EXPECT_EQ(title.Runs[0].Format.HalfPoints, 28);
        const TRtfColor* blue = document.Color(title.Runs[0].Format.Color);
        ASSERT_NE(blue, nullptr);
        EXPECT_EQ(std::tuple(blue->Red, blue->Green, blue->Blue), std::tuple(0, 0, 128));
        EXPECT_EQ(title.Format.SpaceAfter, 120);

        const QString text = document.PlainText();
        EXPECT_TRUE(text.contains(QString::fromUtf8(heading[taal]))) << Std(text.left(400));
        // "\u8222" or "\u8220" with its one replacement character skipped.
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("[\u201C\u201E]KX71"))));
        EXPECT_FALSE(text.contains(u'\\'));
        EXPECT_FALSE(text.contains(QStringLiteral("KQ9;"))) << "generator destination shown";
        EXPECT_FALSE(text.contains(QStringLiteral("Arial")));
    }
}

TEST(RtfReader, FormatsGroupsEscapesAndParagraphProperties) {
    TRtfDocument document = ParseRtf(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fmodern Courier New;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}"
        "\\pard\\qc\\li720\\fi-360 plain {\\b bold {\\i both}} \\ul under\\ulnone  done\\par"
        "\\pard{\\f1\\cf1\\fs18 code}\\tab x\\line y \\'e9\\'80 \\{\\}\\\\ a\\~b\\emdash\\par"
        "\\uc2\\u8364??\\u-3972?? end\\par"
        "{\\*\\unknown hidden}{\\info {\\title t}}visible\\bin3 {}}after}");
    ASSERT_EQ(document.Paragraphs.size(), 4u);
    const TRtfParagraph& first = document.Paragraphs[0];
    EXPECT_EQ(first.Text(), "plain bold both under done");
    EXPECT_EQ(first.Format.Alignment, TRtfAlignment::Center);
    EXPECT_EQ(first.Format.LeftIndent, 720);
    EXPECT_EQ(first.Format.FirstLineIndent, -360);
    ASSERT_EQ(first.Runs.size(), 6u);
    EXPECT_TRUE(first.Runs[1].Format.Bold && !first.Runs[1].Format.Italic);
    EXPECT_TRUE(first.Runs[2].Format.Bold && first.Runs[2].Format.Italic);
    EXPECT_FALSE(first.Runs[3].Format.Bold);
    EXPECT_EQ(first.Runs[4].Text, "under");
    EXPECT_TRUE(first.Runs[4].Format.Underline);
    EXPECT_FALSE(first.Runs[5].Format.Underline);

    const TRtfParagraph& second = document.Paragraphs[1];
    EXPECT_EQ(second.Format.Alignment, TRtfAlignment::Left);
    EXPECT_EQ(second.Text(), QStringLiteral("code\tx\u2028y \u00e9\u20ac {}\\ a\u00a0b\u2014"));
    EXPECT_EQ(document.FontName(second.Runs[0].Format.Font), "Courier New");
    EXPECT_EQ(second.Runs[0].Format.HalfPoints, 18);
    ASSERT_NE(document.Color(second.Runs[0].Format.Color), nullptr);
    EXPECT_EQ(document.Color(second.Runs[0].Format.Color)->Red, 255);
    EXPECT_EQ(second.Runs[1].Format.Color, -1);

    EXPECT_EQ(document.Paragraphs[2].Text(), QStringLiteral("\u20ac\uf07c end"));
    // Skipped destinations, and binary data that holds braces.
    EXPECT_EQ(document.Paragraphs[3].Text(), "visibleafter");
}

TEST(RtfReader, EscapedLineEndsStayWithinTheirParagraphAndPlainLinesEndAtALoneCR) {
    TRtfDocument rich = ParseRtf("{\\rtf1 a\\'0db\\u8233?c\\u-560?d\\par}");
    ASSERT_EQ(rich.Paragraphs.size(), 1u);
    EXPECT_EQ(rich.Paragraphs[0].Text(), QStringLiteral("a\u2028b\u2028c\u2028d"));

    TRtfDocument plain = ParseRtf("one\rtwo\r\nthree\n");
    ASSERT_EQ(plain.Paragraphs.size(), 3u);
    EXPECT_EQ(plain.PlainText(), "one\ntwo\nthree\n");
}

TEST(RtfReader, MalformedInputGivesWhatTextItCanAndNeverFails) {
    const char* inputs[] = {
        "{\\rtf1 unclosed {\\b group",
        "{\\rtf1 too many}}} closing}",
        "{\\rtf1 cut \\'",
        "{\\rtf1 cut \\'4",
        "{\\rtf1 cut \\",
        "{\\rtf1 \\u",
        "{\\rtf1 \\u99999999999999999999 big\\fs-99999999999 x\\uc999999 \\u65 y}",
        "{\\rtf1 \\unknownword123456789012345 \\averyveryveryverylongcontrolwordthatgoesonandon}",
        "{\\rtf1 \\bin999999 gone",
        "{\\rtf1 \\u-10179 lone high \\u-8704\\u-10179\\u-8704 pair}",
        "{\\rtf1 {\\fonttbl{\\f0 unended}{\\colortbl\\red999;}",
        "{\\rtf1 \\'zz\\'0",
    };
    for (const char* input : inputs) {
        SCOPED_TRACE(input);
        TRtfDocument document = ParseRtf(QByteArrayView(input));
        const QString text = document.PlainText();
        EXPECT_FALSE(text.contains(u'\\'));
        EXPECT_TRUE(text.isValidUtf16());
    }
    EXPECT_EQ(ParseRtf("{\\rtf1 unclosed {\\b group").PlainText(), "unclosed group\n");
    EXPECT_EQ(ParseRtf("{\\rtf1 too many}}} closing}").PlainText(), "too many closing\n");
    // A high surrogate without its partner is replaced; a pair makes one character.
    EXPECT_EQ(ParseRtf("{\\rtf1 \\u-10179? lone \\u-10179?\\u-8704?}").PlainText(),
              QStringLiteral("\ufffd lone \U0001F600\n"));

    // A flood of groups costs no more than its text.
    QByteArray deep = "{\\rtf1 " + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}');
    EXPECT_EQ(ParseRtf(deep).PlainText(), "deep\n");

    // Random damage to a shipped document: each result is a document, whatever the damage.
    QByteArray shipped;
    ASSERT_TRUE(ReadFileBytes(DataFile(QStringLiteral("ErrorHelp0.rtf")), shipped));
    QRandomGenerator random(4711);
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = shipped;
        for (int hit = 0; hit < 20; ++hit) {
            const auto at = static_cast<qsizetype>(random.bounded(damaged.size()));
            const char pick[] = "{}\\'u-0123456789 ;*";
            damaged[at] = pick[random.bounded(static_cast<int>(sizeof pick - 1))];
        }
        damaged.truncate(static_cast<qsizetype>(random.bounded(damaged.size())) + 1);
        EXPECT_TRUE(ParseRtf(damaged).PlainText().isValidUtf16());
    }
}

TEST(RtfReader, ATextThatIsNoRtfIsTakenAsPlainText) {
    TRtfDocument document = ParseRtf("Fout 1\r\n\r\nGeen rtf: {\\b}\n");
    ASSERT_EQ(document.Paragraphs.size(), 3u);
    EXPECT_EQ(document.PlainText(), "Fout 1\n\nGeen rtf: {\\b}\n");
}
