// Views and the inventory info between the office client's command layer and the real
// server: case view definitions of the user and of other accounts, report view lists,
// GETINVENTORYINFO by user, and case import.

#include "codec/binary_object.h"
#include "e2e/case_samples.h"
#include "e2e/office_client.h"
#include "records/case_query_col_info.h"
#include "records/case_query_data.h"
#include "records/case_view_param.h"
#include "records/inventory_info.h"
#include "records/report_prop_item.h"
#include "records/report_view_param.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace {

class ViewCommandsEndToEnd : public InventoryEndToEnd {};

std::shared_ptr<CCaseQueryColInfo> Column(const std::string& token, const std::string& header, int32_t width)
{
    auto column = std::make_shared<CCaseQueryColInfo>();
    column->fieldToken = token;
    column->header = header;
    column->width = width;
    column->alignment = CCaseQueryColInfo::right;
    return column;
}

CCaseQueryData View(const std::string& name)
{
    CCaseQueryData view;
    view.viewType = 2;
    view.scope = 0x40;
    view.name = name;
    view.queryType = CCaseQueryData::kCustomQuery;
    view.formula = "[ChildGroupCode] < 8 AND [PolicyEstPrem] > 1000";
    view.opaqueText1 = "carried";
    view.sort1Field = "[SysDueDate]";
    view.sort2Field = "[InsuredName]";
    view.sort2Ascending = false;
    view.keyDateField = "[DateCreated]";
    view.period = CCaseQueryData::kCustomPeriod;
    view.periodFrom = CDateTime{CDateTime::valid, 45000.0};
    view.periodTo = CDateTime{CDateTime::valid, 45400.0};
    view.childTargetField = "[SysChildName]";
    view.columns.push_back(Column("[CaseNum]", "Case #", 80));
    view.columns.push_back(Column("[InsuredName]", "Insured", 200));
    return view;
}

std::vector<std::string> Names(const std::vector<CCaseViewParam>& params)
{
    std::vector<std::string> names;
    for (const CCaseViewParam& param : params)
        names.push_back(param.name);
    return names;
}

}  // namespace

TEST_F(ViewCommandsEndToEnd, CaseViewsOfTheUserAndOfOtherAccounts)
{
    auto admin = LogIn("admin");
    auto auditor = LogIn("auditor");
    ASSERT_TRUE(admin->LoggedIn() && auditor->LoggedIn());

    // SETCASEVIEW -1 adds a view to the user's own list; its number then edits it.
    std::vector<CCaseViewParam> before;
    ASSERT_TRUE(admin->GetCaseViewParamSet(before));
    CCaseQueryData view = View("Large open audits");
    ASSERT_TRUE(admin->SetCaseView(-1, view));
    std::vector<CCaseViewParam> params;
    ASSERT_TRUE(admin->GetCaseViewParamSet(params));
    ASSERT_EQ(params.size(), before.size() + 1);
    const CCaseViewParam& added = params.back();
    EXPECT_EQ(added.name, view.name);
    EXPECT_EQ(added.scope, view.scope);
    EXPECT_EQ(added.viewType, view.viewType);
    CCaseQueryData back;
    ASSERT_TRUE(admin->GetCaseView(added.viewId, back));
    EXPECT_TRUE(SameRecord(back, view));

    view.columns.push_back(Column("[SysDueDate]", "Due", 90));
    view.sort3Field = "[CaseNum]";
    ASSERT_TRUE(admin->SetCaseView(added.viewId, view));
    ASSERT_TRUE(admin->GetCaseView(added.viewId, back));
    EXPECT_TRUE(SameRecord(back, view));
    EXPECT_FALSE(admin->SetCaseView(added.viewId + 100000, view));
    EXPECT_FALSE(admin->GetCaseView(added.viewId + 100000, back));
    // Another account's view number is not the user's to read.
    std::vector<CCaseViewParam> auditorParams;
    ASSERT_TRUE(auditor->GetCaseViewParamSet(auditorParams));
    EXPECT_FALSE(auditor->GetCaseView(added.viewId, back));

    // The whole set of another account, by its login id: a view kept by name and scope
    // keeps its number, a new one is added.
    CInventoryServer::Objects<CCaseQueryData> set;
    ASSERT_TRUE(admin->GetCaseViewPropSet("auditor", set));
    ASSERT_EQ(set.size(), auditorParams.size());
    set.push_back(std::make_shared<CCaseQueryData>(View("Copied from the administrator")));
    ASSERT_TRUE(admin->SetCaseViewPropSet("auditor", set));
    std::vector<CCaseViewParam> auditorAfter;
    ASSERT_TRUE(auditor->GetCaseViewParamSet(auditorAfter));
    ASSERT_EQ(auditorAfter.size(), auditorParams.size() + 1);
    for (size_t i = 0; i < auditorParams.size(); ++i)
        EXPECT_EQ(auditorAfter[i].viewId, auditorParams[i].viewId) << auditorParams[i].name;
    EXPECT_EQ(auditorAfter.back().name, "Copied from the administrator");
    ASSERT_TRUE(auditor->GetCaseView(auditorAfter.back().viewId, back));
    EXPECT_EQ(back.formula, View("").formula);

    // Replacing the set with fewer views removes the others.
    set.erase(set.begin(), set.end() - 1);
    ASSERT_TRUE(admin->SetCaseViewPropSet("auditor", set));
    ASSERT_TRUE(auditor->GetCaseViewParamSet(auditorAfter));
    EXPECT_EQ(Names(auditorAfter), std::vector<std::string>{"Copied from the administrator"});
    EXPECT_FALSE(admin->GetCaseViewPropSet("nobody", set));
}

