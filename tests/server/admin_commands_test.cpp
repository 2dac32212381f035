// Parent and child accounts, regions and territories, the look-ups of the case
// properties, the logged-in users and parent synchronisation against the real server.

#include "records/admin_child_user.h"
#include "records/admin_parent_user.h"
#include "records/admin_region.h"
#include "records/admin_territory.h"
#include "records/audit_case.h"
#include "records/billing_entry.h"
#include "records/record_list.h"
#include "records/region_loc_rec.h"
#include "server/command_client.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <netinet/in.h>
#include <unistd.h>

namespace {

struct AdminServer : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(demo.server.Start()) << demo.server.Log();
        ASSERT_TRUE(admin.LogIn(demo.server.Port(), "admin", "admin"));
    }
    int Port() { return demo.server.Port(); }

    DemoServer demo;
    CCommandClient admin;
};

CAdminParentUser Parent(const std::string& name, const std::string& loginId = {}, const std::string& password = {})
{
    CAdminParentUser parent;
    parent.name = name;
    parent.type = "Carrier";
    parent.connectionKind = loginId.empty() ? "*NONE*" : "*DIRECT*";
    parent.connectionUserId = loginId;
    parent.connectionPassword = password;
    parent.masterDueDays = 40;
    parent.auditDueDays = 25;
    parent.chargeModes[2] = 1;
    parent.chargeRates[2] = {85.5, 55.25};
    parent.discounts[1] = {30, 2.5};
    parent.routingOrder = {7, 6, 5, 4, 3, 2, 1};
    parent.accountNumber = 4711;
    parent.hidden = true;
    return parent;
}

// A port on this machine that nobody listens on.
int ClosedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    const int port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

}  // namespace

TEST_F(AdminServer, ParentAccountsAddChangeAndDelete)
{
    CAdminParentUser parent = Parent("Harbor Casualty", "harbor", "pw1");
    ASSERT_EQ(admin.SetWithMode("SETPARENTUSER", "Harbor Casualty", parent, 0), 0);
    EXPECT_EQ(admin.SetWithMode("SETPARENTUSER", "Harbor Casualty", parent, 0), -1) << "the name is taken";
    CAdminParentUser clash = Parent("Other Name", "ADMIN", "pw");
    EXPECT_EQ(admin.SetWithMode("SETPARENTUSER", "Other Name", clash, 0), -1) << "a child logs in as admin";
    CAdminParentUser badLogin = Parent("Bad Login", "no_underscores", "pw");
    EXPECT_EQ(admin.SetWithMode("SETPARENTUSER", "Bad Login", badLogin, 0), -1);

    CAdminParentUser stored;
    ASSERT_TRUE(admin.GetByText("GETPARENTUSER", "Harbor Casualty", stored));
    EXPECT_EQ(stored.connectionPassword, "") << "passwords are never sent back";
    EXPECT_NE(stored.recordNumber, 0);
    EXPECT_EQ(stored.date, CAdminParentUser::kNewRecordDate);
    CAdminParentUser expected = parent;
    expected.connectionPassword.clear();
    expected.recordNumber = stored.recordNumber;
    EXPECT_EQ(RecordBytes(stored), RecordBytes(expected));

    // The parent logs in with its connection user id.
    CCommandClient harbor;
    ASSERT_TRUE(harbor.LogIn(Port(), "harbor", "pw1"));

    // A case of the parent follows its rename; the password stays without a new one.
    CAuditCase record;
    record.insuredName = "Renamed Parent Co.";
    record.parentName = "Harbor Casualty";
    const std::string number = admin.CreateCase(record);
    ASSERT_FALSE(number.empty());
    CAdminParentUser toTaken = stored;
    toTaken.name = "Atlas Mutual Insurance";
    EXPECT_EQ(admin.SetWithMode("SETPARENTUSER", "Harbor Casualty", toTaken, 1), -1) << "renamed onto another";
    stored.name = "Harbor Casualty & Surety";
    stored.notes = "renamed";
    ASSERT_EQ(admin.SetWithMode("SETPARENTUSER", "Harbor Casualty", stored, 1), 0);
    ASSERT_TRUE(admin.GetCase(number, record));
    EXPECT_EQ(record.parentName, "Harbor Casualty & Surety");
    harbor.Session().CloseSession();
    harbor.Session().Close();
    ASSERT_TRUE(demo.server.WaitForLog("user 'harbor' logged out"));
    CCommandClient again;
    EXPECT_TRUE(again.LogIn(Port(), "harbor", "pw1"));
    EXPECT_FALSE(admin.GetByText("GETPARENTUSER", "Harbor Casualty", stored));

    // Referenced by a case: not deleted; once the case is gone, deleted.
    CAdminParentUser empty;
    EXPECT_EQ(admin.SetWithMode("SETPARENTUSER", "Harbor Casualty & Surety", empty, 2), -2);
    ASSERT_EQ(admin.DeleteCases({number}), 0);
    EXPECT_EQ(admin.SetWithMode("SETPARENTUSER", "Harbor Casualty & Surety", empty, 2), 0);
    EXPECT_EQ(admin.SetWithMode("SETPARENTUSER", "Harbor Casualty & Surety", empty, 2), -1);
    EXPECT_EQ(admin.SetWithMode("SETPARENTUSER", "X", empty, 5), -1) << "no such mode";
}

