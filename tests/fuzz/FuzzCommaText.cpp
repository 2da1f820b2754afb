// The comma-text splitter and joiner of option lists and list texts: a list joined and split
// again is the same list, whatever its items hold.

#include "app/CommaText.h"
#include "app/TextFile.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"

KQ9_FUZZ_TARGET(comma_text) {
    const QString text = DecodeText(FuzzBytes(data, size));
    const QStringList items = SplitCommaText(text);
    for (const QString& item : items)
        FUZZ_CHECK(!item.contains(QChar(u'\0')));
    FUZZ_CHECK(SplitCommaText(JoinCommaText(items)) == items);

    // Items that never came from a split: blanks, quotes and commas of every kind. A NUL ends a
    // comma text, so no item can hold one.
    QStringList lines = QString(text).remove(QChar(u'\0')).split(u'\n');
    FUZZ_CHECK(SplitCommaText(JoinCommaText(lines)) == lines);
}
