#pragma once
// A reader of the rich text (RTF) the help documents are written in: groups, paragraphs,
// bold, italic and underline, font sizes, the font and colour tables, paragraph spacing,
// indents and alignment, "\'hh" bytes (Windows-1252), "\uN" characters and ignorable
// destinations. Anything else is skipped. The reader never fails: unbalanced braces, unknown
// control words and cut-off escapes give the text that can be made of them. A text that is no
// RTF at all is taken as plain text.

#include <QByteArrayView>
#include <QString>

#include <map>
#include <optional>
#include <vector>

struct TRtfCharFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int HalfPoints = 24; // "\fs": the size in half points
    int Color = -1;      // "\cf": index into the colour table; -1 the automatic colour
    int Font = -1;       // "\f": number in the font table; -1 the document's default font
    friend bool operator==(const TRtfCharFormat&, const TRtfCharFormat&) = default;
};

enum class TRtfAlignment { Left, Center, Right, Justify };

// Lengths in twips (a twentieth of a point).
struct TRtfParagraphFormat {
    TRtfAlignment Alignment = TRtfAlignment::Left;
    int SpaceBefore = 0;
    int SpaceAfter = 0;
    int LeftIndent = 0;
    int RightIndent = 0;
    int FirstLineIndent = 0;
};

struct TRtfRun {
    QString Text;
    TRtfCharFormat Format;
};

struct TRtfParagraph {
    TRtfParagraphFormat Format;
    std::vector<TRtfRun> Runs;
    QString Text() const;
};

struct TRtfColor {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
};

struct TRtfDocument {
    std::map<int, QString> Fonts;
    int DefaultFont = 0;
    // Empty entries are the automatic colour.
    std::vector<std::optional<TRtfColor>> Colors;
    std::vector<TRtfParagraph> Paragraphs;

    // Null for the automatic colour: no index, an empty entry, or one the table does not hold.
    const TRtfColor* Color(int index) const;
    // The family of a run's font; empty when the table does not name it.
    QString FontName(int font) const;
    // The paragraphs' texts, each ended by a line end.
    QString PlainText() const;
};

TRtfDocument ParseRtf(QByteArrayView data);
