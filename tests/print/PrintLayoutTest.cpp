// The print-outs' layout on a device of whole numbers: the page frame and header, the walk of the
// group tree with its page rules, the rows of a page, page breaks, and the setpoint list.

#include "FakePrintMetrics.h"
#include "PrintFixture.h"

#include "app/FixtureFiles.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"
#include "print/ParameterList.h"
#include "print/PrintTexts.h"
#include "print/SollwertList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using kq9test::PageTexts;
using kq9test::TFakePrintMetrics;
using kq9test::WriteFixture;

namespace {

QString Blanks(int count) {
    return QString(count, u' ');
}

const TPrintHeader Header{
    {QStringLiteral("Firma:"), QStringLiteral("Type:"), QStringLiteral("Serie nummer:")},
    {QStringLiteral("ACME"), QStringLiteral("KX71"), QStringLiteral("42")},
    QStringLiteral("08-12-2026"),
    QStringLiteral("P")};

std::array<int, 4> Ends(const TPrintItem& rule) {
    return {rule.X, rule.Y, rule.X2, rule.Y2};
}

// Everything after the page header: the header's three lines have six or seven texts.
QStringList BodyTexts(const TPrintPage& page) {
    QStringList texts = PageTexts(page);
    while (!texts.isEmpty() && !texts.front().startsWith(QStringLiteral("B14")) &&
           !texts.front().startsWith(QStringLiteral("N10")) &&
           !texts.front().contains(QStringLiteral(" > ")))
        texts.removeFirst();
    return texts;
}

class PrintLayoutTest : public kq9test::PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        ParamStore().ParData[20] = 7;
    }
    void PageTable(const QByteArray& text) {
        WriteFixture(FDir.path(), "ParNo.txt", text);
        ParamNo_lezen();
    }
    TPrintDocument Parameters(const QString& tree) {
        TParameterListInput input;
        input.ColumnTexts = {QStringLiteral("Pos"), QStringLiteral("Nr"), QStringLiteral("Naam"),
                             QStringLiteral("Waarde"), QStringLiteral("Optie")};
        input.Defs = &ParamDefs();
        input.TreeLines = tree.split(u'\n');
        return LayoutParameterList(Metrics, Header, input);
    }

    TFakePrintMetrics Metrics;
};

} // namespace

TEST_F(PrintLayoutTest, ThePageHeaderStandsBetweenTwoRulesWithItsTextsAligned) {
    TPageLayout page(Metrics, Header);
    EXPECT_EQ(page.LeftEdge(), 4958 / 2 - 2102); // 8.9 cm at 600 dpi, truncated
    EXPECT_EQ(page.TopLine(), 614);
    EXPECT_EQ(page.BottomLimit(), 7017 - 283);
    EXPECT_EQ(page.Y(), page.TopLine());
    page.NewPage();
    TPrintDocument document = page.TakeDocument();
    ASSERT_EQ(document.Pages.size(), 2u);

    for (int number = 1; number <= 2; ++number) {
        const std::vector<TPrintItem>& items = document.Pages[number - 1].Items;
        ASSERT_EQ(items.size(), 10u);
        const TPrintItem& top = items.front();
        EXPECT_EQ(top.Kind, TPrintItem::TKind::Rule);
        EXPECT_EQ(Ends(top), (std::array{100, 50, 4858, 50}));
        // Labels right-aligned to the longest; texts after it and two blanks; lines of "A".
        const int left = 377;
        const int valueX = left + 15 * 60;
        const int y0 = 118;
        auto text = [&](size_t i) {
            return std::tuple(items[i].X, items[i].Y, items[i].Text, items[i].Font);
        };
        EXPECT_EQ(text(1),
                  std::tuple(left, y0, QStringLiteral("       Firma:"), PrintFont::Bold12));
        EXPECT_EQ(text(2), std::tuple(valueX, y0, QStringLiteral("ACME"), PrintFont::Bold12));
        EXPECT_EQ(text(3),
                  std::tuple(4858 - 10 * 60, y0, QStringLiteral("08-12-2026"), PrintFont::Bold12));
        EXPECT_EQ(text(4),
                  std::tuple(left, y0 + 120, QStringLiteral("        Type:"), PrintFont::Bold12));
        EXPECT_EQ(text(6),
                  std::tuple(left, y0 + 240, QStringLiteral("Serie nummer:"), PrintFont::Bold12));
        EXPECT_EQ(text(7), std::tuple(valueX, y0 + 240, QStringLiteral("42"), PrintFont::Bold12));
        const QString pageText = QStringLiteral("P   ") + QString::number(number);
        EXPECT_EQ(text(8), std::tuple(4858 - 5 * 60, y0 + 240, pageText, PrintFont::Bold12));
        const TPrintItem& bottom = items.back();
        EXPECT_EQ(Ends(bottom), (std::array{100, y0 + 360, 4858, y0 + 360}));
    }
}

