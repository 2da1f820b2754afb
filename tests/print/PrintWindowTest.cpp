// The print windows printing into PDF files, read back with pdftotext: the header texts from and
// back to the settings, the pages of the parameter list with their headers and page breaks, the
// setpoint list's columns, a cancelled print dialog and failures.

#include "PdfText.h"
#include "PrintFixture.h"

#include "app/ErrorReport.h"
#include "app/FixtureFiles.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"
#include "print/AfdrukkenPar.h"
#include "print/AfdrukkenSoll.h"
#include "print/PainterPrint.h"
#include "print/PrintTexts.h"
#include "support/QtTestMain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using kq9test::CellsBetween;
using kq9test::PdfPages;
using kq9test::PdfWords;
using kq9test::TPdfWord;
using kq9test::WriteFixture;

namespace {

QByteArray Rows(int first, int count, int nr) {
    QByteArray rows;
    for (int row = first; row < first + count; ++row)
        rows += "ParId" + QByteArray::number(row) + '=' + QByteArray::number(nr) + '\n';
    return rows;
}

// A line of the PDF's text: the words in this order, separated by blanks.
::testing::AssertionResult HasLine(const QString& page, const QStringList& words) {
    QStringList escaped;
    for (const QString& word : words)
        escaped << QRegularExpression::escape(word);
    QRegularExpression line(QStringLiteral("(^|\\s)") + escaped.join(QStringLiteral("\\s+")) +
                            QStringLiteral("(\\s|$)"));
    if (line.match(page).hasMatch())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no line " << words.join(u' ').toStdString() << " in:\n"
                                         << page.toStdString();
}

class PrintWindowTest : public kq9test::PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        WriteFixture(FDir.path(), "ParNo.txt",
                     "[101]\n" + Rows(1, 40, 17) + "[102]\n" + Rows(1, 40, 18) +
                         "[201]\nParId2=17\n[202]\nParId1=-1\nParId2=18\n"
                         "[203]\nParId1=17\nParId2=18\nParId3=19\n");
        WriteFixture(FDir.path(), "Tree0.txt",
                     "Testparameters\n\tGroep een\n\t\tEerste\n\t\tTweede\n"
                     "\tGroep twee\n\t\tAlfa\n\t\tBeta\n\t\tGamma\n");
        WriteFixture(FDir.path(), "Taal0.ini", "[Afdrukken]\nCmdOK=Print\n");
        TekstFile_Lezen();
        ParamNo_lezen();
        GlobalVar().Firma = QStringLiteral("ACME Machines");
        GlobalVar().Type = QStringLiteral("KX71-0100");
        GlobalVar().Sn = QStringLiteral("SN-4711");
        SetErrorReporter([this](const QString& message) { Reported << message; });
    }
    void TearDown() override {
        SetErrorReporter(nullptr);
        PrintFixture::TearDown();
    }
    // Points the window's printer at a PDF file and lets its print dialog answer `print`.
    QString PrintToPdf(TFormAfdrukken& form, bool print = true) {
        QString pdf = FDir.filePath(QStringLiteral("out.pdf"));
        QPrinter& printer = form.Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(PdfResolution);
        printer.setPageLayout(PdfPageLayout());
        form.PrintDialog = [this, print](QPrinter& shown) {
            DialogFromTo = {shown.fromPage(), shown.toPage()};
            return print;
        };
        form.show();
        form.CmdOK->click();
        return pdf;
    }

    QStringList Reported;
    std::pair<int, int> DialogFromTo;
};

} // namespace

TEST_F(PrintWindowTest, TheParameterListPrintsEveryPageOfTheTreeUnderThePageHeader) {
    TFormAfdrukkenPar form;
    form.show();
    EXPECT_EQ(form.EditFirma->text(), "ACME Machines");
    EXPECT_EQ(form.LabelSn->text(), "Serie nr");
    EXPECT_EQ(form.CmdOK->text(), "Print");
    form.EditSn->setText(QStringLiteral("SN-0815"));
    const QString pdf = PrintToPdf(form);

    EXPECT_EQ(GlobalVar().Sn, "SN-0815");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(DialogFromTo, std::pair(1, 10));
    EXPECT_EQ(form.Printer().docName(), "KX7x Printing");
    EXPECT_TRUE(Reported.isEmpty());

    QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_TRUE(HasLine(pages[i], {"Firma", "ACME", "Machines", TodayText()}));
        EXPECT_TRUE(HasLine(pages[i], {"Type", "KX71-0100"}));
        EXPECT_TRUE(HasLine(pages[i], {"Serie", "nr", "SN-0815", "P", QString::number(i + 1)}));
    }
    EXPECT_TRUE(HasLine(pages[0], {"Testparameters"}));
    EXPECT_TRUE(HasLine(pages[0], {"Groep", "een", ">", "Eerste"}));
    EXPECT_TRUE(HasLine(pages[0], {"tekst", "0", "tekst", "1", "tekst", "2", "tekst", "3"}));
    EXPECT_TRUE(HasLine(pages[0], {"1.1.1", "017", "Snelheid", "123,45"}));
    EXPECT_TRUE(HasLine(pages[0], {"1.1.40", "017", "Snelheid", "123,45"}));
    EXPECT_TRUE(HasLine(pages[0], {"1.2.1", "018", "Modus", "1", "Aan"}));

    // The second page goes on with the rows of the same page, without its heading again.
    EXPECT_FALSE(pages[1].contains(QStringLiteral("Tweede")));
    EXPECT_TRUE(HasLine(pages[1], {"1.2.40", "018", "Modus", "1", "Aan"}));
    // Pages whose first row is missing or -1 print nothing; the third one does.
    EXPECT_FALSE(pages[1].contains(QStringLiteral("Alfa")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral("Beta")));
    EXPECT_TRUE(HasLine(pages[1], {"Groep", "twee", ">", "Gamma"}));
    EXPECT_TRUE(HasLine(pages[1], {"2.3.1", "017", "Snelheid", "123,45"}));
    EXPECT_TRUE(HasLine(pages[1], {"2.3.3", "019", "Richting", "2", "########"}));
}

