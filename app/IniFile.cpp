#include "app/IniFile.h"

#include "app/TextFile.h"

namespace {

bool IsComment(const QString& trimmed) {
    return trimmed.startsWith(u';');
}

// The section name of a header line, or nothing for any other line.
std::optional<QString> HeaderName(const QString& line) {
    QString trimmed = line.trimmed();
    if (trimmed.size() >= 2 && trimmed.front() == u'[' && trimmed.back() == u']')
        return trimmed.mid(1, trimmed.size() - 2).trimmed();
    return std::nullopt;
}

QString Folded(const QString& name) {
    return name.toCaseFolded();
}

// A value is one line of the file: a line break in it would end the line and make the rest a key
// or section of its own, so it is stored as a blank.
QString OneLine(QString value) {
    return value.replace(u'\r', u' ').replace(u'\n', u' ');
}

} // namespace

bool TIniFile::LoadFromFile(const QString& path, QString* error) {
    QString text;
    bool bom = false;
    if (!ReadTextFile(path, text, &bom, error)) {
        Clear();
        return false;
    }
    LoadFromText(text);
    FBom = bom;
    return true;
}

void TIniFile::LoadFromText(const QString& text) {
    Clear();
    qsizetype pos = 0;
    bool lineEndSeen = false;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        qsizetype next = end;
        if (next < text.size())
            next +=
                (text[next] == u'\r' && next + 1 < text.size() && text[next + 1] == u'\n') ? 2 : 1;
        TLine line{text.mid(pos, end - pos), text.mid(end, next - end)};
        if (!lineEndSeen && !line.End.isEmpty()) {
            FLineEnd = line.End;
            lineEndSeen = true;
        }
        FLines.push_back(std::move(line));
        pos = next;
    }
    Reindex();
}

void TIniFile::Clear() {
    FLines.clear();
    FSections.clear();
    FFirstSection.clear();
    FLineEnd = QStringLiteral("\n");
    FBom = false;
}

QString TIniFile::Text() const {
    QString text;
    for (const TLine& line : FLines)
        text += line.Text + line.End;
    return text;
}

bool TIniFile::SaveToFile(const QString& path, QString* error) const {
    QByteArray bytes = FBom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    bytes += Text().toUtf8();
    return WriteFileAtomic(path, bytes, error);
}

void TIniFile::Reindex() {
    FSections.clear();
    FFirstSection.clear();
    for (int i = 0; i < static_cast<int>(FLines.size()); ++i) {
        std::optional<QString> name = HeaderName(FLines[i].Text);
        if (!name)
            continue;
        if (!FSections.empty())
            FSections.back().EndLine = i;
        QString folded = Folded(*name);
        if (!FFirstSection.contains(folded))
            FFirstSection.insert(folded, static_cast<int>(FSections.size()));
        FSections.push_back({i, i + 1, static_cast<int>(FLines.size())});
    }
}

const TIniFile::TSectionRange* TIniFile::FindSection(const QString& section) const {
    auto it = FFirstSection.constFind(Folded(section.trimmed()));
    return it == FFirstSection.constEnd() ? nullptr : &FSections[*it];
}

int TIniFile::FindKeyLine(const TSectionRange& range, const QString& key) const {
    QString wanted = key.trimmed();
    for (int i = range.FirstLine; i < range.EndLine; ++i) {
        const QString& text = FLines[i].Text;
        qsizetype eq = text.indexOf(u'=');
        if (eq < 0 || IsComment(text.trimmed()))
            continue;
        if (text.left(eq).trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool TIniFile::SectionExists(const QString& section) const {
    return FindSection(section) != nullptr;
}

std::optional<QString> TIniFile::Value(const QString& section, const QString& key) const {
    const TSectionRange* range = FindSection(section);
    if (!range)
        return std::nullopt;
    int line = FindKeyLine(*range, key);
    if (line < 0)
        return std::nullopt;
    const QString& text = FLines[line].Text;
    return text.mid(text.indexOf(u'=') + 1).trimmed();
}

QString TIniFile::ReadString(const QString& section, const QString& key,
                             const QString& fallback) const {
    return Value(section, key).value_or(fallback);
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int fallback) const {
    std::optional<QString> text = Value(section, key);
    if (!text)
        return fallback;
    bool ok = false;
    int value = text->toInt(&ok, 10);
    return ok ? value : fallback;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::InsertLine(int index, const QString& text) {
    // The new line ends as the line before it does: in a file of mixed line ends the file's
    // first one could be a lone CR, which before an empty line ending in LF would read back as
    // one CR LF and lose that line.
    TLine line{text, index > 0 ? FLines[index - 1].End : FLineEnd};
    // A last line without a line end keeps that property: the end moves to the line before.
    if (index == static_cast<int>(FLines.size()) && index > 0 && FLines[index - 1].End.isEmpty()) {
        FLines[index - 1].End = FLineEnd;
        line.End.clear();
    }
    FLines.insert(FLines.begin() + index, std::move(line));
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& text) {
    const QString value = OneLine(text);
    const TSectionRange* range = FindSection(section);
    if (!range) {
        if (!FLines.empty() && !FLines.back().Text.trimmed().isEmpty())
            InsertLine(static_cast<int>(FLines.size()), QString());
        InsertLine(static_cast<int>(FLines.size()), u'[' + section + u']');
        InsertLine(static_cast<int>(FLines.size()), key + u'=' + value);
        Reindex();
        return;
    }
    if (int line = FindKeyLine(*range, key); line >= 0) {
        // Keep the key as spelled in the file and any blanks after "="; replace only the value.
        QString& text = FLines[line].Text;
        qsizetype start = text.indexOf(u'=') + 1;
        while (start < text.size() && text[start].isSpace())
            ++start;
        text = text.left(start) + value;
        return;
    }
    int after = range->Header;
    for (int i = range->FirstLine; i < range->EndLine; ++i) {
        QString trimmed = FLines[i].Text.trimmed();
        if (!trimmed.isEmpty() && !IsComment(trimmed))
            after = i;
    }
    InsertLine(after + 1, key + u'=' + value);
    Reindex();
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
