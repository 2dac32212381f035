// The case view editor's rules: formula state per query type, the name clash, scopes
// of several bits, refused Custom dates, column moves and removals with the selection
// that follows, and columns of unknown fields dropped.
#include "query/case_query_edit_logic.h"
#include "query/civil_date.h"
#include "query/predefined_filters.h"
#include "query/scope_bits.h"

#include <gtest/gtest.h>

namespace {

const CDateTime kNov15 = MakeDateTime(SerialOfDate({2026, 11, 15}), 0.5);

std::shared_ptr<CCaseQueryColInfo> Column(const std::string& token, const std::string& header)
{
    auto column = std::make_shared<CCaseQueryColInfo>();
    column->fieldToken = token;
    column->header = header;
    column->width = 80;
    return column;
}

std::vector<std::string> Headers(const std::vector<CaseQueryColumnRow>& rows)
{
    std::vector<std::string> headers;
    for (const CaseQueryColumnRow& row : rows)
        headers.push_back(row.header);
    return headers;
}

}  // namespace

TEST(CaseQueryEditLogic, FormulaIsReadOnlyAndPredefinedUnlessCustom)
{
    CCaseQueryData view;
    view.queryType = kCustomQueryType;
    view.formula = "[InsuredName] = \"A*\"";
    CaseQueryEditLogic logic(view, kNov15);
    EXPECT_FALSE(logic.FormulaReadOnly());
    for (int32_t type = 0; type < kCustomQueryType; ++type) {
        logic.SetQueryType(type);
        EXPECT_TRUE(logic.FormulaReadOnly()) << type;
        EXPECT_EQ(logic.formula, *PredefinedFormula(type)) << type;
    }
    // Custom keeps the text it finds, which the user then edits.
    logic.SetQueryType(kCustomQueryType);
    EXPECT_FALSE(logic.FormulaReadOnly());
    EXPECT_EQ(logic.formula, *PredefinedFormula(20));
}

TEST(CaseQueryEditLogic, NameClashesOnlyWithAnotherViewSharingAScopeBit)
{
    std::vector<std::shared_ptr<CCaseQueryData>> set;
    for (int32_t scope : {kScopeAllParents | kScopeUnassignedParents, kScopeEachRegion}) {
        auto view = std::make_shared<CCaseQueryData>();
        view->name = "Open";
        view->scope = scope;
        set.push_back(view);
    }
    struct Case {
        int32_t scope;
        const CCaseQueryData* self;
        bool clashes;
    } cases[] = {
        {kScopeAllParents, nullptr, true},            // shares 0x4 with the first
        {kScopeUnassignedParents, nullptr, true},     // shares 0x10
        {kScopeEachParent, nullptr, false},           // no bit in common
        {kScopeEachRegion, set[1].get(), false},      // only itself has it
        {kScopeAllParents, set[1].get(), true},       // the first still clashes
    };
    for (const Case& c : cases) {
        CCaseQueryData view;
        view.name = "Open";
        view.scope = c.scope;
        CaseQueryEditLogic logic(view, kNov15);
        const auto failure = logic.Validate(&set, c.self);
        EXPECT_EQ(failure.has_value(), c.clashes) << c.scope;
        if (failure) {
            EXPECT_EQ(failure->page, CaseQueryEditFailure::general);
            EXPECT_EQ(failure->message, CaseQueryEditLogic::kNameClash);
        }
    }
    // Login mode has no set to clash with.
    CCaseQueryData view;
    view.name = "Open";
    view.scope = kScopeAllParents;
    EXPECT_FALSE(CaseQueryEditLogic(view, kNov15).Validate(nullptr, nullptr));
}

TEST(CaseQueryEditLogic, ScopeOfSeveralBitsOpensOnTheFirstChoiceAndSavesThatBit)
{
    CCaseQueryData view;
    view.scope = kScopeEachParent | kScopeAllChildren;
    CaseQueryEditLogic logic(view, kNov15);
    EXPECT_EQ(logic.scopeChoice, 0u);
    logic.Commit(view, true);
    EXPECT_EQ(view.scope, ScopeChoices()[0].bit);

    // Login mode leaves the general page's fields alone.
    view.scope = kScopeEachParent | kScopeAllChildren;
    CaseQueryEditLogic(view, kNov15).Commit(view, false);
    EXPECT_EQ(view.scope, kScopeEachParent | kScopeAllChildren);
}

