#pragma once
// The inventory tree as data: which nodes the user sees (from the rights, the
// show-hidden-nodes setting and the lists loaded at login), the kind and image of each
// node, the case views listed under each, and what a node offers in its context menu
// and on a double click. CInventoryTreeView turns this into tree items.

#include "query/menu_entry.h"
#include "records/case_view_param.h"
#include "records/inventory_info.h"
#include "records/report_view_param.h"

#include <cstdint>
#include <string>
#include <vector>

// Node kinds besides the scope bits of scope_bits.h, which are the kinds of the nodes
// that case views are listed under.
inline constexpr int32_t kNodeCaseView = 0x40;
inline constexpr int32_t kNodeParentsRoot = 0x100;
inline constexpr int32_t kNodeChildrenRoot = 0x200;
inline constexpr int32_t kNodeRegionsRoot = 0x400;
inline constexpr int32_t kNodeReportsRoot = 0x8000000;
inline constexpr int32_t kNodeReportView = 0x10000000;
// A node whose kind has any of these bits is a child's node.
inline constexpr int32_t kChildNodeKinds = 0x200ff800;

// Rights bits the tree tests.
inline constexpr int32_t kRightViewParents = 0x1;
inline constexpr int32_t kRightEditParents = 0x2;
inline constexpr int32_t kRightViewChildren = 0x4;
inline constexpr int32_t kRightEditChildren = 0x8;
inline constexpr int32_t kRightViewRegions = 0x10;
inline constexpr int32_t kRightEditRegions = 0x20;

// Indexes into the tree's image strip.
enum TreeImage : int {
    treeImageRoot = 0,
    treeImageAll = 1,
    treeImageParent = 2,  // also report views
    treeImageUnassigned = 3,
    treeImageCaseView = 7,
    treeImageChildGroup0 = 10,  // groups 0 and 9
    treeImageArchiveChild = 11,
    treeImageAuditor = 12,
    treeImageBiller = 13,
    treeImageExporter = 14,
    treeImageChildGroup4 = 15,
    treeImagePrinter = 16,
    treeImageReviewer = 17,
    treeImageScheduler = 18,
    treeImageRegion = 19,
    treeImageTerritory = 20,
    treeImageCount = 21,
};

// The commands of the tree's context menus and double clicks.
enum TreeCommand : int {
    cmdShowCaseView = 32774,
    cmdSearchCaseView = 32775,
    cmdEditCaseView = 32776,
    cmdShowReportView = 32777,
    cmdEditReportView = 32778,
    cmdViewChild = 32782,
    cmdViewParent = 32783,
    cmdEditChild = 32883,
    cmdDeleteChild = 32884,
    cmdManageChildCaseViews = 32885,
    cmdManageChildReportViews = 32886,
    cmdManageBillingDefaults = 32887,
    cmdAddChild = 32888,
    cmdAddParent = 32889,
    cmdEditParent = 32890,
    cmdDeleteParent = 32891,
    cmdConnectToParent = 32892,
    cmdAddRegion = 32893,
    cmdEditRegion = 32894,
    cmdDeleteRegion = 32895,
    cmdAddTerritory = 32896,
    cmdEditTerritory = 32897,
    cmdDeleteTerritory = 32898,
    cmdExportReportPdf = 32907,
    cmdExportReportTiff = 32908,
    cmdExportReportXps = 32909,
};

struct InventoryTreeNode {
    int32_t kind = 0;
    std::string text;
    int image = treeImageRoot;
    std::vector<InventoryTreeNode> children;
};

// What the tree is built from; the document's lists while logged in. Null lists count
// as empty.
struct InventoryTreeSource {
    const CInventoryInfo* info = nullptr;
    bool showHiddenNodes = false;
    const std::vector<CCaseViewParam>* caseViews = nullptr;
    const std::vector<CReportViewParam>* reportViews = nullptr;
};

// A node as the commands see it: its kind and text and those of its parent (zero and
// empty for a root).
struct TreeNodeRef {
    int32_t kind = 0;
    std::string text;
    int32_t parentKind = 0;
    std::string parentText;
};

// What the tree does itself after a command on a node succeeded.
enum class TreeFollowUp {
    none,
    rebuild,             // from the document's lists
    rebuildWhenRenamed,  // when the new name differs from the node's text
    removeNode,
    addTerritory,        // a territory node with the new name under the node
    renameNode,          // the node's text becomes the new name
};

class InventoryTreeLayout {
public:
    // The root nodes with everything under them, in display order.
    static std::vector<InventoryTreeNode> Build(const InventoryTreeSource& source);

    // A child's node kind and image from its access group (0 to 9). Another group gives
    // kind 0, a node that lists no views and offers nothing, with the image of group 0.
    static int32_t ChildKind(int32_t group);
    static int ChildImage(int32_t group);
    static bool IsChildKind(int32_t kind) { return (kind & kChildNodeKinds) != 0; }

    // The context menu of a node, all entries the node's kind and the rights allow.
    // `caseViews` decides, for a case view node, whether it is shown, searched or both.
    static std::vector<MenuEntry> ContextMenu(const TreeNodeRef& node, int32_t rights,
                                              const std::vector<CCaseViewParam>& caseViews);

    // The command a double click gives, 0 for none.
    static int DoubleClickCommand(const TreeNodeRef& node, const std::vector<CCaseViewParam>& caseViews);

    static TreeFollowUp FollowUpOf(int commandId);

    // A name as part of a menu text: '&' doubled so that it shows as itself.
    static std::string MenuName(const std::string& name);
};
