#include "app/RtfTextDocument.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Twips in the document's pixels (96 per inch, 1440 twips per inch).
constexpr double TwipsPerPixel = 15.0;

QTextBlockFormat BlockFormat(const TRtfParagraphFormat& format) {
    QTextBlockFormat block;
    switch (format.Alignment) {
    case TRtfAlignment::Left:
        block.setAlignment(Qt::AlignLeft);
        break;
    case TRtfAlignment::Center:
        block.setAlignment(Qt::AlignHCenter);
        break;
    case TRtfAlignment::Right:
        block.setAlignment(Qt::AlignRight);
        break;
    case TRtfAlignment::Justify:
        block.setAlignment(Qt::AlignJustify);
        break;
    }
    block.setTopMargin(format.SpaceBefore / TwipsPerPixel);
    block.setBottomMargin(format.SpaceAfter / TwipsPerPixel);
    block.setLeftMargin(format.LeftIndent / TwipsPerPixel);
    block.setRightMargin(format.RightIndent / TwipsPerPixel);
    block.setTextIndent(format.FirstLineIndent / TwipsPerPixel);
    return block;
}

QTextCharFormat CharFormat(const TRtfDocument& document, const TRtfCharFormat& format) {
    QTextCharFormat result;
    result.setFontWeight(format.Bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.Italic);
    result.setFontUnderline(format.Underline);
    result.setFontPointSize(format.HalfPoints / 2.0);
    if (QString family = document.FontName(format.Font); !family.isEmpty())
        result.setFontFamilies({family});
    if (const TRtfColor* color = document.Color(format.Color))
        result.setForeground(QColor(color->Red, color->Green, color->Blue));
    return result;
}

} // namespace

void FillTextDocument(QTextDocument& target, const TRtfDocument& document) {
    target.clear();
    QTextCursor cursor(&target);
    bool first = true;
    for (const TRtfParagraph& paragraph : document.Paragraphs) {
        if (first)
            cursor.setBlockFormat(BlockFormat(paragraph.Format));
        else
            cursor.insertBlock(BlockFormat(paragraph.Format));
        first = false;
        for (const TRtfRun& run : paragraph.Runs)
            cursor.insertText(run.Text, CharFormat(document, run.Format));
    }
}
