// The query engine's rules that need no connection: every catalogue field reaches a
// column of the case table, cells are written in the forms the case list reads back,
// and periods on a fixed day.

#include "codec/class_registry.h"
#include "query/period_range.h"
#include "query/scope_bits.h"
#include "records/audit_case.h"
#include "records/case_query_data.h"
#include "records/policy_page.h"
#include "records/report_prop_item.h"
#include "records/register_records.h"
#include "server/account_store.h"
#include "server/database.h"
#include "server/store/case_cells.h"
#include "server/store/case_fields.h"
#include "server/store/inventory_store.h"
#include "server/store/server_time.h"
#include "server/store/status.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <limits>

TEST(CaseFields, EveryCatalogueFieldReadsAColumnOfTheCaseTable)
{
    CTempDir temp;
    CTestDatabase target(temp.File("fields.db"));
    CDatabase database;
    std::string error;
    ASSERT_TRUE(database.Open(target.Target(), error)) << error;
    ASSERT_EQ(CaseFields().size(), 64u);
    CReadTransaction read(database);
    for (const CaseField& field : CaseFields()) {
        CStatement select(database, "SELECT " + field.value + ", " + field.column + " FROM Cases c;");
        EXPECT_TRUE(select.IsValid()) << field.token << ": " << database.LastError();
        // A formula on the field compiles to a condition the table takes as well.
        const CompiledFormula compiled = CaseFormulaCompiler().Compile(field.token + " <> NULL");
        ASSERT_TRUE(compiled.ok) << field.token << ": " << compiled.error;
        CStatement where(database, "SELECT 1 FROM Cases c WHERE " + compiled.sql + ";");
        EXPECT_TRUE(where.IsValid()) << field.token << ": " << database.LastError();
    }
    EXPECT_EQ(FindCaseField("[SysParentName]")->column, "c.ParentName");
    EXPECT_EQ(FindCaseField("[Territory]")->column, "c.TerritoryName");
    EXPECT_EQ(FindCaseField("[IsProductive]")->value, "(CASE WHEN c.IsNonProductive = 0 THEN 1 ELSE 0 END)");
    EXPECT_EQ(FindCaseField("[insuredname]"), nullptr);
}

TEST(CaseCells, DatesAndAmountsInTheFormsTheCaseListReads)
{
    struct DateCase {
        CDateTime value;
        const char* cell;
    };
    const DateCase kDates[] = {
        {{CDateTime::valid, 45000.0}, "3/15/2023"},
        {{CDateTime::valid, 45000.5}, "3/15/2023 12:00 PM"},
        {{CDateTime::valid, 45000.0 + 1.0 / 1440}, "3/15/2023 12:01 AM"},
        {{CDateTime::valid, 45000.9999999}, "3/16/2023"},  // rounds up to the next midnight
        {{CDateTime::valid, -1.25}, "12/29/1899 6:00 AM"},
        {{CDateTime::valid, -657434.0}, "1/1/0100"},
        {{CDateTime::valid, 2958465.9999999}, ""},         // would round past 31 December 9999
        {{CDateTime::null, 0.0}, ""},
        {{CDateTime::invalid, 45000.0}, ""},
        {{CDateTime::valid, std::numeric_limits<double>::quiet_NaN()}, ""},
    };
    for (const DateCase& date : kDates)
        EXPECT_EQ(DateCell(date.value), date.cell) << date.value.status << " " << date.value.date;

    EXPECT_EQ(AmountCell(0.0), "0.00");
    EXPECT_EQ(AmountCell(999.995), "1,000.00");  // carried into the thousands
    EXPECT_EQ(AmountCell(999.994), "999.99");
    EXPECT_EQ(AmountCell(-1234567.5), "-1,234,567.50");
    EXPECT_EQ(AmountCell(-0.004), "0.00");
    EXPECT_EQ(AmountCell(123.0), "123.00");
    EXPECT_EQ(AmountCell(std::numeric_limits<double>::infinity()), "");

    EXPECT_EQ(CodeCell(CellFormat::parentLinkStatus, 0), "");
    EXPECT_EQ(CodeCell(CellFormat::parentLinkStatus, 1), "To Be Linked");
    EXPECT_EQ(CodeCell(CellFormat::parentLinkStatus, 7), "7");
    EXPECT_EQ(CodeCell(CellFormat::childLinkStatus, -1), "-1");
    EXPECT_EQ(CodeCell(CellFormat::childGroup, -1), "");
    EXPECT_EQ(CodeCell(CellFormat::childGroup, -2), "*AUTO*");
    EXPECT_EQ(CodeCell(CellFormat::childGroup, 7), "Schedulers");
    EXPECT_EQ(CodeCell(CellFormat::childGroup, 12), "12");
    EXPECT_EQ(CodeCell(CellFormat::hasAttachment, 17), "Yes");
}

