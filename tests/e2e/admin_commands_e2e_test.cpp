// Administration between the office client's command layer and the real server: parent
// and child accounts, regions and territories with their delete refusals, billing
// defaults, the logged-in users and parent synchronisation.

#include "e2e/case_samples.h"
#include "e2e/office_client.h"
#include "records/admin_child_user.h"
#include "records/admin_parent_user.h"
#include "records/admin_region.h"
#include "records/admin_territory.h"
#include "records/billing_def.h"
#include "records/billing_entry.h"
#include "records/inventory_info.h"
#include "records/region_loc_rec.h"
#include "records/tracking_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

namespace {

class AdminCommandsEndToEnd : public InventoryEndToEnd {};

bool Contains(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

CAdminChildUser Child(const std::string& name, const std::string& userId)
{
    CAdminChildUser child;
    child.name = name;
    child.userId = userId;
    child.password = "secret1";
    child.group = 1;
    child.inventoryCap = 250;
    child.rights = 0xE7280;
    child.fifthInt = 3;
    child.autoFlagEnabled = true;
    child.autoFlag = true;
    child.notes = "Covers the north shore";
    child.address1 = "9 Harbor Way";
    child.address2 = "Unit 2";
    child.city = "Salem";
    child.state = "MA";
    child.zip = "01970";
    child.phone = "555-0400";
    child.fax = "555-0401";
    child.email = "field@orvenna.example";
    child.groupDetail = "Fee Auditor";
    child.hidden = true;
    CAssignCriterion territory;
    territory.category = "Territory";
    territory.value1 = "Northeast";
    territory.value2 = "Rhode Island";
    CAssignCriterion premium;
    premium.category = "Premium";
    premium.value1 = "1000";
    premium.value2 = "50000";
    child.criteria = {territory, premium};
    return child;
}

CAdminParentUser Parent(const std::string& name)
{
    CAdminParentUser parent;
    parent.name = name;
    parent.type = "Carrier";
    parent.notes = "Since 2019";
    parent.contact = "Gloria Banks";
    parent.address1 = "1 State St";
    parent.address2 = "Floor 9";
    parent.city = "Boston";
    parent.state = "MA";
    parent.zip = "02109";
    parent.phone = "555-0500";
    parent.fax = "555-0501";
    parent.email = "audits@harbor.example";
    parent.connectionKind = CAdminParentUser::kNoConnection;
    parent.masterDueDays = 40;
    parent.auditDueDays = 25;
    parent.copies = 2;
    parent.useBilling = true;
    parent.chargeModes = {1, 0, 1, 0, 0, 1};
    for (size_t i = 0; i < parent.chargeRates.size(); ++i)
        parent.chargeRates[i] = {80.0 + static_cast<double>(i), 50.5};
    parent.discounts[1] = {30.0, 2.5};
    parent.routingOrder = {7, 6, 5, 4, 3, 2, 1};
    parent.accountNumber = 4711;
    parent.hidden = false;
    return parent;
}

}  // namespace

TEST_F(AdminCommandsEndToEnd, ChildAccountsAddChangeAndDelete)
{
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());

    // Add, then read back: every field but the server's own (record number, date) and
    // the password, which never comes back.
    const CAdminChildUser sent = Child("Sam Field", "sfield");
    ASSERT_EQ(admin->SetChildUser("", sent, CInventoryServer::modeAdd), 0);
    EXPECT_EQ(admin->SetChildUser("", sent, CInventoryServer::modeAdd), -1) << "name and user id are taken";
    CAdminChildUser stored;
    ASSERT_TRUE(admin->GetChildUser("Sam Field", stored));
    EXPECT_GT(stored.recordNumber, 0);
    EXPECT_TRUE(stored.date.IsValid());
    EXPECT_EQ(stored.password, "");
    CAdminChildUser expected = sent;
    expected.recordNumber = stored.recordNumber;
    expected.date = stored.date;
    expected.password.clear();
    EXPECT_TRUE(SameRecord(stored, expected));

