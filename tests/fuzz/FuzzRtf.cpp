// The reader of the error help documents' rich text, and the document it fills for the
// error-number window: whatever the bytes, the texts are valid UTF-16 and every paragraph
// becomes a block of the document.

#include "app/RtfReader.h"
#include "app/RtfTextDocument.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"

#include <QTextDocument>

#include <algorithm>

namespace {

bool ValidUtf16(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return false;
    }
    return true;
}

} // namespace

KQ9_FUZZ_TARGET(rtf) {
    const TRtfDocument document = ParseRtf(FuzzBytes(data, size));
    for (const TRtfParagraph& paragraph : document.Paragraphs)
        for (const TRtfRun& run : paragraph.Runs)
            FUZZ_CHECK(ValidUtf16(run.Text));
    document.PlainText();

    QTextDocument target;
    FillTextDocument(target, document);
    const int paragraphs = static_cast<int>(document.Paragraphs.size());
    FUZZ_CHECK(target.blockCount() == std::max(paragraphs, 1));
}
