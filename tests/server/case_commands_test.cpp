// The case commands against the real server over loopback: every field of a case
// stored and returned (the server's opaque ones bit for bit), the refusals of linked
// cases and of rights, case numbers, deletion, the properties of many cases, link
// resets, history, policy pages, schedules and import.

#include "codec/binary_object.h"
#include "records/audit_case.h"
#include "records/case_multi_props.h"
#include "records/case_schedule_info.h"
#include "records/record_list.h"
#include "records/tracking_entry.h"
#include "server/command_client.h"


#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <limits>
#include <regex>

namespace {

// A case with every field away from its default, the server's own fields included.
CAuditCase FullCase(const std::string& parent = "Atlas Mutual Insurance")
{
    CAuditCase c;
    c.opaqueInt1 = std::numeric_limits<int32_t>::min();
    c.opaqueInt2 = -1;
    c.opaqueInt3 = 3;
    c.opaqueInt4 = std::numeric_limits<int32_t>::max();
    c.opaqueInt5 = 5;
    c.opaqueInt6 = 6;
    c.opaqueInt7 = 7;
    c.opaqueInt8 = -8;
    c.opaqueInt9 = 9;
    c.opaqueAmount = -0.0;
    c.opaqueDate1 = CDateTime{CDateTime::invalid, 12.5};
    c.opaqueDate2 = CDateTime{CDateTime::null, 3.25};
    c.parentName = parent;
    c.childName = "Demo Auditor";
    c.regionName = "Northeast";
    c.territoryName = "Boston Metro";
    c.insuredName = "Quayside Fabrication Inc.";
    c.memo = std::string("line one\r\nline two \xe9", 20);
    c.serialNumber = "S-0042";
    c.auditorDueDate = CDateTime{CDateTime::valid, 45000.25};
    c.masterDueDate = CDateTime{CDateTime::null, 0.0};
    c.dateAssigned = CDateTime{CDateTime::valid, 44990.0};
    c.dateReturned = CDateTime{CDateTime::valid, 0.0};
    c.parentLinkStatus = 4;
    c.childLinkStatus = 5;
    c.nonProductive = true;
    c.correction = true;
    c.hasNewProgressReports = true;
    c.priority = true;
    c.childGroupCode = 1;
    c.auditZip = "02108-1234";
    c.policyEstPremium = 99999999999.99;
    c.transferOut = true;
    c.userFlags = static_cast<int32_t>(0x80000001u);
    c.auditCounty = "Suffolk";
    c.policyCarrier = "Atlas";
    c.policyType = "Garage";
    c.policyNumber = "GA-1";
    c.policyStartDate = CDateTime{CDateTime::valid, 44927.0};
    c.policyEndDate = CDateTime{CDateTime::valid, 45292.0};
    c.policyCode = 9999;
    c.insuredFedId = "12-3456789";
    c.insuredAddress1 = "1 Dock Sq";
    c.insuredAddress2 = "Unit 2";
    c.insuredCity = "Boston";
    c.insuredState = "MA";
    c.insuredZip = "02109";
    c.insuredPhone = "555-0100";
    c.insuredFax = "555-0101";
    c.insuredEMail = "q@example.test";
    c.insuredEntity = "Partnership";
    c.auditContact = "Ann";
    c.auditAddress1 = "2 Dock Sq";
    c.auditAddress2 = "Rear";
    c.auditCity = "Boston";
    c.auditState = "MA";
    c.auditPhone = "555-0102";
    c.auditFax = "555-0103";
    c.auditStartDate = CDateTime{CDateTime::valid, 44927.0};
    c.auditEndDate = CDateTime{CDateTime::invalid, 0.0};
    c.auditSource = 3;
    c.auditType = 6;
    c.auditLocationName = "Yard";
    c.agentContact = "Bo";
    c.agentCompany = "Agency";
    c.agentAddress1 = "3 Main";
    c.agentAddress2 = "Fl 2";
    c.agentCity = "Salem";
    c.agentState = "MA";
    c.agentZip = "01970";
    c.agentPhone = "555-0104";
    c.agentFax = "555-0105";
    c.agentEMail = "bo@example.test";
    c.archive = true;
    c.manualAssignment = true;
    c.completed = true;
    c.policyPages.resize(2);
    c.policyPages[0].label = "General";
    c.policyPages[0].text = "Ordered By:     Pat\r\n";
    c.policyPages[1].label = "Codes";
    c.policyPages[1].text = "";
    return c;
}

// A plain open case of the parent, unassigned and unlinked.
CAuditCase PlainCase(const std::string& insured, const std::string& parent = "Beacon Premium Audit Co.")
{
    CAuditCase c;
    c.insuredName = insured;
    c.parentName = parent;
    return c;
}

std::string Create(CCommandClient& client, CAuditCase record)
{
    const std::string number = client.CreateCase(record);
    EXPECT_FALSE(number.empty());
    return number;
}

struct CaseServer : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(demo.server.Start()) << demo.server.Log();
        ASSERT_TRUE(admin.LogIn(demo.server.Port(), "admin", "admin"));
    }
    int Port() { return demo.server.Port(); }
    // A logged-in client of an account with every right.
    void LogInChief(CCommandClient& chief)
    {
        ASSERT_EQ(AddChild(admin, "Test Chief", "chief", "chief", 0, kAllRights), 0);
        ASSERT_TRUE(chief.LogIn(Port(), "chief", "chief"));
    }

    DemoServer demo;
    CCommandClient admin;
};

}  // namespace

