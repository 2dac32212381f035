// Which nodes the tree holds for which rights and settings, the views under them, and
// the menus and double clicks of each kind of node.
#include "query/inventory_tree_layout.h"
#include "query/scope_bits.h"
#include "sample_inventory.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Tree {
    CInventoryInfo info;
    bool hidden = false;
    std::vector<CCaseViewParam> views = SampleViews();
    std::vector<CReportViewParam> reports = SampleReports();

    std::vector<InventoryTreeNode> Build() const
    {
        return InventoryTreeLayout::Build({&info, hidden, &views, &reports});
    }
};

std::vector<std::string> Texts(const std::vector<InventoryTreeNode>& nodes)
{
    std::vector<std::string> texts;
    for (const InventoryTreeNode& node : nodes)
        texts.push_back(node.text);
    return texts;
}

const InventoryTreeNode* Find(const std::vector<InventoryTreeNode>& nodes, const std::string& text)
{
    for (const InventoryTreeNode& node : nodes)
        if (node.text == text)
            return &node;
    return nullptr;
}

std::vector<std::string> MenuTexts(const std::vector<MenuEntry>& entries)
{
    std::vector<std::string> texts;
    for (const MenuEntry& entry : entries)
        texts.push_back(entry.IsSeparator() ? "-" : entry.text);
    return texts;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(InventoryTree, FullRightsShowEveryRootWithItsFixedNodesKindsAndImages)
{
    Tree tree{SampleInfo(0x3f)};
    const auto roots = tree.Build();
    EXPECT_EQ(Texts(roots), (Strings{"Parents", "Children", "Regions", "Reports"}));
    EXPECT_EQ(roots[0].kind, kNodeParentsRoot);
    EXPECT_EQ(roots[3].kind, kNodeReportsRoot);

    EXPECT_EQ(Texts(roots[0].children),
              (Strings{"All Parents", "Unassigned", "Harbor Mutual", "Northgate Casualty", "Keystone Indemnity"}));
    EXPECT_EQ(roots[0].children[0].kind, kScopeAllParents);
    EXPECT_EQ(roots[0].children[0].image, treeImageAll);
    EXPECT_EQ(roots[0].children[1].kind, kScopeUnassignedParents);
    EXPECT_EQ(roots[0].children[1].image, treeImageUnassigned);
    EXPECT_EQ(roots[0].children[2].kind, kScopeEachParent);
    EXPECT_EQ(roots[0].children[2].image, treeImageParent);

    const auto& children = roots[1].children;
    EXPECT_EQ(Texts(children), (Strings{"All Children", "Unassigned", "Dana Whitfield", "Marcus Lee", "Priya Nair",
                                        "Office Admin", "Tom Becker", "Archive"}));
    EXPECT_EQ(children[1].kind, kScopeUnassignedChildren);
    EXPECT_EQ(children[2].kind, kScopeEachAuditor);
    EXPECT_EQ(children[2].image, treeImageAuditor);
    EXPECT_EQ(children[4].kind, kScopeEachReviewer);
    EXPECT_EQ(children[4].image, treeImageReviewer);
    EXPECT_EQ(children[5].kind, kScopeEachChildGroup0);
    EXPECT_EQ(children[7].kind, kScopeEachArchiveChild);
    EXPECT_EQ(children[7].image, treeImageArchiveChild);

    EXPECT_EQ(roots[3].children[0].kind, kNodeReportView);
    EXPECT_EQ(roots[3].children[0].image, treeImageParent);
    EXPECT_TRUE(roots[3].children[0].children.empty());
}

TEST(InventoryTree, ChildKindsAndImagesFollowTheGroup)
{
    const int32_t kinds[10] = {0x800, 0x2000, 0x4000, 0x8000, 0x10000, 0x20000, 0x40000, 0x80000, 0x1000, 0x20000000};
    const int images[10] = {10, 12, 13, 14, 15, 16, 17, 18, 11, 10};
    for (int group = 0; group < 10; ++group) {
        EXPECT_EQ(InventoryTreeLayout::ChildKind(group), kinds[group]) << group;
        EXPECT_EQ(InventoryTreeLayout::ChildImage(group), images[group]) << group;
        EXPECT_TRUE(InventoryTreeLayout::IsChildKind(kinds[group]));
    }
    EXPECT_FALSE(InventoryTreeLayout::IsChildKind(kScopeUnassignedChildren));
    EXPECT_FALSE(InventoryTreeLayout::IsChildKind(kScopeAllChildren));

    // A group outside the table: a node that lists no views (kind 0 would match every
    // scope) and offers nothing.
    Tree tree{SampleInfo(0xc)};
    tree.info.children = {SampleChild("Stranger", 12)};
    tree.views.push_back(SampleView(9, "Everything", -1));
    const auto roots = tree.Build();
    const InventoryTreeNode* stranger = Find(Find(roots, "Children")->children, "Stranger");
    ASSERT_NE(stranger, nullptr);
    EXPECT_EQ(stranger->kind, 0);
    EXPECT_TRUE(stranger->children.empty());
    EXPECT_TRUE(InventoryTreeLayout::ContextMenu({0, "Stranger", kNodeChildrenRoot, "Children"}, 0xc, tree.views).empty());
}

TEST(InventoryTree, WithoutTreeRightsAUserSeesOnlyTheirOwnParentOrChild)
{
    Tree parentUser{SampleInfo(0)};
    parentUser.info.ownParentName = "Northgate Casualty";
    auto roots = parentUser.Build();
    // Belonging to a parent hides the children unless the rights show them.
    EXPECT_EQ(Texts(roots), (Strings{"Parents", "Reports"}));
    EXPECT_EQ(Texts(roots[0].children), Strings{"Northgate Casualty"});

    Tree childUser{SampleInfo(0)};
    childUser.info.ownChildName = "Priya Nair";
    roots = childUser.Build();
    EXPECT_EQ(Texts(roots), (Strings{"Children", "Reports"}));
    EXPECT_EQ(Texts(roots[0].children), Strings{"Priya Nair"});
    EXPECT_EQ(roots[0].children[0].kind, kScopeEachReviewer);

    // A parent user who may view children gets the whole children branch.
    parentUser.info.rights = 0x4;
    roots = parentUser.Build();
    EXPECT_EQ(Texts(roots), (Strings{"Parents", "Children", "Reports"}));
    EXPECT_EQ(roots[1].children[0].text, "All Children");

    // Own name not in the list: the root without nodes.
    parentUser.info.rights = 0;
    parentUser.info.ownParentName = "Gone Carrier";
    roots = parentUser.Build();
    EXPECT_TRUE(roots[0].children.empty());
}

TEST(InventoryTree, EmptyListsAndHiddenNodes)
{
    Tree tree{SampleInfo(0x3f)};
    tree.info.parents.clear();
    tree.info.children.clear();
    tree.info.regions.clear();
    EXPECT_EQ(Texts(tree.Build()), Strings{"Reports"});

    // With hidden nodes shown, the edit rights keep their roots even when empty.
    tree.hidden = true;
    EXPECT_EQ(Texts(tree.Build()), (Strings{"Parents", "Children", "Regions", "Reports"}));
    tree.info.rights = 0x15;  // view rights only
    EXPECT_EQ(Texts(tree.Build()), Strings{"Reports"});

    // Logged out: nothing at all.
    EXPECT_TRUE(InventoryTreeLayout::Build({}).empty());
}

TEST(InventoryTree, RegionsWithTerritoriesOnlyForTheRegionEditRight)
{
    Tree viewer{SampleInfo(0x10)};
    auto regions = *Find(viewer.Build(), "Regions");
    ASSERT_EQ(regions.kind, kNodeRegionsRoot);
    EXPECT_EQ(Texts(regions.children), (Strings{"All Regions", "Unassigned", "Midwest", "Northeast"}));
    EXPECT_EQ(regions.children[2].kind, kScopeEachRegion);
    EXPECT_EQ(regions.children[2].image, treeImageRegion);
    // Views only; no territories without the edit right.
    EXPECT_EQ(Texts(regions.children[2].children), Strings{"Open Audits"});

    Tree editor{SampleInfo(0x20)};
    editor.info.territories.push_back("Midwest::Quad::Cities");
    editor.info.territories.push_back("Midwest");  // no separator: belongs nowhere
    regions = *Find(editor.Build(), "Regions");
    const InventoryTreeNode& midwest = regions.children[2];
    EXPECT_EQ(Texts(midwest.children), (Strings{"Open Audits", "Chicago Metro", "Indiana", "Quad::Cities"}));
    EXPECT_EQ(midwest.children[1].kind, kScopeEachTerritory);
    EXPECT_EQ(midwest.children[1].image, treeImageTerritory);
    EXPECT_TRUE(midwest.children[1].children.empty());  // territories list no views
    // "Southwest::Phoenix" names no region and is not shown.
    EXPECT_EQ(Texts(regions.children[3].children), (Strings{"Open Audits", "Boston"}));
}

TEST(InventoryTree, CaseViewsListedWhereEveryBitOfTheNodeKindIsInTheirScope)
{
    Tree tree{SampleInfo(0x3f)};
    tree.views = {SampleView(1, "Both", kScopeAllParents | kScopeUnassignedParents)};
    const auto roots = tree.Build();
    EXPECT_TRUE(roots[0].children.size() == 5);
    EXPECT_EQ(Texts(roots[0].children[0].children), Strings{"Both"});  // All Parents
    EXPECT_EQ(Texts(roots[0].children[1].children), Strings{"Both"});  // Unassigned
    EXPECT_EQ(roots[0].children[0].children[0].kind, kNodeCaseView);
    EXPECT_EQ(roots[0].children[0].children[0].image, treeImageCaseView);
    for (size_t i = 2; i < roots[0].children.size(); ++i)
        EXPECT_TRUE(roots[0].children[i].children.empty());
    for (const InventoryTreeNode& child : roots[1].children)
        EXPECT_TRUE(child.children.empty());

    // In list order, several under one node.
    tree.views = SampleViews();
    const auto withSamples = tree.Build();
    EXPECT_EQ(Texts(withSamples[0].children[0].children), (Strings{"Open Audits", "Due This Week", "Find Case"}));
    EXPECT_EQ(Texts(Find(withSamples[1].children, "Tom Becker")->children), Strings{"Scheduled"});
    EXPECT_EQ(Texts(Find(withSamples[1].children, "All Children")->children), (Strings{"Find Case", "Scheduled"}));
}

TEST(InventoryTree, CaseViewMenuAndDoubleClickFollowTheViewType)
{
    const auto views = SampleViews();
    auto menuOf = [&](const std::string& view, int32_t parentKind) {
        return MenuTexts(InventoryTreeLayout::ContextMenu({kNodeCaseView, view, parentKind, "x"}, 0, views));
    };
    auto clickOf = [&](const std::string& view, int32_t parentKind) {
        return InventoryTreeLayout::DoubleClickCommand({kNodeCaseView, view, parentKind, "x"}, views);
    };
    const int32_t findScope = kScopeAllParents | kScopeAllChildren | kScopeAllRegions;
    EXPECT_EQ(menuOf("Find Case", findScope), (Strings{"&Search Find Case...", "&Edit Find Case..."}));
    EXPECT_EQ(clickOf("Find Case", findScope), cmdSearchCaseView);
    const int32_t scheduledScope = kScopeEachScheduler | kScopeAllChildren;
    EXPECT_EQ(menuOf("Scheduled", scheduledScope),
              (Strings{"S&how Scheduled", "&Search Scheduled...", "&Edit Scheduled..."}));
    EXPECT_EQ(clickOf("Scheduled", scheduledScope), cmdShowCaseView);
    // Looked up by name and the parent node's kind; listed under "All Parents" through a
    // wider scope, the search view is not found there and counts as a plain view.
    EXPECT_EQ(menuOf("Find Case", kScopeAllParents), (Strings{"S&how Find Case", "&Edit Find Case..."}));
    EXPECT_EQ(clickOf("Find Case", kScopeAllParents), cmdShowCaseView);

    const auto entries = InventoryTreeLayout::ContextMenu({kNodeCaseView, "Q&A", kScopeAllParents, "x"}, 0, views);
    EXPECT_EQ(entries[0].commandId, cmdShowCaseView);
    EXPECT_EQ(entries[0].text, "S&how Q&&A");  // the name's own '&' shows as itself
    EXPECT_EQ(entries[1].commandId, cmdEditCaseView);
}

TEST(InventoryTree, AccountMenusGrowWithTheEditRights)
{
    const std::vector<CCaseViewParam> none;
    const TreeNodeRef auditor{kScopeEachAuditor, "Dana", kNodeChildrenRoot, "Children"};
    const TreeNodeRef reviewer{kScopeEachReviewer, "Priya", kNodeChildrenRoot, "Children"};
    EXPECT_EQ(MenuTexts(InventoryTreeLayout::ContextMenu(auditor, 0x4, none)), Strings{"&View Dana"});
    EXPECT_EQ(MenuTexts(InventoryTreeLayout::ContextMenu(auditor, 0x8, none)),
              (Strings{"&View Dana", "-", "&Edit Dana", "&Delete Dana", "-", "Manage &Case Views...",
                       "Manage &Report Views...", "&Manage Billing Defaults..."}));
    EXPECT_EQ(MenuTexts(InventoryTreeLayout::ContextMenu(reviewer, 0x8, none)).back(), "Manage &Report Views...");

    const TreeNodeRef parent{kScopeEachParent, "Harbor", kNodeParentsRoot, "Parents"};
    EXPECT_EQ(MenuTexts(InventoryTreeLayout::ContextMenu(parent, 0x1, none)), Strings{"&View Harbor"});
    const auto parentMenu = InventoryTreeLayout::ContextMenu(parent, 0x2, none);
    EXPECT_EQ(MenuTexts(parentMenu), (Strings{"&View Harbor", "-", "&Edit Harbor", "&Delete Harbor", "-",
                                              "&Connect to Harbor...", "-", "&Manage Billing Defaults..."}));
    EXPECT_EQ(parentMenu[5].commandId, cmdConnectToParent);

    EXPECT_EQ(InventoryTreeLayout::DoubleClickCommand(auditor, none), cmdViewChild);
    EXPECT_EQ(InventoryTreeLayout::DoubleClickCommand(parent, none), cmdViewParent);
}

TEST(InventoryTree, RootRegionAndReportMenus)
{
    const std::vector<CCaseViewParam> none;
    auto menu = [&](int32_t kind, int32_t rights) {
        return MenuTexts(InventoryTreeLayout::ContextMenu({kind, "Midwest", kNodeRegionsRoot, "Regions"}, rights, none));
    };
    EXPECT_EQ(menu(kNodeParentsRoot, 0x2), Strings{"&Add Parent..."});
    EXPECT_TRUE(menu(kNodeParentsRoot, 0x1).empty());
    EXPECT_EQ(menu(kNodeChildrenRoot, 0x8), Strings{"&Add Child..."});
    EXPECT_EQ(menu(kNodeRegionsRoot, 0x20), Strings{"&Add Region..."});
    EXPECT_TRUE(menu(kNodeRegionsRoot, 0x10).empty());
    EXPECT_EQ(menu(kScopeEachRegion, 0x20), (Strings{"&Edit Midwest", "&Delete Midwest", "-", "&Add Territory..."}));
    EXPECT_TRUE(menu(kScopeEachRegion, 0x1f).empty());
    EXPECT_EQ(menu(kScopeEachTerritory, 0x20), (Strings{"&Edit Midwest", "&Delete Midwest"}));
    EXPECT_TRUE(menu(kNodeReportsRoot, -1).empty());
    EXPECT_TRUE(menu(kScopeAllParents, -1).empty());
    EXPECT_EQ(menu(kNodeReportView, 0),
              (Strings{"S&how Midwest", "&Edit Midwest", "-", "Export Midwest to &PDF...", "Export Midwest to &TIFF...",
                       "Export Midwest to &XPS..."}));

    for (int32_t kind : {kNodeParentsRoot, kNodeChildrenRoot, kNodeRegionsRoot, kNodeReportsRoot, kScopeAllParents,
                         kScopeUnassignedChildren, kScopeEachRegion, kScopeEachTerritory})
        EXPECT_EQ(InventoryTreeLayout::DoubleClickCommand({kind, "x", 0, ""}, none), 0) << kind;
    EXPECT_EQ(InventoryTreeLayout::DoubleClickCommand({kNodeReportView, "x", kNodeReportsRoot, ""}, none),
              cmdShowReportView);
}

TEST(MenuEntries, OnlyAvailableCommandsWithTidySeparatorsAndNoEmptyPopups)
{
    const std::vector<MenuEntry> menu = {
        MenuSeparator(), {1, "one", {}},   MenuSeparator(),
        MenuSeparator(), {2, "two", {}},   MenuSeparator(),
        {0, "popup", {{3, "three", {}}, MenuSeparator(), {4, "four", {}}}},
        MenuSeparator(), {5, "five", {}},  MenuSeparator(),
    };
    auto kept = [&](std::initializer_list<int> ids) {
        const std::vector<int> available(ids);
        std::vector<std::string> texts;
        for (const MenuEntry& entry : AvailableEntries(menu, [&](int id) {
                 return std::find(available.begin(), available.end(), id) != available.end();
             })) {
            std::string text = entry.IsSeparator() ? "-" : entry.text;
            if (entry.IsPopup())
                text += "(" + std::to_string(entry.submenu.size()) + ")";
            texts.push_back(text);
        }
        return texts;
    };
    EXPECT_EQ(kept({1, 2, 3, 4, 5}), (Strings{"one", "-", "two", "-", "popup(3)", "-", "five"}));
    EXPECT_EQ(kept({2, 5}), (Strings{"two", "-", "five"}));
    EXPECT_EQ(kept({4}), (Strings{"popup(1)"}));
    EXPECT_TRUE(kept({}).empty());
}
