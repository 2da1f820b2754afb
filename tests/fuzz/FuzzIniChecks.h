#pragma once
// Checks of an ini file before and after keys were written into it: every line that was not a
// written key's line is still there, in its order, and every other key reads as it did.

#include <QString>

#include <functional>
#include <vector>

struct TIniKey {
    QString Section;
    QString Key;
};

// The keys of an ini text as its lines name them: "key=value" lines below a "[section]" line,
// comments left out; names trimmed.
std::vector<TIniKey> IniKeys(const QString& text);

// Whether (section, key) is one the writer was asked to write.
using TWrittenKey = std::function<bool(const QString& section, const QString& key)>;
void CheckIniKept(const QString& before, const QString& after, const TWrittenKey& written);

// A written value as it reads back: line breaks stored as blanks, then trimmed as every value.
QString StoredIniValue(const QString& value);
