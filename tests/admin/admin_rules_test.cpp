// The rules of the administration sheets as tables: group defaults and pages, the
// rights the Access page saves, the checks of the child and parent sheets, the
// assignment criteria, the billing defaults grid and the region and territory names.
#include "admin/assign_criteria.h"
#include "admin/billing_def_table.h"
#include "admin/child_sheet_logic.h"
#include "admin/geo_names.h"
#include "admin/parent_sheet_logic.h"
#include "admin/user_groups.h"

#include <gtest/gtest.h>

namespace {

CChildUser Known(const std::string& name, const std::string& loginId)
{
    CChildUser child;
    child.name = name;
    child.loginId = loginId;
    return child;
}

}  // namespace

TEST(UserGroups, DefaultsPagesAndListPlacesFollowTheGroup)
{
    struct Row {
        int group;
        int32_t rights;
        bool autoEnabled;
        bool autoFlag;
        size_t wizardPages;
        const char* name;
    };
    const Row rows[] = {
        {0, 0xFFEAA, false, false, 3, "Administrators"}, {1, 0xE7280, true, true, 4, "Auditors"},
        {2, 0xE3645, false, false, 4, "Billers"},        {3, 0xE7C80, false, false, 4, "Exporters"},
        {4, 0xF7C15, false, false, 3, "Importers"},      {5, 0xE3555, false, false, 4, "Printers"},
        {6, 0xE7480, false, false, 4, "Reviewers"},      {7, 0xE7410, false, false, 4, "Schedulers"},
        {8, 0xE3C00, false, false, 3, ""},               {9, 0x40, false, false, 3, "Customer Rep"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.group);
        CAdminChildUser child;
        child.group = row.group;
        child.rights = 0x123;
        child.fifthInt = 7;
        ApplyGroupDefaults(child);
        EXPECT_EQ(child.rights, row.rights);
        EXPECT_EQ(child.autoFlagEnabled, row.autoEnabled);
        EXPECT_EQ(child.autoFlag, row.autoFlag);
        EXPECT_EQ(child.fifthInt, 1);
        EXPECT_EQ(ChildPagesOfGroup(row.group, true).size(), row.wizardPages);
        EXPECT_EQ(ChildPagesOfGroup(row.group, false).size(), row.wizardPages - 1);
        EXPECT_EQ(UserGroupName(row.group), row.name);
    }
    CAdminChildUser other;
    other.group = 12;
    other.rights = 0x123;
    ApplyGroupDefaults(other);
    EXPECT_EQ(other.rights, 0x123);
    EXPECT_EQ(other.fifthInt, 1);

    EXPECT_EQ(GroupAtListPosition(8), 9);
    EXPECT_EQ(ListPositionOfGroup(9), 8);
    EXPECT_EQ(ListPositionOfGroup(8), -1);
    EXPECT_EQ(UserGroupNames().size(), 9u);
    EXPECT_EQ(GroupDetailOf(5).kind, GroupDetailKind::printer);
    EXPECT_EQ(GroupDetailOf(9).label, "Parent:");
    EXPECT_EQ(GroupDetailOf(2).kind, GroupDetailKind::none);
}

TEST(UserGroups, TheAccessPageSavesExactlyTheListedFlagsTicked)
{
    const auto& rights = AccessRightsList();
    ASSERT_EQ(rights.size(), 20u);
    EXPECT_EQ(rights[9].flag, 0x10000);  // "Create New Cases" stands before 0x400
    EXPECT_STREQ(rights[19].label, "View Archived Attachments Only");
    EXPECT_EQ(ListedRightsMask(), 0x7F5EFF);
    // Flags outside the list (0x100, 0x2000, 0x8000, 0x800000 and up) are cleared.
    EXPECT_EQ(SavedRights(-1), 0x7F5EFF);
    EXPECT_EQ(SavedRights(0x100 | 0x2000 | 0x8000 | 0x800000 | 0x4), 0x4);
    for (const AccessRight& right : rights)
        EXPECT_EQ(SavedRights(right.flag), right.flag) << right.label;
}