TEST_F(AdminServer, ChildAccountsWithCriteria)
{
    CAdminChildUser child;
    child.name = "Ruth Alvarez";
    child.userId = "ralvarez";
    child.password = "secret";
    child.group = 1;
    child.rights = 0xE7280;
    child.inventoryCap = 250;
    child.fifthInt = 1;
    child.autoFlagEnabled = true;
    child.autoFlag = true;
    child.groupDetail = "Fee Auditor";
    child.criteria.resize(2);
    child.criteria[0] = {};
    child.criteria[0].category = "Territory";
    child.criteria[0].value1 = "Midwest";
    child.criteria[0].value2 = "Indiana";
    child.criteria[1].category = "Premium";
    child.criteria[1].value1 = "0";
    child.criteria[1].value2 = "50000";
    ASSERT_EQ(admin.SetWithMode("SETCHILDUSER", child.name, child, 0), 0);

    CAdminChildUser stored;
    ASSERT_TRUE(admin.GetByText("GETCHILDUSER", "Ruth Alvarez", stored));
    EXPECT_EQ(stored.password, "");
    EXPECT_TRUE(stored.date.IsValid());
    CAdminChildUser expected = child;
    expected.password.clear();
    expected.recordNumber = stored.recordNumber;
    expected.date = stored.date;
    EXPECT_EQ(RecordBytes(stored), RecordBytes(expected));

    CCommandClient ruth;
    ASSERT_TRUE(ruth.LogIn(Port(), "RALVAREZ", "secret")) << "user ids ignore letter case";
    CAdminChildUser own;
    EXPECT_TRUE(ruth.GetByText("GETCHILDUSER", "Ruth Alvarez", own)) << "a child reads its own account";
    EXPECT_FALSE(ruth.GetByText("GETCHILDUSER", "Demo Reviewer", own));
    EXPECT_EQ(ruth.SetWithMode("SETCHILDUSER", "Ruth Alvarez", stored, 1), -3);

    // Refused records: a second premium range, a group change, a bad user id, a taken name.
    CAdminChildUser twoPremiums = stored;
    twoPremiums.criteria.push_back(stored.criteria[1]);
    EXPECT_EQ(admin.SetWithMode("SETCHILDUSER", "Ruth Alvarez", twoPremiums, 1), -1);
    CAdminChildUser regroup = stored;
    regroup.group = 6;
    EXPECT_EQ(admin.SetWithMode("SETCHILDUSER", "Ruth Alvarez", regroup, 1), -1);
    CAdminChildUser spaced = child;
    spaced.name = "Another";
    spaced.userId = "has space";
    EXPECT_EQ(admin.SetWithMode("SETCHILDUSER", "Another", spaced, 0), -1);
    CAdminChildUser taken = child;
    taken.userId = "other";
    EXPECT_EQ(admin.SetWithMode("SETCHILDUSER", "Ruth Alvarez", taken, 0), -1);
    CAdminChildUser group8 = child;
    group8.name = "Archive Child";
    group8.userId = "archivechild";
    group8.group = 8;
    EXPECT_EQ(admin.SetWithMode("SETCHILDUSER", group8.name, group8, 0), -1) << "8 is no account's group";

    // Renaming carries into cases and billing entries; a referenced child stays.
    CAuditCase record;
    record.insuredName = "Child Rename Co.";
    record.childName = "Ruth Alvarez";
    record.childGroupCode = 1;
    const std::string number = admin.CreateCase(record);
    CBillingEntry pay;
    pay.childName = "Ruth Alvarez";
    ASSERT_EQ(admin.SetWithMode("SETCASEBILLINGENTRY", number, pay, 0), 0);
    stored.name = "Ruth Alvarez-Kim";
    stored.password = "newer";
    ASSERT_EQ(admin.SetWithMode("SETCHILDUSER", "Ruth Alvarez", stored, 1), 0);
    ASSERT_TRUE(admin.GetCase(number, record));
    EXPECT_EQ(record.childName, "Ruth Alvarez-Kim");
    CRecordList<CBillingEntry> entries;
    ASSERT_TRUE(admin.GetByText("GETCASEBILLINGENTRIES", number, entries));
    EXPECT_EQ(entries.items.at(0).childName, "Ruth Alvarez-Kim");
    CAdminChildUser empty;
    EXPECT_EQ(admin.SetWithMode("SETCHILDUSER", "Ruth Alvarez-Kim", empty, 2), -2);
    EXPECT_EQ(admin.SetWithMode("SETCHILDUSER", "Demo Administrator", empty, 2), -1) << "not itself";
    CAdminChildUser unused;
    unused.name = "Temp";
    unused.userId = "temp";
    unused.group = 2;
    ASSERT_EQ(admin.SetWithMode("SETCHILDUSER", "Temp", unused, 0), 0);
    EXPECT_EQ(admin.SetWithMode("SETCHILDUSER", "Temp", empty, 2), 0);
    CCommandClient temp;
    EXPECT_FALSE(temp.LogIn(Port(), "temp", "")) << "a child added without a password cannot log in";

    // Rights: reviewers neither manage nor see children.
    CCommandClient reviewer;
    ASSERT_TRUE(reviewer.LogIn(Port(), "reviewer", "reviewer"));
    EXPECT_EQ(AddChild(reviewer, "Sneaky", "sneaky", "pw", 0, 0x7FFFFF), -3);
    EXPECT_FALSE(reviewer.GetByText("GETCHILDUSER", "Demo Auditor", own));
    EXPECT_TRUE(reviewer.InStep());
}

