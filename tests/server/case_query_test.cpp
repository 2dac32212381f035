// GENERATECASEVIEW end to end: the office client's CInventoryServer against the real
// server over loopback. Views run under every kind of tree node, with periods, sort
// keys and searches; definitions that cannot be run are refused in step; cells come
// formatted; accounts tied to a parent see only its cases; and the demo accounts' views
// show cases under every node of their trees.

#include "codec/class_registry.h"
#include "net/inventory_server.h"
#include "query/case_view_list.h"
#include "query/inventory_tree_layout.h"
#include "query/period_range.h"
#include "query/scope_bits.h"
#include "records/audit_case.h"
#include "records/case_query_data.h"
#include "records/case_query_request_info.h"
#include "records/case_query_results.h"
#include "records/inventory_info.h"
#include "records/register_records.h"
#include "server/command_client.h"
#include "server/store/server_time.h"


#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <set>

namespace {

using Names = std::vector<std::string>;

constexpr int32_t kCustom = 21;

CAuditCase Case(const std::string& insured, const std::string& parent = {}, const std::string& child = {},
                int32_t group = -1)
{
    CAuditCase c;
    c.insuredName = insured;
    c.parentName = parent;
    c.childName = child;
    c.childGroupCode = group;
    return c;
}

std::shared_ptr<CCaseQueryColInfo> Column(const std::string& token, const std::string& header = "H",
                                          int32_t width = 100, int32_t alignment = 0)
{
    auto column = std::make_shared<CCaseQueryColInfo>();
    column->fieldToken = token;
    column->header = header;
    column->width = width;
    column->alignment = alignment;
    return column;
}

// A view of the user's own formula showing the insured name, sorted by it.
CCaseQueryData View(const std::string& name, int32_t scope, const std::string& formula)
{
    CCaseQueryData view;
    view.name = name;
    view.scope = scope;
    view.queryType = kCustom;
    view.formula = formula;
    view.sort1Field = "[InsuredName]";
    view.parentTargetField = "[SysParentName]";
    view.childTargetField = "[SysChildName]";
    view.regionTargetField = "[Region]";
    view.territoryTargetField = "[Territory]";
    view.columns.push_back(Column("[InsuredName]"));
    return view;
}

// Cell `column` of every row.
Names Cells(const CCaseQueryResults& results, size_t column = 1)
{
    Names cells;
    for (const auto& row : results.rows)
        cells.push_back(row->Cell(column));
    return cells;
}

// A logged-in client of the office client's own command layer.
class CClient {
public:
    explicit CClient(int port) : m_port(port) { RegisterRecordClasses(CClassRegistry::Global()); }

    bool LogIn(const std::string& userId) { return ::LogIn(m_server, "127.0.0.1", m_port, userId, userId).LoggedIn(); }
    CInventoryServer& Server() { return m_server; }

    // Stores the view as a new one of the account and returns its identifier.
    int32_t AddView(const CCaseQueryData& view)
    {
        if (!m_server.SetCaseView(-1, view))
            return -100;
        std::vector<CCaseViewParam> params;
        if (!m_server.GetCaseViewParamSet(params))
            return -100;
        int32_t id = -100;
        for (const CCaseViewParam& param : params)
            if (param.name == view.name && param.scope == view.scope)
                id = param.viewId;
        return id;
    }

    bool Run(int32_t viewId, const std::string& target, const std::string& search, CCaseQueryResults& results)
    {
        CCaseQueryRequestInfo request;
        request.viewId = viewId;
        request.target = target;
        request.searchFormula = search;
        return m_server.GenerateCaseView(request, results);
    }

    // The insured names a view finds, or {"<refused>"}.
    Names Insured(const CCaseQueryData& view, const std::string& target, const std::string& search = {})
    {
        CCaseQueryResults results;
        if (!Run(AddView(view), target, search, results))
            return {"<refused>"};
        return Cells(results);
    }