    // The new child logs in with its password and sees itself.
    auto field = LogIn("sfield", "secret1");
    ASSERT_TRUE(field->LoggedIn());
    CAdminChildUser self;
    EXPECT_TRUE(field->GetChildUser("Sam Field", self));
    LogOut(field, "sfield");

    // A case assigned to the child, then the child renamed: the case, its history and
    // the child's stored password follow.
    CAuditCase assigned = PlainCase("Assigned Insured");
    assigned.childName = "Sam Field";
    assigned.childGroupCode = 1;
    const std::string number = admin->CreateCase(assigned);
    ASSERT_FALSE(number.empty());
    CAdminChildUser renamed = stored;
    renamed.name = "Samantha Field";
    renamed.city = "Lynn";
    ASSERT_EQ(admin->SetChildUser("Sam Field", renamed, CInventoryServer::modeChange), 0);
    CAuditCase record;
    ASSERT_TRUE(admin->GetCase(number, record));
    EXPECT_EQ(record.childName, "Samantha Field");
    std::vector<CTrackingEntry> history;
    ASSERT_TRUE(admin->GetCaseTracking(number, history));
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].childName, "Samantha Field");
    EXPECT_FALSE(admin->GetChildUser("Sam Field", stored));
    ASSERT_TRUE(admin->GetChildUser("Samantha Field", stored));
    EXPECT_EQ(stored.city, "Lynn");
    field = LogIn("sfield", "secret1");
    EXPECT_TRUE(field->LoggedIn());
    LogOut(field, "sfield");

    // The group is fixed once the child exists.
    CAdminChildUser regrouped = stored;
    regrouped.group = 6;
    EXPECT_EQ(admin->SetChildUser("Samantha Field", regrouped, CInventoryServer::modeChange), -1);

    // Deleting a child that a case names: -2; once no case names it, it goes.
    EXPECT_EQ(admin->SetChildUser("Samantha Field", CAdminChildUser(), CInventoryServer::modeDelete), -2);
    ASSERT_TRUE(admin->GetChildUser("Samantha Field", stored));
    record.childName.clear();
    record.childGroupCode = CAuditCase::kNoChildGroup;
    ASSERT_EQ(admin->SetCase(number, record), 0);
    EXPECT_EQ(admin->SetChildUser("Samantha Field", CAdminChildUser(), CInventoryServer::modeDelete), 0);
    EXPECT_FALSE(admin->GetChildUser("Samantha Field", stored));
    EXPECT_EQ(admin->SetChildUser("Samantha Field", CAdminChildUser(), CInventoryServer::modeDelete), -1);
}

TEST_F(AdminCommandsEndToEnd, ParentAccountsAddChangeAndDelete)
{
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());

    const CAdminParentUser sent = Parent("Harbor Casualty");
    ASSERT_EQ(admin->SetParentUser("", sent, CInventoryServer::modeAdd), 0);
    CAdminParentUser stored;
    ASSERT_TRUE(admin->GetParentUser("Harbor Casualty", stored));
    EXPECT_GT(stored.recordNumber, 0);
    CAdminParentUser expected = sent;
    expected.recordNumber = stored.recordNumber;
    EXPECT_TRUE(SameRecord(stored, expected));

    // Renaming takes the parent's cases and billing entries along; deleting a parent that
    // they name is refused.
    const std::string number = admin->CreateCase(PlainCase("Harbor Insured", "Harbor Casualty"));
    ASSERT_FALSE(number.empty());
    CBillingEntry entry;
    entry.parentName = "Harbor Casualty";
    entry.firstHourRate = 120.0;
    entry.billedAmount = 120.0;
    ASSERT_TRUE(admin->SetCaseBillingEntry(number, entry, CInventoryServer::modeAdd));
    CAdminParentUser renamed = stored;
    renamed.name = "Harbor Mutual";
    ASSERT_EQ(admin->SetParentUser("Harbor Casualty", renamed, CInventoryServer::modeChange), 0);
    CAuditCase record;
    ASSERT_TRUE(admin->GetCase(number, record));
    EXPECT_EQ(record.parentName, "Harbor Mutual");
    std::vector<CBillingEntry> entries;
    ASSERT_TRUE(admin->GetCaseBillingEntries(number, entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].parentName, "Harbor Mutual");
    EXPECT_FALSE(admin->GetParentUser("Harbor Casualty", stored));

    EXPECT_EQ(admin->SetParentUser("Harbor Mutual", CAdminParentUser(), CInventoryServer::modeDelete), -2);
    EXPECT_TRUE(admin->GetParentUser("Harbor Mutual", stored));
    ASSERT_EQ(admin->DeleteCases({number}), 0);
    EXPECT_EQ(admin->SetParentUser("Harbor Mutual", CAdminParentUser(), CInventoryServer::modeDelete), 0);
    EXPECT_FALSE(admin->GetParentUser("Harbor Mutual", stored));

    // A parent that the inventory uses everywhere stays.
    EXPECT_EQ(admin->SetParentUser(kDirectParent, CAdminParentUser(), CInventoryServer::modeDelete), -2);
}