TEST_F(PrintWindowTest, TheSetpointListPutsNumberAndValueInTheirColumns) {
    ParamStore().ParData[203] = 2;
    for (int nr = 1; nr <= SetpointCount; ++nr)
        ParamStore().SollData[static_cast<size_t>(nr)] = nr * 10;
    ParamStore().SollData[7] = -1500;
    TFormAfdrukkenSoll form;
    const QString pdf = PrintToPdf(form);
    QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(HasLine(pages[0], {"Serie", "nr", "SN-4711", "P", "1"}));
    EXPECT_TRUE(HasLine(pages[0], {"Solwerten"}));
    EXPECT_TRUE(HasLine(pages[0], {"tekst", "0", "tekst", "1"}));
    EXPECT_TRUE(HasLine(pages[0], {"48", "480"}));

    // "7", five blanks, three blanks, then -1500 right-aligned in twelve: raw, no decimals.
    std::vector<TPdfWord> words = PdfWords(pdf);
    auto find = [&](const QString& text) {
        auto found = std::find_if(words.begin(), words.end(),
                                  [&](const TPdfWord& word) { return word.Text == text; });
        return found == words.end() ? TPdfWord() : *found;
    };
    TPdfWord seven = find(QStringLiteral("-1500"));
    ASSERT_FALSE(seven.Text.isEmpty());
    auto number = std::find_if(words.begin(), words.end(), [&](const TPdfWord& word) {
        return word.Text == QLatin1String("7") && std::abs(word.YMin - seven.YMin) < 1;
    });
    ASSERT_NE(number, words.end());
    EXPECT_EQ(CellsBetween(*number, seven), 1 + 5 + 3 + 7);
}

TEST_F(PrintWindowTest, ACancelledPrintDialogPrintsNothingAndClosesTheWindow) {
    TFormAfdrukkenSoll form;
    form.show();
    form.EditFirma->setText(QStringLiteral("Other"));
    const QString pdf = PrintToPdf(form, false);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());
    // OK handed the texts over before the dialog.
    EXPECT_EQ(GlobalVar().Firma, "Other");

    form.show();
    form.CmdCancel->click();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(PrintWindowTest, WithoutALanguageFileTheBuiltCaptionsStayAndTheFieldsShowTheSettings) {
    TekstFile_Vrijgeven();
    TFormAfdrukkenPar form;
    form.show();
    EXPECT_EQ(form.LabelFirma->text(), "Firma:");
    EXPECT_EQ(form.LabelSn->text(), "Serie nummer:");
    EXPECT_EQ(form.windowTitle(), "Afdrukken param");
    EXPECT_EQ(form.CmdCancel->text(), "Annuleren");
    // The fields show the settings, so that OK keeps them rather than blanking them.
    EXPECT_EQ(form.EditType->text(), "KX71-0100");
    EXPECT_EQ(form.EditType->accessibleName(), "Type:");
    const QString pdf = PrintToPdf(form);
    EXPECT_EQ(GlobalVar().Type, "KX71-0100");
    QStringList pages = PdfPages(pdf);
    ASSERT_FALSE(pages.isEmpty());
    // No page word without a language file: the page number stands alone.
    EXPECT_TRUE(HasLine(pages[0], {"Serie", "nummer:", "SN-4711", "1"}));
    EXPECT_FALSE(pages[0].contains(QRegularExpression(QStringLiteral("\\bP\\s+1\\b"))));
}

TEST_F(PrintWindowTest, AnUnreadableTreeIsReportedAndTheHeaderStillPrinted) {
    QFile::remove(FDir.filePath(QStringLiteral("Tree0.txt")));
    ASSERT_TRUE(QDir(FDir.path()).mkdir(QStringLiteral("Tree0.txt")));
    TFormAfdrukkenPar form;
    const QString pdf = PrintToPdf(form);
    ASSERT_EQ(Reported.size(), 1);
    EXPECT_TRUE(Reported[0].contains(QStringLiteral(" error raised, with message : ")));
    QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(HasLine(pages[0], {"Firma", "ACME", "Machines"}));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Snelheid")));
}

TEST_F(PrintWindowTest, APrinterThatCannotStartIsReported) {
    TFormAfdrukkenSoll form;
    form.Printer().setOutputFormat(QPrinter::PdfFormat);
    form.Printer().setOutputFileName(FDir.filePath(QStringLiteral("missing/out.pdf")));
    form.PrintDialog = [](QPrinter&) { return true; };
    kq9test::ExpectQtWarning painter(QStringLiteral("QPainter::begin"));
    form.show();
    form.CmdOK->click();
    EXPECT_EQ(Reported, QStringList{QStringLiteral(
                            "Het afdrukken is mislukt: de printer kon niet gestart worden.")});
    EXPECT_FALSE(form.isVisible());
}