TEST_F(PrintLayoutTest, PagesOfTheTreeGetAHeadingAColumnHeaderAndTheirRows) {
    PageTable("[101]\nParId1=17\nParId2=18\n"
              "[102]\nParId1=-1\nParId2=17\n"
              "[201]\nParId2=17\n"
              "[203]\nParId1=19\nParId2=-1\nParId3=20\nParId5=500\n");
    TPrintDocument document = Parameters(QStringLiteral("Parameters KX71\n"
                                                        "\tAlgemeen\n"
                                                        "\t\tCommunicatie\n"
                                                        "no tab: no page of its own\n"
                                                        "\t\tBedrijf\n"
                                                        "\tMeetsysteem\n"
                                                        "\t\tEncoder\n"
                                                        "\t\tSSI\n"
                                                        "\t\tSchaling"));
    ASSERT_EQ(document.Pages.size(), 1u);
    const QString header = QStringLiteral("Pos   ") + Blanks(3) + QStringLiteral("Nr ") +
                           Blanks(3) + QStringLiteral("Naam") + Blanks(34) + Blanks(5) +
                           QStringLiteral("Waarde") + Blanks(3) + QStringLiteral("Optie") +
                           Blanks(13);
    const QString rowEnd = Blanks(18);
    QStringList expected{
        QStringLiteral("B14 Parameters KX71"),
        // Page 101; the line without a tab repeats nothing; 102 and 201 have no first row.
        QStringLiteral("B12 Algemeen > Communicatie"),
        QStringLiteral("B10 ") + header,
        QStringLiteral("N10 1.1.1 ") + Blanks(3) + QStringLiteral("017") + Blanks(3) +
            QStringLiteral("Snelheid") + Blanks(30) + Blanks(5) + QStringLiteral("123,45") +
            Blanks(3) + rowEnd,
        QStringLiteral("N10 1.1.2 ") + Blanks(3) + QStringLiteral("018") + Blanks(3) +
            QStringLiteral("Modus") + Blanks(33) + Blanks(10) + QStringLiteral("1") + Blanks(3) +
            QStringLiteral("Aan") + Blanks(15),
        // Page 203: an option index beyond the list, an empty row kept as a blank line, a
        // parameter without definition, a row naming no parameter of the store.
        QStringLiteral("B12 Meetsysteem > Schaling"),
        QStringLiteral("B10 ") + header,
        QStringLiteral("N10 2.3.1 ") + Blanks(3) + QStringLiteral("019") + Blanks(3) +
            QStringLiteral("Richting") + Blanks(30) + Blanks(10) + QStringLiteral("2") + Blanks(3) +
            QStringLiteral("########") + Blanks(10),
        QStringLiteral("N10 2.3.3 ") + Blanks(3) + Blanks(3) + Blanks(3) + Blanks(38) + Blanks(10) +
            QStringLiteral("7") + Blanks(3) + rowEnd,
    };
    EXPECT_EQ(BodyTexts(document.Pages[0]), expected);

    // Rows advance one line each, blank ones included, and a blank line follows the page.
    std::vector<int> rowsY;
    for (const TPrintItem& item : document.Pages[0].Items)
        if (item.Font == PrintFont::Normal10 || item.Font == PrintFont::Bold12)
            rowsY.push_back(item.Y);
    const int title = 614 + 140;
    EXPECT_EQ(rowsY.back(), title + 120 + 100 + 200 + 100 + 120 + 100 + 200);
}