TEST_F(CaseServer, EveryFieldComesBackAndOpaqueFieldsSurviveARoundTrip)
{
    CAuditCase sent = FullCase();
    const std::string number = Create(admin, sent);
    char year[8];
    const std::time_t now = std::time(nullptr);
    std::strftime(year, sizeof year, "%Y", std::localtime(&now));
    EXPECT_TRUE(std::regex_match(number, std::regex(std::string(year) + "-[0-9]{6}"))) << number;

    CAuditCase fetched;
    ASSERT_TRUE(admin.GetCase(number, fetched));
    EXPECT_EQ(fetched.caseNumber, number);
    EXPECT_TRUE(fetched.dateCreated.IsValid());
    EXPECT_GT(fetched.dateCreated.date, 45000.0) << "the server dates a new case";
    // Apart from the server's number and date, the case is what was sent, bit for bit.
    sent.caseNumber = fetched.caseNumber;
    sent.dateCreated = fetched.dateCreated;
    EXPECT_EQ(RecordBytes(fetched), RecordBytes(sent));
    EXPECT_TRUE(std::signbit(fetched.opaqueAmount));

    // GETCASE then SETCASE unchanged keeps everything; a visible change is stored.
    ASSERT_EQ(admin.SetCase(number, fetched), 0);
    CAuditCase again;
    ASSERT_TRUE(admin.GetCase(number, again));
    EXPECT_EQ(RecordBytes(again), RecordBytes(fetched));

    again.memo = "Changed memo";
    again.caseNumber = "9999-999999";  // the number is the server's
    again.dateCreated = CDateTime{CDateTime::valid, 1.0};
    ASSERT_EQ(admin.SetCase(number, again), 0);
    CAuditCase changed;
    ASSERT_TRUE(admin.GetCase(number, changed));
    EXPECT_EQ(changed.memo, "Changed memo");
    EXPECT_EQ(changed.caseNumber, number);
    EXPECT_EQ(changed.dateCreated, fetched.dateCreated);

    // Numbers count up.
    const std::string next = Create(admin, PlainCase("Next Co."));
    EXPECT_GT(next, number);
}

TEST_F(CaseServer, UnknownCasesAreRefusedAndTheConversationStaysInStep)
{
    CAuditCase record;
    EXPECT_FALSE(admin.GetCase("1999-000001", record));
    EXPECT_TRUE(admin.InStep());
    CAuditCase plain = PlainCase("Nobody");
    EXPECT_EQ(admin.SetCase("1999-000001", plain), -1);
    EXPECT_EQ(admin.DeleteCases({"1999-000001"}), -1);
    EXPECT_TRUE(admin.InStep());
}

