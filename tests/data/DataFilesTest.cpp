// The files shipped beside the program, read through the program's own readers: every text the
// program reads is in every language file, every parameter is fully defined, the page table and
// the group trees describe the same pages, and the error help documents are well-formed RTF.

#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextFile.h"
#include "app/TextKeys.h"
#include "params/GroupTree.h"
#include "params/ParamDefs.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QStringDecoder>

#include <cstdint>
#include <tuple>
#include <vector>

namespace {

constexpr int LanguageCount = 3;
constexpr int ParameterTotal = 400;
constexpr int EditorRows = 18;

QString DataFile(const QString& name) {
    return QString::fromLocal8Bit(qgetenv("KQ9_DATA_DIR")) + u'/' + name;
}

TParamDefs LoadedDefinitions() {
    TParamDefs defs;
    EXPECT_TRUE(defs.LoadParameterDefs(DataFile(QStringLiteral("Parameters.txt"))));
    EXPECT_TRUE(defs.LoadParamNo(DataFile(QStringLiteral("ParNo.txt"))));
    return defs;
}

std::string Std(const QString& text) {
    return text.toStdString();
}

} // namespace

TEST(TextKeyRegistry, KeysAreUniqueAndFoundWithoutRegardToCase) {
    QSet<QString> seen;
    for (const TTextKey& key : AllTextKeys()) {
        QString name =
            QString::fromUtf8(key.Section).toLower() + u'/' + QString::fromUtf8(key.Key).toLower();
        EXPECT_FALSE(seen.contains(name)) << "key registered twice: " << Std(name);
        seen.insert(name);
    }
    const TTextKey* found = FindTextKey("EDITSOLLWERT", "kolomtekst_NO");
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(found->Section, "EditSollwert");
    EXPECT_STREQ(found->Key, "Kolomtekst_no");
    ASSERT_NE(FindTextKey("EditParam", "default"), nullptr);
    EXPECT_STREQ(TextKey::EditParam::default_.Key, "default");
    EXPECT_EQ(FindTextKey("EditParam", "defaults"), nullptr);
    EXPECT_EQ(FindTextKey("Mainx", "GroepActual"), nullptr);
    EXPECT_STREQ(WithDefault(TextKey::EditParam::OpenFilter, "*.app").Default, "*.app");
}

TEST(ShippedFiles, TextFilesAreUtf8) {
    QStringList names{QStringLiteral("Parameters.txt"), QStringLiteral("ParNo.txt")};
    for (int taal = 0; taal < LanguageCount; ++taal)
        names << LanguageFileName(taal) << GroupTreeFileName(taal);
    for (const QString& name : names) {
        QByteArray bytes;
        ASSERT_TRUE(ReadFileBytes(DataFile(name), bytes)) << Std(name);
        QStringDecoder utf8(QStringDecoder::Utf8);
        static_cast<void>(QString(utf8(bytes)));
        EXPECT_FALSE(utf8.hasError()) << Std(name) << " is not UTF-8";
    }
}

TEST(LanguageFiles, HoldEveryKeyTheProgramReads) {
    const QString missing = QStringLiteral("\x01missing");
    SetProgramPath(DataFile({}));
    for (int taal = 0; taal < LanguageCount; ++taal) {
        GlobalVar().Taal = taal;
        TekstFile_Lezen();
        ASSERT_TRUE(GlobalVar().LanguageFileLoaded) << Std(LanguageFileName(taal));
        for (const TTextKey& key : AllTextKeys()) {
            QString text =
                Tekst(QString::fromUtf8(key.Section), QString::fromUtf8(key.Key), missing);
            EXPECT_NE(text, missing)
                << Std(LanguageFileName(taal)) << " lacks [" << key.Section << "] " << key.Key;
            EXPECT_FALSE(text.isEmpty()) << Std(LanguageFileName(taal)) << " [" << key.Section
                                         << "] " << key.Key << " is empty";
        }
        TekstFile_Vrijgeven();
    }
}