    std::string Create(const CAuditCase& record) { return m_server.CreateCase(record); }

private:
    int m_port;
    CInventoryServer m_server;
};

// One demo server for the suite; the administrator stays logged in throughout (an
// account has one session at a time). Each test works on cases of its own, told apart
// by the first letters of their insured names.
class CaseQueries : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_demo = std::make_unique<DemoServer>();
        ASSERT_TRUE(s_demo->server.Start()) << s_demo->server.Log();
        s_admin = std::make_unique<CClient>(s_demo->server.Port());
        ASSERT_TRUE(s_admin->LogIn("admin"));
    }
    static void TearDownTestSuite()
    {
        s_admin.reset();
        s_demo.reset();
    }
    void SetUp() override { ASSERT_TRUE(s_admin) << "the server did not start"; }

    static CClient& Admin() { return *s_admin; }
    static CServerProcess& Process() { return s_demo->server; }

    static inline std::unique_ptr<DemoServer> s_demo;
    static inline std::unique_ptr<CClient> s_admin;
};

}  // namespace

TEST_F(CaseQueries, EveryKindOfNodeSelectsItsCases)
{
    struct Placed {
        const char* insured;
        const char* parent;
        const char* child;
        int32_t group;
        const char* region;
        const char* territory;
    };
    const Placed kCases[] = {
        {"QN 1", "Ash Carrier", "Uma Auditor", 1, "East", "Harbor"},
        {"QN 2", "Birch Carrier", "Vic Reviewer", 6, "East", "Hill"},
        {"QN 3", "", "", -1, "", ""},
        {"QN 4", "Ash Carrier", "", -1, "West", "Plains"},
        {"QN 5", "Birch Carrier", "", 8, "West", "Hill"},
    };
    for (const Placed& p : kCases) {
        CAuditCase c = Case(p.insured, p.parent, p.child, p.group);
        c.regionName = p.region;
        c.territoryName = p.territory;
        c.policyCarrier = std::string(p.parent) == "Ash Carrier" ? "Ash Mutual" : "Other Mutual";
        ASSERT_NE(Admin().Create(c), "");
    }
    const std::string mine = "[InsuredName] = \"QN *\"";
    const Names all = {"QN 1", "QN 2", "QN 3", "QN 4", "QN 5"};
    struct Node {
        int32_t kind;
        const char* text;
        Names expected;
    };
    const Node kNodes[] = {
        {kScopeEachParent, "Ash Carrier", {"QN 1", "QN 4"}},
        {kScopeAllParents, "All Parents", all},
        {kScopeUnassignedParents, "Unassigned", {"QN 3"}},
        {kScopeAllChildren, "All Children", all},
        {kScopeUnassignedChildren, "Unassigned", {"QN 3", "QN 4", "QN 5"}},
        {kScopeEachAuditor, "Uma Auditor", {"QN 1"}},
        {kScopeEachReviewer, "Vic Reviewer", {"QN 2"}},
        {kScopeEachAuditor, "Vic Reviewer", {"QN 2"}},  // the kind says which field, not which group
        {kScopeEachRegion, "East", {"QN 1", "QN 2"}},
        {kScopeAllRegions, "All Regions", all},
        {kScopeUnassignedRegions, "Unassigned", {"QN 3"}},
        {kScopeEachTerritory, "Hill", {"QN 2", "QN 5"}},
        {kScopeEachParent, "Nobody At All", {}},
    };
    for (const Node& node : kNodes)
        EXPECT_EQ(Admin().Insured(View("Nodes", node.kind, mine), node.text), node.expected)
            << std::hex << node.kind << " " << node.text;

    // The target fields are the view's own choice; an empty one is the name field.
    CCaseQueryData byCarrier = View("By carrier", kScopeEachParent, mine);
    byCarrier.parentTargetField = "[PolicyInsCo]";
    EXPECT_EQ(Admin().Insured(byCarrier, "Ash Mutual"), (Names{"QN 1", "QN 4"}));
    EXPECT_EQ(Admin().Insured(byCarrier, "Ash Carrier"), Names{});
    CCaseQueryData unnamed = View("No target fields", kScopeEachRegion, mine);
    unnamed.regionTargetField.clear();
    EXPECT_EQ(Admin().Insured(unnamed, "West"), (Names{"QN 4", "QN 5"}));

    // A scope of several kinds is read by the node's text where that decides it.
    const int32_t allOrUnassigned = kScopeAllParents | kScopeUnassignedParents;
    EXPECT_EQ(Admin().Insured(View("Two kinds", allOrUnassigned, mine), "Unassigned"), Names{"QN 3"});
    EXPECT_EQ(Admin().Insured(View("Two kinds", allOrUnassigned, mine), "All Parents"), all);
    const int32_t eachOrUnassigned = kScopeEachParent | kScopeUnassignedParents;
    EXPECT_EQ(Admin().Insured(View("Either", eachOrUnassigned, mine), "Ash Carrier"), (Names{"QN 1", "QN 4"}));
    EXPECT_EQ(Admin().Insured(View("Either", eachOrUnassigned, mine), "Unassigned"), Names{"<refused>"})
        << "a parent could be called that";
}

