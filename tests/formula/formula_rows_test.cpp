// Compiled formulas run against a real table of cases: the rows they select are the
// rows the formula means. The field types come from the case field catalogue, so the
// client's predefined filters and searches are checked against the same vocabulary.
#include "test_database.h"

#include "query/case_field_catalogue.h"
#include "query/predefined_filters.h"
#include "query/search_formula.h"
#include "server/query/formula_compiler.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Ids = std::vector<int64_t>;

class FormulaRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.Execute(
            "CREATE TABLE cases (id INTEGER PRIMARY KEY, case_num TEXT, insured_name TEXT, policy_number TEXT,"
            " child_group INTEGER, parent_status INTEGER, child_status INTEGER, scheduled REAL,"
            " priority INTEGER, non_productive INTEGER, correction INTEGER, read_only INTEGER,"
            " est_prem REAL, region TEXT, parent_name TEXT)");
        const std::nullopt_t null = std::nullopt;
        auto t = [](const char* text) { return TestDatabase::Cell(SqlValue(std::string(text))); };
        auto i = [](int64_t n) { return TestDatabase::Cell(SqlValue(n)); };
        auto add = [&](std::vector<TestDatabase::Cell> cells) { db.Insert("cases", cells); };
        //   id    case     insured            policy       grp   pst   cst   sched    prio  np    corr  ro    prem   region    parent
        add({i(1), t("C-1"), t("Acme Corp"), t("WC-100"), i(0), i(0), i(0), null, i(0), i(0), i(0), i(0), i(1000), t("North"), t("Carrier A")});
        add({i(2), t("C-2"), t("ACME Holdings"), t("WC-200"), i(1), i(1), i(1), i(45000), i(1), i(0), i(0), i(0), t("2500.5") /* stored as a REAL */, t("South"), t("Carrier A")});
        add({i(3), t("C-3"), t("Beta [Ltd]?"), t("GL-300"), i(2), i(2), i(2), null, i(0), i(1), i(1), i(1), null, null, null});
        add({i(4), t("C-4"), t("Acme*Star"), t("WC-400"), i(8), i(3), i(3), i(45100), i(1), i(0), i(0), i(1), i(500), t("North"), t("Carrier B")});
        add({i(5), t("C-5"), null, t("GL-500"), i(7), i(6), i(0), i(45200), i(0), i(1), i(0), i(0), i(0), t(""), t("Carrier B")});
        add({i(6), t("C-6"), t("\xC9tienne SA"), t("WC-600"), i(5), i(2), i(2), null, i(1), i(0), i(1), i(0), i(750), t("West"), t("Carrier A")});
        add({i(7), t("C-7"), t("Omega"), t("wc-700"), i(3), i(0), i(3), null, i(0), i(0), i(0), i(0), i(-20), t("South"), t("Carrier C")});
        add({i(8), t("C-8"), t("Acme"), t(""), i(6), i(1), i(1), i(45300), i(0), i(0), i(0), i(0), i(1000), t("North"), null});
        add({i(9), t("C-9"), t("\xC0tre"), t("WC-900"), i(4), i(0), i(0), null, i(0), i(0), i(0), i(0), i(0), t("East"), t("Carrier C")});
    }

    // Every catalogue field, typed as the catalogue says; fields the table lacks are NULL.
    static std::vector<FieldColumn> Columns()
    {
        const std::map<std::string_view, std::string> stored = {
            {"[CaseNum]", "c.case_num"},
            {"[InsuredName]", "c.insured_name"},
            {"[PolicyNumber]", "c.policy_number"},
            {"[ChildGroupCode]", "c.child_group"},
            {"[SysParentStatus]", "c.parent_status"},
            {"[SysChildStatus]", "c.child_status"},
            {"[SysScheduledTime]", "c.scheduled"},
            {"[SysPriority]", "c.priority"},
            // The column records the opposite of the field.
            {"[IsProductive]", "NOT c.non_productive"},
            {"[IsCorrection]", "c.correction"},
            {"[IsReadOnly]", "c.read_only"},
            {"[PolicyEstPrem]", "c.est_prem"},
            {"[Region]", "c.region"},
            {"[SysParentName]", "c.parent_name"},
        };
        std::vector<FieldColumn> columns;
        for (const CaseFieldEntry& field : CaseFieldCatalogue::Fields()) {
            const auto it = stored.find(field.token);
            columns.push_back({std::string(field.token), it == stored.end() ? "NULL" : it->second,
                               static_cast<FieldType>(field.type)});
        }
        return columns;
    }

    // The rows the formula selects, or a failure naming the refusal or SQLite's error.
    Ids Select(const std::string& formula)
    {
        const CompiledFormula compiled = compiler.Compile(formula);
        EXPECT_TRUE(compiled.ok) << formula << ": " << compiled.error;
        if (!compiled.ok)
            return {-1};
        std::string error;
        const Ids ids = db.Ids("SELECT id FROM cases AS c WHERE " + compiled.sql + " ORDER BY id",
                               compiled.parameters, error);
        EXPECT_EQ(error, "") << formula << " as " << compiled.sql;
        return ids;
    }

    TestDatabase db;
    const CFormulaCompiler compiler{Columns()};
};