TEST_F(CaseServer, LinkedCasesRefuseWhatTheirPropertiesDoNotOffer)
{
    CAuditCase linked = PlainCase("Linked Co.");
    linked.childName = "Demo Auditor";
    linked.childGroupCode = 1;
    linked.childLinkStatus = CAuditCase::childLinked;
    const std::string number = Create(admin, linked);
    CAuditCase stored;
    ASSERT_TRUE(admin.GetCase(number, stored));

    CAuditCase stale = stored;
    stale.childLinkStatus = CAuditCase::childUnlinked;
    EXPECT_EQ(admin.SetCase(number, stale), -2) << "linked while an unlinked copy was edited";
    CAuditCase memo = stored;
    memo.memo = "not on a linked case";
    EXPECT_EQ(admin.SetCase(number, memo), -2);
    CAuditCase pages = stored;
    pages.policyPages.resize(1);
    CCommandClient chief;
    LogInChief(chief);
    EXPECT_EQ(chief.SetCase(number, pages), -2);

    CAuditCase due = stored;
    due.masterDueDate = CDateTime{CDateTime::valid, 45500.0};
    due.hasNewProgressReports = true;
    due.territoryName = "Boston Metro";
    due.regionName = "Northeast";
    EXPECT_EQ(admin.SetCase(number, due), 0) << "the fields open on a linked case";
    CAuditCase after;
    ASSERT_TRUE(admin.GetCase(number, after));
    EXPECT_EQ(after.masterDueDate.date, 45500.0);
    EXPECT_EQ(after.memo, "");

    // A case linked to its parent keeps its parent.
    CAuditCase parentLinked = PlainCase("Parent Linked Co.");
    parentLinked.parentLinkStatus = CAuditCase::parentLinked;
    const std::string second = Create(admin, parentLinked);
    ASSERT_TRUE(admin.GetCase(second, stored));
    stored.parentName = "Cedar Ridge Casualty";
    EXPECT_EQ(admin.SetCase(second, stored), -2);
}

TEST_F(CaseServer, RightsDecideWhichChangesAreStored)
{
    const std::string number = Create(admin, PlainCase("Rights Co.", "Atlas Mutual Insurance"));
    CAuditCase stored;
    ASSERT_TRUE(admin.GetCase(number, stored));

    // The administrators' defaults lack the policy detail right.
    CAuditCase pages = stored;
    pages.policyPages.resize(1);
    EXPECT_EQ(admin.SetCase(number, pages), -3);

    // An auditor edits cases but does not assign them.
    CCommandClient auditor;
    ASSERT_TRUE(auditor.LogIn(Port(), "auditor", "auditor"));
    CAuditCase assigned = stored;
    assigned.childName = "Demo Auditor";
    assigned.childGroupCode = 1;
    EXPECT_EQ(auditor.SetCase(number, assigned), -3);
    CAuditCase memo = stored;
    memo.memo = "auditor's note";
    EXPECT_EQ(auditor.SetCase(number, memo), 0);
    EXPECT_EQ(auditor.DeleteCases({number}), -3);

    // A customer rep only clears the mark of new progress reports.
    ASSERT_TRUE(admin.GetCase(number, stored));
    stored.hasNewProgressReports = true;
    ASSERT_EQ(admin.SetCase(number, stored), 0);
    CCommandClient rep;
    ASSERT_TRUE(rep.LogIn(Port(), "rep", "rep"));
    CAuditCase repCopy;
    ASSERT_TRUE(rep.GetCase(number, repCopy));
    repCopy.memo = "rep's note";
    EXPECT_EQ(rep.SetCase(number, repCopy), -3);
    repCopy.memo = stored.memo;
    repCopy.hasNewProgressReports = false;
    EXPECT_EQ(rep.SetCase(number, repCopy), 0);
    // A customer rep orders cases for its parent, and for no other.
    EXPECT_NE(rep.CreateCase(repCopy), "") << "a customer rep orders for its parent";
    repCopy.parentName = "Cedar Ridge Casualty";
    EXPECT_EQ(rep.CreateCase(repCopy), "") << "a customer rep orders for no other parent";
}

