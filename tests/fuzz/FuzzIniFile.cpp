// The ini reader and writer of the language files and application.ini: a file read and written
// back unchanged is the same text; keys written into it read back as written, while every other
// line, comment, key and section stays; the language texts read what the file holds.

#include "app/GlobalVar.h"
#include "app/IniFile.h"
#include "app/LanguageTexts.h"
#include "app/TextFile.h"
#include "app/TextKeys.h"
#include "fuzz/FuzzFiles.h"
#include "fuzz/FuzzIniChecks.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"

#include <algorithm>
#include <span>

namespace {

struct TWrite {
    QString Section, Key, Value;
};

// Key names as the program writes them; others (a key "[x" with a value "y]") would make a
// header of their own line, which no caller can ask for.
bool IsPlainName(const QString& name) {
    return !name.isEmpty() && std::all_of(name.begin(), name.end(), [](QChar c) {
        return c.isLetterOrNumber() || c == u'_';
    });
}

// A value from the file's own text, blanks and line breaks included.
QString ValueFrom(const QString& text, size_t n) {
    if (text.isEmpty())
        return QStringLiteral("v%1").arg(n);
    return text.mid(static_cast<qsizetype>((n * 7919) % static_cast<size_t>(text.size())), 9);
}

std::vector<TWrite> Writes(const QString& text, const std::vector<TIniKey>& keys) {
    std::vector<TWrite> writes;
    for (size_t i = 0; i < keys.size() && writes.size() < 4; i += 1 + keys.size() / 4)
        if (IsPlainName(keys[i].Key))
            writes.push_back({keys[i].Section, keys[i].Key, ValueFrom(text, i)});
    QString section = keys.empty() ? QStringLiteral("Opties") : keys.front().Section;
    writes.push_back({section, QStringLiteral("KQ9NewKey"), ValueFrom(text, 101)});
    writes.push_back({QStringLiteral("KQ9NewSection"), QStringLiteral("Key"), ValueFrom(text, 7)});
    return writes;
}

void CheckLanguageTexts(QByteArrayView bytes, const TIniFile& ini,
                        const std::vector<TIniKey>& keys) {
    WriteFuzzFile(LanguageFileName(0), bytes);
    SetProgramPath(FuzzFolder());
    GlobalVar().Taal = 0;
    TekstFile_Lezen();
    FUZZ_CHECK(GlobalVar().LanguageFileLoaded);
    // The program's keys among the first the file names, and a few of the program's at random.
    std::vector<const TTextKey*> wanted;
    for (size_t i = 0; i < keys.size() && i < 8; ++i)
        if (const TTextKey* known =
                FindTextKey(keys[i].Section.toStdString(), keys[i].Key.toStdString()))
            wanted.push_back(known);
    std::span<const TTextKey> all = AllTextKeys();
    uint32_t pick = qHash(bytes);
    for (int i = 0; i < 4; ++i)
        wanted.push_back(&all[(pick + static_cast<uint32_t>(i) * 97u) % all.size()]);
    for (const TTextKey* key : wanted) {
        QString section = QString::fromUtf8(key->Section), name = QString::fromUtf8(key->Key);
        QString text = Tekst(*key);
        FUZZ_CHECK(text == ini.ReadString(section, name, QString::fromUtf8(key->Default)));
        FUZZ_CHECK(TekstList(*key).size() <= text.size() + 1);
    }
    TekstFile_Vrijgeven();
}

} // namespace

KQ9_FUZZ_TARGET(ini_file) {
    QByteArrayView bytes = FuzzBytes(data, size);
    const QString text = DecodeText(bytes);
    TIniFile ini;
    ini.LoadFromText(text);
    FUZZ_CHECK(ini.Text() == text);
    const std::vector<TIniKey> keys = IniKeys(text);
    for (const TIniKey& key : keys) {
        FUZZ_CHECK(ini.SectionExists(key.Section));
        ini.ReadInteger(key.Section, key.Key, 0);
    }
    CheckLanguageTexts(bytes, ini, keys);

    const std::vector<TWrite> writes = Writes(text, keys);
    for (const TWrite& write : writes)
        ini.WriteString(write.Section, write.Key, write.Value);
    const QString written = ini.Text();
    CheckIniKept(text, written, [&](const QString& section, const QString& key) {
        return std::any_of(writes.begin(), writes.end(), [&](const TWrite& write) {
            return write.Section.compare(section, Qt::CaseInsensitive) == 0 &&
                   write.Key.compare(key, Qt::CaseInsensitive) == 0;
        });
    });
    TIniFile reread;
    reread.LoadFromText(written);
    for (const TWrite& write : writes) {
        // A key written twice keeps its last value.
        auto last = std::find_if(writes.rbegin(), writes.rend(), [&](const TWrite& other) {
            return other.Section.compare(write.Section, Qt::CaseInsensitive) == 0 &&
                   other.Key.compare(write.Key, Qt::CaseInsensitive) == 0;
        });
        FUZZ_CHECK(reread.Value(write.Section, write.Key) == StoredIniValue(last->Value));
        FUZZ_CHECK(ini.Value(write.Section, write.Key) == StoredIniValue(last->Value));
    }
}