TEST_F(FormulaRows, EveryPredefinedFilterSelectsItsCases)
{
    const std::vector<Ids> expected = {
        {1, 2, 3, 5, 6, 7, 8, 9},  // Open
        {2, 5, 8},                 // Scheduled
        {4},                       // Archived
        {3, 4},                    // Read-only
        {3, 5},                    // Non-productive
        {3, 6},                    // Correction
        {2, 6},                    // Priority, not archived
        {5},                       // Scheduling
        {2},                       // Auditing
        {8},                       // Reviewing
        {6},                       // Printing
        {3},                       // Billing
        {7},                       // Exporting
        {2, 8},                    // Linking to Parent
        {3, 6},                    // Linked to Parent
        {4},                       // Returning to Parent
        {5},                       // Sending to Parent
        {1, 7, 9},                 // Not Linked to Parent
        {2, 8},                    // Linking to Child
        {3, 6},                    // Linked to Child
        {1, 4, 5, 7, 9},           // Not Linked to Child
    };
    for (int32_t type = 0; type < kCustomQueryType; ++type) {
        SCOPED_TRACE(*QueryTypeName(type));
        EXPECT_EQ(Select(*PredefinedFormula(type)), expected[static_cast<size_t>(type)]);
    }
}

TEST_F(FormulaRows, SearchesArePrefixMatchesOfTheExactBytes)
{
    auto search = [&](SearchBy by, const char* text) {
        const SearchFormula s = BuildSearchFormula(by, "", text);
        EXPECT_TRUE(s.ok);
        return Select(s.formula);
    };
    EXPECT_EQ(search(SearchBy::insuredName, "Acme"), (Ids{1, 4, 8}));  // letter case counts
    EXPECT_EQ(search(SearchBy::insuredName, "~tw"), (Ids{1, 2, 3, 4, 6, 7, 8, 9}));  // every name there is
    EXPECT_EQ(search(SearchBy::insuredName, "Beta [Ltd]?"), (Ids{3}));
    EXPECT_EQ(search(SearchBy::insuredName, "Acme*"), (Ids{1, 4, 8}));  // a typed asterisk is a wildcard too
    // 8-bit letters are bytes: E acute and A grave never stand for each other.
    EXPECT_EQ(search(SearchBy::insuredName, "\xC9"), (Ids{6}));
    EXPECT_EQ(search(SearchBy::insuredName, "\xC0"), (Ids{9}));
    EXPECT_EQ(search(SearchBy::policyNumber, "WC"), (Ids{1, 2, 4, 6, 9}));
    EXPECT_EQ(search(SearchBy::policyNumber, "~tw"), (Ids{1, 2, 3, 4, 5, 6, 7, 8, 9}));  // "" is a value
    EXPECT_EQ(search(SearchBy::insuredName, "Zed"), Ids{});
}

TEST_F(FormulaRows, WildcardsInsideTexts)
{
    // "ACME Holdings" has no small e, and case 5 no name at all.
    EXPECT_EQ(Select("[InsuredName] = \"*e*\""), (Ids{1, 3, 4, 6, 7, 8, 9}));
    EXPECT_EQ(Select("[InsuredName] = \"*Star\""), (Ids{4}));
    EXPECT_EQ(Select("[InsuredName] = \"A*e\""), (Ids{8}));
    EXPECT_EQ(Select("[InsuredName] = \"*[Ltd]?\""), (Ids{3}));
    EXPECT_EQ(Select("[InsuredName] <> \"*e*\""), (Ids{2, 5}));
    EXPECT_EQ(Select("[InsuredName] <> \"Acme*\""), (Ids{2, 3, 5, 6, 7, 9}));
    EXPECT_EQ(Select("[InsuredName] <> \"*\""), (Ids{5}));
}

TEST_F(FormulaRows, NullMeansNoValue)
{
    EXPECT_EQ(Select("[InsuredName] = NULL"), (Ids{5}));
    EXPECT_EQ(Select("[Region] = NULL"), (Ids{3}));
    EXPECT_EQ(Select("[Region] = \"\""), (Ids{5}));  // the empty text is a value
    EXPECT_EQ(Select("[SysScheduledTime] <> NULL"), (Ids{2, 4, 5, 8}));
    EXPECT_EQ(Select("[PolicyEstPrem] = NULL"), (Ids{3}));
    // "<>" holds for a field without a value; the orderings do not.
    EXPECT_EQ(Select("[SysParentName] <> \"Carrier A\""), (Ids{3, 4, 5, 7, 8, 9}));
    EXPECT_EQ(Select("[InsuredName] <> \"Acme\""), (Ids{1, 2, 3, 4, 5, 6, 7, 9}));
    EXPECT_EQ(Select("[PolicyEstPrem] < 1000000"), (Ids{1, 2, 4, 5, 6, 7, 8, 9}));
    // A field the storage lacks has no value at all.
    EXPECT_EQ(Select("[AgentCity] = NULL AND [CaseNum] = \"C-1\""), (Ids{1}));
}