TEST_F(CaseServer, AParentReachesOnlyItsOwnCases)
{
    const std::string others = Create(admin, PlainCase("Other Parent Co.", "Cedar Ridge Casualty"));
    CCommandClient carrier;
    ASSERT_TRUE(carrier.LogIn(Port(), "carrier", "carrier"));
    CAuditCase record;
    EXPECT_FALSE(carrier.GetCase(others, record));
    EXPECT_TRUE(carrier.InStep());

    CAuditCase order = PlainCase("Ordered Co.", "Atlas Mutual Insurance");
    order.childName = "AUDIT ORDERS";
    order.childGroupCode = 1;
    order.manualAssignment = true;
    const std::string mine = carrier.CreateCase(order);
    EXPECT_FALSE(mine.empty()) << "a parent orders cases for itself";
    ASSERT_TRUE(carrier.GetCase(mine, record));
    EXPECT_EQ(record.childName, "AUDIT ORDERS");
    CAuditCase foreign = PlainCase("Foreign Co.", "Cedar Ridge Casualty");
    EXPECT_EQ(carrier.CreateCase(foreign), "");
    record.parentName = "Cedar Ridge Casualty";
    EXPECT_EQ(carrier.SetCase(mine, record), -3);
}

TEST_F(CaseServer, DeletingIsAllOrNothingAndSparesLinkedCases)
{
    const std::string first = Create(admin, PlainCase("Delete One"));
    const std::string second = Create(admin, PlainCase("Delete Two"));
    CAuditCase linking = PlainCase("Linking Co.");
    linking.childLinkStatus = CAuditCase::childToBeLinked;
    const std::string third = Create(admin, linking);
    CAuditCase toParent = PlainCase("To Parent Co.");
    toParent.parentLinkStatus = CAuditCase::parentToBeSent;
    const std::string fourth = Create(admin, toParent);

    EXPECT_EQ(admin.DeleteCases({first, third}), -2);
    EXPECT_EQ(admin.DeleteCases({fourth}), -2);
    EXPECT_EQ(admin.DeleteCases({first, "1999-000001"}), -1);
    CAuditCase record;
    EXPECT_TRUE(admin.GetCase(first, record)) << "nothing was deleted";
    EXPECT_EQ(admin.DeleteCases({first, second}), 0);
    EXPECT_FALSE(admin.GetCase(first, record));
    EXPECT_FALSE(admin.GetCase(second, record));
    EXPECT_EQ(admin.DeleteCases({}), -1);
}

