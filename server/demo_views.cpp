// The case views of the demo accounts: for every kind of tree node an account's tree
// shows, views of that single kind (the office client runs a view under a node whose
// kind equals the view's scope), so that each node offers something to look at.

#include "query/predefined_filters.h"
#include "query/scope_bits.h"
#include "records/case_query_col_info.h"
#include "records/case_query_data.h"
#include "server/access_rights.h"
#include "server/demo_accounts.h"
#include "server/store/status.h"

#include <memory>
#include <vector>

namespace {

struct DemoColumn {
    const char* token;
    const char* header;
    int32_t width;
    int32_t alignment;
};

using Columns = std::vector<DemoColumn>;

const Columns kParentColumns = {
    {"[InsuredName]", "Insured", 190, 0},          {"[PolicyNumber]", "Policy #", 90, 0},
    {"[PolicyType]", "Policy Type", 130, 0},       {"[SysDueDate]", "Due", 80, 1},
    {"[SysChildName]", "Held By", 120, 0},         {"[ChildGroupCode]", "Stage", 90, 0},
    {"[SysParentStatus]", "Parent Link", 90, 1},   {"[PolicyEstPrem]", "Est. Premium", 100, 2},
};

const Columns kChildColumns = {
    {"[InsuredName]", "Insured", 190, 0},          {"[PolicyNumber]", "Policy #", 90, 0},
    {"[AuditCity]", "City", 100, 0},               {"[AuditorDueDate]", "Due", 80, 1},
    {"[SysScheduledTime]", "Scheduled", 130, 1},   {"[SysParentName]", "Parent", 160, 0},
    {"[SysPriority]", "Priority", 60, 1},          {"[SysChildStatus]", "Link", 80, 1},
};

const Columns kRegionColumns = {
    {"[InsuredName]", "Insured", 190, 0},          {"[Territory]", "Territory", 130, 0},
    {"[AuditCity]", "City", 100, 0},               {"[SysDueDate]", "Due", 80, 1},
    {"[SysParentName]", "Parent", 160, 0},         {"[SysChildName]", "Held By", 120, 0},
    {"[ChildGroupCode]", "Stage", 90, 0},          {"[DefAttachID]", "Attachments", 80, 1},
};

const Columns kSearchColumns = {
    {"[CaseNum]", "Case #", 90, 0},                {"[InsuredName]", "Insured", 190, 0},
    {"[PolicyNumber]", "Policy #", 90, 0},         {"[SysParentName]", "Parent", 160, 0},
    {"[SysChildName]", "Held By", 120, 0},         {"[ChildGroupCode]", "Stage", 90, 0},
    {"[DateCreated]", "Created", 130, 1},          {"[AuditSrcCode]", "Source", 80, 0},
};

struct SortKey {
    const char* token = "";
    bool ascending = true;
};

struct DemoView {
    const char* name;
    int32_t viewType;
    int32_t queryType;           // a predefined filter, or kCustomQueryType with `formula`
    const char* formula = "";
    const Columns* columns = nullptr;
    SortKey sort1{};
    SortKey sort2{};
    const char* keyDate = "";
    int32_t period = 0;
};

std::shared_ptr<CCaseQueryData> MakeView(const DemoView& demo, int32_t scope)
{
    auto view = std::make_shared<CCaseQueryData>();
    view->viewType = demo.viewType;
    view->scope = scope;
    view->name = demo.name;
    view->queryType = demo.queryType;
    view->formula = demo.queryType == kCustomQueryType ? demo.formula : PredefinedFormula(demo.queryType).value_or("");
    view->sort1Field = demo.sort1.token;
    view->sort1Ascending = demo.sort1.ascending;
    view->sort2Field = demo.sort2.token;
    view->sort2Ascending = demo.sort2.ascending;
    view->keyDateField = demo.keyDate;
    view->period = demo.period;
    view->parentTargetField = "[SysParentName]";
    view->childTargetField = "[SysChildName]";
    view->regionTargetField = "[Region]";
    view->territoryTargetField = "[Territory]";
    for (const DemoColumn& demoColumn : *demo.columns) {
        auto column = std::make_shared<CCaseQueryColInfo>();
        column->fieldToken = demoColumn.token;
        column->header = demoColumn.header;
        column->width = demoColumn.width;
        column->alignment = demoColumn.alignment;
        view->columns.push_back(std::move(column));
    }
    return view;
}

constexpr int32_t kCaseView = 0;
constexpr int32_t kSearchView = 1;
constexpr int32_t kCaseAndSearchView = 2;
constexpr int32_t kOpen = 0;
constexpr int32_t kArchived = 2;
constexpr int32_t kPriority = 6;
constexpr int32_t kLinkedToParent = 14;
constexpr int32_t kThisMonth = 4;
// The kinds of the nodes of single children.
constexpr int32_t kChildNodeKinds = 0x200ff800;

// The views of each kind of node.
const std::vector<DemoView>& ViewsOfKind(int32_t kind)
{
    static const SortKey byDue{"[SysDueDate]"};
    static const SortKey byInsured{"[InsuredName]"};
    static const DemoView openByParent{.name = "Open Cases", .viewType = kCaseAndSearchView, .queryType = kOpen,
                                       .columns = &kParentColumns, .sort1 = byDue, .sort2 = byInsured};
    static const DemoView openByRegion{.name = "Open Cases", .viewType = kCaseAndSearchView, .queryType = kOpen,
                                       .columns = &kRegionColumns, .sort1 = {"[Territory]"}, .sort2 = byDue};
    static const DemoView dueThisMonth{.name = "Due This Month", .viewType = kCaseView, .queryType = kOpen,
                                       .columns = &kParentColumns, .sort1 = byDue, .sort2 = byInsured,
                                       .keyDate = "[SysDueDate]", .period = kThisMonth};
    static const DemoView searchAll{.name = "Search All Cases", .viewType = kSearchView,
                                    .queryType = kCustomQueryType, .columns = &kSearchColumns, .sort1 = byInsured};

    static const std::vector<DemoView> kEachParent = {
        openByParent,
        {.name = "Archived Cases", .viewType = kCaseView, .queryType = kArchived, .columns = &kParentColumns,
         .sort1 = {"[DateCreated]", false}},
        {.name = "Linked to Parent", .viewType = kCaseView, .queryType = kLinkedToParent,
         .columns = &kParentColumns, .sort1 = byDue},
    };
    static const std::vector<DemoView> kAllParents = {openByParent, dueThisMonth, searchAll};
    static const std::vector<DemoView> kAllChildren = {
        openByParent,
        dueThisMonth,
        {.name = "Priority Cases", .viewType = kCaseView, .queryType = kPriority, .columns = &kChildColumns,
         .sort1 = {"[AuditorDueDate]"}},
        searchAll,
    };
    static const std::vector<DemoView> kUnassigned = {openByParent};
    static const std::vector<DemoView> kEachChild = {
        {.name = "Open Cases", .viewType = kCaseAndSearchView, .queryType = kOpen, .columns = &kChildColumns,
         .sort1 = {"[AuditorDueDate]"}, .sort2 = byInsured},
    };
    static const std::vector<DemoView> kAllRegions = {openByRegion, dueThisMonth};
    static const std::vector<DemoView> kUnassignedRegion = {
        {.name = "Open Cases", .viewType = kCaseAndSearchView, .queryType = kOpen, .columns = &kRegionColumns,
         .sort1 = byDue},
    };
    static const std::vector<DemoView> kEachRegion = {
        openByRegion,
        {.name = "Search Region", .viewType = kSearchView, .queryType = kCustomQueryType,
         .columns = &kSearchColumns, .sort1 = byInsured},
    };
    static const std::vector<DemoView> kNone;

    switch (kind) {
    case kScopeEachParent: return kEachParent;
    case kScopeAllParents: return kAllParents;
    case kScopeUnassignedParents:
    case kScopeUnassignedChildren: return kUnassigned;
    case kScopeAllChildren: return kAllChildren;
    case kScopeAllRegions: return kAllRegions;
    case kScopeUnassignedRegions: return kUnassignedRegion;
    case kScopeEachRegion: return kEachRegion;
    default: return (kind & kChildNodeKinds) != 0 ? kEachChild : kNone;
    }
}

// The kinds of node the account's tree shows (the office client's rules for the
// parents, children and regions sections).
std::vector<int32_t> NodeKindsOf(const AccountInfo& account)
{
    std::vector<int32_t> kinds;
    const bool tiedToParent = account.kind == AccountKind::parent || account.group == Group::customerReps;
    if ((account.rights & (Right::viewParents | Right::manageParents)) != 0)
        kinds.insert(kinds.end(), {kScopeAllParents, kScopeUnassignedParents, kScopeEachParent});
    else if (tiedToParent)
        kinds.push_back(kScopeEachParent);
    if ((account.rights & (Right::viewChildren | Right::manageChildren)) != 0) {
        kinds.insert(kinds.end(), {kScopeAllChildren, kScopeUnassignedChildren});
        for (int32_t group = 0; group <= Group::customerReps; ++group)
            if (Group::IsAccountGroup(group))
                kinds.push_back(ScopeOfChildGroup(group));
    } else if (!tiedToParent) {
        kinds.push_back(ScopeOfChildGroup(account.group));
    }
    if ((account.rights & (Right::viewTerritories | Right::manageTerritories)) != 0)
        kinds.insert(kinds.end(), {kScopeAllRegions, kScopeUnassignedRegions, kScopeEachRegion});
    return kinds;
}

}  // namespace

int SeedDemoCaseViews(CInventoryStore& inventory)
{
    int stored = 0;
    for (const DemoAccount& demo : DemoAccounts()) {
        ViewOwner owner;
        if (!inventory.accounts.FindLogin(demo.account.userId, owner.kind, owner.accountId))
            continue;
        if (!inventory.views.CaseViewParams(owner).empty())
            continue;  // the account has views of its own
        std::vector<std::shared_ptr<CCaseQueryData>> views;
        for (const int32_t kind : NodeKindsOf(demo.account))
            for (const DemoView& view : ViewsOfKind(kind))
                views.push_back(MakeView(view, kind));
        if (inventory.views.SetCaseViewSet(owner, views) == Status::ok)
            stored += static_cast<int>(views.size());
    }
    return stored;
}
