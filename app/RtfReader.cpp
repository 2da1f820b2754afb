#include "app/RtfReader.h"

#include "app/TextFile.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Deeper groups share the state of the deepest one, so a flood of braces costs no memory.
constexpr size_t MaxDepth = 200;
constexpr size_t MaxWordLength = 32;
constexpr int MaxParameterDigits = 10;
constexpr int MaxUnicodeSkip = 10;
constexpr int MaxHalfPoints = 2000;
constexpr int MaxTwips = 31680; // 22 inches

enum class TDestination { Text, Skip, FontTable, ColorTable };

struct TState {
    TDestination Destination = TDestination::Text;
    TRtfCharFormat Char;
    TRtfParagraphFormat Paragraph;
    int UnicodeSkip = 1;
};

// Destinations whose contents are not part of the text.
constexpr std::array<std::string_view, 34> SkippedDestinations = {
    "author",    "bkmkend",  "bkmkstart",    "colorschememapping",
    "comment",   "company",  "datastore",    "doccomm",
    "filetbl",   "fldinst",  "footer",       "footerf",
    "footerl",   "footerr",  "footnote",     "generator",
    "header",    "headerf",  "headerl",      "headerr",
    "info",      "keywords", "latentstyles", "listoverridetable",
    "listtable", "object",   "operator",     "pgdsctbl",
    "pict",      "revtbl",   "rsidtbl",      "stylesheet",
    "themedata", "xmlnstbl",
};

bool IsSkippedDestination(std::string_view word) {
    return std::find(SkippedDestinations.begin(), SkippedDestinations.end(), word) !=
           SkippedDestinations.end();
}

