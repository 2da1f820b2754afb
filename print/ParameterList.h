#pragma once
// The parameter list: every page of the group tree that holds parameters, as a heading and one
// line per row with its position, number, name, value and option text, under the page header.

#include "print/PageLayout.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class TParamDefs;

// Highest row of a page the list looks at.
constexpr int PrintedPageRows = 40;

// The five columns padded to the list's widths: 6, 3, 38 on the right, 11 on the left, 18 on the
// right, with three blanks after the first, second and fourth.
QString InitParameterHeader(const std::array<QString, 5>& columns);

struct TParameterListInput {
    std::array<QString, 5> ColumnTexts;
    const TParamDefs* Defs = nullptr;
    // The group tree file's lines; nothing when there is no such file.
    std::optional<QStringList> TreeLines;
};

// The values come from the parameter store.
TPrintDocument LayoutParameterList(const TPrintMetrics& metrics, const TPrintHeader& header,
                                   const TParameterListInput& input);

// The lines of the group tree file at `path`: nothing when it does not exist; an empty list and
// the message to show in `error` when it exists but cannot be read.
std::optional<QStringList> ReadPrintTree(const QString& path, QString& error);

// The list of the program: the definitions, the group tree of the language, the store's values.
// `treeError` gets the message to show when the tree file cannot be read.
TPrintDocument PrintParameters(const TPrintMetrics& metrics, const TPrintHeader& header,
                               QString& treeError);
