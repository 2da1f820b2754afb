#pragma once
// The group tree "Tree0.txt", "Tree1.txt" or "Tree2.txt": the names of the parameter editor's
// pages. One node per line; the number of leading blanks or tabs is the line's level, the rest
// its caption. The first line is the root; a line may go at most one level deeper than the line
// before it. Level 1 nodes are the groups, level 2 nodes the subgroups of the group above.

#include <QString>
#include <QStringList>

#include <vector>

inline const QString InvalidLevelMessage = QStringLiteral("Invalid item level assignment");

struct TGroupTreeNode {
    int Level = 0;   // depth in the tree: 0 for the root
    int Parent = -1; // index of the parent node, -1 for a root
    QString Caption;
    // The page the node stands for: group (from 1) and subgroup (from 1; 0 for a whole group).
    // Both 0 for the root and for nodes below the subgroups.
    int Groep = 0;
    int Subgroep = 0;
};

struct TGroupTree {
    std::vector<TGroupTreeNode> Nodes; // in file order
    QStringList Lines;                 // the file's lines as read, for walking them directly
    // InvalidLevelMessage when a line jumped more than one level deeper; the nodes before that
    // line stay loaded.
    QString Error;
};

// The report of a tree that stopped loading, naming the kind of error and its message, as the
// windows that load the tree show it: "EGroupTreeError error raised, with message : …".
QString GroupTreeErrorReport(const TGroupTree& tree);

// "Tree1.txt" for 1, "Tree2.txt" for 2, "Tree0.txt" for any other index.
QString GroupTreeFileName(int taal);

TGroupTree ParseGroupTree(const QString& text);
// False when the file does not exist or cannot be read; the tree is then empty.
bool LoadGroupTree(const QString& path, TGroupTree& tree);