TEST(ChildSheet, ChecksRefuseInOrderWithTheirFieldAndMessage)
{
    struct Row {
        const char* name;
        const char* userId;
        const char* password2;
        const char* field;
        const char* message;
    };
    const Row rows[] = {
        {"", "ann1", "pw", "name", "Name field must be filled in."},
        {"Taken Name", "ann1", "pw", "name", "Name already exists.  Pick another."},
        {"Ann", "", "pw", "userId", "User ID field must be filled in."},
        {"Ann", "ann_1", "pw", "userId", "User ID field must be a combination of letters and numbers only."},
        {"Ann", "ann 1", "pw", "userId", "User ID field must be a combination of letters and numbers only."},
        {"Ann", "taken", "pw", "userId", "User ID already exists.  Pick another."},
        {"Ann", "ann1", "px", "passwordAgain", "The second password entered does not match the first."},
        {"Ann", "Ann1x9", "pw", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        CChildSheetLogic sheet(true, CAdminChildUser{}, {Known("Taken Name", "taken")});
        sheet.Child().name = row.name;
        sheet.Child().userId = row.userId;
        sheet.Child().password = "pw";
        sheet.passwordAgain = row.password2;
        const auto failure = sheet.Validate();
        if (*row.message == '\0') {
            EXPECT_FALSE(failure.has_value());
            continue;
        }
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->page, 0);
        EXPECT_EQ(failure->field, row.field);
        EXPECT_EQ(failure->message, row.message);
    }

    // Changing a child: its own name and user id are not taken.
    CAdminChildUser own;
    own.name = "Taken Name";
    own.userId = "taken";
    CChildSheetLogic change(false, own, {Known("Taken Name", "taken"), Known("Other", "other")});
    EXPECT_FALSE(change.Validate().has_value());
    change.Child().userId = "other";
    ASSERT_TRUE(change.Validate().has_value());
    EXPECT_EQ(change.Validate()->message, "User ID already exists.  Pick another.");
}

TEST(ChildSheet, TheWizardAppliesTheGroupAndTheDllNameAndCapsAreChecked)
{
    CChildSheetLogic sheet(true, CAdminChildUser{}, {});
    EXPECT_EQ(sheet.Child().rights, 0xFFEAA);  // group 0 at the start
    EXPECT_EQ(sheet.Child().inventoryCap, -1);
    sheet.SetGroup(1);
    EXPECT_EQ(sheet.Child().rights, 0xE7280);
    EXPECT_TRUE(sheet.Child().autoFlagEnabled);
    EXPECT_TRUE(sheet.Child().autoFlag);
    EXPECT_EQ(sheet.Pages().size(), 4u);
    sheet.SetGroup(9);
    EXPECT_EQ(sheet.Child().rights, 0x40);
    EXPECT_EQ(sheet.Pages(), (std::vector<ChildPage>{ChildPage::general, ChildPage::access, ChildPage::done}));

    sheet.SetGroup(3);
    sheet.Child().name = "Export";
    sheet.Child().userId = "exp";
    sheet.dllName = "orvexport.so";
    EXPECT_FALSE(sheet.Validate().has_value());
    EXPECT_EQ(sheet.Child().groupDetail, "orvexport.so");

    for (int cap : {-2, 100001}) {
        sheet.Child().inventoryCap = cap;
        const auto failure = sheet.Validate();
        ASSERT_TRUE(failure.has_value()) << cap;
        EXPECT_EQ(failure->field, "inventoryCap");
        EXPECT_EQ(failure->page, 2);
    }
    sheet.Child().inventoryCap = -1;
    EXPECT_FALSE(sheet.Validate().has_value());

    // A changed child keeps its group whatever is asked.
    CAdminChildUser stored;
    stored.group = 6;
    stored.rights = 0x4;
    CChildSheetLogic change(false, stored, {});
    change.SetGroup(1);
    EXPECT_EQ(change.Child().group, 6);
    EXPECT_EQ(change.Child().rights, 0x4);
}