int Clamp(long long value, int low, int high) {
    return static_cast<int>(std::clamp<long long>(value, low, high));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Characters a text document takes as the end of a paragraph (or of a frame).
bool EndsParagraph(QChar c) {
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == u'\xFDD0' ||
           c == u'\xFDD1';
}

// The text of a run: every surrogate without its partner replaced, so that a stray "\uN" never
// makes an invalid string, and the characters that would end the paragraph in a text document
// (only "\'hh" and "\uN" can bring them in) made line breaks within it, so that a paragraph of
// the document stays one paragraph on the screen.
QString RunText(const QString& text) {
    QString result = text;
    for (qsizetype i = 0; i < result.size(); ++i) {
        if (result[i].isHighSurrogate() && i + 1 < result.size() && result[i + 1].isLowSurrogate())
            ++i;
        else if (result[i].isSurrogate())
            result[i] = QChar::ReplacementCharacter;
        else if (EndsParagraph(result[i]))
            result[i] = QChar::LineSeparator;
    }
    return result;
}

class TRtfParser {
public:
    explicit TRtfParser(QByteArrayView data) : FData(data) { FStack.emplace_back(); }
    TRtfDocument Run();

private:
    TState& State() { return FStack.back(); }
    void OpenGroup();
    void CloseGroup();
    void ControlSymbol(char symbol);
    void ControlWord(std::string_view word, std::optional<long long> parameter);
    void FormatWord(std::string_view word, std::optional<long long> parameter);
    void ReadControl();
    void Character(QChar c);
    void EndParagraph();
    void FinishFontEntry();
    void FinishColorEntry();
    // A character of text: skipped while a "\uN" replacement is pending.
    void TextChar(QChar c);

    QByteArrayView FData;
    qsizetype FPos = 0;
    std::vector<TState> FStack;
    size_t FOverflow = 0; // groups opened beyond MaxDepth
    int FPendingSkip = 0;
    TRtfDocument FDocument;
    TRtfParagraph FParagraph;
    // The font and colour table entries being read.
    int FFontNumber = 0;
    QString FFontName;
    TRtfColor FColor;
    bool FColorSet = false;
};

TRtfDocument TRtfParser::Run() {
    while (FPos < FData.size()) {
        char c = FData[FPos++];
        switch (c) {
        case '{':
            FPendingSkip = 0;
            OpenGroup();
            break;
        case '}':
            FPendingSkip = 0;
            CloseGroup();
            break;
        case '\\':
            ReadControl();
            break;
        case '\r':
        case '\n':
            break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
                TextChar(static_cast<unsigned char>(c) < 0x80
                             ? QChar(QLatin1Char(c))
                             : DecodeWindows1252(QByteArrayView(&c, 1)).front());
            break;
        }
    }
    if (!FParagraph.Runs.empty())
        EndParagraph();
    return std::move(FDocument);
}

void TRtfParser::OpenGroup() {
    if (FStack.size() >= MaxDepth) {
        ++FOverflow;
        return;
    }
    FStack.push_back(FStack.back());
}

void TRtfParser::CloseGroup() {
    if (FOverflow > 0) {
        --FOverflow;
        return;
    }
    // A closing brace without its opening one closes nothing.
    if (FStack.size() <= 1)
        return;
    TDestination closing = State().Destination;
    FStack.pop_back();
    if (closing == TDestination::FontTable && State().Destination == TDestination::FontTable)
        FinishFontEntry();
}

void TRtfParser::ReadControl() {
    if (FPos >= FData.size())
        return;
    char c = FData[FPos];
    if (!IsLetter(c)) {
        ++FPos;
        ControlSymbol(c);
        return;
    }
    qsizetype start = FPos;
    while (FPos < FData.size() && IsLetter(FData[FPos]) &&
           static_cast<size_t>(FPos - start) < MaxWordLength)
        ++FPos;
    // An overlong word is cut; the rest of its letters are skipped with it.
    std::string_view word(FData.data() + start, static_cast<size_t>(FPos - start));
    while (FPos < FData.size() && IsLetter(FData[FPos]))
        ++FPos;
    std::optional<long long> parameter;
    bool negative = FPos < FData.size() && FData[FPos] == '-';
    qsizetype digits = FPos + (negative ? 1 : 0);
    if (digits < FData.size() && FData[digits] >= '0' && FData[digits] <= '9') {
        FPos = digits;
        long long value = 0;
        int count = 0;
        while (FPos < FData.size() && FData[FPos] >= '0' && FData[FPos] <= '9') {
            if (count++ < MaxParameterDigits)
                value = value * 10 + (FData[FPos] - '0');
            ++FPos;
        }
        parameter = negative ? -value : value;
    }
    if (FPos < FData.size() && FData[FPos] == ' ')
        ++FPos;
    ControlWord(word, parameter);
}

void TRtfParser::ControlSymbol(char symbol) {
    switch (symbol) {
    case '\'': {
        int high = FPos < FData.size() ? HexDigit(FData[FPos]) : -1;
        if (high < 0)
            return;
        ++FPos;
        int low = FPos < FData.size() ? HexDigit(FData[FPos]) : -1;
        // A cut-off escape stands for nothing.
        if (low < 0)
            return;
        ++FPos;
        char byte = static_cast<char>(high * 16 + low);
        TextChar(DecodeWindows1252(QByteArrayView(&byte, 1)).front());
        return;
    }
    case '\\':
    case '{':
    case '}':
        TextChar(QChar(QLatin1Char(symbol)));
        return;
    case '~':
        TextChar(QChar(0x00A0));
        return;
    case '_':
        TextChar(QChar(0x2011));
        return;
    case '*':
        State().Destination = TDestination::Skip;
        return;
    case '\r':
    case '\n':
        ControlWord("par", std::nullopt);
        return;
    default:
        // An optional hyphen ("\-") and unknown symbols stand for nothing, but count as the
        // character that a "\uN" replaces.
        if (FPendingSkip > 0)
            --FPendingSkip;
        return;
    }
}

void TRtfParser::ControlWord(std::string_view word, std::optional<long long> parameter) {
    TState& state = State();
    if (word == "bin") {
        // Binary data: its bytes are skipped unseen.
        FPos += std::clamp<long long>(parameter.value_or(0), 0, FData.size() - FPos);
        return;
    }
    if (state.Destination == TDestination::Skip)
        return;
    if (word == "u") {
        long long code = parameter.value_or(0);
        if (code < 0)
            code += 65536;
        FPendingSkip = 0;
        if (code > 0 && code <= 0xFFFF)
            TextChar(QChar(static_cast<char16_t>(code)));
        FPendingSkip = state.UnicodeSkip;
        return;
    }
    if (FPendingSkip > 0) {
        --FPendingSkip;
        return;
    }
    if (word == "fonttbl") {
        state.Destination = TDestination::FontTable;
        FFontName.clear();
    } else if (word == "colortbl") {
        state.Destination = TDestination::ColorTable;
        FColorSet = false;
        FColor = {};
    } else if (IsSkippedDestination(word)) {
        state.Destination = TDestination::Skip;
    } else if (state.Destination == TDestination::FontTable) {
        if (word == "f")
            FFontNumber = Clamp(parameter.value_or(0), 0, 65535);
    } else if (state.Destination == TDestination::ColorTable) {
        int value = Clamp(parameter.value_or(0), 0, 255);
        if (word == "red" || word == "green" || word == "blue") {
            (word == "red" ? FColor.Red : word == "green" ? FColor.Green : FColor.Blue) = value;
            FColorSet = true;
        }
    } else {
        FormatWord(word, parameter);
    }
}

void TRtfParser::FormatWord(std::string_view word, std::optional<long long> parameter) {
    TState& state = State();
    TRtfCharFormat& format = state.Char;
    TRtfParagraphFormat& paragraph = state.Paragraph;
    const bool on = parameter.value_or(1) != 0;
    auto twips = [&] { return Clamp(parameter.value_or(0), -MaxTwips, MaxTwips); };
    if (word == "par") {
        EndParagraph();
    } else if (word == "line") {
        TextChar(QChar::LineSeparator);
    } else if (word == "tab") {
        TextChar(u'\t');
    } else if (word == "b") {
        format.Bold = on;
    } else if (word == "i") {
        format.Italic = on;
    } else if (word == "ul") {
        format.Underline = on;
    } else if (word == "ulnone") {
        format.Underline = false;
    } else if (word == "fs") {
        format.HalfPoints = Clamp(parameter.value_or(24), 1, MaxHalfPoints);
    } else if (word == "cf") {
        format.Color = Clamp(parameter.value_or(0), 0, 65535);
    } else if (word == "f") {
        format.Font = Clamp(parameter.value_or(0), 0, 65535);
    } else if (word == "deff") {
        FDocument.DefaultFont = Clamp(parameter.value_or(0), 0, 65535);
    } else if (word == "plain") {
        format = TRtfCharFormat();
    } else if (word == "pard") {
        paragraph = TRtfParagraphFormat();
    } else if (word == "uc") {
        state.UnicodeSkip = Clamp(parameter.value_or(1), 0, MaxUnicodeSkip);
    } else if (word == "sa") {
        paragraph.SpaceAfter = twips();
    } else if (word == "sb") {
        paragraph.SpaceBefore = twips();
    } else if (word == "li") {
        paragraph.LeftIndent = twips();
    } else if (word == "ri") {
        paragraph.RightIndent = twips();
    } else if (word == "fi") {
        paragraph.FirstLineIndent = twips();
    } else if (word == "ql") {
        paragraph.Alignment = TRtfAlignment::Left;
    } else if (word == "qc") {
        paragraph.Alignment = TRtfAlignment::Center;
    } else if (word == "qr") {
        paragraph.Alignment = TRtfAlignment::Right;
    } else if (word == "qj") {
        paragraph.Alignment = TRtfAlignment::Justify;
    } else if (word == "emdash") {
        TextChar(QChar(0x2014));
    } else if (word == "endash") {
        TextChar(QChar(0x2013));
    } else if (word == "bullet") {
        TextChar(QChar(0x2022));
    } else if (word == "lquote") {
        TextChar(QChar(0x2018));
    } else if (word == "rquote") {
        TextChar(QChar(0x2019));
    } else if (word == "ldblquote") {
        TextChar(QChar(0x201C));
    } else if (word == "rdblquote") {
        TextChar(QChar(0x201D));
    }
}

void TRtfParser::TextChar(QChar c) {
    if (FPendingSkip > 0) {
        --FPendingSkip;
        return;
    }
    switch (State().Destination) {
    case TDestination::Text:
        Character(c);
        break;
    case TDestination::FontTable:
        if (c == u';')
            FinishFontEntry();
        else
            FFontName += c;
        break;
    case TDestination::ColorTable:
        if (c == u';')
            FinishColorEntry();
        break;
    case TDestination::Skip:
        break;
    }
}

void TRtfParser::Character(QChar c) {
    const TRtfCharFormat& format = State().Char;
    if (FParagraph.Runs.empty() || !(FParagraph.Runs.back().Format == format))
        FParagraph.Runs.push_back({QString(), format});
    FParagraph.Runs.back().Text += c;
}

void TRtfParser::EndParagraph() {
    FParagraph.Format = State().Paragraph;
    for (TRtfRun& run : FParagraph.Runs)
        run.Text = RunText(run.Text);
    FDocument.Paragraphs.push_back(std::move(FParagraph));
    FParagraph = TRtfParagraph();
}

void TRtfParser::FinishFontEntry() {
    QString name = FFontName.trimmed();
    if (!name.isEmpty())
        FDocument.Fonts.emplace(FFontNumber, name);
    FFontName.clear();
}

void TRtfParser::FinishColorEntry() {
    FDocument.Colors.push_back(FColorSet ? std::optional(FColor) : std::nullopt);
    FColor = {};
    FColorSet = false;
}

TRtfDocument PlainTextDocument(QByteArrayView data) {
    TRtfDocument document;
    QString text = DecodeText(data);
    // CR LF, LF and a lone CR (older files) each end a line.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (const QString& line : lines) {
        TRtfParagraph paragraph;
        if (!line.isEmpty())
            paragraph.Runs.push_back({RunText(line), {}});
        document.Paragraphs.push_back(std::move(paragraph));
    }
    return document;
}

} // namespace

QString TRtfParagraph::Text() const {
    QString text;
    for (const TRtfRun& run : Runs)
        text += run.Text;
    return text;
}

const TRtfColor* TRtfDocument::Color(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= Colors.size() ||
        !Colors[static_cast<size_t>(index)])
        return nullptr;
    return &*Colors[static_cast<size_t>(index)];
}

QString TRtfDocument::FontName(int font) const {
    auto found = Fonts.find(font < 0 ? DefaultFont : font);
    return found == Fonts.end() ? QString() : found->second;
}

QString TRtfDocument::PlainText() const {
    QString text;
    for (const TRtfParagraph& paragraph : Paragraphs)
        text += paragraph.Text() + u'\n';
    return text;
}

TRtfDocument ParseRtf(QByteArrayView data) {
    if (!data.startsWith(QByteArrayView("{\\rtf")))
        return PlainTextDocument(data);
    return TRtfParser(data).Run();
}
