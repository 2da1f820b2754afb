#include "app/CommaText.h"

namespace {

constexpr char16_t Quote = u'"';
constexpr char16_t Delimiter = u',';

// A NUL ends the text, as it ends the item lists in the files these texts come from.
char16_t At(const QString& text, qsizetype i) {
    return i < text.size() ? text[i].unicode() : u'\0';
}

bool IsBlank(char16_t c) {
    return c >= 1 && c <= u' ';
}

QString QuotedItem(const QString& text, qsizetype& i) {
    QString item;
    ++i;
    while (At(text, i) != u'\0') {
        if (At(text, i) == Quote) {
            if (At(text, i + 1) != Quote) {
                ++i;
                return item;
            }
            ++i;
        }
        item += text[i];
        ++i;
    }
    return item;
}

bool NeedsQuotes(const QString& item) {
    for (QChar c : item)
        if (c.unicode() <= u' ' || c == Quote || c == Delimiter)
            return true;
    return false;
}

} // namespace

QStringList SplitCommaText(const QString& text) {
    QStringList items;
    qsizetype i = 0;
    while (IsBlank(At(text, i)))
        ++i;
    while (At(text, i) != u'\0') {
        if (At(text, i) == Quote) {
            items << QuotedItem(text, i);
        } else {
            qsizetype start = i;
            while (At(text, i) > u' ' && At(text, i) != Delimiter)
                ++i;
            items << text.mid(start, i - start);
        }
        while (IsBlank(At(text, i)))
            ++i;
        if (At(text, i) == Delimiter) {
            if (At(text, i + 1) == u'\0')
                items << QString();
            do
                ++i;
            while (IsBlank(At(text, i)));
        }
    }
    return items;
}

QString JoinCommaText(const QStringList& items) {
    if (items.size() == 1 && items.front().isEmpty())
        return QStringLiteral("\"\"");
    QStringList parts;
    for (const QString& item : items) {
        if (NeedsQuotes(item)) {
            QString doubled = item;
            doubled.replace(QChar(Quote), QStringLiteral("\"\""));
            parts << Quote + doubled + Quote;
        } else {
            parts << item;
        }
    }
    return parts.join(Delimiter);
}