TEST(CaseQueryEditLogic, PeriodRangeShownFromNowAndCustomDatesChecked)
{
    CCaseQueryData view;
    view.keyDateField = "[SysDueDate]";
    view.period = 6;  // This Quarter
    CaseQueryEditLogic logic(view, kNov15);
    EXPECT_EQ(logic.fromText, "10/01/2026");
    EXPECT_EQ(logic.toText, "12/31/2026");
    // "All" and "Custom" keep what the edits show; only Custom makes them writable.
    logic.SetPeriod(0);
    EXPECT_EQ(logic.fromText, "10/01/2026");
    EXPECT_FALSE(logic.DatesWritable());
    logic.SetPeriod(CCaseQueryData::kCustomPeriod);
    EXPECT_EQ(logic.toText, "12/31/2026");
    EXPECT_EQ(logic.DatesWritable(), logic.PeriodEnabled());

    struct Case {
        int32_t period;
        const char* from;
        const char* to;
        bool refused;
    } cases[] = {
        {24, "01/02/2026", "01/01/2026", true},   // to before From
        {24, "  /  /    ", "01/01/2026", true},   // empty mask
        {24, "02/30/2026", "03/01/2026", true},   // no such day
        {24, "01/01/2026", "01/01/2026", false},  // one day
        {13, "02/30/2026", "  /  /    ", false},  // other periods are taken as read
    };
    for (const Case& c : cases) {
        logic.period = c.period;
        logic.fromText = c.from;
        logic.toText = c.to;
        const auto failure = logic.Validate(nullptr, nullptr);
        EXPECT_EQ(failure.has_value(), c.refused) << c.from << " " << c.to;
        if (failure) {
            EXPECT_EQ(failure->page, CaseQueryEditFailure::periodAndSorting);
            EXPECT_EQ(failure->message, CaseQueryEditLogic::kInvalidDates);
        }
    }
    logic.period = 24;
    logic.fromText = "03/01/2026";
    logic.toText = "03/31/2026";
    logic.Commit(view, false);
    EXPECT_EQ(view.periodFrom, MakeDate({2026, 3, 1}));
    EXPECT_EQ(view.periodTo, MakeDate({2026, 3, 31}));
    EXPECT_EQ(view.keyDateField, "[SysDueDate]");
}

TEST(CaseQueryEditLogic, ColumnMovesAndRemovalsKeepTheSelectionOnTheRightRow)
{
    CCaseQueryData view;
    for (const char* header : {"A", "B", "C"})
        view.columns.push_back(Column("[InsuredName]", header));
    CaseQueryEditLogic logic(view, kNov15);
    using Rows = std::vector<std::string>;

    logic.selected = 2;
    logic.MoveSelectedUp();
    EXPECT_EQ(Headers(logic.rows), (Rows{"A", "C", "B"}));
    EXPECT_EQ(logic.selected, 1);
    logic.MoveSelectedUp();
    logic.MoveSelectedUp();  // at the top: nothing
    EXPECT_EQ(Headers(logic.rows), (Rows{"C", "A", "B"}));
    EXPECT_EQ(logic.selected, 0);
    logic.selected = 2;
    logic.MoveSelectedDown();  // at the bottom: nothing
    EXPECT_EQ(logic.selected, 2);

    logic.selected = 1;
    logic.RemoveSelected();  // the row that takes its place
    EXPECT_EQ(Headers(logic.rows), (Rows{"C", "B"}));
    EXPECT_EQ(logic.selected, 1);
    logic.RemoveSelected();  // the new last row
    EXPECT_EQ(Headers(logic.rows), (Rows{"C"}));
    EXPECT_EQ(logic.selected, 0);
    logic.RemoveSelected();
    EXPECT_TRUE(logic.rows.empty());
    EXPECT_EQ(logic.selected, -1);
    logic.RemoveSelected();  // no selection: nothing
}

TEST(CaseQueryEditLogic, ColumnsOfUnknownFieldsAreDroppedAndRowsRebuildTheColumns)
{
    CCaseQueryData view;
    view.columns.push_back(Column("[InsuredName]", "Insured"));
    view.columns.push_back(Column("[NoSuchField]", "Lost"));
    view.columns.push_back(Column("[PolicyNumber]", "Policy"));
    CaseQueryEditLogic logic(view, kNov15);
    ASSERT_EQ(logic.rows.size(), 2u);
    EXPECT_EQ(logic.rows[0], (CaseQueryColumnRow{"Insured Name", "Insured", "80", "Left"}));

    logic.AddRow({"Policy Number", "Wide", "9999", "Right"});
    logic.AddRow({"Policy Number", "Odd", "abc", "Middle"});
    logic.Commit(view, false);
    ASSERT_EQ(view.columns.size(), 4u);
    EXPECT_EQ(view.columns[1]->fieldToken, "[PolicyNumber]");
    EXPECT_EQ(view.columns[2]->width, 9999);
    EXPECT_EQ(view.columns[2]->alignment, CCaseQueryColInfo::right);
    EXPECT_EQ(view.columns[3]->width, 0);
    EXPECT_EQ(view.columns[3]->alignment, CCaseQueryColInfo::left);
}