namespace {

// A store on a database of its own with one account to own the views.
struct QueryStore : ::testing::Test {
    void SetUp() override
    {
        RegisterRecordClasses(CClassRegistry::Global());  // the views' columns are tagged records
        std::string error;
        ASSERT_TRUE(database.Open(target.Target(), error)) << error;
        CAccountStore accounts(database);
        AccountInfo owner{"owner", "Owner", AccountKind::child, 0xFFEAA, 0};
        ASSERT_TRUE(accounts.Add(owner, "secret", 1, error)) << error;
        ASSERT_TRUE(inventory.accounts.FindLogin("owner", user.kind, user.accountId));
        user.name = "Owner";
    }

    void AddDue(const std::string& insured, CDateTime due)
    {
        CAuditCase record;
        record.insuredName = insured;
        record.masterDueDate = due;
        ASSERT_NE(inventory.cases.Create(user, record), "");
    }

    // Runs the view at `now`; the insured names found, or the reason of a refusal.
    std::vector<std::string> Run(const CCaseQueryData& view, const CDateTime& now)
    {
        const ViewOwner owner{user.kind, user.accountId};
        EXPECT_EQ(inventory.views.SetCaseView(owner, -1, view), 0);
        CCaseQueryRequestInfo request;
        request.viewId = inventory.views.CaseViewParams(owner).back().viewId;
        request.target = "All Parents";
        CCaseQueryResults results;
        std::string error;
        if (!inventory.queries.Run(user, request, now, results, error))
            return {"refused: " + error};
        std::vector<std::string> names;
        for (const auto& row : results.rows)
            names.push_back(row->Cell(1));
        return names;
    }

    CTempDir temp;
    CTestDatabase target{temp.File("inventory.db")};
    CDatabase database;
    CInventoryStore inventory{database, 1};
    SessionUser user;
};

CCaseQueryData DueView(int32_t period)
{
    CCaseQueryData view;
    view.name = "Due";
    view.scope = kScopeAllParents;
    view.formula = "";
    view.keyDateField = "[SysDueDate]";
    view.period = period;
    view.sort1Field = "[SysDueDate]";
    auto column = std::make_shared<CCaseQueryColInfo>();
    column->fieldToken = "[InsuredName]";
    view.columns.push_back(column);
    return view;
}

}  // namespace