TEST_F(FormulaRows, OrderingsOnNumbersAmountsAndTexts)
{
    EXPECT_EQ(Select("[PolicyEstPrem] >= 1000"), (Ids{1, 2, 8}));
    EXPECT_EQ(Select("[PolicyEstPrem] > -21 AND [PolicyEstPrem] <= 500"), (Ids{4, 5, 7, 9}));
    EXPECT_EQ(Select("[PolicyEstPrem] < 0"), (Ids{7}));
    EXPECT_EQ(Select("[ChildGroupCode] >= 5 AND [ChildGroupCode] <= 7"), (Ids{5, 6, 8}));
    EXPECT_EQ(Select("[SysChildStatus] <> 2"), (Ids{1, 2, 4, 5, 7, 8, 9}));
    EXPECT_EQ(Select("[CaseNum] > \"C-5\""), (Ids{6, 7, 8, 9}));
    EXPECT_EQ(Select("[SysPriority] = 1"), (Ids{2, 4, 6}));
}

TEST_F(FormulaRows, PrecedenceAndParentheses)
{
    EXPECT_EQ(Select("[ChildGroupCode] = 8 OR [SysPriority] = TRUE AND [ChildGroupCode] = 5"), (Ids{4, 6}));
    EXPECT_EQ(Select("[SysPriority] = TRUE AND [ChildGroupCode] = 5 OR [ChildGroupCode] = 8"), (Ids{4, 6}));
    EXPECT_EQ(Select("([ChildGroupCode] = 8 OR [SysPriority] = TRUE) AND [ChildGroupCode] = 5"), (Ids{6}));
    EXPECT_EQ(Select("[IsReadOnly] = true and ([ChildGroupCode] < 8 or [SysChildStatus] = 3)"), (Ids{3, 4}));
}

TEST_F(FormulaRows, QuotesAndSqlInTextsAreOnlyValues)
{
    EXPECT_EQ(Select("[InsuredName] = \"x' OR '1'='1\""), Ids{});
    EXPECT_EQ(Select("[InsuredName] = \"') OR 1=1 --*\""), Ids{});
    EXPECT_EQ(Select("[InsuredName] = \"Acme\" OR [Region] = \"South; DELETE FROM cases\""), (Ids{8}));
    std::string error;
    EXPECT_EQ(db.Ids("SELECT count(*) FROM cases", {}, error), Ids{9});
}

TEST_F(FormulaRows, JoinsAStatementWithValuesOfItsOwn)
{
    const CompiledFormula compiled = compiler.Compile("[SysParentName] = \"Carrier A\"", 2);
    ASSERT_TRUE(compiled.ok);
    std::vector<SqlValue> values = {SqlValue(int64_t{1})};
    values.insert(values.end(), compiled.parameters.begin(), compiled.parameters.end());
    std::string error;
    EXPECT_EQ(db.Ids("SELECT id FROM cases AS c WHERE c.id > ?1 AND " + compiled.sql + " ORDER BY id", values,
                     error),
              (Ids{2, 6}));
    EXPECT_EQ(error, "");
}

TEST_F(FormulaRows, FormulasAtEveryLimitStillRun)
{
    // The deepest nesting allowed.
    const FormulaLimits limits;
    std::string deep = std::string(static_cast<size_t>(limits.maxDepth), '(') + "[ChildGroupCode] = 8";
    for (int level = 0; level < limits.maxDepth; ++level)
        deep += " OR [SysPriority] = TRUE)";
    EXPECT_EQ(Select(deep), (Ids{2, 4, 6}));

    // The most comparisons allowed, packed without blanks: OR between pairs joined by AND.
    std::string wide = "[Region]=\"\"";
    for (size_t n = 1; n < limits.maxComparisons; ++n)
        wide += n % 2 ? "OR[Region]=\"\"" : "AND[Region]=\"\"";
    ASSERT_LE(wide.size(), limits.maxLength);
    EXPECT_EQ(Select(wide), (Ids{5}));

    // The longest text, all of it one value.
    const std::string text = "[InsuredName] = \"" + std::string(limits.maxLength - 19, 'A') + "*\"";
    ASSERT_EQ(text.size(), limits.maxLength);
    EXPECT_EQ(Select(text), Ids{});
}

}  // namespace
