#include "print/ParameterList.h"

#include "app/ErrorRaised.h"
#include "app/GlobalVar.h"
#include "app/TextFile.h"
#include "params/EditParamPage.h"
#include "params/GroupTree.h"
#include "params/ParamDefs.h"
#include "print/PrintTexts.h"

#include <QFileInfo>

namespace {

const QString Gap = QStringLiteral("   ");

// The raw "ParId" entry of a row: -1 for a missing key or one that is no number.
int32_t RawRow(const TParamDefs& defs, int pageId, int row) {
    return defs.ParamNoIni().ReadInteger(std::to_string(pageId), "ParId" + std::to_string(row), -1);
}

// The last row holding an entry. Rows up to it are printed, the empty ones among them as blank
// lines, so a gap in the page table never hides the rows after it.
int LastFilledRow(const TParamDefs& defs, int pageId) {
    int last = 0;
    for (int row = 1; row <= PrintedPageRows; ++row)
        if (RawRow(defs, pageId, row) != -1)
            last = row;
    return last;
}

// The row as the parameter editor shows it, but a parameter without a definition is printed
// with its value alone: the list names no parameter it knows nothing of.
QString PrintedParameterRow(const TParamDefs& defs, int groep, int subgroep, int row, int nr) {
    TParamRow cells = ParameterRow(nr, defs);
    cells.Cells[ColPositie] = PagePosition(groep, subgroep, row);
    if (!defs.HasDefinition(nr))
        cells.Cells[ColNummer].clear();
    return InitParameterHeader(cells.Cells);
}

class TParameterListLayout {
public:
    TParameterListLayout(const TPrintMetrics& metrics, const TPrintHeader& header,
                         const TParameterListInput& input)
        : FPage(metrics, header), FInput(input), FDefs(*input.Defs),
          FColumnHeader(InitParameterHeader(input.ColumnTexts)) {}

    TPrintDocument Run();

private:
    void PrintPage(int groep, int subgroep, const QString& heading);
    void PrintMenuParameters(int groep, int subgroep);

    TPageLayout FPage;
    const TParameterListInput& FInput;
    const TParamDefs& FDefs;
    QString FColumnHeader;
};

TPrintDocument TParameterListLayout::Run() {
    if (!FInput.TreeLines)
        return FPage.TakeDocument();
    const QStringList& lines = *FInput.TreeLines;
    if (!lines.isEmpty()) {
        FPage.PrintText(PrintFont::Bold14, lines.front());
        FPage.Advance(FPage.Metrics().TextHeight(PrintFont::Bold14));
    }
    int groep = 0;
    int subgroep = 0;
    QString groupCaption;
    QString subgroupCaption;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(QStringLiteral("\t\t"))) {
            ++subgroep;
            subgroupCaption = line.trimmed();
        } else if (line.startsWith(u'\t')) {
            ++groep;
            subgroep = 0;
            groupCaption = line.trimmed();
            subgroupCaption.clear();
        } else {
            // A line without a leading tab starts no page of its own.
            continue;
        }
        QString heading = groupCaption;
        if (subgroep > 0)
            heading += QStringLiteral(" > ") + subgroupCaption;
        PrintPage(groep, subgroep, heading);
    }
    return FPage.TakeDocument();
}

void TParameterListLayout::PrintPage(int groep, int subgroep, const QString& heading) {
    if (!FDefs.ParameterDefGeladen() || !FDefs.ParamNoGeladen())
        return;
    if (RawRow(FDefs, PageId(groep, subgroep), 1) == -1)
        return;
    // A heading never stands alone at the bottom of a page.
    FPage.EnsureRoom(PrintFont::Bold12, 2);
    FPage.PrintText(PrintFont::Bold12, heading);
    FPage.Advance(FPage.Metrics().TextHeight(PrintFont::Bold12));
    PrintMenuParameters(groep, subgroep);
}

void TParameterListLayout::PrintMenuParameters(int groep, int subgroep) {
    const int pageId = PageId(groep, subgroep);
    FPage.EnsureRoom(PrintFont::Bold10, 1);
    FPage.PrintText(PrintFont::Bold10, FColumnHeader);
    FPage.Advance(FPage.LineHeight());
    const int last = LastFilledRow(FDefs, pageId);
    for (int row = 1; row <= last; ++row) {
        FPage.EnsureRoom(PrintFont::Normal10, 1);
        // PageRow also empties a row naming a number outside the store.
        const int32_t nr = FDefs.PageRow(pageId, row);
        if (nr >= 0)
            FPage.PrintText(PrintFont::Normal10,
                            PrintedParameterRow(FDefs, groep, subgroep, row, nr));
        FPage.Advance(FPage.LineHeight());
    }
    FPage.Advance(FPage.LineHeight());
}

} // namespace

QString InitParameterHeader(const std::array<QString, 5>& columns) {
    return JoinColumns({{columns[0], 6, Gap},
                        {columns[1], 3, Gap},
                        {columns[2], 38, {}},
                        {columns[3], -11, Gap},
                        {columns[4], 18, {}}});
}

TPrintDocument LayoutParameterList(const TPrintMetrics& metrics, const TPrintHeader& header,
                                   const TParameterListInput& input) {
    return TParameterListLayout(metrics, header, input).Run();
}

std::optional<QStringList> ReadPrintTree(const QString& path, QString& error) {
    if (!QFileInfo::exists(path))
        return std::nullopt;
    QString text;
    QString reason;
    if (!ReadTextFile(path, text, nullptr, &reason)) {
        error = FileReadErrorText(path, reason);
        return QStringList();
    }
    return ParseGroupTree(text).Lines;
}

TPrintDocument PrintParameters(const TPrintMetrics& metrics, const TPrintHeader& header,
                               QString& treeError) {
    TParameterListInput input;
    input.ColumnTexts = ParameterColumnTexts();
    input.Defs = &ParamDefs();
    input.TreeLines = ReadPrintTree(ProgramFile(GroupTreeFileName(GlobalVar().Taal)), treeError);
    return LayoutParameterList(metrics, header, input);
}
