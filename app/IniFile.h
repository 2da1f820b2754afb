#pragma once
// An ini file held in memory (language files, application.ini). Reading follows the usual ini
// rules: "[name]" lines start sections, "key=value" lines belong to the section above, ";" lines
// are comments, section and key names compare case-insensitively, names and values are trimmed,
// and the first section and the first key of a name win.
// Writing edits the lines in place: a key that exists gets its value replaced on its own line, a
// new key goes after the last entry of its section, a new section at the end of the file.
// Everything else (comments, unknown keys and sections, order, line ends) stays byte for byte.

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

class TIniFile {
public:
    // False when the file cannot be read; the contents are then empty.
    bool LoadFromFile(const QString& path, QString* error = nullptr);
    void LoadFromText(const QString& text);
    void Clear();
    // The file as it would be written (without a byte order mark).
    QString Text() const;
    // Written atomically as UTF-8 (with the byte order mark the loaded file had).
    bool SaveToFile(const QString& path, QString* error = nullptr) const;

    bool SectionExists(const QString& section) const;
    std::optional<QString> Value(const QString& section, const QString& key) const;
    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    // Decimal integers; a missing key or a value that is no number gives `fallback`.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    // Stored as integers: 0 is false, any other number true.
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;

    // A line break in the value is written as a blank, so that the value stays on its line.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    // Written as 1 or 0.
    void WriteBool(const QString& section, const QString& key, bool value);

private:
    struct TLine {
        QString Text;
        QString End; // the line's own line end; empty for a last line without one
    };
    struct TSectionRange {
        int Header;    // index of the header line
        int FirstLine; // first line after the header
        int EndLine;   // one past the last line of the section
    };

    void Reindex();
    const TSectionRange* FindSection(const QString& section) const;
    int FindKeyLine(const TSectionRange& range, const QString& key) const;
    void InsertLine(int index, const QString& text);

    std::vector<TLine> FLines;
    std::vector<TSectionRange> FSections;
    QHash<QString, int> FFirstSection; // case-folded name → index into FSections
    // For a line end where the file has none to copy: the file's first line end.
    QString FLineEnd = QStringLiteral("\n");
    bool FBom = false;
};
