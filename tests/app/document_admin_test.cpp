// The administration commands of the tree through the document against the real
// inventory server: a territory drawn from pasted zip codes, an auditor added through
// the wizard's logic with a territory and a premium criterion who then gets the cases
// that fit, a carrier with hourly billing defaults that the server proposes, rights
// that follow at the next log-in, refusals that leave the lists as they were, and a
// parent synchronised with a second server.
#include "admin/assign_criteria.h"
#include "admin/child_sheet_logic.h"
#include "admin/geo_names.h"
#include "admin/parent_sheet_logic.h"
#include "admin/territory_sheet_state.h"
#include "admin/user_groups.h"
#include "app/document_fixture.h"
#include "query/inventory_tree_layout.h"
#include "query/scope_bits.h"
#include "records/audit_case.h"
#include "records/billing_entry.h"
#include "records/region_loc_rec.h"
#include "support/server_process.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr const char* kAuditor = "AAA Harbor Auditor";  // first in name order among the auditors
constexpr const char* kCarrier = "Quay Street Carrier";

bool HasChild(const CInventoryInfo& info, const std::string& name)
{
    return std::any_of(info.children.begin(), info.children.end(),
                       [&](const CChildUser& child) { return child.name == name; });
}

CAuditCase CaseIn(const std::string& territory, double premium, const std::string& parent)
{
    CAuditCase record;
    record.insuredName = "Harbor Test Insured";
    record.parentName = parent;
    record.regionName = "Northeast";
    record.territoryName = territory;
    record.policyEstPremium = premium;
    record.childGroupCode = CAuditCase::kAutoChildGroup;
    record.auditSource = 0;
    return record;
}

}  // namespace