TEST_F(AdminCommandsEndToEnd, RegionsAndTerritoriesWithTheirDeleteRefusals)
{
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());
    auto territoryNames = [&]() {
        CInventoryInfo info;
        EXPECT_TRUE(admin->GetInventoryInfo(false, info));
        return info.territories;
    };

    CAdminRegion region;
    region.name = "Southwest";
    ASSERT_EQ(admin->SetRegion("", region, CInventoryServer::modeAdd), 0);
    EXPECT_EQ(admin->SetRegion("", region, CInventoryServer::modeAdd), -1);

    CAdminTerritory phoenix;
    phoenix.regionName = "Southwest";
    phoenix.territoryName = "Phoenix Metro";
    phoenix.billingCode = 3;
    phoenix.zipCodes = {"85001", "85004"};
    phoenix.counties = {"Maricopa", "Pinal"};
    phoenix.countyStates = {"AZ", "AZ"};
    ASSERT_EQ(admin->SetTerritory("", phoenix, CInventoryServer::modeAdd), 0);
    EXPECT_EQ(admin->SetTerritory("", phoenix, CInventoryServer::modeAdd), -1);

    CAdminTerritory fetched;
    fetched.regionName = "Southwest";
    fetched.territoryName = "Phoenix Metro";
    ASSERT_TRUE(admin->GetTerritory(fetched));
    EXPECT_TRUE(SameRecord(fetched, phoenix));
    CRegionLocRec location;
    location.zip = "85004";
    CRegionTerrRec place;
    ASSERT_TRUE(admin->GetTerritoryByLoc(location, place));
    EXPECT_EQ(place.regionName, "Southwest");
    EXPECT_EQ(place.territoryName, "Phoenix Metro");

    // Renaming the region and the territory: the cases placed there follow.
    CAuditCase placed = PlainCase("Phoenix Insured");
    placed.regionName = "Southwest";
    placed.territoryName = "Phoenix Metro";
    const std::string number = admin->CreateCase(placed);
    region.name = "Desert Southwest";
    ASSERT_EQ(admin->SetRegion("Southwest", region, CInventoryServer::modeChange), 0);
    CAdminTerritory phoenixNow = phoenix;
    phoenixNow.regionName = "Desert Southwest";
    phoenixNow.territoryName = "Phoenix";
    phoenixNow.billingCode = 4;
    phoenixNow.zipCodes = {"85001"};
    ASSERT_EQ(admin->SetTerritory("Phoenix Metro", phoenixNow, CInventoryServer::modeChange), 0);
    fetched = CAdminTerritory();
    fetched.regionName = "Desert Southwest";
    fetched.territoryName = "Phoenix";
    ASSERT_TRUE(admin->GetTerritory(fetched));
    EXPECT_TRUE(SameRecord(fetched, phoenixNow));
    CAdminTerritory gone;
    gone.regionName = "Desert Southwest";
    gone.territoryName = "Phoenix Metro";
    EXPECT_FALSE(admin->GetTerritory(gone));
    EXPECT_TRUE(Contains(territoryNames(), "Desert Southwest::Phoenix"));
    ASSERT_TRUE(admin->GetCase(number, placed));
    EXPECT_EQ(placed.regionName, "Desert Southwest");
    EXPECT_EQ(placed.territoryName, "Phoenix");

    // The case placed there holds both back: -2.
    CAdminTerritory byName;
    byName.regionName = "Desert Southwest";
    byName.territoryName = "Phoenix";
    EXPECT_EQ(admin->SetTerritory("Phoenix", byName, CInventoryServer::modeDelete), -2);
    EXPECT_EQ(admin->SetRegion("Desert Southwest", region, CInventoryServer::modeDelete), -2);
    EXPECT_TRUE(Contains(territoryNames(), "Desert Southwest::Phoenix"));
    CAdminRegion northeast;
    northeast.name = "Northeast";
    EXPECT_EQ(admin->SetRegion("Northeast", northeast, CInventoryServer::modeDelete), -2);

    // Once the case is gone, the territory goes; removing the region takes its other
    // territories along.
    ASSERT_EQ(admin->DeleteCases({number}), 0);
    EXPECT_EQ(admin->SetTerritory("Phoenix", byName, CInventoryServer::modeDelete), 0);
    EXPECT_FALSE(Contains(territoryNames(), "Desert Southwest::Phoenix"));
    CAdminTerritory tucson = phoenix;
    tucson.regionName = "Desert Southwest";
    tucson.territoryName = "Tucson";
    tucson.zipCodes = {"85701"};
    ASSERT_EQ(admin->SetTerritory("", tucson, CInventoryServer::modeAdd), 0);
    EXPECT_TRUE(Contains(territoryNames(), "Desert Southwest::Tucson"));
    EXPECT_EQ(admin->SetRegion("Desert Southwest", region, CInventoryServer::modeDelete), 0);
    EXPECT_FALSE(Contains(territoryNames(), "Desert Southwest::Tucson"));
    CInventoryInfo info;
    ASSERT_TRUE(admin->GetInventoryInfo(false, info));
    EXPECT_FALSE(Contains(info.regions, "Desert Southwest"));
    EXPECT_TRUE(Contains(info.regions, "Northeast"));
}