TEST(AssignCriteria, ValuesAndRefusals)
{
    const CAssignCriterion split = TerritoryCriterion("Northeast::Rhode Island");
    EXPECT_EQ(split.value1, "Northeast");
    EXPECT_EQ(split.value2, "Rhode Island");
    EXPECT_EQ(TerritoryCriterion("Midwest").value1, "Midwest");
    EXPECT_EQ(TerritoryCriterion("Midwest").value2, "");

    const CriterionResult range = PremiumCriterion("10000.4", " 250000.6");
    EXPECT_EQ(range.message, "");
    EXPECT_EQ(range.criterion.value1, "10000");
    EXPECT_EQ(range.criterion.value2, "250001");
    EXPECT_EQ(PremiumCriterion("5", "5").message, "");
    EXPECT_EQ(PremiumCriterion("9", "5").message, "The end of the range must be greater than or equal to the start.");
    EXPECT_NE(PremiumCriterion("abc", "5").message, "");

    std::vector<CAssignCriterion> criteria;
    CAssignCriterion formula{};
    formula.category = CriterionCategory::formula;
    formula.value1 = "[AuditType] = 1";
    EXPECT_EQ(AddCriterion(criteria, range.criterion), "");
    EXPECT_EQ(AddCriterion(criteria, formula), "");
    EXPECT_EQ(AddCriterion(criteria, split), "");
    EXPECT_EQ(AddCriterion(criteria, TerritoryCriterion("Midwest")), "");
    EXPECT_EQ(AddCriterion(criteria, PremiumCriterion("1", "2").criterion), "You can only set one premium range");
    EXPECT_EQ(AddCriterion(criteria, formula), "You can only set one formula");
    EXPECT_EQ(criteria.size(), 4u);
}

TEST(ParentSheet, SavesTheFixedFieldsAndChecksTheConnectionOnlyWhenDirect)
{
    CAdminParentUser parent;
    parent.name = "Harbor Mutual";
    parent.reservedText = "left over";
    parent.reservedZero = 5;
    parent.reservedOne = 9;
    parent.connectionKind = "*NONE*";
    parent.connectionUserId = "not checked!";
    CParentSheetLogic sheet(true, parent, {});
    EXPECT_FALSE(sheet.Validate().has_value());
    const CAdminParentUser saved = sheet.Saved();
    EXPECT_EQ(saved.reservedText, "");
    EXPECT_EQ(saved.reservedZero, 0);
    EXPECT_EQ(saved.reservedOne, 1);
    EXPECT_EQ(sheet.Pages().size(), 5u);

    sheet.Parent().connectionKind = "*DIRECT*";
    ASSERT_TRUE(sheet.Validate().has_value());
    EXPECT_EQ(sheet.Validate()->message, "User ID field must be a combination of letters and numbers only.");
    EXPECT_EQ(sheet.Validate()->page, 2);
    sheet.Parent().connectionUserId = "harbor";
    sheet.Parent().connectionPassword = "pw";
    EXPECT_EQ(sheet.Validate()->message, "The second password entered does not match the first.");
    sheet.passwordAgain = "pw";
    EXPECT_FALSE(sheet.Validate().has_value());
    sheet.Parent().chargeRates[3].additional = 1000.0;
    ASSERT_TRUE(sheet.Validate().has_value());
    EXPECT_EQ(sheet.Validate()->field, "rate3");

    CParentUser known;
    known.name = "Harbor Mutual";
    CParentSheetLogic taken(true, parent, {known});
    EXPECT_EQ(taken.Validate()->message, "Name already exists.  Pick another.");
    CParentSheetLogic own(false, parent, {known});
    EXPECT_FALSE(own.Validate().has_value());
    EXPECT_EQ(own.Pages().size(), 4u);
}