TEST(DocumentAdministration, AnAuditorCarrierAndTerritoryFromTheTreeTakeEffectOnTheServer)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start()) << server.Log();
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));

    std::vector<QString> titles;
    AdminDialogs admin;
    admin.territory = [&](CTerritorySheetState& state) {
        state.Territory().territoryName = "Harbor District";
        state.Territory().billingCode = 2;
        EXPECT_FALSE(AddZipCodes(state.Territory().zipCodes, PastedColumn("02901\r\n02902\t Providence\r\n")));
        return true;
    };
    admin.childSheet = [&](CChildSheetLogic& sheet, const QString& title) {
        titles.push_back(title);
        if (sheet.Adding()) {
            sheet.SetGroup(1);
            sheet.Child().name = kAuditor;
            sheet.Child().userId = "harbor1";
            sheet.Child().password = "pw1";
            sheet.passwordAgain = "pw1";
            EXPECT_EQ(AddCriterion(sheet.Child().criteria, TerritoryCriterion("Northeast::Harbor District")), "");
            EXPECT_EQ(AddCriterion(sheet.Child().criteria, PremiumCriterion("0", "100000").criterion), "");
        } else {
            EXPECT_EQ(sheet.Child().criteria.size(), 2u);
            sheet.Child().rights = SavedRights(sheet.Child().rights | 0x8);  // may manage children now
            sheet.Child().password.clear();                                 // keeps the stored one
            sheet.passwordAgain.clear();
        }
        return !sheet.Validate().has_value();
    };
    admin.parentSheet = [&](CParentSheetLogic& sheet, const QString& title) {
        titles.push_back(title);
        sheet.Parent().name = kCarrier;
        sheet.Parent().type = "Carrier";
        return !sheet.Validate().has_value();
    };
    admin.billingDefaults = [&](std::vector<CBillingDef>& rows) {
        CBillingDef hourly;
        hourly.hourly = 1;
        hourly.firstAmount = 95.0;
        hourly.additionalHoursRate = 70.0;
        hourly.billedHours = 3.0;
        hourly.auditSource = CBillingDef::kAll;
        hourly.auditType = CBillingDef::kAll;
        hourly.policyCode = -1;
        hourly.nonProductive = CBillingDef::eitherProductivity;
        hourly.description = "Carrier hourly";
        rows = {hourly};
        return true;
    };
    DocumentDialogs dialogs;
    dialogs.admin = admin;
    f.doc.SetDialogs(dialogs);
    for (int command : {cmdAddChild, cmdEditChild, cmdAddParent, cmdManageBillingDefaults, cmdAddTerritory,
                        cmdDeleteTerritory, cmdConnectToParent})
        EXPECT_TRUE(f.doc.HasTreeCommand(command)) << command;
    EXPECT_FALSE(f.doc.HasTreeCommand(cmdAddRegion));  // no region dialog given

    // A territory drawn from pasted zip codes, found by the server from a zip code.
    const TreeNodeRef region{kScopeEachRegion, "Northeast", kNodeRegionsRoot, "Regions"};
    const TreeCommandOutcome added = f.doc.RunTreeCommand(cmdAddTerritory, region);
    ASSERT_TRUE(added.succeeded) << f.prompts.MessageTexts().size();
    EXPECT_EQ(added.newName, "Harbor District");
    const auto& territories = f.doc.InventoryInfo().territories;
    EXPECT_NE(std::find(territories.begin(), territories.end(), "Northeast::Harbor District"), territories.end());
    CRegionLocRec location;
    location.zip = "02902";
    CRegionTerrRec found;
    ASSERT_TRUE(f.doc.Server().GetTerritoryByLoc(location, found));
    EXPECT_EQ(found.regionName, "Northeast");
    EXPECT_EQ(found.territoryName, "Harbor District");
    // The same name again in that region is refused before anything is sent.
    EXPECT_FALSE(f.doc.RunTreeCommand(cmdAddTerritory, region).succeeded);
    EXPECT_EQ(f.prompts.MessageTexts().back(), QStringLiteral("Territory name already exists.  Pick another."));

    // The auditor, through the wizard.
    const int updatesBefore = f.observer.updates;
    ASSERT_TRUE(f.doc.RunTreeCommand(cmdAddChild, {kNodeChildrenRoot, "Children", 0, ""}).succeeded);
    EXPECT_EQ(titles.back(), QStringLiteral("Child Properties"));
    EXPECT_TRUE(HasChild(f.doc.InventoryInfo(), kAuditor));
    EXPECT_GT(f.observer.updates, updatesBefore);  // the tree is built again

    // The carrier with hourly billing defaults.
    ASSERT_TRUE(f.doc.RunTreeCommand(cmdAddParent, {kNodeParentsRoot, "Parents", 0, ""}).succeeded);
    ASSERT_TRUE(f.doc.RunTreeCommand(cmdManageBillingDefaults, {kScopeEachParent, kCarrier, kNodeParentsRoot, "Parents"})
                    .succeeded);

    // A case in the territory within the premium range lands with the new auditor; one
    // above the range goes to someone else.
    const std::string fits = f.doc.Server().CreateCase(CaseIn("Harbor District", 5000, kCarrier));
    const std::string tooBig = f.doc.Server().CreateCase(CaseIn("Harbor District", 500000, kCarrier));
    ASSERT_FALSE(fits.empty());
    ASSERT_FALSE(tooBig.empty());
    CAuditCase stored;
    ASSERT_TRUE(f.doc.Server().GetCase(fits, stored));
    EXPECT_EQ(stored.childName, kAuditor);
    EXPECT_EQ(stored.childGroupCode, 1);
    EXPECT_FALSE(stored.manualAssignment);
    ASSERT_TRUE(f.doc.Server().GetCase(tooBig, stored));
    EXPECT_NE(stored.childName, kAuditor);

    CBillingEntry entry;
    ASSERT_TRUE(f.doc.Server().GetCaseDefBillingEntry(fits, kCarrier, false, entry));
    EXPECT_EQ(entry.kind, CBillingEntry::hourly);
    EXPECT_DOUBLE_EQ(entry.firstHourRate, 95.0);
    EXPECT_DOUBLE_EQ(entry.additionalHoursRate, 70.0);
    EXPECT_DOUBLE_EQ(entry.billedHours, 3.0);
    EXPECT_EQ(entry.memo, "Carrier hourly");

    // New rights for the auditor take effect at its next log-in.
    const TreeNodeRef auditorNode{kScopeEachAuditor, kAuditor, kScopeAllChildren, "All Children"};
    ASSERT_TRUE(f.doc.RunTreeCommand(cmdEditChild, auditorNode).succeeded);
    EXPECT_EQ(titles.back(), QStringLiteral("Properties for ") + QString::fromLatin1(kAuditor));
    DocFixture auditor;
    ASSERT_TRUE(auditor.LogInAs("harbor1", "pw1", server.Port()));
    EXPECT_EQ(auditor.doc.Rights(), SavedRights(0xE7280 | 0x8));
    const auto roots = InventoryTreeLayout::Build(auditor.doc.TreeSource());
    EXPECT_TRUE(std::any_of(roots.begin(), roots.end(),
                            [](const InventoryTreeNode& node) { return node.kind == kNodeChildrenRoot; }));

    // Refusals leave the lists alone: the account logged in cannot delete itself.
    const size_t children = f.doc.InventoryInfo().children.size();
    f.prompts.answers = {true};
    EXPECT_FALSE(f.doc.RunTreeCommand(cmdDeleteChild, {0x800, "Demo Administrator", kScopeAllChildren, ""}).succeeded);
    EXPECT_EQ(f.doc.InventoryInfo().children.size(), children);
    EXPECT_EQ(f.prompts.questions.back().text, QStringLiteral("Delete Demo Administrator.  Are you sure?"));
    EXPECT_TRUE(f.prompts.MessageTexts().back().startsWith(QStringLiteral("Failed to delete child user")));
    // A territory that cases use keeps its node.
    f.prompts.answers = {true};
    const TreeNodeRef territoryNode{kScopeEachTerritory, "Harbor District", kScopeEachRegion, "Northeast"};
    EXPECT_FALSE(f.doc.RunTreeCommand(cmdDeleteTerritory, territoryNode).succeeded);
    EXPECT_EQ(f.prompts.MessageTexts().back(),
              QStringLiteral("Territory is referenced by one or more cases, so it cannot be deleted"));
    EXPECT_TRUE(f.prompts.questions.back().defaultNo);
}

