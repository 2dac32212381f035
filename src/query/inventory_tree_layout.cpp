#include "query/inventory_tree_layout.h"

#include "query/case_view_list.h"
#include "query/scope_bits.h"

namespace {

constexpr int kChildImages[10] = {
    treeImageChildGroup0, treeImageAuditor,   treeImageBiller,   treeImageExporter,     treeImageChildGroup4,
    treeImagePrinter,     treeImageReviewer,  treeImageScheduler, treeImageArchiveChild, treeImageChildGroup0,
};

const std::string kTerritorySeparator = "::";

struct Lists {
    const CInventoryInfo& info;
    const std::vector<CCaseViewParam>& caseViews;
    const std::vector<CReportViewParam>& reportViews;
    bool showHidden;

    bool Has(int32_t rights) const { return (info.rights & rights) != 0; }
};

// A node of a kind that lists case views, with the views of its kind under it.
InventoryTreeNode ViewHolder(int32_t kind, std::string text, int image, const Lists& lists)
{
    InventoryTreeNode node{kind, std::move(text), image, {}};
    if (kind == 0)
        return node;
    for (const CCaseViewParam* view : ViewsListedUnder(lists.caseViews, kind))
        node.children.push_back({kNodeCaseView, view->name, treeImageCaseView, {}});
    return node;
}

void AddParents(std::vector<InventoryTreeNode>& roots, const Lists& lists)
{
    const auto& parents = lists.info.parents;
    const bool everyParent = lists.Has(kRightViewParents | kRightEditParents);
    const bool shown = (!parents.empty() && (everyParent || !lists.info.ownParentName.empty())) ||
                       (lists.Has(kRightEditParents) && lists.showHidden);
    if (!shown)
        return;
    InventoryTreeNode root{kNodeParentsRoot, "Parents", treeImageRoot, {}};
    if (everyParent) {
        root.children.push_back(ViewHolder(kScopeAllParents, "All Parents", treeImageAll, lists));
        root.children.push_back(ViewHolder(kScopeUnassignedParents, "Unassigned", treeImageUnassigned, lists));
        for (const CParentUser& parent : parents)
            root.children.push_back(ViewHolder(kScopeEachParent, parent.name, treeImageParent, lists));
    } else {
        for (const CParentUser& parent : parents)
            if (parent.name == lists.info.ownParentName) {
                root.children.push_back(ViewHolder(kScopeEachParent, parent.name, treeImageParent, lists));
                break;
            }
    }
    roots.push_back(std::move(root));
}

void AddChildren(std::vector<InventoryTreeNode>& roots, const Lists& lists)
{
    const auto& children = lists.info.children;
    const bool everyChild = lists.Has(kRightViewChildren | kRightEditChildren);
    const bool shown = (!children.empty() && (lists.info.ownParentName.empty() || everyChild)) ||
                       (lists.Has(kRightEditChildren) && lists.showHidden);
    if (!shown)
        return;
    InventoryTreeNode root{kNodeChildrenRoot, "Children", treeImageRoot, {}};
    auto childNode = [&](const CChildUser& child) {
        return ViewHolder(InventoryTreeLayout::ChildKind(child.group), child.name,
                          InventoryTreeLayout::ChildImage(child.group), lists);
    };
    if (everyChild) {
        root.children.push_back(ViewHolder(kScopeAllChildren, "All Children", treeImageAll, lists));
        root.children.push_back(ViewHolder(kScopeUnassignedChildren, "Unassigned", treeImageUnassigned, lists));
        for (const CChildUser& child : children)
            root.children.push_back(childNode(child));
    } else {
        for (const CChildUser& child : children)
            if (child.name == lists.info.ownChildName) {
                root.children.push_back(childNode(child));
                break;
            }
    }
    roots.push_back(std::move(root));
}

void AddRegions(std::vector<InventoryTreeNode>& roots, const Lists& lists)
{
    const auto& regions = lists.info.regions;
    const bool shown = (lists.Has(kRightViewRegions | kRightEditRegions) && !regions.empty()) ||
                       (lists.Has(kRightEditRegions) && lists.showHidden);
    if (!shown)
        return;
    InventoryTreeNode root{kNodeRegionsRoot, "Regions", treeImageRoot, {}};
    root.children.push_back(ViewHolder(kScopeAllRegions, "All Regions", treeImageAll, lists));
    root.children.push_back(ViewHolder(kScopeUnassignedRegions, "Unassigned", treeImageUnassigned, lists));
    for (const std::string& region : regions) {
        InventoryTreeNode node = ViewHolder(kScopeEachRegion, region, treeImageRegion, lists);
        if (lists.Has(kRightEditRegions))
            for (const std::string& pair : lists.info.territories) {
                const size_t split = pair.find(kTerritorySeparator);
                if (split != std::string::npos && pair.compare(0, split, region) == 0)
                    node.children.push_back({kScopeEachTerritory, pair.substr(split + kTerritorySeparator.size()),
                                             treeImageTerritory, {}});
            }
        root.children.push_back(std::move(node));
    }
    roots.push_back(std::move(root));
}

void AddReports(std::vector<InventoryTreeNode>& roots, const Lists& lists)
{
    if (lists.reportViews.empty())
        return;
    InventoryTreeNode root{kNodeReportsRoot, "Reports", treeImageRoot, {}};
    for (const CReportViewParam& report : lists.reportViews)
        root.children.push_back({kNodeReportView, report.name, treeImageParent, {}});
    roots.push_back(std::move(root));
}

MenuEntry Entry(int commandId, std::string text)
{
    return {commandId, std::move(text), {}};
}

}  // namespace