TEST(LanguageFiles, ListKeysHaveOneItemPerListEntry) {
    // Each list fills a drop-down whose item index is an ordinal of the program.
    const std::vector<std::pair<const TTextKey*, int>> lists{
        {&TextKey::Opties::TaalItems, 3},         {&TextKey::InitCom::PortItems, 16},
        {&TextKey::InitCom::IOItems, 4},          {&TextKey::InitCom::BaudItems, 6},
        {&TextKey::InitCom::DataBitItems, 2},     {&TextKey::InitCom::ParityItems, 3},
        {&TextKey::InitCom::StopbitItems, 2},     {&TextKey::InitCom::HardwareItems, 4},
        {&TextKey::InitCom::PortTypeItems, 3},    {&TextKey::InitCom::ReceiverItems, 2},
        {&TextKey::InitCom::TransmitterItems, 4}, {&TextKey::Grafiek::optiesBron, 7},
    };
    SetProgramPath(DataFile({}));
    for (int taal = 0; taal < LanguageCount; ++taal) {
        GlobalVar().Taal = taal;
        TekstFile_Lezen();
        ASSERT_TRUE(GlobalVar().LanguageFileLoaded);
        for (const auto& [key, count] : lists) {
            QStringList items = TekstList(*key);
            EXPECT_EQ(items.size(), count) << Std(LanguageFileName(taal)) << " " << key->Key;
            EXPECT_FALSE(items.contains(QString())) << key->Key << " has an empty item";
        }
        EXPECT_EQ(TekstList(TextKey::InitCom::BaudItems).value(0), QStringLiteral("9600"));
        EXPECT_EQ(TekstList(TextKey::Opties::TaalItems),
                  (QStringList{QStringLiteral("Nederlands"), QStringLiteral("English"),
                               QStringLiteral("Deutsch")}));
        TekstFile_Vrijgeven();
    }
}

TEST(ParameterDefinitions, EveryParameterIsFullyDefined) {
    TParamDefs defs = LoadedDefinitions();
    const TDefIniFile& ini = defs.ParameterDefIni();
    for (int nr = 0; nr < ParameterTotal; ++nr) {
        SCOPED_TRACE("parameter " + std::to_string(nr));
        ASSERT_TRUE(defs.HasDefinition(nr));
        EXPECT_TRUE(defs.Type(nr) == 0 || defs.Type(nr) == 1);
        EXPECT_TRUE(defs.Dec(nr) >= 0 && defs.Dec(nr) <= 10);
        EXPECT_LE(defs.Min(nr), defs.Default(nr));
        EXPECT_LE(defs.Default(nr), defs.Max(nr));
        for (int taal = 0; taal < LanguageCount; ++taal) {
            EXPECT_FALSE(defs.Naam(nr, taal).trimmed().isEmpty()) << "no name " << taal;
            std::string key = "opties" + std::to_string(taal);
            std::optional<std::string> raw = ini.Value(Std(ParameterSection(nr)), key);
            if (raw && raw->starts_with('#')) {
                std::string shared = raw->substr(1);
                std::optional<std::string> list = ini.Value(shared, key);
                EXPECT_TRUE(list && !list->empty()) << "unresolved " << *raw;
                EXPECT_FALSE(list && list->starts_with('#')) << *raw << " refers on";
            }
            if (defs.Type(nr) != 1)
                continue;
            QStringList options = defs.Opties(nr, taal);
            EXPECT_EQ(defs.Min(nr), 0);
            EXPECT_EQ(options.size(), defs.Max(nr) + 1) << "options in language " << taal;
            EXPECT_FALSE(options.contains(QString()));
        }
    }
}