TEST_F(CaseQueries, PeriodsCountWholeDaysAroundToday)
{
    const double today = std::floor(NowDate().date);
    struct Dated {
        const char* insured;
        CDateTime due;
    };
    const CDateTime noDate{CDateTime::null, 0.0};
    const Dated kCases[] = {
        {"QP today late", {CDateTime::valid, today + 0.99}},
        {"QP today", {CDateTime::valid, today}},
        {"QP yesterday", {CDateTime::valid, today - 1 + 0.5}},
        {"QP tomorrow", {CDateTime::valid, today + 1}},
        {"QP long ago", {CDateTime::valid, today - 900}},
        {"QP no date", noDate},
        {"QP broken date", {CDateTime::invalid, today}},
    };
    for (const Dated& d : kCases) {
        CAuditCase c = Case(d.insured);
        c.masterDueDate = d.due;
        ASSERT_NE(Admin().Create(c), "");
    }
    auto run = [&](int32_t period, const std::string& keyDate = "[SysDueDate]", CDateTime from = {},
                   CDateTime to = {}) {
        CCaseQueryData view = View("Period " + std::to_string(period), kScopeAllParents, "[InsuredName] = \"QP *\"");
        view.keyDateField = keyDate;
        view.period = period;
        view.periodFrom = from;
        view.periodTo = to;
        view.sort1Field = "[SysDueDate]";
        view.sort2Field = "[InsuredName]";
        return Admin().Insured(view, "All Parents");
    };
    const CDateTime yesterday{CDateTime::valid, today - 1};
    const CDateTime todayDate{CDateTime::valid, today};

    const Names today2 = run(periodToday);
    const Names yesterday1 = run(periodYesterday);
    const Names tomorrow1 = run(periodTomorrow);
    const Names custom = run(periodCustom, "[SysDueDate]", yesterday, todayDate);
    const Names backwards = run(periodCustom, "[SysDueDate]", todayDate, yesterday);
    const Names everything = run(periodAll);
    const Names noKeyDate = run(periodToday, "");
    const Names invalidCustom = run(periodCustom, "[SysDueDate]", CDateTime{CDateTime::invalid, 0.0}, todayDate);
    if (std::floor(NowDate().date) != today)
        GTEST_SKIP() << "the day changed while the views ran";

    EXPECT_EQ(today2, (Names{"QP today", "QP today late"}));
    EXPECT_EQ(yesterday1, Names{"QP yesterday"});
    EXPECT_EQ(tomorrow1, Names{"QP tomorrow"});
    EXPECT_EQ(custom, (Names{"QP yesterday", "QP today", "QP today late"}));
    EXPECT_EQ(backwards, Names{});
    // Without a period, or without a key date, nothing is left out; no date sorts first.
    const Names all = {"QP no date", "QP long ago", "QP yesterday", "QP today", "QP today late", "QP tomorrow",
                       "QP broken date"};
    EXPECT_EQ(everything, all);
    EXPECT_EQ(noKeyDate, all);
    EXPECT_EQ(invalidCustom, Names{"<refused>"});
}