TEST_F(PrintLayoutTest, WithoutTreeOrDefinitionsOnlyTheHeaderOrTheTitleIsPrinted) {
    PageTable("[101]\nParId1=17\n");
    TParameterListInput input;
    input.Defs = &ParamDefs();
    TPrintDocument noTree = LayoutParameterList(Metrics, Header, input);
    ASSERT_EQ(noTree.Pages.size(), 1u);
    EXPECT_TRUE(BodyTexts(noTree.Pages[0]).isEmpty());
    EXPECT_EQ(PageTexts(noTree.Pages[0]).size(), 8);

    ParamDefs().Free();
    TPrintDocument noDefinitions = Parameters(QStringLiteral("Titel\n\tGroep\n\t\tSub"));
    EXPECT_EQ(BodyTexts(noDefinitions.Pages[0]), QStringList{QStringLiteral("B14 Titel")});
}

TEST_F(PrintLayoutTest, AFullPageContinuesWithThePageHeaderAndAHeadingNeedsTwoLines) {
    QByteArray rows = "[101]\n";
    for (int row = 1; row <= 15; ++row)
        rows += "ParId" + QByteArray::number(row) + "=17\n";
    PageTable(rows + "[201]\nParId1=18\n");
    // Bottom limit 1717: rows 1 … 7 fit on page 1 below title, heading and column header.
    Metrics.Height = 2000;
    TPrintDocument document = Parameters(QStringLiteral("Titel\n\tEen\n\t\tA\n\tTwee\n\t\tB"));
    ASSERT_EQ(document.Pages.size(), 3u);
    QStringList first = BodyTexts(document.Pages[0]);
    ASSERT_EQ(first.size(), 3 + 7);
    EXPECT_TRUE(first.back().startsWith(QStringLiteral("N10 1.1.7 ")));

    // Page 2: the page header again, then rows 8 … 15 from the top line, no heading.
    EXPECT_TRUE(PageTexts(document.Pages[1]).contains(QStringLiteral("B12 P   2")));
    QStringList second = BodyTexts(document.Pages[1]);
    ASSERT_EQ(second.size(), 8);
    EXPECT_TRUE(second.front().startsWith(QStringLiteral("N10 1.1.8 ")));
    EXPECT_TRUE(second.back().startsWith(QStringLiteral("N10 1.1.15")));
    EXPECT_EQ(document.Pages[1].Items[10].Y, 614);

    // The next heading would start at 1514: one 12-point line fits there, two do not.
    QStringList third = BodyTexts(document.Pages[2]);
    ASSERT_EQ(third.size(), 3);
    EXPECT_EQ(third.front(), QStringLiteral("B12 Twee > B"));
    EXPECT_TRUE(third.back().startsWith(QStringLiteral("N10 2.1.1 ")));
    EXPECT_TRUE(PageTexts(document.Pages[2]).contains(QStringLiteral("B12 P   3")));
}

TEST_F(PrintLayoutTest, TheSetpointListHoldsTheRawValuesRightAligned) {
    ParamStore().ParData[203] = 2;
    for (int nr = 1; nr <= SetpointCount; ++nr)
        ParamStore().SollData[static_cast<size_t>(nr)] = nr * 100;
    ParamStore().SollData[7] = -1500;
    TPrintDocument document = LayoutSollwertList(Metrics, Header, QStringLiteral("Sollwerten"),
                                                 {QStringLiteral("Nr"), QStringLiteral("Waarde")});
    ASSERT_EQ(document.Pages.size(), 1u);
    QStringList body = BodyTexts(document.Pages[0]);
    ASSERT_EQ(body.size(), 2 + 48);
    EXPECT_EQ(body[0], QStringLiteral("B14 Sollwerten"));
    EXPECT_EQ(body[1],
              QStringLiteral("B10 Nr    ") + Blanks(3) + Blanks(6) + QStringLiteral("Waarde"));
    EXPECT_EQ(body[2 + 6], QStringLiteral("N10 7") + Blanks(5) + Blanks(3) + Blanks(7) +
                               QStringLiteral("-1500"));
    EXPECT_EQ(body.back(), QStringLiteral("N10 48") + Blanks(4) + Blanks(3) + Blanks(8) +
                               QStringLiteral("4800"));

    // Paper too short for the list goes on on a second page instead of losing setpoints.
    Metrics.Height = 4000;
    TPrintDocument shortPaper = LayoutSollwertList(Metrics, Header, {}, {});
    ASSERT_EQ(shortPaper.Pages.size(), 2u);
    EXPECT_EQ(BodyTexts(shortPaper.Pages[0]).size() + BodyTexts(shortPaper.Pages[1]).size(), 48u);
    EXPECT_TRUE(BodyTexts(shortPaper.Pages[1]).back().startsWith(QStringLiteral("N10 48 ")));
}