TEST_F(AdminServer, RegionsAndTerritories)
{
    CAdminRegion region;
    region.name = "Southwest";
    ASSERT_EQ(admin.SetWithMode("SETREGION", "", region, 0), 0);
    EXPECT_EQ(admin.SetWithMode("SETREGION", "", region, 0), -1) << "the name is taken";
    CAdminRegion blank;
    EXPECT_EQ(admin.SetWithMode("SETREGION", "", blank, 0), -1);

    CAdminTerritory territory;
    territory.regionName = "Southwest";
    territory.territoryName = "Phoenix";
    territory.billingCode = 3;
    territory.zipCodes = {"85001", "85004"};
    territory.counties = {"Maricopa"};
    territory.countyStates = {"AZ"};
    ASSERT_EQ(admin.SetWithMode("SETTERRITORY", "", territory, 0), 0);
    CAdminTerritory sameName = territory;
    sameName.regionName = "Midwest";
    sameName.zipCodes = {"46999"};
    sameName.counties = {"Lake"};
    sameName.countyStates = {"IN"};
    EXPECT_EQ(admin.SetWithMode("SETTERRITORY", "", sameName, 0), 0) << "the same name in another region";
    EXPECT_EQ(admin.SetWithMode("SETTERRITORY", "", territory, 0), -1) << "but not twice in one";
    CAdminTerritory uneven = territory;
    uneven.territoryName = "Tucson";
    uneven.countyStates.clear();
    EXPECT_EQ(admin.SetWithMode("SETTERRITORY", "", uneven, 0), -1);

    CAdminTerritory asked;
    asked.regionName = "Southwest";
    asked.territoryName = "Phoenix";
    ASSERT_TRUE(admin.Command("GETTERRITORY") && admin.Record(asked) && admin.Reply(asked));
    EXPECT_EQ(RecordBytes(asked), RecordBytes(territory));

    auto locate = [&](const std::string& zip, const std::string& county, const std::string& state) {
        CRegionLocRec location;
        location.zip = zip;
        location.county = county;
        location.state = state;
        CRegionTerrRec answer;
        EXPECT_TRUE(admin.Command("GETTERRITORYBYLOC") && admin.Record(location) && admin.Reply(answer));
        return answer.regionName + "::" + answer.territoryName;
    };
    EXPECT_EQ(locate("85004", "", ""), "Southwest::Phoenix");
    EXPECT_EQ(locate("85004-1234", "", ""), "Southwest::Phoenix") << "a zip+4 by its first five";
    EXPECT_EQ(locate("99999", "maricopa", "az"), "Southwest::Phoenix") << "by county, any letter case";
    EXPECT_EQ(locate("99999", "Nowhere", "AZ"), "::");

    // Renames carry into cases; a territory or region in use is not deleted.
    CAuditCase record;
    record.insuredName = "Desert Co.";
    record.regionName = "Southwest";
    record.territoryName = "Phoenix";
    const std::string number = admin.CreateCase(record);
    territory.territoryName = "Phoenix Metro";
    ASSERT_EQ(admin.SetWithMode("SETTERRITORY", "Phoenix", territory, 1), 0);
    region.name = "Desert Southwest";
    ASSERT_EQ(admin.SetWithMode("SETREGION", "Southwest", region, 1), 0);
    ASSERT_TRUE(admin.GetCase(number, record));
    EXPECT_EQ(record.regionName, "Desert Southwest");
    EXPECT_EQ(record.territoryName, "Phoenix Metro");
    territory.regionName = "Desert Southwest";
    EXPECT_EQ(admin.SetWithMode("SETTERRITORY", "Phoenix Metro", territory, 2), -2);
    EXPECT_EQ(admin.SetWithMode("SETREGION", "Desert Southwest", region, 2), -2);
    ASSERT_EQ(admin.DeleteCases({number}), 0);
    EXPECT_EQ(admin.SetWithMode("SETTERRITORY", "Phoenix Metro", territory, 2), 0);
    EXPECT_EQ(admin.SetWithMode("SETREGION", "Desert Southwest", region, 2), 0);
    EXPECT_EQ(admin.SetWithMode("SETREGION", "Desert Southwest", region, 2), -1);

    // Only those who manage territories change them.
    CCommandClient auditor;
    ASSERT_TRUE(auditor.LogIn(Port(), "auditor", "auditor"));
    EXPECT_EQ(auditor.SetWithMode("SETREGION", "", region, 0), -3);
    CAdminTerritory seen;
    seen.regionName = "Midwest";
    seen.territoryName = "Indiana";
    EXPECT_FALSE(auditor.Command("GETTERRITORY") && auditor.Record(seen) && auditor.Reply(seen));
    EXPECT_TRUE(auditor.InStep());
}