TEST_F(ViewCommandsEndToEnd, ReportViewListsKeepTheirSettingsBytes)
{
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());

    CInventoryServer::Objects<CReportPropItem> list;
    ASSERT_TRUE(admin->GetReportViewPropSet("admin", list));
    const size_t before = list.size();
    auto item = std::make_shared<CReportPropItem>();
    item->name = "Aging by parent";
    item->reportFile = "DueDateAging.rpt";
    item->settings = std::string("\x00\x01\xFF settings\x00", 13);
    list.push_back(item);
    auto empty = std::make_shared<CReportPropItem>();
    empty->name = "No settings";
    empty->reportFile = "CaseListing.rpt";
    list.push_back(empty);
    ASSERT_TRUE(admin->SetReportViewPropSet("admin", list));

    CInventoryServer::Objects<CReportPropItem> back;
    ASSERT_TRUE(admin->GetReportViewPropSet("admin", back));
    ASSERT_EQ(back.size(), before + 2);
    EXPECT_TRUE(SameRecord(*back[before], *item));
    EXPECT_TRUE(SameRecord(*back[before + 1], *empty));
    std::vector<CReportViewParam> params;
    ASSERT_TRUE(admin->GetReportViewParamSet(params));
    ASSERT_EQ(params.size(), before + 2);
    EXPECT_EQ(params[before].name, "Aging by parent");

    // Two views of one name in a list: refused, the stored list stays.
    list.push_back(std::make_shared<CReportPropItem>(*item));
    EXPECT_FALSE(admin->SetReportViewPropSet("admin", list));
    ASSERT_TRUE(admin->GetReportViewPropSet("admin", back));
    EXPECT_EQ(back.size(), before + 2);
}

// After logging in the program loads three lists; each demo account gets all three.
TEST_F(ViewCommandsEndToEnd, EveryAccountLoadsItsListsAfterLogIn)
{
    for (const char* userId :
         {"admin", "auditor", "biller", "exporter", "importer", "printer", "reviewer", "scheduler", "rep", "carrier"}) {
        auto client = LogIn(userId);
        ASSERT_TRUE(client->LoggedIn());
        std::vector<CCaseViewParam> caseViews;
        EXPECT_TRUE(client->GetCaseViewParamSet(caseViews)) << userId;
        std::vector<CReportViewParam> reportViews;
        EXPECT_TRUE(client->GetReportViewParamSet(reportViews)) << userId;
        CInventoryInfo info;
        EXPECT_TRUE(client->GetInventoryInfo(false, info)) << userId;
    }
}

