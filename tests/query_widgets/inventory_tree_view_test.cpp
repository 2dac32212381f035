// The tree widget over its host: building on first showing, kinds as item data, the
// commands it hands over and what it does to its nodes after they succeed.
#include "fake_hosts.h"
#include "query/scope_bits.h"
#include "query/widgets/inventory_tree_view.h"
#include "query/widgets/tree_image_strip.h"
#include "support/widget_application.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

QTreeWidgetItem* Child(QTreeWidgetItem* item, const char* text)
{
    for (int i = 0; item && i < item->childCount(); ++i)
        if (item->child(i)->text(0) == QLatin1String(text))
            return item->child(i);
    return nullptr;
}

QTreeWidgetItem* Root(const CInventoryTreeView& tree, const char* text)
{
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        if (tree.topLevelItem(i)->text(0) == QLatin1String(text))
            return tree.topLevelItem(i);
    return nullptr;
}

Strings ChildTexts(const QTreeWidgetItem* item)
{
    Strings texts;
    for (int i = 0; item && i < item->childCount(); ++i)
        texts.push_back(item->child(i)->text(0).toStdString());
    return texts;
}

class TreeViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WidgetApplication();
        tree.SetHost(&host);
        tree.show();
    }

    QApplication& application = WidgetApplication();  // before any widget
    FakeTreeHost host;
    CInventoryTreeView tree;
};

}  // namespace

TEST_F(TreeViewTest, FirstShowingTitlesTheDocumentAndBuildsWithKindsAsItemData)
{
    EXPECT_EQ(host.title, QStringLiteral("Corvane"));
    ASSERT_EQ(tree.topLevelItemCount(), 4);
    QTreeWidgetItem* parents = Root(tree, "Parents");
    EXPECT_EQ(CInventoryTreeView::NodeKind(parents), kNodeParentsRoot);
    QTreeWidgetItem* dana = Child(Root(tree, "Children"), "Dana Whitfield");
    ASSERT_NE(dana, nullptr);
    EXPECT_EQ(dana->data(0, CInventoryTreeView::kKindRole).toInt(), kScopeEachAuditor);
    EXPECT_FALSE(dana->icon(0).isNull());
    const TreeNodeRef view = CInventoryTreeView::NodeOf(Child(Child(parents, "All Parents"), "Due This Week"));
    EXPECT_EQ(view.kind, kNodeCaseView);
    EXPECT_EQ(view.parentKind, kScopeAllParents);
    EXPECT_EQ(view.parentText, "All Parents");

    // Logged out: the lists are empty and no root is added.
    host.info.Clear();
    host.reportViews.clear();
    tree.Rebuild();
    EXPECT_EQ(tree.topLevelItemCount(), 0);
}

TEST_F(TreeViewTest, RebuildKeepsWhatWasOpenAndTheCurrentNode)
{
    QTreeWidgetItem* children = Root(tree, "Children");
    Child(children, "All Children")->setExpanded(true);
    Root(tree, "Regions")->setExpanded(false);
    tree.setCurrentItem(Child(children, "Priya Nair"));
    host.info.children.erase(host.info.children.begin());  // Dana goes
    tree.Rebuild();
    children = Root(tree, "Children");
    EXPECT_TRUE(Child(children, "All Children")->isExpanded());
    EXPECT_FALSE(Root(tree, "Regions")->isExpanded());
    EXPECT_EQ(Child(children, "Dana Whitfield"), nullptr);
    EXPECT_EQ(tree.currentItem(), Child(children, "Priya Nair"));
}

TEST_F(TreeViewTest, MenusAndDoubleClicksOfferOnlyCommandsTheProgramHas)
{
    QTreeWidgetItem* harbor = Child(Root(tree, "Parents"), "Harbor Mutual");
    EXPECT_TRUE(tree.ContextMenuEntries(harbor).empty());
    EXPECT_EQ(tree.DoubleClickCommandOf(harbor), 0);

    host.commands = {cmdViewParent, cmdConnectToParent};
    Strings texts;
    for (const MenuEntry& entry : tree.ContextMenuEntries(harbor))
        texts.push_back(entry.IsSeparator() ? "-" : entry.text);
    EXPECT_EQ(texts, (Strings{"&View Harbor Mutual", "-", "&Connect to Harbor Mutual..."}));
    EXPECT_EQ(tree.DoubleClickCommandOf(harbor), cmdViewParent);

    QTreeWidgetItem* openAudits = Child(harbor, "Open Audits");
    host.commands = {cmdShowCaseView};
    tree.RunCommand(tree.DoubleClickCommandOf(openAudits), openAudits);
    ASSERT_EQ(host.ran.size(), 1u);
    EXPECT_EQ(host.ran[0].first, cmdShowCaseView);
    EXPECT_EQ(host.ran[0].second.text, "Open Audits");
    EXPECT_EQ(host.ran[0].second.parentText, "Harbor Mutual");
    EXPECT_EQ(host.ran[0].second.parentKind, kScopeEachParent);
    EXPECT_EQ(tree.DoubleClickCommandOf(Root(tree, "Parents")), 0);
}

