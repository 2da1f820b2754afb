#include "fuzz/FuzzIniChecks.h"

#include "app/IniFile.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"

namespace {

// Calls `line(text, section, key)` for every line; section and key are empty where the line is
// no key line below a header.
template <typename Fn> void ForEachLine(const QString& text, Fn line) {
    QString section;
    bool inSection = false;
    for (const QString& raw : TextLines(text)) {
        QString trimmed = raw.trimmed();
        if (trimmed.size() >= 2 && trimmed.front() == u'[' && trimmed.back() == u']') {
            section = trimmed.mid(1, trimmed.size() - 2).trimmed();
            inSection = true;
            line(raw, QString(), QString(), false);
            continue;
        }
        qsizetype eq = raw.indexOf(u'=');
        bool isKey = inSection && eq >= 0 && !trimmed.startsWith(u';');
        line(raw, section, isKey ? raw.left(eq).trimmed() : QString(), isKey);
    }
}

} // namespace

std::vector<TIniKey> IniKeys(const QString& text) {
    std::vector<TIniKey> keys;
    ForEachLine(text, [&](const QString&, const QString& section, const QString& key, bool isKey) {
        if (isKey)
            keys.push_back({section, key});
    });
    return keys;
}

void CheckIniKept(const QString& before, const QString& after, const TWrittenKey& written) {
    QStringList kept;
    ForEachLine(before,
                [&](const QString& line, const QString& section, const QString& key, bool isKey) {
                    if (!isKey || !written(section, key))
                        kept << line;
                });
    const QStringList now = TextLines(after);
    qsizetype at = 0;
    for (const QString& line : kept) {
        while (at < now.size() && now[at] != line)
            ++at;
        FUZZ_CHECK(at < now.size());
        ++at;
    }

    TIniFile old, current;
    old.LoadFromText(before);
    current.LoadFromText(after);
    for (const TIniKey& key : IniKeys(before))
        if (!written(key.Section, key.Key))
            FUZZ_CHECK(old.Value(key.Section, key.Key) == current.Value(key.Section, key.Key));
}

QString StoredIniValue(const QString& value) {
    QString stored = value;
    stored.replace(u'\r', u' ').replace(u'\n', u' ');
    return stored.trimmed();
}