TEST_F(CaseServer, PropertiesOfManyCases)
{
    CAuditCase a = PlainCase("Multi A");
    a.priority = true;
    a.userFlags = 0b0101;
    a.childName = "Demo Auditor";
    a.childGroupCode = 1;
    a.masterDueDate = CDateTime{CDateTime::valid, 45400.0};
    CAuditCase b = PlainCase("Multi B");
    b.userFlags = 0b0011;
    b.masterDueDate = CDateTime{CDateTime::valid, 45400.0};
    const std::string first = Create(admin, a);
    const std::string second = Create(admin, b);

    ASSERT_TRUE(admin.Command("GETMULTICASEPROPS") && admin.Ids({first, second}));
    ASSERT_EQ(admin.Status(), 0);
    CCaseMultiProps props;
    ASSERT_TRUE(admin.Reply(props));
    EXPECT_EQ(props.priority, CCaseMultiProps::mixed);
    EXPECT_EQ(props.archived, CCaseMultiProps::unchecked);
    EXPECT_EQ(props.parentGiven, 1);
    EXPECT_EQ(props.parentName, "Beacon Premium Audit Co.");
    EXPECT_EQ(props.assignmentGiven, 0);
    EXPECT_EQ(props.masterDueDateGiven, 1);
    EXPECT_EQ(props.masterDueDate.date, 45400.0);
    EXPECT_EQ(props.userFlagsMixed, 0b0110);
    EXPECT_EQ(props.userFlags, 0b0001);
    EXPECT_EQ(props.caseNumbers, (std::vector<std::string>{first, second}));

    CCaseMultiProps change;
    change.priority = CCaseMultiProps::checked;
    change.archived = CCaseMultiProps::mixed;
    change.correction = CCaseMultiProps::mixed;
    change.transferOut = CCaseMultiProps::mixed;
    change.territoryGiven = 1;
    change.regionName = "Midwest";
    change.territoryName = "Indiana";
    change.userFlagsGiven = 1;
    change.userFlagsMixed = 0b0110;
    change.userFlags = 0b1000;
    ASSERT_TRUE(admin.Command("SETMULTICASEPROPS") && admin.Ids({first, second}) && admin.Record(change));
    EXPECT_EQ(admin.Status(), 0);
    CAuditCase storedA;
    CAuditCase storedB;
    ASSERT_TRUE(admin.GetCase(first, storedA) && admin.GetCase(second, storedB));
    EXPECT_TRUE(storedA.priority && storedB.priority);
    EXPECT_EQ(storedB.territoryName, "Indiana");
    EXPECT_EQ(storedA.userFlags, 0b1100) << "mixed bits kept, the others set as given";
    EXPECT_EQ(storedB.userFlags, 0b1010);
    EXPECT_EQ(storedA.childName, "Demo Auditor") << "the assignment was not given";

    // A case linked meanwhile is left alone and reported.
    storedB.childLinkStatus = CAuditCase::childLinked;
    ASSERT_EQ(admin.SetCase(second, storedB), 0);
    change.territoryName = "Wisconsin";
    ASSERT_TRUE(admin.Command("SETMULTICASEPROPS") && admin.Ids({first, second}) && admin.Record(change));
    EXPECT_EQ(admin.Status(), -2);
    ASSERT_TRUE(admin.GetCase(first, storedA) && admin.GetCase(second, storedB));
    EXPECT_EQ(storedA.territoryName, "Wisconsin");
    EXPECT_EQ(storedB.territoryName, "Indiana");

    // Different link statuses: -2 and no record follows.
    ASSERT_TRUE(admin.Command("GETMULTICASEPROPS") && admin.Ids({first, second}));
    EXPECT_EQ(admin.Status(), -2);
    EXPECT_TRUE(admin.InStep());
}

TEST_F(CaseServer, ResettingLinksByChoice)
{
    CAuditCase linked = PlainCase("Reset Co.");
    linked.parentLinkStatus = CAuditCase::parentLinked;
    linked.childLinkStatus = CAuditCase::childLinked;
    const std::string number = Create(admin, linked);
    auto reset = [&](CCommandClient& client, int choice) {
        if (!client.Command("RESETCASELINKS") || !client.Ids({number}) || !client.Int(choice))
            return kExchangeBroke;
        return client.Status();
    };
    EXPECT_EQ(reset(admin, 0), -3) << "the administrators' defaults lack the right";
    CCommandClient chief;
    LogInChief(chief);
    CAuditCase record;
    EXPECT_EQ(reset(chief, 2), 0);
    ASSERT_TRUE(chief.GetCase(number, record));
    EXPECT_EQ(record.childLinkStatus, 0);
    EXPECT_EQ(record.parentLinkStatus, 2);
    EXPECT_EQ(reset(chief, 1), 0);
    ASSERT_TRUE(chief.GetCase(number, record));
    EXPECT_EQ(record.parentLinkStatus, 0);
    record.parentLinkStatus = 3;
    record.childLinkStatus = 1;
    ASSERT_EQ(chief.SetCase(number, record), 0);
    EXPECT_EQ(reset(chief, 0), 0);
    ASSERT_TRUE(chief.GetCase(number, record));
    EXPECT_EQ(record.parentLinkStatus, 0);
    EXPECT_EQ(record.childLinkStatus, 0);
    EXPECT_EQ(reset(chief, 3), -1);
}