TEST_F(CaseQueries, SortKeysOrderTheRows)
{
    struct Sorted {
        const char* insured;
        const char* parent;
        double premium;
        double due;  // 0: no date
    };
    const Sorted kCases[] = {
        {"QO e", "beech", 500, 45001}, {"QO b", "Alder", 100, 45000}, {"QO d", "alder", 100, 0},
        {"QO a", "ALDER", 900, 45002}, {"QO c", "", 0, 44000},
    };
    for (const Sorted& s : kCases) {
        CAuditCase c = Case(s.insured, s.parent);
        c.policyEstPremium = s.premium;
        c.masterDueDate = s.due == 0 ? CDateTime{CDateTime::null, 0.0} : CDateTime{CDateTime::valid, s.due};
        ASSERT_NE(Admin().Create(c), "");
    }
    CCaseQueryData view = View("Sorted", kScopeAllParents, "[InsuredName] = \"QO *\"");
    // Parent names without regard to letter case (no parent first), then the larger
    // premium, then the insured name.
    view.sort1Field = "[SysParentName]";
    view.sort2Field = "[PolicyEstPrem]";
    view.sort2Ascending = false;
    view.sort3Field = "[InsuredName]";
    EXPECT_EQ(Admin().Insured(view, "All Parents"), (Names{"QO c", "QO a", "QO b", "QO d", "QO e"}));
    // The latest date first; no date last.
    view.sort1Field = "[SysDueDate]";
    view.sort1Ascending = false;
    view.sort2Field.clear();
    view.sort3Field.clear();
    EXPECT_EQ(Admin().Insured(view, "All Parents"), (Names{"QO a", "QO e", "QO b", "QO c", "QO d"}));
}

TEST_F(CaseQueries, SearchNarrowsTheViewAndNeverWidensIt)
{
    CAuditCase archived = Case("QS Zed archived", "", "", 8);
    archived.policyNumber = "QS-5";
    CAuditCase open = Case("QS Zed open", "", "Uma Auditor", 1);
    open.policyNumber = "QS-6";
    ASSERT_NE(Admin().Create(archived), "");
    ASSERT_NE(Admin().Create(open), "");
    ASSERT_NE(Admin().Create(Case("QS Other", "", "Uma Auditor", 1)), "");

    CCaseQueryData openCases = View("Open QS", kScopeAllChildren, "[ChildGroupCode] < 8 AND [InsuredName] = \"QS*\"");
    EXPECT_EQ(Admin().Insured(openCases, "All Children", "[InsuredName] = \"QS Zed*\""), Names{"QS Zed open"});
    // Pasted after the view's formula, this OR would bring the archived case back.
    EXPECT_EQ(Admin().Insured(openCases, "All Children", "[InsuredName] = \"nobody\" OR [PolicyNumber] = \"QS-5\""),
              Names{});
    // The search everything form ("~tw"): a lone asterisk matches every name.
    EXPECT_EQ(Admin().Insured(openCases, "All Children", "[InsuredName] = \"*\""), (Names{"QS Other", "QS Zed open"}));
    // Quotes and SQL in the text are only text.
    EXPECT_EQ(Admin().Insured(openCases, "All Children", "[InsuredName] = \"x'); DELETE FROM Cases; --*\""), Names{});
    EXPECT_EQ(Admin().Insured(openCases, "All Children"), (Names{"QS Other", "QS Zed open"}));
}