TEST_F(ViewCommandsEndToEnd, InventoryInfoFollowsTheUser)
{
    struct Row {
        std::string userId;
        int32_t rights;
        std::string ownChild;
        std::string ownParent;
        bool allParents;  // else only its own parent, if any
        bool allChildren; // else only itself, if a child
        bool places;      // regions and territories
        int32_t masterDueDays;
        int32_t auditorDueDays;
    };
    const Row rows[] = {
        {"admin", 0xFFEAA, kAdminName, "", true, true, true, 30, 21},
        {"auditor", 0xE7280, "Demo Auditor", "", false, false, true, 30, 21},
        {"biller", 0xE3645, "Demo Biller", "", true, true, false, 30, 21},
        {"rep", 0x40, "Demo Customer Rep", kDirectParent, false, false, false, 30, 21},
        {"carrier", 0x10040, "", kDirectParent, false, false, false, 45, 30},
    };
    for (const Row& row : rows) {
        auto client = LogIn(row.userId);
        ASSERT_TRUE(client->LoggedIn());

        CInventoryInfo info;
        ASSERT_TRUE(client->GetInventoryInfo(false, info)) << row.userId;
        EXPECT_EQ(info.rights, row.rights) << row.userId;
        EXPECT_EQ(info.ownChildName, row.ownChild) << row.userId;
        EXPECT_EQ(info.ownParentName, row.ownParent) << row.userId;
        EXPECT_EQ(info.defaultMasterDueDays, row.masterDueDays) << row.userId;
        EXPECT_EQ(info.defaultAuditorDueDays, row.auditorDueDays) << row.userId;
        EXPECT_EQ(info.searchFields.size(), 64u) << row.userId;
        ASSERT_EQ(info.flagNames.size(), 32u) << row.userId;
        EXPECT_EQ(info.flagNames[0], "Rush") << row.userId;
        EXPECT_EQ(info.flagNames[8], "Flag 9") << row.userId;
        EXPECT_EQ(!info.regions.empty() && !info.territories.empty(), row.places) << row.userId;
        if (row.allParents) {
            EXPECT_EQ(info.parents.size(), 3u) << row.userId;  // the hidden one not asked for
        } else {
            EXPECT_EQ(info.parents.size(), row.ownParent.empty() ? 0u : 1u) << row.userId;
            if (!info.parents.empty()) {
                EXPECT_EQ(info.parents[0].name, row.ownParent) << row.userId;
            }
        }
        if (!row.allChildren) {
            EXPECT_EQ(info.children.size(), row.ownChild.empty() ? 0u : 1u) << row.userId;
            if (!info.children.empty()) {
                EXPECT_EQ(info.children[0].name, row.ownChild) << row.userId;
                EXPECT_EQ(info.children[0].loginId, row.userId) << row.userId;
            }
        }
        LogOut(client, row.userId);
    }

    // Hidden accounts on request, to those who manage them.
    auto admin = LogIn("admin");
    CInventoryInfo shown;
    CInventoryInfo all;
    ASSERT_TRUE(admin->GetInventoryInfo(false, shown));
    ASSERT_TRUE(admin->GetInventoryInfo(true, all));
    EXPECT_EQ(all.parents.size(), shown.parents.size() + 1);
    EXPECT_EQ(all.children.size(), shown.children.size() + 2);  // the two order queues
    auto hasChild = [](const CInventoryInfo& info, const std::string& name) {
        return std::any_of(info.children.begin(), info.children.end(),
                           [&](const CChildUser& child) { return child.name == name; });
    };
    EXPECT_FALSE(hasChild(shown, "AUDIT ORDERS"));
    EXPECT_TRUE(hasChild(all, "AUDIT ORDERS"));
}

TEST_F(ViewCommandsEndToEnd, ImportCreatesTheLinesThatRead)
{
    auto importer = LogIn("importer");
    ASSERT_TRUE(importer->LoggedIn());

    const std::string file =
        "# exported by the carrier\r\n"
        "[InsuredName]\t[PolicyNumber]\t[SysDueDate]\t[SysParentName]\r\n"
        "Acme Roofing\tWC-1000001\t03/15/2025\tBeacon Premium Audit Co.\r\n"
        "\tWC-1000002\t\t\r\n"
        "Beta Bakery\tWC-1000003\t02/30/2024\r\n"
        "\n"
        "Gamma Catering\tGL-1000004\r\n";
    std::vector<std::string> results;
    ASSERT_TRUE(importer->ImportCases(CBinaryObject(file), results));
    ASSERT_EQ(results.size(), 5u);
    std::smatch first;
    ASSERT_TRUE(std::regex_match(results[0], first, std::regex(R"(Line 3: created case (\d{4}-\d{6}))"))) << results[0];
    EXPECT_EQ(results[1], "Line 4: the insured name is empty");
    EXPECT_EQ(results[2], "Line 5: the value \"02/30/2024\" does not read");
    EXPECT_TRUE(std::regex_match(results[3], std::regex(R"(Line 7: created case \d{4}-\d{6})"))) << results[3];
    EXPECT_EQ(results[4], "2 case(s) imported, 2 line(s) refused");

    auto admin = LogIn("admin");
    CAuditCase imported;
    ASSERT_TRUE(admin->GetCase(first[1], imported));
    EXPECT_EQ(imported.insuredName, "Acme Roofing");
    EXPECT_EQ(imported.policyNumber, "WC-1000001");
    EXPECT_EQ(imported.masterDueDate, (CDateTime{CDateTime::valid, 45731.0}));
    EXPECT_EQ(imported.parentName, kUnlinkedParent);

    // A file that names a field the import does not know imports nothing.
    ASSERT_TRUE(importer->ImportCases(CBinaryObject("[InsuredName]\t[NoSuchField]\nX\tY\n"), results));
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0], "Line 1: the import does not know the field [NoSuchField]");
}