TEST_F(QueryStore, LastYearToDateOnALeapDayEndsWithLastFebruary)
{
    AddDue("new year", {CDateTime::valid, DayNumber(2023, 1, 1)});
    AddDue("end of February", {CDateTime::valid, DayNumber(2023, 2, 28) + 0.75});
    AddDue("first of March", {CDateTime::valid, DayNumber(2023, 3, 1)});
    AddDue("old year", {CDateTime::valid, DayNumber(2022, 12, 31) + 0.5});
    const CDateTime leapDay{CDateTime::valid, DayNumber(2024, 2, 29) + 0.5};
    EXPECT_EQ(Run(DueView(periodLastYearToDate), leapDay), (std::vector<std::string>{"new year", "end of February"}));
    const CDateTime dayAfter{CDateTime::valid, DayNumber(2024, 3, 1) + 0.5};
    EXPECT_EQ(Run(DueView(periodLastYearToDate), dayAfter),
              (std::vector<std::string>{"new year", "end of February", "first of March"}));
    EXPECT_EQ(Run(DueView(periodLastMonth), dayAfter), std::vector<std::string>{}) << "February 2024";
    EXPECT_EQ(Run(DueView(periodLastYear), leapDay),
              (std::vector<std::string>{"new year", "end of February", "first of March"}));

    CCaseQueryData custom = DueView(periodCustom);
    custom.periodFrom = {CDateTime::valid, DayNumber(2023, 2, 28) + 0.9};  // whole days: the time is dropped
    custom.periodTo = {CDateTime::valid, DayNumber(2023, 3, 1)};
    EXPECT_EQ(Run(custom, leapDay), (std::vector<std::string>{"end of February", "first of March"}));
    custom.periodTo = {CDateTime::null, 0.0};
    EXPECT_EQ(Run(custom, leapDay),
              std::vector<std::string>{"refused: the custom period of the view has no valid dates"});
}

TEST_F(QueryStore, AViewThatFindsMoreRowsThanTheLimitIsRefusedWhole)
{
    for (int day = 1; day <= 3; ++day)
        AddDue("case " + std::to_string(day), {CDateTime::valid, DayNumber(2024, 1, day)});
    const CDateTime now{CDateTime::valid, DayNumber(2024, 2, 1)};
    inventory.queries.SetRowLimit(3);
    EXPECT_EQ(Run(DueView(periodAll), now).size(), 3u) << "as many as the limit";
    inventory.queries.SetRowLimit(2);
    EXPECT_EQ(Run(DueView(periodAll), now),
              std::vector<std::string>{"refused: the view finds more than 2 cases (--max-view-rows)"});
}

TEST_F(QueryStore, StoredViewsAndPolicyDetailAreRefusedAboveTheirSizeLimits)
{
    const ViewOwner owner{user.kind, user.accountId};
    CCaseQueryData huge = DueView(periodAll);
    huge.formula = std::string(kMaxViewDefinitionBytes, 'x');
    EXPECT_EQ(inventory.views.SetCaseView(owner, -1, huge), Status::failed);
    const size_t before = inventory.views.CaseViewParams(owner).size();
    auto fine = std::make_shared<CCaseQueryData>(DueView(periodAll));
    EXPECT_EQ(inventory.views.SetCaseViewSet(owner, {fine, std::make_shared<CCaseQueryData>(huge)}), Status::failed);
    EXPECT_EQ(inventory.views.CaseViewParams(owner).size(), before) << "nothing of a refused list is stored";

    auto settings = std::make_shared<CReportPropItem>();
    settings->name = "Big";
    settings->settings = std::string(kMaxReportSettingsBytes + 1, 's');
    EXPECT_EQ(inventory.views.SetReportViewSet(owner, {settings}), Status::failed);

    AddDue("with policy", {CDateTime::valid, DayNumber(2024, 1, 1)});
    const CDateTime now{CDateTime::valid, DayNumber(2024, 2, 1)};
    CCaseQueryResults results;
    std::string error;
    ASSERT_EQ(inventory.views.SetCaseView(owner, -1, DueView(periodAll)), Status::ok);
    CCaseQueryRequestInfo request;
    request.viewId = inventory.views.CaseViewParams(owner).back().viewId;
    request.target = "All Parents";
    ASSERT_TRUE(inventory.queries.Run(user, request, now, results, error)) << error;
    ASSERT_FALSE(results.rows.empty());
    const std::string number = results.rows.front()->Cell(0);
    CPolicyPage page;
    page.label = "Notes";
    page.text = std::string(CCaseStore::kMaxPolicyDetailBytes, 'p');
    EXPECT_EQ(inventory.cases.SetPolicyPages(user, number, {page}), Status::failed);
    page.text = "Three employees, one location.";
    EXPECT_EQ(inventory.cases.SetPolicyPages(user, number, {page}), Status::ok);
}