TEST_F(CaseServer, HistoryGrowsWhenTheAssignmentChanges)
{
    CAuditCase assigned = PlainCase("History Co.");
    assigned.childName = "Demo Auditor";
    assigned.childGroupCode = 1;
    const std::string number = Create(admin, assigned);
    CAuditCase record;
    ASSERT_TRUE(admin.GetCase(number, record));
    record.memo = "no new line for this";
    ASSERT_EQ(admin.SetCase(number, record), 0);
    record.childName = "Demo Reviewer";
    record.childGroupCode = 6;
    ASSERT_EQ(admin.SetCase(number, record), 0);
    record.childName = "";
    record.childGroupCode = 8;
    ASSERT_EQ(admin.SetCase(number, record), 0);

    CRecordList<CTrackingEntry> history;
    ASSERT_TRUE(admin.GetByText("GETCASETRACKING", number, history));
    ASSERT_EQ(history.items.size(), 3u);
    EXPECT_EQ(history.items[0].childName, "Demo Auditor");
    EXPECT_EQ(history.items[0].groupName, "Auditors");
    EXPECT_EQ(history.items[1].childName, "Demo Reviewer");
    EXPECT_EQ(history.items[1].groupName, "Reviewers");
    EXPECT_EQ(history.items[1].assignor, "Demo Administrator");
    EXPECT_EQ(history.items[2].childName, CTrackingEntry::kUnassigned);
    EXPECT_EQ(history.items[2].groupName, "*ARCHIVE*");
    EXPECT_TRUE(history.items[2].dateAssigned.IsValid());

    CCommandClient rep;  // no history right
    ASSERT_TRUE(rep.LogIn(Port(), "rep", "rep"));
    EXPECT_FALSE(rep.GetByText("GETCASETRACKING", number, history));
    EXPECT_TRUE(rep.InStep());
}

TEST_F(CaseServer, PolicyDetailAndSchedule)
{
    const std::string number = Create(admin, PlainCase("Detail Co."));
    CRecordList<CPolicyPage> pages;
    ASSERT_TRUE(admin.GetByText("GETCASEPOLICYDETAIL", number, pages));
    EXPECT_TRUE(pages.items.empty());
    pages.items.resize(2);
    pages.items[0].label = "General";
    pages.items[0].text = "Ordered By:     Pat\r\n";
    pages.items[1].label = "Codes";
    auto setPages = [&](CCommandClient& client) {
        if (!client.Command("SETCASEPOLICYDETAIL") || !client.Text(number) || !client.Record(pages))
            return kExchangeBroke;
        return client.Status();
    };
    EXPECT_EQ(setPages(admin), -3);
    CCommandClient chief;
    LogInChief(chief);
    EXPECT_EQ(setPages(chief), 0);
    CRecordList<CPolicyPage> stored;
    ASSERT_TRUE(admin.GetByText("GETCASEPOLICYDETAIL", number, stored));
    ASSERT_EQ(stored.items.size(), 2u);
    EXPECT_EQ(stored.items[0].text, "Ordered By:     Pat\r\n");
    CAuditCase record;
    ASSERT_TRUE(admin.GetCase(number, record));
    EXPECT_EQ(record.policyPages.size(), 2u) << "the case carries the same pages";

    CCaseScheduleInfo schedule;
    ASSERT_TRUE(admin.GetByText("GETCASESCHEDULEINFO", number, schedule));
    EXPECT_EQ(schedule.scheduledStart.status, CDateTime::null);
    schedule.dateOnly = 1;
    schedule.scheduledStart = CDateTime{CDateTime::valid, 45600.0};
    schedule.scheduledEnd = CDateTime{CDateTime::null, 0.0};
    ASSERT_TRUE(admin.Command("SETCASESCHEDULEINFO") && admin.Text(number) && admin.Record(schedule));
    EXPECT_EQ(admin.Status(), 0);
    CCaseScheduleInfo again;
    ASSERT_TRUE(admin.GetByText("GETCASESCHEDULEINFO", number, again));
    EXPECT_EQ(RecordBytes(again), RecordBytes(schedule));

    CCommandClient rep;  // no scheduling right
    ASSERT_TRUE(rep.LogIn(Port(), "rep", "rep"));
    EXPECT_FALSE(rep.GetByText("GETCASESCHEDULEINFO", number, again));
    ASSERT_TRUE(rep.Command("SETCASESCHEDULEINFO") && rep.Text(number) && rep.Record(schedule));
    EXPECT_EQ(rep.Status(), -3);
}