TEST_F(TreeViewTest, TerritoryAndRegionNodesFollowTheirCommands)
{
    host.commands = {cmdAddTerritory, cmdEditTerritory, cmdDeleteTerritory, cmdDeleteRegion};
    QTreeWidgetItem* midwest = Child(Root(tree, "Regions"), "Midwest");

    host.outcome = {true, "Gary"};
    tree.RunCommand(cmdAddTerritory, midwest);
    EXPECT_EQ(ChildTexts(midwest), (Strings{"Open Audits", "Chicago Metro", "Indiana", "Gary"}));
    EXPECT_EQ(CInventoryTreeView::NodeKind(Child(midwest, "Gary")), kScopeEachTerritory);

    host.outcome = {true, "Northwest Indiana"};
    tree.RunCommand(cmdEditTerritory, Child(midwest, "Indiana"));
    EXPECT_EQ(ChildTexts(midwest), (Strings{"Open Audits", "Chicago Metro", "Northwest Indiana", "Gary"}));

    tree.RunCommand(cmdDeleteTerritory, Child(midwest, "Chicago Metro"));
    EXPECT_EQ(ChildTexts(midwest), (Strings{"Open Audits", "Northwest Indiana", "Gary"}));

    host.outcome = {false, ""};  // cancelled or refused: the node stays
    tree.RunCommand(cmdDeleteTerritory, Child(midwest, "Gary"));
    EXPECT_NE(Child(midwest, "Gary"), nullptr);

    host.outcome = {true, ""};
    tree.RunCommand(cmdDeleteRegion, midwest);
    EXPECT_EQ(ChildTexts(Root(tree, "Regions")), (Strings{"All Regions", "Unassigned", "Northeast"}));
}

TEST_F(TreeViewTest, ANodeGoneInARebuildDuringTheCommandIsLeftAlone)
{
    host.commands = {cmdDeleteTerritory, cmdEditChild};
    QTreeWidgetItem* boston = Child(Child(Root(tree, "Regions"), "Northeast"), "Boston");
    host.whileRunning = [this] {
        host.info.territories.pop_back();  // ... the document reloads and refreshes the views
        host.info.territories.erase(host.info.territories.begin() + 2);
        tree.Rebuild();
    };
    tree.RunCommand(cmdDeleteTerritory, boston);
    EXPECT_EQ(ChildTexts(Child(Root(tree, "Regions"), "Northeast")), Strings{"Open Audits"});

    // A renamed child rebuilds the tree from the lists.
    host.whileRunning = [this] { host.info.children[1].name = "Marcus Lee-Grant"; };
    host.outcome = {true, "Marcus Lee-Grant"};
    tree.RunCommand(cmdEditChild, Child(Root(tree, "Children"), "Marcus Lee"));
    EXPECT_NE(Child(Root(tree, "Children"), "Marcus Lee-Grant"), nullptr);
}

TEST(TreeImageStrip, EveryImageANodeUsesIsDrawn)
{
    WidgetApplication();
    const QImage strip = TreeImageStrip();
    ASSERT_EQ(strip.size(), QSize(16 * treeImageCount, 16));
    auto opaquePixels = [&](int index) {
        int count = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                count += qAlpha(strip.pixel(index * 16 + x, y)) > 128;
        return count;
    };
    for (int index : {0, 1, 2, 3, 7, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20})
        EXPECT_GT(opaquePixels(index), 40) << index;
    EXPECT_EQ(opaquePixels(4), 0);
    EXPECT_TRUE(TreeImageIcon(treeImageCount).isNull());
}
