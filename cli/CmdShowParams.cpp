// kq9ctl show-params FILE.app [--page ID]: prints the parameters of a parameter file as the
// parameter editor shows them, page by page in the order of the group tree (or only page ID,
// group × 100 + subgroup): a heading with the page and its caption, then the five columns of
// every filled row, separated by tabs.

#include "app/GlobalVar.h"
#include "cli/CtlCommands.h"
#include "cli/CtlExit.h"
#include "cli/CtlFiles.h"
#include "cli/CtlOptions.h"
#include "cli/CtlParams.h"
#include "cli/CtlPort.h"
#include "params/EditParamPage.h"
#include "params/GroupTree.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"

#include <iostream>
#include <optional>

namespace {

struct TShowParamsArguments {
    std::string Path;
    std::optional<int> Page;
};

bool ParseArguments(const TCtlOptions& options, TShowParamsArguments& parsed) {
    TCommandArguments arguments;
    if (!TakeCommandArguments(options, {{"--page"}, {}}, arguments))
        return false;
    for (const auto& [name, value] : arguments.Options) {
        bool isNumber = false;
        int page = QString::fromStdString(value).toInt(&isNumber);
        if (!isNumber || page < 0) {
            std::cerr << "kq9ctl: show-params: --page takes group × 100 + subgroup, not " << value
                      << '\n'
                      << CtlUsage();
            return false;
        }
        parsed.Page = page;
    }
    if (arguments.Words.size() != 1) {
        std::cerr << "kq9ctl: show-params needs one parameter file\n" << CtlUsage();
        return false;
    }
    parsed.Path = arguments.Words[0];
    return true;
}

void PrintPage(const TGroupTreeNode& node) {
    std::cout << PageId(node.Groep, node.Subgroep) << '\t' << node.Caption.toStdString() << '\n';
    for (const TParamRow& row : FillParamPage(node.Groep, node.Subgroep))
        if (row.Parameter >= 0)
            std::cout << ParamRowLine(row).toStdString() << '\n';
}

} // namespace

int RunShowParamsCommand(const TCtlOptions& options) {
    TShowParamsArguments arguments;
    if (!ParseArguments(options, arguments))
        return CtlExit::Usage;
    // The port is never opened; it only reads the settings (the language among them).
    TCtlPort settings(options);
    LoadParameterTexts();
    QString treePath = ProgramFile(GroupTreeFileName(GlobalVar().Taal));
    TGroupTree tree;
    if (!ParamDefs().ParameterDefGeladen() || !ParamDefs().ParamNoGeladen() ||
        !LoadGroupTree(treePath, tree)) {
        std::cerr << "kq9ctl: show-params needs Parameters.txt, ParNo.txt and "
                  << GroupTreeFileName(GlobalVar().Taal).toStdString() << " in "
                  << GlobalVar().ProgramPath.toStdString() << '\n';
        return CtlExit::FileError;
    }
    if (!tree.Error.isEmpty())
        std::cerr << "kq9ctl: " << GroupTreeErrorReport(tree).toStdString() << '\n';
    if (int result = ReadParamFileForCtl(arguments.Path, ParamStore().ParData, nullptr);
        result != CtlExit::Success)
        return result;

    bool shown = false;
    for (const TGroupTreeNode& node : tree.Nodes) {
        if (node.Groep == 0 || !PageDefined(node.Groep, node.Subgroep))
            continue;
        if (arguments.Page && *arguments.Page != PageId(node.Groep, node.Subgroep))
            continue;
        if (shown)
            std::cout << '\n';
        PrintPage(node);
        shown = true;
    }
    if (arguments.Page && !shown) {
        std::cerr << "kq9ctl: the group tree and the page table have no page " << *arguments.Page
                  << '\n';
        return CtlExit::Usage;
    }
    return CtlExit::Success;
}
