#pragma once
// Comma texts: the list format of option lists, language list keys and the like.
// Splitting: leading blanks and control characters are skipped; an item ends at a comma or at any
// character of code 32 or below; an item that begins with a double quote runs to the closing
// quote (a doubled quote inside is one quote) and may hold blanks and commas; blanks after a
// comma are skipped; a comma at the very end adds an empty item.
// Joining quotes every item that holds a blank, control character, quote or comma (and a list of
// one empty item), so that splitting the joined text gives the items back.

#include <QString>
#include <QStringList>

QStringList SplitCommaText(const QString& text);
QString JoinCommaText(const QStringList& items);