TEST_F(CaseQueries, UnusableDefinitionsAreRefusedInStep)
{
    ASSERT_NE(Admin().Create(Case("QR only")), "");
    const CCaseQueryData good = View("Good", kScopeAllParents, "[InsuredName] = \"QR *\"");
    struct Refusal {
        const char* what;
        std::function<void(CCaseQueryData&)> spoil;
        std::string search;
    };
    const Refusal kRefusals[] = {
        {"formula cut short", [](CCaseQueryData& v) { v.formula = "[ChildGroupCode] <"; }, ""},
        {"unknown field", [](CCaseQueryData& v) { v.formula = "[NoSuchField] = 1"; }, ""},
        {"field in the wrong letter case", [](CCaseQueryData& v) { v.formula = "[insuredname] = \"QR*\""; }, ""},
        {"text for a number", [](CCaseQueryData& v) { v.formula = "[ChildGroupCode] = \"8\""; }, ""},
        {"a search broken by a quote", [](CCaseQueryData&) {}, "[InsuredName] = \"O\"Brien*\""},
        {"a search of a date field", [](CCaseQueryData&) {}, "[SysDueDate] = \"1/1/2024*\""},
        {"unknown column", [](CCaseQueryData& v) { v.columns.push_back(Column("[Nothing]")); }, ""},
        {"unknown sort key", [](CCaseQueryData& v) { v.sort2Field = "[Nothing]"; }, ""},
        {"unknown key date", [](CCaseQueryData& v) { v.keyDateField = "[Nothing]"; v.period = periodToday; }, ""},
        {"key date not a date", [](CCaseQueryData& v) { v.keyDateField = "[InsuredName]"; v.period = periodToday; },
         ""},
        {"no such period", [](CCaseQueryData& v) { v.keyDateField = "[SysDueDate]"; v.period = 25; }, ""},
        {"scope of no node", [](CCaseQueryData& v) { v.scope = 0x40; }, ""},
        {"target field not a text",
         [](CCaseQueryData& v) {
             v.scope = kScopeEachParent;
             v.parentTargetField = "[SysDueDate]";
         },
         ""},
    };
    CCaseQueryResults results;
    results.rows.push_back(std::make_shared<CCaseQueryDataRow>());
    results.rows.back()->cells = {"kept"};
    for (const Refusal& refusal : kRefusals) {
        CCaseQueryData view = good;
        view.name = std::string("Bad: ") + refusal.what;
        refusal.spoil(view);
        EXPECT_FALSE(Admin().Run(Admin().AddView(view), "All Parents", refusal.search, results)) << refusal.what;
        ASSERT_EQ(results.rows.size(), 1u) << refusal.what << ": the caller's table is left as it was";
    }
    EXPECT_TRUE(Process().WaitForLog("view formula: Formula error at position 19")) << Process().Log();

    // Views that are not the user's are not run.
    EXPECT_FALSE(Admin().Run(-1, "All Parents", "", results));
    CClient biller(Process().Port());
    ASSERT_TRUE(biller.LogIn("biller"));
    const int32_t billersView = biller.AddView(good);
    EXPECT_TRUE(biller.Run(billersView, "All Parents", "", results));
    EXPECT_FALSE(Admin().Run(billersView, "All Parents", "", results));

    // Every refusal left the conversation in step.
    ASSERT_TRUE(Admin().Run(Admin().AddView(good), "All Parents", "", results));
    EXPECT_EQ(Cells(results), Names{"QR only"});
}

