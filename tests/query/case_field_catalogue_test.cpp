// The field catalogue: its shape, the two look-ups and the lists the editors offer.
#include "query/case_field_catalogue.h"
#include "query/search_fields.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(CaseFieldCatalogue, SixtyFourFieldsThenTheTerminator)
{
    const auto& entries = CaseFieldCatalogue::Entries();
    ASSERT_EQ(entries.size(), 65u);
    const CaseFieldEntry& end = entries.back();
    EXPECT_TRUE(end.label.empty() && end.token.empty() && end.column.empty());
    EXPECT_EQ(end.type, -1);
    EXPECT_EQ(end.searchable, -1);

    const auto fields = CaseFieldCatalogue::Fields();
    ASSERT_EQ(fields.size(), 64u);
    std::set<std::string_view> labels, tokens;
    for (const CaseFieldEntry& field : fields) {
        EXPECT_TRUE(labels.insert(field.label).second) << field.label;
        EXPECT_TRUE(tokens.insert(field.token).second) << field.token;
        EXPECT_EQ(field.token.front(), '[');
        EXPECT_EQ(field.token.back(), ']');
        EXPECT_GE(field.type, 0);
        EXPECT_LE(field.type, 4);
    }

    // Spot checks along the table, including the inverted productive column.
    EXPECT_EQ(fields[0].label, "Case Number");
    EXPECT_EQ(fields[0].column, "CaseNumber");
    EXPECT_EQ(fields[9].token, "[IsProductive]");
    EXPECT_EQ(fields[9].column, "IsNonProductive");
    EXPECT_EQ(fields[15].column, "Parent.Name");
    EXPECT_EQ(fields[21].token, "[ChildGroupCode]");
    EXPECT_EQ(fields[63].label, "Policy Estimated Premium");
    EXPECT_EQ(fields[63].type, fieldAmount);
}

TEST(CaseFieldCatalogue, LookupsAreExactAndNeverFindTheTerminator)
{
    EXPECT_EQ(CaseFieldCatalogue::LabelOfToken("[InsuredName]"), "Insured Name");
    EXPECT_EQ(CaseFieldCatalogue::TokenOfLabel("Insured Name"), "[InsuredName]");
    EXPECT_EQ(CaseFieldCatalogue::LabelOfToken("[PolicyEstPrem]"), "Policy Estimated Premium");

    EXPECT_FALSE(CaseFieldCatalogue::LabelOfToken("[insuredname]"));
    EXPECT_FALSE(CaseFieldCatalogue::LabelOfToken("InsuredName"));
    EXPECT_FALSE(CaseFieldCatalogue::LabelOfToken("[InsuredName] "));
    EXPECT_FALSE(CaseFieldCatalogue::TokenOfLabel("insured name"));
    // The terminator's empty texts are past the end of every walk.
    EXPECT_FALSE(CaseFieldCatalogue::LabelOfToken(""));
    EXPECT_FALSE(CaseFieldCatalogue::TokenOfLabel(""));
    EXPECT_EQ(CaseFieldCatalogue::FindByToken(""), nullptr);
}

TEST(CaseFieldCatalogue, EveryLabelAndTokenTranslatesBothWays)
{
    for (const CaseFieldEntry& field : CaseFieldCatalogue::Fields()) {
        EXPECT_EQ(CaseFieldCatalogue::TokenOfLabel(field.label), std::string(field.token));
        EXPECT_EQ(CaseFieldCatalogue::LabelOfToken(field.token), std::string(field.label));
    }
}

TEST(CaseFieldCatalogue, DateFieldsAreTheKeyDateChoicesInTableOrder)
{
    std::vector<std::string_view> tokens;
    for (const CaseFieldEntry& field : CaseFieldCatalogue::DateFields())
        tokens.push_back(field.token);
    const std::vector<std::string_view> expected = {
        "[DateCreated]",     "[SysDueDate]",     "[AuditorDueDate]", "[SysScheduledTime]",
        "[SysScheduledTimeEnd]", "[DateAssigned]", "[DateReturned]", "[AuditStartDate]",
        "[AuditEndDate]",    "[PolicyStartDate]", "[PolicyEndDate]",
    };
    EXPECT_EQ(tokens, expected);
}

TEST(CaseFieldCatalogue, AllLabelsInTableOrder)
{
    const auto labels = CaseFieldCatalogue::AllLabels();
    ASSERT_EQ(labels.size(), 64u);
    EXPECT_EQ(labels.front(), "Case Number");
    EXPECT_EQ(labels[1], "Date Created");
    EXPECT_EQ(labels.back(), "Policy Estimated Premium");
}

TEST(SearchFields, OnlySearchableTextFieldsInTheOrderReceived)
{
    auto field = [](std::string label, std::string token, int32_t type, int32_t searchable) {
        CCaseFieldInfo info;
        info.label = std::move(label);
        info.token = std::move(token);
        info.type = type;
        info.searchable = searchable;
        return info;
    };
    const std::vector<CCaseFieldInfo> server = {
        field("Zeta", "[Zeta]", CCaseFieldInfo::text, 1),
        field("Due", "[SysDueDate]", CCaseFieldInfo::dateTime, 1),      // not text
        field("Code", "[PolicyCode]", CCaseFieldInfo::integerCode, 1),  // not text
        field("City", "[AuditCity]", CCaseFieldInfo::text, 0),          // not searchable
        field("Alpha", "[Alpha]", CCaseFieldInfo::text, 7),             // any non-zero flag
    };
    const auto offered = SearchFieldsOf(server);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0].label, "Zeta");
    EXPECT_EQ(offered[0].token, "[Zeta]");
    EXPECT_EQ(offered[1].label, "Alpha");
    EXPECT_TRUE(SearchFieldsOf({}).empty());
}

}  // namespace