TEST_F(AdminCommandsEndToEnd, BillingDefaultsOfParentsAndChildren)
{
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());

    std::vector<CBillingDef> rows;
    ASSERT_TRUE(admin->GetBillingDefSet(kUnlinkedParent, CInventoryServer::parentAccount, rows));
    EXPECT_EQ(rows.size(), 2u);
    ASSERT_TRUE(admin->GetBillingDefSet(kAuditorChild, CInventoryServer::childAccount, rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].description, "Field auditor fee");
    // The kind decides where the name is looked up.
    EXPECT_FALSE(admin->GetBillingDefSet(kAuditorChild, CInventoryServer::parentAccount, rows));
    EXPECT_FALSE(admin->GetBillingDefSet("Nobody", CInventoryServer::childAccount, rows));

    std::vector<CBillingDef> set(3);
    set[0].opaqueInt1 = 1;
    set[0].opaqueInt2 = 2;
    set[0].opaqueAmount = 3.5;
    set[0].hourly = 1;
    set[0].firstAmount = 110.0;
    set[0].additionalHoursRate = 70.0;
    set[0].billedHours = 1.5;
    set[0].description = "Garage audits";
    set[0].auditSource = CBillingDef::kAll;
    set[0].auditType = 5;
    set[0].policyType = "Garage";
    set[0].policyCode = 8123;
    set[0].nonProductive = CBillingDef::nonProductiveOnly;
    set[1].firstAmount = 55.0;
    set[1].description = "Telephone audits";
    set[1].auditSource = 1;
    set[1].auditType = CBillingDef::kAll;
    set[1].policyCode = -1;
    set[1].nonProductive = CBillingDef::eitherProductivity;
    set[2].description = "Everything else";
    set[2].firstAmount = 40.0;
    set[2].auditSource = CBillingDef::kAll;
    set[2].auditType = CBillingDef::kAll;
    set[2].policyCode = -1;
    set[2].nonProductive = CBillingDef::eitherProductivity;
    ASSERT_TRUE(admin->SetBillingDefSet(kUnlinkedParent, CInventoryServer::parentAccount, set));
    ASSERT_TRUE(admin->GetBillingDefSet(kUnlinkedParent, CInventoryServer::parentAccount, rows));
    ASSERT_EQ(rows.size(), set.size());
    for (size_t i = 0; i < set.size(); ++i)
        EXPECT_TRUE(SameRecord(rows[i], set[i])) << "row " << i;

    // The new set is what the default entry of a case comes from.
    CAuditCase telephone = PlainCase("Telephone Insured");
    telephone.auditSource = 1;
    const std::string number = admin->CreateCase(telephone);
    CBillingEntry proposal;
    ASSERT_TRUE(admin->GetCaseDefBillingEntry(number, kUnlinkedParent, false, proposal));
    EXPECT_EQ(proposal.memo, "Telephone audits");
    EXPECT_EQ(proposal.billedAmount, 55.0);

    // At most 20 rows; an empty set clears the defaults.
    EXPECT_FALSE(admin->SetBillingDefSet(kUnlinkedParent, CInventoryServer::parentAccount,
                                         std::vector<CBillingDef>(21)));
    ASSERT_TRUE(admin->GetBillingDefSet(kUnlinkedParent, CInventoryServer::parentAccount, rows));
    EXPECT_EQ(rows.size(), set.size());
    ASSERT_TRUE(admin->SetBillingDefSet(kAuditorChild, CInventoryServer::childAccount, {}));
    ASSERT_TRUE(admin->GetBillingDefSet(kAuditorChild, CInventoryServer::childAccount, rows));
    EXPECT_TRUE(rows.empty());
}

