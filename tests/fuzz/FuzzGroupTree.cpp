// The group-tree reader of the parameter editor's pages: whatever the file holds, the nodes
// form a tree whose levels and page numbers agree with their parents.

#include "app/TextFile.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"
#include "params/GroupTree.h"

KQ9_FUZZ_TARGET(group_tree) {
    const TGroupTree tree = ParseGroupTree(DecodeText(FuzzBytes(data, size)));
    FUZZ_CHECK(tree.Error.isEmpty() || tree.Error == InvalidLevelMessage);
    FUZZ_CHECK(tree.Nodes.size() <= static_cast<size_t>(tree.Lines.size()));
    for (size_t i = 0; i < tree.Nodes.size(); ++i) {
        const TGroupTreeNode& node = tree.Nodes[i];
        FUZZ_CHECK(node.Parent < static_cast<int>(i));
        if (node.Parent < 0) {
            FUZZ_CHECK(node.Level == 0 && node.Groep == 0 && node.Subgroep == 0);
            continue;
        }
        const TGroupTreeNode& parent = tree.Nodes[static_cast<size_t>(node.Parent)];
        FUZZ_CHECK(node.Level == parent.Level + 1);
        if (node.Level == 1)
            FUZZ_CHECK(node.Groep >= 1 && node.Subgroep == 0);
        else if (node.Level == 2)
            FUZZ_CHECK(node.Groep == parent.Groep && node.Subgroep >= 1);
        else
            FUZZ_CHECK(node.Groep == 0 && node.Subgroep == 0);
    }
}