TEST(ParameterDefinitions, FixedMeaningsMatchTheProgram) {
    TParamDefs defs = LoadedDefinitions();
    struct TExpected {
        int First, Last;
        int Type, Dec; // -1: any
        int Min, Max;  // for options: 0 and the number of options - 1; INT_MIN: any
    };
    constexpr int Any = INT32_MIN;
    const std::vector<TExpected> expected{
        {203, 203, 0, 0, 0, 8},      {248, 248, 0, 0, 0, 8},      // decimals of codes 9, 10
        {7, 54, 0, 9, Any, Any},     {55, 78, 0, 9, 0, Any},      // cam positions, hysteresis
        {94, 97, 0, 3, Any, Any},                                 // output advance
        {140, 169, 0, 9, Any, Any},  {170, 199, 0, 10, Any, Any}, // linearisation X, Y
        {247, 247, 0, 0, 2, 30},                                  // linearisation points
        {226, 226, 1, -1, 0, 2},     {388, 388, 1, -1, 0, 2},     // analog in, out selection
        {241, 241, 1, -1, 0, 2},     {246, 246, 1, -1, Any, Any}, // linearisation mode, source
        {200, 200, 1, -1, 0, 2},     {201, 201, 1, -1, 0, 2},     // K0 function, encoder type
        {212, 212, 1, -1, Any, Any}, {218, 218, 1, -1, 0, 4},     // K0 reference, adjustment
        {256, 279, 1, -1, 0, 3},     {280, 303, 1, -1, Any, Any}, // cam function, source
        {304, 351, 1, -1, 0, 52},    {352, 375, 1, -1, 0, 4},     // selectors, output
        {249, 252, 1, -1, Any, Any}, {389, 392, 1, -1, Any, Any}, // input, output functions
    };
    for (const TExpected& e : expected) {
        for (int nr = e.First; nr <= e.Last; ++nr) {
            SCOPED_TRACE("parameter " + std::to_string(nr));
            EXPECT_EQ(defs.Type(nr), e.Type);
            if (e.Dec >= 0) {
                EXPECT_EQ(defs.Dec(nr), e.Dec);
            }
            if (e.Min != Any) {
                EXPECT_EQ(defs.Min(nr), e.Min);
            }
            if (e.Max != Any) {
                EXPECT_EQ(defs.Max(nr), e.Max);
            }
        }
    }
    // The four inputs and the four outputs share one list each.
    for (int first : {249, 389})
        for (int nr = first + 1; nr < first + 4; ++nr)
            EXPECT_EQ(defs.Opties(nr, 1), defs.Opties(first, 1)) << nr;
}

TEST(PageTable, HoldsEveryParameterOnceInTheEditorRows) {
    TParamDefs defs = LoadedDefinitions();
    const TDefIniFile& pages = defs.ParamNoIni();
    QMap<int, int> pageOf;
    QSet<QString> sections;
    for (const std::string& section : pages.SectionNames()) {
        SCOPED_TRACE("page " + section);
        EXPECT_FALSE(sections.contains(QString::fromStdString(section).toLower()));
        sections.insert(QString::fromStdString(section).toLower());
        int32_t pageId = -1;
        ASSERT_TRUE(ParseDefInteger(section, pageId));
        const std::vector<std::string>* lines = pages.SectionLines(section);
        ASSERT_TRUE(lines && !lines->empty());
        for (const std::string& line : *lines) {
            size_t equals = line.find('=');
            ASSERT_NE(equals, std::string::npos) << line;
            int32_t row = 0;
            int32_t nr = -1;
            ASSERT_TRUE(line.starts_with("ParId") &&
                        ParseDefInteger(line.substr(5, equals - 5), row))
                << line;
            EXPECT_TRUE(row >= 1 && row <= EditorRows) << line;
            ASSERT_TRUE(ParseDefInteger(line.substr(equals + 1), nr)) << line;
            ASSERT_TRUE(nr >= 0 && nr < ParameterTotal) << line;
            EXPECT_EQ(defs.PageRow(pageId, row), nr);
            EXPECT_TRUE(defs.HasDefinition(nr)) << line;
            EXPECT_FALSE(pageOf.contains(nr))
                << "parameter " << nr << " also on page " << pageOf.value(nr);
            pageOf.insert(nr, pageId);
        }
    }
    EXPECT_EQ(pageOf.size(), ParameterTotal);
}