TEST(DocumentAdministration, ConnectingToAParentLogsInToItsOwnServer)
{
    CServerProcess office({"--demo"});
    CServerProcess parentServer({"--demo"});
    ASSERT_TRUE(office.Start()) << office.Log();
    ASSERT_TRUE(parentServer.Start()) << parentServer.Log();

    // The account the office logs in with at the parent's server.
    DocFixture there;
    ASSERT_TRUE(there.LogInAs("admin", "admin", parentServer.Port()));
    DocumentDialogs thereDialogs;
    thereDialogs.admin.childSheet = [](CChildSheetLogic& sheet, const QString&) {
        sheet.Child().name = "Office Link";
        sheet.Child().userId = "officelink";
        sheet.Child().password = "link42";
        sheet.passwordAgain = "link42";
        return true;
    };
    there.doc.SetDialogs(thereDialogs);
    ASSERT_TRUE(there.doc.RunTreeCommand(cmdAddChild, {kNodeChildrenRoot, "Children", 0, ""}).succeeded);

    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", office.Port()));
    std::string password = "link42";
    std::string name = "Linked Office";
    DocumentDialogs dialogs;
    dialogs.admin.parentSheet = [&](CParentSheetLogic& sheet, const QString&) {
        sheet.Parent().name = name;
        sheet.Parent().connectionKind = CAdminParentUser::kDirectConnection;
        sheet.Parent().hostName = "127.0.0.1:" + std::to_string(parentServer.Port());
        sheet.Parent().connectionUserId = name == "Linked Office" ? "officelink" : "otherlink";
        sheet.Parent().connectionPassword = password;
        sheet.passwordAgain = password;
        return !sheet.Validate().has_value();
    };
    f.doc.SetDialogs(dialogs);
    ASSERT_TRUE(f.doc.RunTreeCommand(cmdAddParent, {kNodeParentsRoot, "Parents", 0, ""}).succeeded);

    const TreeNodeRef node{kScopeEachParent, "Linked Office", kScopeAllParents, "All Parents"};
    f.prompts.answers = {false};
    EXPECT_FALSE(f.doc.RunTreeCommand(cmdConnectToParent, node).succeeded);
    EXPECT_EQ(f.prompts.questions.back().text,
              QStringLiteral("Connect to Linked Office.  Are you sure?  This operation could take several minutes."));
    f.prompts.answers = {true};
    EXPECT_TRUE(f.doc.RunTreeCommand(cmdConnectToParent, node).succeeded) << parentServer.Log();
    EXPECT_EQ(f.prompts.MessageTexts().back(), QStringLiteral("Operation successful"));
    EXPECT_TRUE(parentServer.WaitForLog("user 'officelink' logged in"));
    EXPECT_EQ(f.prompts.waitDepth, 0);

    // A password the parent's server refuses: its words, and the command fails.
    name = "Wrong Office";
    password = "nope";
    ASSERT_TRUE(f.doc.RunTreeCommand(cmdAddParent, {kNodeParentsRoot, "Parents", 0, ""}).succeeded);
    f.prompts.answers = {true};
    EXPECT_FALSE(
        f.doc.RunTreeCommand(cmdConnectToParent, {kScopeEachParent, "Wrong Office", kScopeAllParents, ""}).succeeded);
    EXPECT_TRUE(f.prompts.MessageTexts().back().contains(QStringLiteral("refused the log-in of otherlink")))
        << f.prompts.MessageTexts().back().toStdString();
}
