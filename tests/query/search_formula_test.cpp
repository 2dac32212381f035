// The search dialog's formula and the predefined filters' names and formulas.
#include "query/predefined_filters.h"
#include "query/search_formula.h"

#include <gtest/gtest.h>

namespace {

TEST(SearchFormula, PrefixMatchOnTheChosenField)
{
    const SearchFormula byName = BuildSearchFormula(SearchBy::insuredName, "[Ignored]", "Acme");
    ASSERT_TRUE(byName.ok);
    EXPECT_EQ(byName.formula, "[InsuredName] = \"Acme*\"");
    EXPECT_EQ(byName.caption, "Search for \"Acme\"");

    EXPECT_EQ(BuildSearchFormula(SearchBy::policyNumber, "", "WC-1").formula, "[PolicyNumber] = \"WC-1*\"");
    EXPECT_EQ(BuildSearchFormula(SearchBy::field, "[AuditCity]", "Sp").formula, "[AuditCity] = \"Sp*\"");
}

TEST(SearchFormula, EmptyTextIsRefused)
{
    const SearchFormula search = BuildSearchFormula(SearchBy::insuredName, "", "");
    EXPECT_FALSE(search.ok);
    EXPECT_EQ(search.error, "Search text cannot be empty");
    EXPECT_TRUE(search.formula.empty());
}

TEST(SearchFormula, OnlyTheExactMatchAllWordBecomesEmpty)
{
    const SearchFormula all = BuildSearchFormula(SearchBy::insuredName, "", "~tw");
    ASSERT_TRUE(all.ok);
    EXPECT_EQ(all.formula, "[InsuredName] = \"*\"");
    EXPECT_EQ(all.caption, "Search for \"\"");
    EXPECT_EQ(BuildSearchFormula(SearchBy::insuredName, "", "~TW").formula, "[InsuredName] = \"~TW*\"");
    EXPECT_EQ(BuildSearchFormula(SearchBy::insuredName, "", " ~tw").formula, "[InsuredName] = \" ~tw*\"");
}

TEST(SearchFormula, TextGoesInAsTyped)
{
    // No escaping: the quote breaks the formula, and the server refuses it.
    EXPECT_EQ(BuildSearchFormula(SearchBy::insuredName, "", "Say \"hi").formula,
              "[InsuredName] = \"Say \"hi*\"");
}

TEST(PredefinedFilters, NamesAndFormulasByType)
{
    ASSERT_EQ(PredefinedFilters().size(), 22u);
    EXPECT_EQ(QueryTypeName(0), "Open");
    EXPECT_EQ(PredefinedFormula(0), "[ChildGroupCode] < 8");
    EXPECT_EQ(PredefinedFormula(1), "[ChildGroupCode] < 8 AND [SysScheduledTime] <> NULL");
    EXPECT_EQ(QueryTypeName(4), "Non-productive");
    EXPECT_EQ(PredefinedFormula(4), "[IsProductive] = FALSE");
    EXPECT_EQ(QueryTypeName(16), "Sending to Parent");
    EXPECT_EQ(PredefinedFormula(16), "[SysParentStatus] = 6");
    EXPECT_EQ(QueryTypeName(20), "Not Linked to Child");
    EXPECT_EQ(PredefinedFormula(20), "[SysChildStatus] = 0 OR [SysChildStatus] = 3");

    EXPECT_EQ(QueryTypeName(kCustomQueryType), "Custom");
    EXPECT_FALSE(PredefinedFormula(kCustomQueryType));
    EXPECT_FALSE(PredefinedFormula(22));
    EXPECT_FALSE(PredefinedFormula(-1));
    EXPECT_FALSE(QueryTypeName(22));
}

}  // namespace
