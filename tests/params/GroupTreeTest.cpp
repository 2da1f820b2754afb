// The group tree: levels, group and subgroup numbers, and the level error.

#include "params/GroupTree.h"
#include "app/FixtureFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(GroupTree, LevelsGiveGroupsAndSubgroups) {
    TGroupTree tree = ParseGroupTree("KX71 parameters\r\n"
                                     "\tAlgemeen\r\n"
                                     "\t\tInstellingen\r\n"
                                     "\t\tBegrenzingen\r\n"
                                     "\tNokken\r\n"
                                     "\r\n"
                                     " \tUitgangen\r\n"
                                     "\t\t\tdeeper\r\n"
                                     " Service\r\n");
    EXPECT_TRUE(tree.Error.isEmpty());
    ASSERT_EQ(tree.Nodes.size(), 8u);
    EXPECT_EQ(tree.Lines.size(), 9);
    struct Expected {
        int level;
        const char* caption;
        int groep;
        int subgroep;
    };
    const Expected expected[] = {{0, "KX71 parameters", 0, 0}, {1, "Algemeen", 1, 0},
                                 {2, "Instellingen", 1, 1},    {2, "Begrenzingen", 1, 2},
                                 {1, "Nokken", 2, 0},          {2, "Uitgangen", 2, 1},
                                 {3, "deeper", 0, 0},          {1, "Service", 3, 0}};
    for (size_t i = 0; i < tree.Nodes.size(); ++i) {
        EXPECT_EQ(tree.Nodes[i].Level, expected[i].level) << i;
        EXPECT_EQ(tree.Nodes[i].Caption, expected[i].caption) << i;
        EXPECT_EQ(tree.Nodes[i].Groep, expected[i].groep) << i;
        EXPECT_EQ(tree.Nodes[i].Subgroep, expected[i].subgroep) << i;
    }
    EXPECT_EQ(tree.Nodes[5].Parent, 4);
}

TEST(GroupTree, JumpOfMoreThanOneLevelStopsLoading) {
    TGroupTree tree = ParseGroupTree("Root\n\tGroup\n\t\t\tToo deep\n\tNever read\n");
    EXPECT_EQ(tree.Error, "Invalid item level assignment");
    ASSERT_EQ(tree.Nodes.size(), 2u);
    EXPECT_EQ(tree.Nodes[1].Caption, "Group");

    // The first line is the root whatever its indentation; the next may go one level deeper.
    tree = ParseGroupTree("\t\tRoot\n\tGroup\n");
    EXPECT_TRUE(tree.Error.isEmpty());
    EXPECT_EQ(tree.Nodes[1].Level, 1);
    tree = ParseGroupTree("Root\n\t\tSubgroup\n");
    EXPECT_EQ(tree.Error, InvalidLevelMessage);
}

TEST(GroupTree, FileByLanguageAndMissingFile) {
    EXPECT_EQ(GroupTreeFileName(0), "Tree0.txt");
    EXPECT_EQ(GroupTreeFileName(1), "Tree1.txt");
    EXPECT_EQ(GroupTreeFileName(2), "Tree2.txt");
    EXPECT_EQ(GroupTreeFileName(5), "Tree0.txt");

    QTemporaryDir dir;
    TGroupTree tree;
    tree.Nodes.resize(3);
    EXPECT_FALSE(LoadGroupTree(dir.path() + "/Tree1.txt", tree));
    EXPECT_TRUE(tree.Nodes.empty());
    QString path = kq9test::WriteFixture(dir.path(), "Tree1.txt", "Wurzel\n\tZ\xE4hler\n");
    ASSERT_TRUE(LoadGroupTree(path, tree));
    ASSERT_EQ(tree.Nodes.size(), 2u);
    EXPECT_EQ(tree.Nodes[1].Caption, QString::fromUtf8("Zähler"));
}