TEST_F(AdminServer, ZipCodesGiveCityAndState)
{
    CStringList cityAndState;
    ASSERT_TRUE(admin.GetByText("GETCITYSTATEFROMZIP", "60614", cityAndState));
    EXPECT_EQ(cityAndState.items, (std::vector<std::string>{"Chicago", "IL"}));
    ASSERT_TRUE(admin.GetByText("GETCITYSTATEFROMZIP", "60614-2201", cityAndState));
    EXPECT_EQ(cityAndState.items, (std::vector<std::string>{"Chicago", "IL"}));
    ASSERT_TRUE(admin.GetByText("GETCITYSTATEFROMZIP", "1", cityAndState));
    EXPECT_TRUE(cityAndState.items.empty());
}

TEST_F(AdminServer, LoggedInUsersAreTheLiveSessions)
{
    CCommandClient auditor;
    ASSERT_TRUE(auditor.LogIn(Port(), "auditor", "auditor"));
    CStringList users;
    ASSERT_TRUE(auditor.Command("GETLOGGEDUSERS") && auditor.Reply(users));
    ASSERT_EQ(users.items.size(), 2u);
    EXPECT_EQ(users.items[0].rfind("admin: Demo Administrator (Administrators) from 127.0.0.1 since ", 0), 0u)
        << users.items[0];
    EXPECT_EQ(users.items[1].rfind("auditor: Demo Auditor (Auditors)", 0), 0u) << users.items[1];
    auditor.Session().CloseSession();
    auditor.Session().Close();
    ASSERT_TRUE(demo.server.WaitForLog("user 'auditor' logged out"));
    ASSERT_TRUE(admin.Command("GETLOGGEDUSERS") && admin.Reply(users));
    EXPECT_EQ(users.items.size(), 1u);
}

TEST_F(AdminServer, SyncParentReportsWhatHappened)
{
    auto sync = [&](CCommandClient& client, const std::string& name) {
        std::string text;
        EXPECT_TRUE(client.Command("SYNCPARENT") && client.Text(name) && client.ReplyText(text));
        return text;
    };
    EXPECT_EQ(sync(admin, "Beacon Premium Audit Co."),
              "Parent Beacon Premium Audit Co. is not linked: its connection is *NONE*");

    // A parent whose own server runs here connects; one whose server is gone does not.
    CServerProcess parentServer;
    ASSERT_TRUE(parentServer.Start()) << parentServer.Log();
    CAdminParentUser live = Parent("Live Parent");
    live.connectionKind = "*DIRECT*";
    live.hostName = "127.0.0.1:" + std::to_string(parentServer.Port());
    ASSERT_EQ(admin.SetWithMode("SETPARENTUSER", "Live Parent", live, 0), 0);
    EXPECT_EQ(sync(admin, "Live Parent"), "");
    EXPECT_TRUE(parentServer.WaitForLog("session created for OFFICECLIENT 107"));

    const int closed = ClosedPort();
    live.hostName = "127.0.0.1:" + std::to_string(closed);
    ASSERT_EQ(admin.SetWithMode("SETPARENTUSER", "Live Parent", live, 1), 0);
    EXPECT_EQ(sync(admin, "Live Parent"), "Cannot connect to Live Parent at 127.0.0.1:" + std::to_string(closed));
    EXPECT_EQ(sync(admin, "Nobody"), "Parent Nobody not found");

    CCommandClient auditor;
    ASSERT_TRUE(auditor.LogIn(Port(), "auditor", "auditor"));
    EXPECT_EQ(sync(auditor, "Live Parent"), "Access denied");
}