TEST_F(CaseServer, ImportCreatesTheReadableLines)
{
    const std::string file =
        "# demo import\r\n"
        "[InsuredName]\t[SysParentName]\t[PolicyNumber]\t[PolicyEndDate]\t[PolicyEstPrem]\t[IsProductive]\r\n"
        "Import One LLC\tBeacon Premium Audit Co.\tWC-1\t12/31/2024\t12500.50\tY\r\n"
        "\r\n"
        "Import Two Inc.\t\tGL-2\t02/30/2024\t\tN\r\n"
        "\tBeacon Premium Audit Co.\r\n"
        "Import Three Co.\tBeacon Premium Audit Co.\tWC-3\t\t\tno\r\n";
    CBinaryObject bytes(file);
    CStringList results;
    ASSERT_TRUE(admin.Command("IMPORTCASES") && admin.Record(bytes) && admin.Reply(results));
    ASSERT_EQ(results.items.size(), 5u);
    EXPECT_EQ(results.items[1], "Line 5: the value \"02/30/2024\" does not read");
    EXPECT_EQ(results.items[2], "Line 6: the insured name is empty");
    EXPECT_EQ(results.items[3].rfind("Line 7: created case ", 0), 0u) << results.items[3];
    EXPECT_EQ(results.items[4], "2 case(s) imported, 2 line(s) refused");
    const std::string prefix = "Line 3: created case ";
    ASSERT_EQ(results.items[0].rfind(prefix, 0), 0u) << results.items[0];
    CAuditCase imported;
    ASSERT_TRUE(admin.GetCase(results.items[0].substr(prefix.size()), imported));
    EXPECT_EQ(imported.insuredName, "Import One LLC");
    EXPECT_EQ(imported.policyEstPremium, 12500.50);
    EXPECT_FALSE(imported.nonProductive);
    EXPECT_TRUE(imported.policyEndDate.IsValid());
    EXPECT_EQ(imported.policyEndDate.date, 45657.0);  // 31 December 2024
    ASSERT_TRUE(admin.GetCase(results.items[3].substr(prefix.size()), imported));
    EXPECT_TRUE(imported.nonProductive);
    EXPECT_EQ(imported.policyEndDate.status, CDateTime::null) << "an empty date is no date";
    EXPECT_EQ(imported.policyEstPremium, 0.0) << "an empty amount keeps its default";

    CBinaryObject good("[InsuredName]\nSolo Co.\n");
    ASSERT_TRUE(admin.Command("IMPORTCASES") && admin.Record(good) && admin.Reply(results));
    EXPECT_EQ(results.items.back(), "1 case(s) imported successfully");
    CBinaryObject unknown("[NoSuchField]\nx\n");
    ASSERT_TRUE(admin.Command("IMPORTCASES") && admin.Record(unknown) && admin.Reply(results));
    ASSERT_EQ(results.items.size(), 1u);
    EXPECT_EQ(results.items[0], "Line 1: the import does not know the field [NoSuchField]");

    CCommandClient rep;  // may not create cases
    ASSERT_TRUE(rep.LogIn(Port(), "rep", "rep"));
    EXPECT_FALSE(rep.Command("IMPORTCASES") && rep.Record(good) && rep.Reply(results));
    EXPECT_TRUE(rep.InStep());
}