TEST_F(CaseQueries, CellsReadAsTheUserReadsThem)
{
    CAuditCase c = Case("QC \xC9tienne & Fils", "Ash Carrier", "Uma Auditor", 1);
    c.masterDueDate = {CDateTime::valid, 45000.0};        // 15 March 2023, midnight
    c.auditorDueDate = {CDateTime::valid, 45000.6875};    // 4:30 PM
    c.policyStartDate = {CDateTime::valid, 44927.0001};   // a few seconds past midnight
    c.policyEndDate = {CDateTime::invalid, 45000.0};
    c.dateAssigned = {CDateTime::valid, -1.25};           // 29 December 1899, 6:00 AM
    c.policyEstPremium = 1234567.891;
    c.priority = true;
    c.nonProductive = true;
    c.parentLinkStatus = 3;
    c.childLinkStatus = 3;
    c.auditSource = 2;
    c.auditType = 5;
    c.policyCode = 8123;
    ASSERT_NE(Admin().Create(c), "");
    CAuditCase archived = Case("QC archived", "", "", 8);
    archived.policyEstPremium = -0.001;
    archived.parentLinkStatus = 6;
    archived.childLinkStatus = 9;
    archived.auditType = 42;
    ASSERT_NE(Admin().Create(archived), "");

    CCaseQueryData view = View("Cells", kScopeAllParents, "[InsuredName] = \"QC *\"");
    view.columns.clear();
    const char* const kTokens[] = {"[InsuredName]", "[SysDueDate]",   "[AuditorDueDate]",  "[PolicyStartDate]",
                                   "[PolicyEndDate]", "[DateAssigned]", "[PolicyEstPrem]",   "[SysPriority]",
                                   "[IsProductive]",  "[SysParentStatus]", "[SysChildStatus]", "[ChildGroupCode]",
                                   "[AuditSrcCode]",  "[AuditType]",    "[PolicyCode]",      "[DefAttachID]"};
    for (size_t i = 0; i < std::size(kTokens); ++i)
        view.columns.push_back(Column(kTokens[i], "Col " + std::to_string(i), 50 + static_cast<int32_t>(i),
                                      static_cast<int32_t>(i % 3)));
    view.sort1Field = "[InsuredName]";
    view.sort1Ascending = false;
    CCaseQueryResults results;
    ASSERT_TRUE(Admin().Run(Admin().AddView(view), "All Parents", "", results));

    // The case number's column first, then the view's, typed for the case list's sorting.
    ASSERT_EQ(results.resultColumns.size(), std::size(kTokens) + 1);
    EXPECT_EQ(results.resultColumns[0]->header, "Case Number");
    EXPECT_EQ(results.resultColumns[0]->columnKind, 0);
    const int32_t kKinds[] = {0, 1, 1, 1, 1, 1, 4, 3, 3, 2, 2, 2, 2, 2, 2, 2};
    for (size_t i = 0; i < std::size(kTokens); ++i) {
        const CCaseQueryResultColInfo& column = *results.resultColumns[i + 1];
        EXPECT_EQ(column.header, "Col " + std::to_string(i));
        EXPECT_EQ(column.width, 50 + static_cast<int32_t>(i));
        EXPECT_EQ(column.alignment, static_cast<int32_t>(i % 3));
        EXPECT_EQ(column.columnKind, kKinds[i]) << kTokens[i];
    }
    ASSERT_EQ(results.rows.size(), 2u);
    EXPECT_EQ(results.rows[0]->cells,
              (Names{results.rows[0]->Cell(0), "QC \xC9tienne & Fils", "3/15/2023", "3/15/2023 4:30 PM", "1/1/2023",
                     "", "12/29/1899 6:00 AM", "1,234,567.89", "Yes", "No", "To Be Returned", "Not Linked", "Auditors",
                     "Mail", "Re-Audit", "8123", "No"}));
    // New cases' dates are 30 December 1899 unless set, a real date; due dates start as
    // no date.
    EXPECT_EQ(results.rows[1]->cells,
              (Names{results.rows[1]->Cell(0), "QC archived", "", "", "12/30/1899", "12/30/1899", "12/30/1899", "0.00",
                     "No", "Yes", "To Be Sent", "9", "*ARCHIVE*", "Physical", "42", "0", "No"}));
    // The key is the case number.
    CAuditCase fetched;
    ASSERT_TRUE(Admin().Server().GetCase(results.rows[1]->Cell(0), fetched));
    EXPECT_EQ(fetched.insuredName, "QC archived");
}