std::vector<InventoryTreeNode> InventoryTreeLayout::Build(const InventoryTreeSource& source)
{
    static const CInventoryInfo kNoInfo;
    static const std::vector<CCaseViewParam> kNoCaseViews;
    static const std::vector<CReportViewParam> kNoReportViews;
    const Lists lists{source.info ? *source.info : kNoInfo, source.caseViews ? *source.caseViews : kNoCaseViews,
                      source.reportViews ? *source.reportViews : kNoReportViews, source.showHiddenNodes};
    std::vector<InventoryTreeNode> roots;
    AddParents(roots, lists);
    AddChildren(roots, lists);
    AddRegions(roots, lists);
    AddReports(roots, lists);
    return roots;
}

int32_t InventoryTreeLayout::ChildKind(int32_t group)
{
    return ScopeOfChildGroup(group);
}

int InventoryTreeLayout::ChildImage(int32_t group)
{
    if (group < 0 || group >= static_cast<int32_t>(std::size(kChildImages)))
        return treeImageChildGroup0;
    return kChildImages[group];
}

std::vector<MenuEntry> InventoryTreeLayout::ContextMenu(const TreeNodeRef& node, int32_t rights,
                                                        const std::vector<CCaseViewParam>& caseViews)
{
    const std::string name = MenuName(node.text);
    auto has = [rights](int32_t bits) { return (rights & bits) != 0; };
    std::vector<MenuEntry> menu;
    if (node.kind == kNodeCaseView) {
        const CCaseViewParam* view = FindCaseView(caseViews, node.text, node.parentKind);
        const int32_t type = view ? view->viewType : CCaseViewParam::caseView;
        if (type == CCaseViewParam::caseView || type == CCaseViewParam::caseAndSearchView)
            menu.push_back(Entry(cmdShowCaseView, "S&how " + name));
        if (type == CCaseViewParam::searchView || type == CCaseViewParam::caseAndSearchView)
            menu.push_back(Entry(cmdSearchCaseView, "&Search " + name + "..."));
        menu.push_back(Entry(cmdEditCaseView, "&Edit " + name + "..."));
    } else if (node.kind == kNodeReportView) {
        menu = {Entry(cmdShowReportView, "S&how " + name),
                Entry(cmdEditReportView, "&Edit " + name),
                MenuSeparator(),
                Entry(cmdExportReportPdf, "Export " + name + " to &PDF..."),
                Entry(cmdExportReportTiff, "Export " + name + " to &TIFF..."),
                Entry(cmdExportReportXps, "Export " + name + " to &XPS...")};
    } else if (IsChildKind(node.kind)) {
        menu.push_back(Entry(cmdViewChild, "&View " + name));
        if (has(kRightEditChildren)) {
            menu.insert(menu.end(), {MenuSeparator(), Entry(cmdEditChild, "&Edit " + name),
                                     Entry(cmdDeleteChild, "&Delete " + name), MenuSeparator(),
                                     Entry(cmdManageChildCaseViews, "Manage &Case Views..."),
                                     Entry(cmdManageChildReportViews, "Manage &Report Views...")});
            if (node.kind == kScopeEachAuditor)
                menu.push_back(Entry(cmdManageBillingDefaults, "&Manage Billing Defaults..."));
        }
    } else if (node.kind == kScopeEachParent) {
        menu.push_back(Entry(cmdViewParent, "&View " + name));
        if (has(kRightEditParents))
            menu.insert(menu.end(), {MenuSeparator(), Entry(cmdEditParent, "&Edit " + name),
                                     Entry(cmdDeleteParent, "&Delete " + name), MenuSeparator(),
                                     Entry(cmdConnectToParent, "&Connect to " + name + "..."), MenuSeparator(),
                                     Entry(cmdManageBillingDefaults, "&Manage Billing Defaults...")});
    } else if (node.kind == kNodeParentsRoot) {
        if (has(kRightEditParents))
            menu.push_back(Entry(cmdAddParent, "&Add Parent..."));
    } else if (node.kind == kNodeChildrenRoot) {
        if (has(kRightEditChildren))
            menu.push_back(Entry(cmdAddChild, "&Add Child..."));
    } else if (node.kind == kNodeRegionsRoot) {
        if (has(kRightEditRegions))
            menu.push_back(Entry(cmdAddRegion, "&Add Region..."));
    } else if (node.kind == kScopeEachRegion) {
        if (has(kRightEditRegions))
            menu = {Entry(cmdEditRegion, "&Edit " + name), Entry(cmdDeleteRegion, "&Delete " + name),
                    MenuSeparator(), Entry(cmdAddTerritory, "&Add Territory...")};
    } else if (node.kind == kScopeEachTerritory) {
        if (has(kRightEditRegions))
            menu = {Entry(cmdEditTerritory, "&Edit " + name), Entry(cmdDeleteTerritory, "&Delete " + name)};
    }
    return menu;
}

