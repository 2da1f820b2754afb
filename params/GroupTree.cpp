#include "params/GroupTree.h"

#include "app/ErrorRaised.h"
#include "app/TextFile.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <optional>

namespace {

int LeadingLevel(const QString& line) {
    int level = 0;
    while (level < line.size() && (line[level] == u' ' || line[level] == u'\t'))
        ++level;
    return level;
}

// The parent for a line of file level `level` after the node `last`: the node itself when the
// line goes one deeper, else the node's ancestor whose children stand at that level. Nothing when
// the line jumps deeper than one level.
std::optional<int> ParentFor(const std::vector<TGroupTreeNode>& nodes, int last, int level) {
    if (level == nodes[last].Level + 1)
        return last;
    if (level > nodes[last].Level)
        return std::nullopt;
    int node = last;
    while (nodes[node].Level > level)
        node = nodes[node].Parent;
    return nodes[node].Parent;
}

void NumberPages(std::vector<TGroupTreeNode>& nodes) {
    std::vector<int> childCount(nodes.size() + 1, 0); // [parent + 1]: children so far
    for (TGroupTreeNode& node : nodes) {
        int position = ++childCount[node.Parent + 1];
        if (node.Level == 1) {
            node.Groep = position;
        } else if (node.Level == 2) {
            node.Groep = nodes[node.Parent].Groep;
            node.Subgroep = position;
        }
    }
}

} // namespace

QString GroupTreeErrorReport(const TGroupTree& tree) {
    return ErrorRaisedText(QStringLiteral("EGroupTreeError"), tree.Error);
}

QString GroupTreeFileName(int taal) {
    switch (taal) {
    case 1:
        return QStringLiteral("Tree1.txt");
    case 2:
        return QStringLiteral("Tree2.txt");
    default:
        return QStringLiteral("Tree0.txt");
    }
}

TGroupTree ParseGroupTree(const QString& text) {
    TGroupTree tree;
    tree.Lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (!tree.Lines.isEmpty() && tree.Lines.back().isEmpty())
        tree.Lines.removeLast();
    for (const QString& line : std::as_const(tree.Lines)) {
        // A blank line names no page; it would otherwise start a second root.
        if (line.trimmed().isEmpty())
            continue;
        int level = LeadingLevel(line);
        TGroupTreeNode node;
        node.Caption = line.mid(level);
        if (!tree.Nodes.empty()) {
            int last = static_cast<int>(tree.Nodes.size()) - 1;
            std::optional<int> parent = ParentFor(tree.Nodes, last, level);
            if (!parent) {
                tree.Error = InvalidLevelMessage;
                break;
            }
            node.Parent = *parent;
            node.Level = *parent < 0 ? 0 : tree.Nodes[*parent].Level + 1;
        }
        tree.Nodes.push_back(std::move(node));
    }
    NumberPages(tree.Nodes);
    return tree;
}

bool LoadGroupTree(const QString& path, TGroupTree& tree) {
    QString text;
    if (!QFileInfo(path).isFile() || !ReadTextFile(path, text)) {
        tree = TGroupTree();
        return false;
    }
    tree = ParseGroupTree(text);
    return true;
}