TEST_F(CaseQueries, AccountsTiedToAParentSeeOnlyItsCases)
{
    const std::string atlas = "Atlas Mutual Insurance";
    ASSERT_NE(Admin().Create(Case("QA atlas", atlas)), "");
    ASSERT_NE(Admin().Create(Case("QA beacon", "Beacon Premium Audit Co.")), "");
    ASSERT_NE(Admin().Create(Case("QA nobody")), "");
    const CCaseQueryData everyone = View("QA all", kScopeAllParents, "[InsuredName] = \"QA *\"");
    EXPECT_EQ(Admin().Insured(everyone, "All Parents"), (Names{"QA atlas", "QA beacon", "QA nobody"}));

    for (const char* login : {"rep", "carrier"}) {
        CClient tied(Process().Port());
        ASSERT_TRUE(tied.LogIn(login)) << login;
        EXPECT_EQ(tied.Insured(everyone, "All Parents"), Names{"QA atlas"}) << login;
        EXPECT_EQ(tied.Insured(everyone, "All Parents",
                               "[SysParentName] = \"Beacon Premium Audit Co.\" OR [InsuredName] = \"QA beacon\""),
                  Names{})
            << login;
        EXPECT_EQ(tied.Insured(View("QA beacon", kScopeEachParent, "[InsuredName] = \"QA *\""),
                               "Beacon Premium Audit Co."),
                  Names{})
            << login;
        EXPECT_EQ(tied.Insured(View("QA unassigned", kScopeUnassignedParents, "[InsuredName] = \"QA *\""),
                               "Unassigned"),
                  Names{})
            << login;
    }
}

// Every node of every demo account's tree (as the office client lays it out) lists
// views, and every view it lists finds cases there.
TEST(DemoCaseViews, ShowCasesUnderEveryNode)
{
    DemoServer demo;
    ASSERT_TRUE(demo.server.Start()) << demo.server.Log();
    std::set<int32_t> typesSeen;
    std::set<int32_t> kindsSeen;
    for (const char* login : {"admin", "auditor", "biller", "exporter", "importer", "printer", "reviewer",
                              "scheduler", "rep", "carrier"}) {
        SCOPED_TRACE(login);
        CClient client(demo.server.Port());
        ASSERT_TRUE(client.LogIn(login));
        CInventoryInfo info;
        std::vector<CCaseViewParam> views;
        ASSERT_TRUE(client.Server().GetInventoryInfo(false, info));
        ASSERT_TRUE(client.Server().GetCaseViewParamSet(views));
        const InventoryTreeSource source{&info, false, &views, nullptr};
        int nodesWithViews = 0;
        std::function<void(const InventoryTreeNode&)> visit = [&](const InventoryTreeNode& node) {
            int listed = 0;
            for (const InventoryTreeNode& child : node.children) {
                if (child.kind != kNodeCaseView) {
                    visit(child);
                    continue;
                }
                ++listed;
                const CCaseViewParam* view = FindCaseView(views, child.text, node.kind);
                ASSERT_NE(view, nullptr) << child.text << " under " << node.text;
                typesSeen.insert(view->viewType);
                kindsSeen.insert(node.kind);
                const std::string search = view->viewType == CCaseViewParam::searchView ? "[InsuredName] = \"*\"" : "";
                CCaseQueryResults results;
                ASSERT_TRUE(client.Run(view->viewId, node.text, search, results))
                    << child.text << " under " << node.text;
                EXPECT_FALSE(results.rows.empty()) << child.text << " under " << node.text;
            }
            const bool takesViews = node.kind != kNodeParentsRoot && node.kind != kNodeChildrenRoot &&
                                    node.kind != kNodeRegionsRoot && node.kind != kScopeEachTerritory;
            if (takesViews) {
                EXPECT_GT(listed, 0) << "no views under " << node.text;
                ++nodesWithViews;
            }
        };
        for (const InventoryTreeNode& root : InventoryTreeLayout::Build(source))
            visit(root);
        EXPECT_GT(nodesWithViews, 0);
    }
    EXPECT_EQ(typesSeen, (std::set<int32_t>{0, 1, 2}));
    EXPECT_GE(kindsSeen.size(), 15u) << "parents, children of nine groups and regions";
}