TEST(BillingDefTable, RowsReadBackUpToTheFirstEmptyRow)
{
    CBillingDef hourly;
    hourly.hourly = 1;
    hourly.firstAmount = 85.5;
    hourly.additionalHoursRate = 60;
    hourly.billedHours = 2;
    hourly.auditSource = 1;
    hourly.auditType = CBillingDef::kAll;
    hourly.policyType = "General Liability";
    hourly.policyCode = 7;
    hourly.nonProductive = 2;
    hourly.description = "Phone audit";
    CBillingDef flat;
    flat.hourly = 0;
    flat.firstAmount = 150;
    flat.auditSource = CBillingDef::kAll;
    flat.auditType = 5;
    flat.nonProductive = 1;

    std::vector<BillingDefRowCells> cells = BillingDefCells({hourly, flat});
    ASSERT_EQ(cells.size(), 20u);
    EXPECT_EQ(cells[0][colFirstHourRate], "85.50");
    EXPECT_EQ(cells[0][colAuditSource], "Telephone");
    EXPECT_EQ(cells[0][colAuditType], "All");
    EXPECT_EQ(cells[1][colFlatAmount], "150.00");
    EXPECT_EQ(cells[1][colFirstHourRate], "");
    EXPECT_EQ(cells[1][colPolicyType], "All");
    EXPECT_EQ(cells[1][colNonPro], "Yes");
    EXPECT_EQ(cells[5][colPolicyCode], "-1");
    EXPECT_EQ(cells[5][colHourlyOrFlat], "Hourly");

    // A flat row keeps only its amount; the additional rate and hours typed are dropped.
    cells[1][colAdditionalRate] = "12";
    cells[1][colBilledHours] = "3";
    // An empty third row ends the set: the filled fourth row is not stored.
    cells[3][colFlatAmount] = "99";
    cells[3][colHourlyOrFlat] = "Flat";
    const std::vector<CBillingDef> rows = BillingDefsFromCells(cells);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].hourly, 1);
    EXPECT_EQ(rows[0].firstAmount, 85.5);
    EXPECT_EQ(rows[0].additionalHoursRate, 60);
    EXPECT_EQ(rows[0].billedHours, 2);
    EXPECT_EQ(rows[0].auditSource, 1);
    EXPECT_EQ(rows[0].auditType, -1);
    EXPECT_EQ(rows[0].policyType, "General Liability");
    EXPECT_EQ(rows[0].policyCode, 7);
    EXPECT_EQ(rows[0].nonProductive, 2);
    EXPECT_EQ(rows[0].description, "Phone audit");
    EXPECT_EQ(rows[1].hourly, 0);
    EXPECT_EQ(rows[1].firstAmount, 150);
    EXPECT_EQ(rows[1].additionalHoursRate, 0);
    EXPECT_EQ(rows[1].billedHours, 0);
    EXPECT_EQ(rows[1].auditType, 5);
    EXPECT_EQ(rows[1].policyType, "");
    EXPECT_EQ(rows[1].nonProductive, 1);
}

TEST(GeoNames, RegionAndTerritoryNamesAndPastedZipCodes)
{
    const std::vector<std::string> regions = {"Northeast", "Midwest"};
    EXPECT_EQ(CheckRegionName("", regions), "The region name cannot be blank.");
    EXPECT_EQ(CheckRegionName("Midwest", regions), "Region name already exists.  Pick another.");
    EXPECT_FALSE(CheckRegionName("South", regions).has_value());

    const std::vector<std::string> territories = {"Northeast::Boston", "Midwest::Ohio"};
    EXPECT_EQ(CheckTerritoryName("Northeast", "", "", territories), "The territory name cannot be blank.");
    EXPECT_EQ(CheckTerritoryName("Northeast", "Boston", "", territories),
              "Territory name already exists.  Pick another.");
    EXPECT_FALSE(CheckTerritoryName("Midwest", "Boston", "", territories).has_value());
    EXPECT_FALSE(CheckTerritoryName("Northeast", "Boston", "Boston", territories).has_value());
    EXPECT_EQ(CheckTerritoryName("Northeast", "Boston", "Salem", territories),
              "Territory name already exists.  Pick another.");
    EXPECT_EQ(SplitTerritoryEntry("A::B::C").territory, "B::C");

    // A spreadsheet column: CR LF line ends, blank lines, a second column and quotes.
    const std::vector<std::string> pasted = PastedColumn("02903\r\n 02904\t Providence\r\n\r\n\"02905\"\r\n");
    EXPECT_EQ(pasted, (std::vector<std::string>{"02903", "02904", "02905"}));
    std::vector<std::string> zips = {"02901"};
    EXPECT_FALSE(AddZipCodes(zips, pasted).has_value());
    EXPECT_EQ(zips.size(), 4u);
    EXPECT_EQ(AddZipCodes(zips, {"02999", "02904"}), "Zip code 02904 is already in the list.");
    EXPECT_EQ(zips.size(), 4u);  // nothing of the refused paste
    EXPECT_EQ(AddZipCodes(zips, {"02998", "02998"}), "Zip code 02998 is already in the list.");

    std::vector<std::string> counties = {"Kent"};
    std::vector<std::string> states = {"RI"};
    EXPECT_FALSE(AddCounties(counties, states, {{"Kent", "DE"}, {"Bristol", "RI"}}).has_value());
    EXPECT_EQ(AddCounties(counties, states, {{"kent", "ri"}}), "County kent, ri is already in the list.");
    EXPECT_EQ(counties.size(), 3u);
    EXPECT_EQ(states, (std::vector<std::string>{"RI", "DE", "RI"}));
}