TEST_F(PrintLayoutTest, TextsComeFromTheLanguageFileOrStayBuiltIn) {
    EXPECT_EQ(AfdrukLabels(), BuiltAfdrukLabels());
    EXPECT_EQ(BuiltAfdrukLabels()[2], QStringLiteral("Serie nummer:"));
    EXPECT_TRUE(PageWordText().isEmpty());
    EXPECT_EQ(ParameterColumnTexts(), (std::array<QString, 5>{}));
    EXPECT_EQ(SollwertColumnTexts(), (std::array<QString, 2>{}));
    EXPECT_TRUE(SollwertTitle().isEmpty());

    WriteFixture(FDir.path(), "Taal0.ini",
                 "[Afdrukken]\nLabelFirma=Company:\nTekstPagina=Page\n"
                 "[EditParam]\nKolomTekst2=Name\n");
    TekstFile_Lezen();
    ASSERT_TRUE(GlobalVar().LanguageFileLoaded);
    EXPECT_EQ(AfdrukLabels(),
              (std::array<QString, 3>{QStringLiteral("Company:"), QStringLiteral("Type"),
                                      QStringLiteral("Serie nr")}));
    EXPECT_EQ(PageWordText(), QStringLiteral("Page"));
    EXPECT_EQ(ParameterColumnTexts()[2], QStringLiteral("Name"));
    EXPECT_EQ(ParameterColumnTexts()[4], QStringLiteral("tekst 4"));
    // The setpoint list's own defaults for the setpoint editor's keys.
    EXPECT_EQ(SollwertColumnTexts(),
              (std::array<QString, 2>{QStringLiteral("tekst 0"), QStringLiteral("tekst 1")}));
    EXPECT_EQ(SollwertTitle(), QStringLiteral("Solwerten"));

    GlobalVar().Firma = QStringLiteral("ACME");
    TPrintHeader header = PrintHeaderFromSettings(AfdrukLabels());
    EXPECT_EQ(header.Values[0], QStringLiteral("ACME"));
    EXPECT_EQ(header.PageWord, QStringLiteral("Page"));
    EXPECT_EQ(header.Date, TodayText());
}

TEST_F(PrintLayoutTest, AnUnreadableTreeIsReportedAndAMissingOneIsNot) {
    QString error;
    EXPECT_FALSE(ReadPrintTree(FDir.filePath(QStringLiteral("Tree0.txt")), error));
    EXPECT_TRUE(error.isEmpty());
    const QString path = WriteFixture(FDir.path(), "Tree0.txt", "Titel\r\n\tGroep\r\n");
    EXPECT_EQ(ReadPrintTree(path, error), (QStringList{"Titel", "\tGroep"}));
    // A folder of that name exists but cannot be read as a file.
    QFile::remove(path);
    QDir(FDir.path()).mkdir(QStringLiteral("Tree0.txt"));
    std::optional<QStringList> lines = ReadPrintTree(path, error);
    ASSERT_TRUE(lines);
    EXPECT_TRUE(lines->isEmpty());
    EXPECT_TRUE(error.startsWith(QStringLiteral("EFileReadError error raised, with message : ")))
        << error.toStdString();
}