TEST_F(AdminCommandsEndToEnd, LoggedInUsersAndParentSynchronisation)
{
    auto admin = LogIn("admin");
    auto carrier = LogIn("carrier");
    ASSERT_TRUE(admin->LoggedIn() && carrier->LoggedIn());

    // A parent sees its own session's line only; the administrator sees every session.
    std::vector<std::string> lines;
    ASSERT_TRUE(carrier->GetLoggedUsers(lines));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("carrier: ", 0), 0u) << lines[0];
    ASSERT_TRUE(admin->GetLoggedUsers(lines));
    ASSERT_EQ(lines.size(), 2u);
    std::sort(lines.begin(), lines.end());
    const std::string since = R"( from 127\.0\.0\.1 since \d{4}-\d{2}-\d{2} \d{2}:\d{2})";
    EXPECT_TRUE(std::regex_match(lines[0], std::regex("admin: Demo Administrator \\(Administrators\\)" + since)))
        << lines[0];
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("carrier: Atlas Mutual Insurance \\(Parent\\)" + since)))
        << lines[1];

    // SYNCPARENT answers a text in every case: why a parent is not linked, why its
    // server cannot be reached, or nothing when the session there was created.
    EXPECT_EQ(admin->SyncParent(kUnlinkedParent),
              std::string("Parent ") + kUnlinkedParent + " is not linked: its connection is *NONE*");
    CAdminParentUser unreachable = Parent("Unreachable Carrier");
    unreachable.connectionKind = CAdminParentUser::kDirectConnection;
    unreachable.hostName = "127.0.0.1:1";
    ASSERT_EQ(admin->SetParentUser("", unreachable, CInventoryServer::modeAdd), 0);
    EXPECT_EQ(admin->SyncParent("Unreachable Carrier"), "Cannot connect to Unreachable Carrier at 127.0.0.1:1");
    CAdminParentUser reachable = Parent("Reachable Carrier");
    reachable.connectionKind = CAdminParentUser::kDirectConnection;
    reachable.hostName = "127.0.0.1:" + std::to_string(Port());
    ASSERT_EQ(admin->SetParentUser("", reachable, CInventoryServer::modeAdd), 0);
    EXPECT_EQ(admin->SyncParent("Reachable Carrier"), "");
    EXPECT_EQ(admin->SyncParent("Nobody"), "Parent Nobody not found");
}