int InventoryTreeLayout::DoubleClickCommand(const TreeNodeRef& node, const std::vector<CCaseViewParam>& caseViews)
{
    if (node.kind == kNodeCaseView) {
        const CCaseViewParam* view = FindCaseView(caseViews, node.text, node.parentKind);
        return view && view->viewType == CCaseViewParam::searchView ? cmdSearchCaseView : cmdShowCaseView;
    }
    if (node.kind == kNodeReportView)
        return cmdShowReportView;
    if (IsChildKind(node.kind))
        return cmdViewChild;
    if (node.kind == kScopeEachParent)
        return cmdViewParent;
    return 0;
}

TreeFollowUp InventoryTreeLayout::FollowUpOf(int commandId)
{
    switch (commandId) {
    case cmdEditChild: return TreeFollowUp::rebuildWhenRenamed;
    case cmdDeleteChild: return TreeFollowUp::rebuild;
    case cmdEditRegion: return TreeFollowUp::rebuild;
    case cmdDeleteRegion: return TreeFollowUp::removeNode;
    case cmdAddTerritory: return TreeFollowUp::addTerritory;
    case cmdEditTerritory: return TreeFollowUp::renameNode;
    case cmdDeleteTerritory: return TreeFollowUp::removeNode;
    default: return TreeFollowUp::none;
    }
}

std::string InventoryTreeLayout::MenuName(const std::string& name)
{
    std::string escaped;
    escaped.reserve(name.size());
    for (char c : name) {
        escaped += c;
        if (c == '&')
            escaped += '&';
    }
    return escaped;
}