TEST(GroupTrees, MatchThePageTableInEveryLanguage) {
    TParamDefs defs = LoadedDefinitions();
    QSet<int> tablePages;
    for (const std::string& section : defs.ParamNoIni().SectionNames())
        tablePages.insert(QString::fromStdString(section).toInt());

    std::vector<std::tuple<int, int, int>> firstShape;
    for (int taal = 0; taal < LanguageCount; ++taal) {
        SCOPED_TRACE(Std(GroupTreeFileName(taal)));
        TGroupTree tree;
        ASSERT_TRUE(LoadGroupTree(DataFile(GroupTreeFileName(taal)), tree));
        EXPECT_TRUE(tree.Error.isEmpty()) << Std(tree.Error);
        ASSERT_FALSE(tree.Nodes.empty());
        // The print-out tells groups from subgroups by exactly one or two leading tabs.
        for (qsizetype i = 1; i < tree.Lines.size(); ++i) {
            const QString& line = tree.Lines[i];
            qsizetype tabs = line.startsWith(QStringLiteral("\t\t")) ? 2 : 1;
            EXPECT_TRUE(line.startsWith(u'\t') && !line.mid(tabs).isEmpty() &&
                        !line.mid(tabs).front().isSpace())
                << Std(line);
        }
        std::vector<std::tuple<int, int, int>> shape;
        QSet<int> treePages;
        for (size_t i = 0; i < tree.Nodes.size(); ++i) {
            const TGroupTreeNode& node = tree.Nodes[i];
            EXPECT_LE(node.Level, 2) << Std(node.Caption);
            shape.emplace_back(node.Level, node.Groep, node.Subgroep);
            bool hasSubgroups =
                i + 1 < tree.Nodes.size() && tree.Nodes[i + 1].Parent == static_cast<int>(i);
            if (node.Level == 2 || (node.Level == 1 && !hasSubgroups))
                treePages.insert(PageId(node.Groep, node.Subgroep));
        }
        EXPECT_EQ(treePages, tablePages);
        if (taal == 0)
            firstShape = shape;
        else
            EXPECT_EQ(shape, firstShape);
    }

    // The editor's clear button sets every value shown in group 9 to 0, which each of them must
    // allow.
    int cleared = 0;
    for (int page : tablePages) {
        if (page / 100 != 9)
            continue;
        for (int row = 1; row <= EditorRows; ++row) {
            int nr = defs.PageRow(page, row);
            if (nr < 0)
                continue;
            ++cleared;
            EXPECT_EQ(defs.Type(nr), 0) << nr;
            EXPECT_TRUE(defs.Min(nr) <= 0 && defs.Max(nr) >= 0) << nr;
        }
    }
    EXPECT_GT(cleared, 0);
}

TEST(ErrorHelp, DocumentsAreWellFormedRtfListingEveryErrorNumber) {
    const char* errorWord[LanguageCount] = {"Fout", "Error", "Fehler"};
    for (int taal = 0; taal < LanguageCount; ++taal) {
        QString name = QStringLiteral("ErrorHelp%1.rtf").arg(taal);
        SCOPED_TRACE(Std(name));
        QByteArray rtf;
        ASSERT_TRUE(ReadFileBytes(DataFile(name), rtf));
        EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
        int depth = 0;
        qsizetype closed = -1; // where the outermost group ends
        for (qsizetype i = 0; i < rtf.size() && closed < 0; ++i) {
            char c = rtf[i];
            EXPECT_LT(static_cast<unsigned char>(c), 128) << "byte above 127 at " << i;
            if (c == '\\')
                ++i; // an escaped brace or backslash, or the first letter of a control word
            else if (c == '{')
                ++depth;
            else if (c == '}' && --depth == 0)
                closed = i;
        }
        EXPECT_EQ(depth, 0);
        ASSERT_GE(closed, 0);
        EXPECT_TRUE(rtf.mid(closed + 1).trimmed().isEmpty()) << "text after the document";
        EXPECT_TRUE(rtf.contains("{\\fonttbl") && rtf.contains("{\\colortbl"));
        for (int number = 1; number <= 15; ++number)
            EXPECT_TRUE(
                rtf.contains(QByteArray(errorWord[taal]) + ' ' + QByteArray::number(number) + ':'))
                << "error " << number << " is not described";
    }
}
