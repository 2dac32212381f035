// Cases between the office client's command layer and the real server: GETCASE,
// SETCASE, CREATECASE, DELETECASES, RESETCASELINKS, the properties of many cases, the
// assignment history the server keeps, orders of a parent's accounts, the print task's
// hand-on, and the look-ups of the case properties.

#include "e2e/case_samples.h"
#include "e2e/office_client.h"
#include "records/case_multi_props.h"
#include "records/inventory_info.h"
#include "records/policy_page.h"
#include "records/region_loc_rec.h"
#include "records/tracking_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <regex>
#include <string>
#include <vector>

namespace {

using Ids = CInventoryServer::CaseIds;

class CaseCommandsEndToEnd : public InventoryEndToEnd {};

std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

int CurrentYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

}  // namespace

TEST_F(CaseCommandsEndToEnd, EveryFieldSurvivesCreateGetAndSet)
{
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());
    auto chief = LogInChief(*admin);
    ASSERT_TRUE(chief->LoggedIn());

    // CREATECASE: the server numbers the case YYYY-NNNNNN and dates it; every other field
    // is stored as sent.
    const std::string number = chief->CreateCase(FullCase(1));
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(number, parts, std::regex(R"((\d{4})-(\d{6}))"))) << number;
    EXPECT_EQ(std::stoi(parts[1]), CurrentYear());

    CAuditCase stored;
    ASSERT_TRUE(chief->GetCase(number, stored));
    ASSERT_TRUE(stored.dateCreated.IsValid());
    EXPECT_LT(std::fabs(stored.dateCreated.date - Now()), 0.01);
    CAuditCase expected = FullCase(1);
    expected.caseNumber = number;
    expected.dateCreated = stored.dateCreated;
    EXPECT_TRUE(CaseDifferences(expected, stored).empty()) << Joined(CaseDifferences(expected, stored));
    EXPECT_TRUE(SameRecord(expected, stored));

    // SETCASE with every field changed: all of them are stored but the number and the
    // creation date, whatever the record says of them.
    CAuditCase changed = FullCase(2);
    ASSERT_EQ(chief->SetCase(number, changed), 0);
    ASSERT_TRUE(chief->GetCase(number, stored));
    changed.caseNumber = number;
    changed.dateCreated = expected.dateCreated;
    EXPECT_TRUE(CaseDifferences(changed, stored).empty()) << Joined(CaseDifferences(changed, stored));
    EXPECT_TRUE(SameRecord(changed, stored));

    // The next case takes the next number of the year.
    const std::string next = chief->CreateCase(PlainCase("Next Insured"));
    char expectedNext[32];
    std::snprintf(expectedNext, sizeof expectedNext, "%s-%06d", parts[1].str().c_str(), std::stoi(parts[2]) + 1);
    EXPECT_EQ(next, expectedNext);

    // An unknown case is refused as an empty record, and the conversation goes on.
    CAuditCase untouched = stored;
    EXPECT_FALSE(chief->GetCase("1999-000001", untouched));
    EXPECT_TRUE(SameRecord(untouched, stored));
    EXPECT_EQ(chief->SetCase("1999-000001", stored), -1);
    EXPECT_TRUE(chief->GetCase(number, stored));
}

TEST_F(CaseCommandsEndToEnd, LinkedCaseTakesOnlyWhatItsPropertiesOffer)
{
    auto admin = LogIn("admin");
    auto reviewer = LogIn("reviewer");
    ASSERT_TRUE(admin->LoggedIn() && reviewer->LoggedIn());

    CAuditCase record = PlainCase("Linked Insured");
    record.childName = kAuditorChild;
    record.childGroupCode = 1;
    const std::string number = admin->CreateCase(record);
    ASSERT_FALSE(number.empty());

    // The reviewer opens the case; meanwhile it is linked with its child. The reviewer's
    // changes then come back -2, and nothing of them is stored.
    CAuditCase opened;
    ASSERT_TRUE(reviewer->GetCase(number, opened));
    CAuditCase link = opened;
    link.childLinkStatus = CAuditCase::childLinked;
    ASSERT_EQ(admin->SetCase(number, link), 0);
    CAuditCase stored;
    ASSERT_TRUE(admin->GetCase(number, stored));
    CAuditCase edit = opened;
    edit.memo = "edited while it was being linked";
    EXPECT_EQ(reviewer->SetCase(number, edit), -2);

    // A field the sheet locks on a linked case: -2 as well.
    edit = stored;
    edit.insuredName = "Renamed";
    EXPECT_EQ(admin->SetCase(number, edit), -2);
    CAuditCase after;
    ASSERT_TRUE(admin->GetCase(number, after));
    EXPECT_TRUE(SameRecord(after, stored));

    // What stays open on a linked case is stored.
    edit = stored;
    edit.masterDueDate = CDateTime{CDateTime::valid, 46200.0};
    edit.regionName = "Midwest";
    edit.territoryName = "Indiana";
    edit.archive = true;
    edit.transferOut = true;
    edit.parentLinkStatus = CAuditCase::parentToBeSent;
    EXPECT_EQ(admin->SetCase(number, edit), 0);
    ASSERT_TRUE(admin->GetCase(number, after));
    EXPECT_TRUE(CaseDifferences(edit, after).empty()) << Joined(CaseDifferences(edit, after));

    // A case linked to its parent stays with that parent.
    CAuditCase toParent = PlainCase("Linked To Parent", kDirectParent);
    toParent.parentLinkStatus = CAuditCase::parentLinked;
    const std::string parentLinked = admin->CreateCase(toParent);
    ASSERT_TRUE(admin->GetCase(parentLinked, stored));
    stored.parentName = kOtherParent;
    EXPECT_EQ(admin->SetCase(parentLinked, stored), -2);
}

TEST_F(CaseCommandsEndToEnd, DeletingIsAllOrNothingAndSparesLinkedCases)
{
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());
    const std::string plain = admin->CreateCase(PlainCase("Deletable"));
    ASSERT_FALSE(plain.empty());

    struct Row {
        int32_t parentLinkStatus;
        int32_t childLinkStatus;
        int expected;  // DELETECASES of the plain case together with this one
    };
    const Row rows[] = {
        {0, CAuditCase::childToBeLinked, -2},
        {0, CAuditCase::childLinked, -2},
        {CAuditCase::parentToBeLinked, 0, -2},
        {CAuditCase::parentLinked, 0, -2},
        {CAuditCase::parentToBeReturned, 0, -2},
        {CAuditCase::parentToBeSent, 0, -2},
    };
    for (const Row& row : rows) {
        CAuditCase record = PlainCase("Link status case");
        record.parentLinkStatus = row.parentLinkStatus;
        record.childLinkStatus = row.childLinkStatus;
        const std::string other = admin->CreateCase(record);
        ASSERT_FALSE(other.empty());
        EXPECT_EQ(admin->DeleteCases({plain, other}), row.expected)
            << "parent " << row.parentLinkStatus << ", child " << row.childLinkStatus;
        CAuditCase still;
        EXPECT_TRUE(admin->GetCase(plain, still));
        EXPECT_TRUE(admin->GetCase(other, still));
    }

    // An unknown case among them: -1, nothing deleted.
    EXPECT_EQ(admin->DeleteCases({plain, "1999-000001"}), -1);
    CAuditCase still;
    EXPECT_TRUE(admin->GetCase(plain, still));

    // Statuses without a meaning for linking do not hold a case back.
    CAuditCase odd = PlainCase("Odd statuses");
    odd.parentLinkStatus = 4;
    odd.childLinkStatus = CAuditCase::childUnlinked;
    const std::string oddNumber = admin->CreateCase(odd);
    EXPECT_EQ(admin->DeleteCases({plain, oddNumber}), 0);
    EXPECT_FALSE(admin->GetCase(plain, still));
    EXPECT_FALSE(admin->GetCase(oddNumber, still));
}

TEST_F(CaseCommandsEndToEnd, ResettingLinksByChoice)
{
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());
    auto chief = LogInChief(*admin);
    ASSERT_TRUE(chief->LoggedIn());

    struct Row {
        CInventoryServer::LinkReset choice;
        int32_t parentAfter;
        int32_t childAfter;
    };
    const Row rows[] = {
        {CInventoryServer::resetBothLinks, 0, 0},
        {CInventoryServer::resetParentLink, 0, CAuditCase::childLinked},
        {CInventoryServer::resetChildLink, CAuditCase::parentLinked, 0},
    };
    for (const Row& row : rows) {
        Ids cases;
        for (int i = 0; i < 2; ++i) {
            CAuditCase record = PlainCase("Linked both ways", kDirectParent);
            record.parentLinkStatus = CAuditCase::parentLinked;
            record.childLinkStatus = CAuditCase::childLinked;
            record.childName = kAuditorChild;
            record.childGroupCode = 1;
            cases.push_back(chief->CreateCase(record));
        }
        ASSERT_EQ(chief->ResetCaseLinks(cases, row.choice), 0) << "choice " << row.choice;
        for (const std::string& number : cases) {
            CAuditCase after;
            ASSERT_TRUE(chief->GetCase(number, after));
            EXPECT_EQ(after.parentLinkStatus, row.parentAfter) << "choice " << row.choice;
            EXPECT_EQ(after.childLinkStatus, row.childAfter) << "choice " << row.choice;
        }
    }
    EXPECT_EQ(chief->ResetCaseLinks({"1999-000001"}, CInventoryServer::resetBothLinks), -1);
}

TEST_F(CaseCommandsEndToEnd, PropertiesOfManyCases)
{
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());

    CAuditCase first = PlainCase("First of many");
    first.childName = kAuditorChild;
    first.childGroupCode = 1;
    first.manualAssignment = true;
    first.priority = true;
    first.regionName = "Northeast";
    first.territoryName = "Boston Metro";
    first.masterDueDate = CDateTime{CDateTime::valid, 46300.0};
    first.userFlags = 0x5;
    CAuditCase second = first;
    second.insuredName = "Second of many";
    second.priority = false;
    second.territoryName = "Rhode Island";
    second.userFlags = 0x6;
    const Ids cases = {admin->CreateCase(first), admin->CreateCase(second)};

    CCaseMultiProps props;
    ASSERT_EQ(admin->GetMultiCaseProps(cases, props), 0);
    EXPECT_EQ(props.priority, CCaseMultiProps::mixed);
    EXPECT_EQ(props.archived, CCaseMultiProps::unchecked);
    EXPECT_EQ(props.parentGiven, 1);
    EXPECT_EQ(props.parentName, kUnlinkedParent);
    EXPECT_EQ(props.assignmentGiven, 1);
    EXPECT_EQ(props.childName, kAuditorChild);
    EXPECT_EQ(props.childGroupCode, 1);
    EXPECT_EQ(props.manualAssignment, 1);
    EXPECT_EQ(props.territoryGiven, 0);
    EXPECT_EQ(props.masterDueDateGiven, 1);
    EXPECT_EQ(props.masterDueDate, first.masterDueDate);
    EXPECT_EQ(props.userFlagsGiven, 1);
    EXPECT_EQ(props.userFlagsMixed, 0x3);
    EXPECT_EQ(props.userFlags, 0x4);
    EXPECT_EQ(props.caseNumbers, cases);

    // The dialog sends back what the user chose; only what is given is applied.
    CCaseMultiProps edit = props;
    edit.priority = CCaseMultiProps::checked;
    edit.territoryGiven = 1;
    edit.regionName = "Midwest";
    edit.territoryName = "Chicago Metro";
    edit.childName = kReviewerChild;
    edit.childGroupCode = 6;
    edit.userFlags = 0x8;
    edit.userFlagsMixed = 0x3;
    ASSERT_EQ(admin->SetMultiCaseProps(cases, edit), 0);
    for (size_t i = 0; i < cases.size(); ++i) {
        CAuditCase after;
        ASSERT_TRUE(admin->GetCase(cases[i], after));
        EXPECT_TRUE(after.priority);
        EXPECT_EQ(after.territoryName, "Chicago Metro");
        EXPECT_EQ(after.childName, kReviewerChild);
        EXPECT_EQ(after.childGroupCode, 6);
        EXPECT_EQ(after.userFlags, ((i == 0 ? 0x5 : 0x6) & 0x3) | 0x8);
        EXPECT_EQ(after.masterDueDate, first.masterDueDate);
        EXPECT_EQ(after.insuredName, i == 0 ? first.insuredName : second.insuredName);
    }

    // "Send to Child" turned on for both: their link status changes, and they still share it.
    CCaseMultiProps send;
    send.archived = send.priority = send.correction = send.transferOut = CCaseMultiProps::mixed;
    send.childLinkStatusGiven = 1;
    send.childLinkStatus = CAuditCase::childToBeLinked;
    ASSERT_EQ(admin->SetMultiCaseProps(cases, send), 0);
    ASSERT_EQ(admin->GetMultiCaseProps(cases, props), 0);
    EXPECT_EQ(props.childLinkStatus, CAuditCase::childToBeLinked);
    EXPECT_EQ(props.priority, CCaseMultiProps::checked);

    // Cases whose link statuses differ: -2 and no record.
    CAuditCase toParent = first;
    toParent.childLinkStatus = CAuditCase::childToBeLinked;
    toParent.parentLinkStatus = CAuditCase::parentToBeLinked;
    const std::string toParentNumber = admin->CreateCase(toParent);
    CCaseMultiProps untouched;
    untouched.opaqueText = "kept";
    EXPECT_EQ(admin->GetMultiCaseProps({cases[0], toParentNumber}, untouched), -2);
    EXPECT_EQ(untouched.opaqueText, "kept");

    // A linked case among them is left as it is; the others are stored, and the answer
    // is -2.
    CAuditCase linked = first;
    linked.childLinkStatus = CAuditCase::childLinked;
    const std::string linkedNumber = admin->CreateCase(linked);
    CCaseMultiProps unflag;
    unflag.priority = CCaseMultiProps::unchecked;
    EXPECT_EQ(admin->SetMultiCaseProps({cases[0], linkedNumber}, unflag), -2);
    CAuditCase after;
    ASSERT_TRUE(admin->GetCase(cases[0], after));
    EXPECT_FALSE(after.priority);
    ASSERT_TRUE(admin->GetCase(linkedNumber, after));
    EXPECT_TRUE(after.priority);
}

TEST_F(CaseCommandsEndToEnd, HistoryGrowsWhenChildOrGroupChanges)
{
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());

    CAuditCase record = PlainCase("Tracked Insured");
    record.childName = kAuditorChild;
    record.childGroupCode = 1;
    record.manualAssignment = true;
    const std::string number = admin->CreateCase(record);
    ASSERT_FALSE(number.empty());

    struct Step {
        const char* what;
        std::string child;
        int32_t group;
        bool manual;
        // The line the change adds; no line when `line` is false.
        bool line;
        std::string lineChild;
        std::string lineGroup;
        std::string lineStatus;
    };
    const Step steps[] = {
        {"created assigned", kAuditorChild, 1, true, true, kAuditorChild, "Auditors", "Assigned"},
        {"memo changed", kAuditorChild, 1, true, false, "", "", ""},
        {"manual flag changed", kAuditorChild, 1, false, false, "", "", ""},
        // The server assigns it to an auditor at once (an empty line child: the one it chose).
        {"left to the server", "", -2, true, true, "", "Auditors", "Auto-assigned"},
        {"child chosen", "Marcus Ortega", -2, false, true, "Marcus Ortega", "*AUTO*", "Auto-assigned"},
        {"group changed", "Marcus Ortega", 6, true, true, "Marcus Ortega", "Reviewers", "Assigned"},
        {"archived", "Marcus Ortega", 8, true, true, "Marcus Ortega", "*ARCHIVE*", "Archived"},
    };
    size_t lines = 0;
    for (const Step& step : steps) {
        if (std::string(step.what) != "created assigned") {
            CAuditCase edit;
            ASSERT_TRUE(admin->GetCase(number, edit));
            edit.childName = step.child;
            edit.childGroupCode = step.group;
            edit.manualAssignment = step.manual;
            edit.memo += "+";
            ASSERT_EQ(admin->SetCase(number, edit), 0) << step.what;
        }
        std::vector<CTrackingEntry> history;
        ASSERT_TRUE(admin->GetCaseTracking(number, history)) << step.what;
        lines += step.line ? 1 : 0;
        ASSERT_EQ(history.size(), lines) << step.what;
        if (!step.line)
            continue;
        const CTrackingEntry& last = history.back();
        if (step.lineChild.empty())
            EXPECT_NE(last.childName, "") << step.what;
        else
            EXPECT_EQ(last.childName, step.lineChild) << step.what;
        EXPECT_EQ(last.groupName, step.lineGroup) << step.what;
        EXPECT_EQ(last.status, step.lineStatus) << step.what;
        EXPECT_EQ(last.assignor, kAdminName) << step.what;
        EXPECT_TRUE(last.dateAssigned.IsValid()) << step.what;
        EXPECT_LT(std::fabs(last.dateAssigned.date - Now()), 0.01) << step.what;
    }

    // Assigning many cases at once writes the line too.
    CCaseMultiProps assign;
    assign.assignmentGiven = 1;
    assign.childName = kAuditorChild;
    assign.childGroupCode = 1;
    assign.manualAssignment = 1;
    ASSERT_EQ(admin->SetMultiCaseProps({number}, assign), 0);
    std::vector<CTrackingEntry> history;
    ASSERT_TRUE(admin->GetCaseTracking(number, history));
    ASSERT_EQ(history.size(), lines + 1);
    EXPECT_EQ(history.back().childName, kAuditorChild);
    EXPECT_EQ(history.back().status, "Assigned");
}

// An account whose inventory info names the parent it belongs to orders cases for that
// parent, the order form in the policy pages; a parent and a customer rep alike.
TEST_F(CaseCommandsEndToEnd, AccountsOfAParentOrderCasesForIt)
{
    for (const char* userId : {"carrier", "rep"}) {
        auto client = LogIn(userId);
        ASSERT_TRUE(client->LoggedIn());
        CInventoryInfo info;
        ASSERT_TRUE(client->GetInventoryInfo(false, info));
        ASSERT_EQ(info.ownParentName, kDirectParent) << userId;

        CAuditCase order = PlainCase(std::string("Ordered by ") + userId, info.ownParentName);
        order.childName = "AUDIT ORDERS";
        order.childGroupCode = 1;
        order.manualAssignment = true;
        order.completed = true;
        order.policyCarrier = info.ownParentName;
        order.memo = "SPECIAL INSTRUCTIONS";
        order.dateAssigned = order.dateReturned = CDateTime{CDateTime::null, 0.0};
        order.opaqueDate1 = order.opaqueDate2 = CDateTime{CDateTime::null, 0.0};
        CPolicyPage general;
        general.label = "General";
        general.text = "Ordered By:     Gloria Banks\r\n\r\nInsured DBA:    \r\n";
        order.policyPages = {general};
        const std::string number = client->CreateCase(order);
        ASSERT_FALSE(number.empty()) << userId;
        CAuditCase stored;
        ASSERT_TRUE(client->GetCase(number, stored)) << userId;
        order.caseNumber = number;
        order.dateCreated = stored.dateCreated;
        EXPECT_TRUE(CaseDifferences(order, stored).empty()) << userId << ": " << Joined(CaseDifferences(order, stored));

        // For another parent: refused with an empty number.
        order.parentName = kUnlinkedParent;
        EXPECT_EQ(client->CreateCase(order), "") << userId;
    }
}

// The unattended print task stores every case it printed handed on for automatic
// assignment; it runs as a printer, whose group has no right to edit case properties
// but may change assignments.
TEST_F(CaseCommandsEndToEnd, PrintedCaseIsHandedOnByAPrinter)
{
    auto admin = LogIn("admin");
    auto printer = LogIn("printer");
    ASSERT_TRUE(admin->LoggedIn() && printer->LoggedIn());
    CAuditCase record = PlainCase("Printed Insured");
    record.childName = "Demo Printer";
    record.childGroupCode = 5;
    record.manualAssignment = true;
    const std::string number = admin->CreateCase(record);
    ASSERT_FALSE(number.empty());

    CAuditCase printed;
    ASSERT_TRUE(printer->GetCase(number, printed));
    CAuditCase handedOn = printed;
    handedOn.childGroupCode = CAuditCase::kAutoChildGroup;
    handedOn.childName.clear();
    handedOn.completed = true;
    handedOn.archive = false;
    handedOn.manualAssignment = true;
    // Anything besides the hand-on still needs the right to edit the case.
    CAuditCase more = handedOn;
    more.memo = "printed";
    EXPECT_EQ(printer->SetCase(number, more), -3);
    ASSERT_EQ(printer->SetCase(number, handedOn), 0);

    // The server hands it on to an auditor (the demo auditors take any case).
    CAuditCase after;
    ASSERT_TRUE(admin->GetCase(number, after));
    EXPECT_NE(after.childName, "");
    CAuditCase expected = handedOn;
    expected.childName = after.childName;
    expected.childGroupCode = 1;
    expected.manualAssignment = false;
    EXPECT_TRUE(CaseDifferences(expected, after).empty()) << Joined(CaseDifferences(expected, after));
    std::vector<CTrackingEntry> history;
    ASSERT_TRUE(admin->GetCaseTracking(number, history));
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[1].childName, after.childName);
    EXPECT_EQ(history[1].groupName, "Auditors");
    EXPECT_EQ(history[1].status, "Auto-assigned");
    EXPECT_EQ(history[1].assignor, "Demo Printer");
}

TEST_F(CaseCommandsEndToEnd, LookUpsOfTheCaseProperties)
{
    auto reviewer = LogIn("reviewer");
    ASSERT_TRUE(reviewer->LoggedIn());

    struct ZipRow {
        std::string zip;
        std::vector<std::string> cityState;
    };
    const ZipRow zips[] = {
        {"02139", {"Cambridge", "MA"}},
        {"53703-2211", {"Madison", "WI"}},  // whole, then its first five characters
        {"99999", {}},                      // unknown: an empty list, which fills nothing in
    };
    for (const ZipRow& row : zips) {
        std::vector<std::string> cityState = {"left", "as", "is"};
        ASSERT_TRUE(reviewer->GetCityStateFromZip(row.zip, cityState)) << row.zip;
        EXPECT_EQ(cityState, row.cityState) << row.zip;
    }

    struct PlaceRow {
        std::string zip, county, state;
        std::string region, territory;
    };
    const PlaceRow places[] = {
        {"06510", "", "", "Northeast", "Connecticut Valley"},
        {"46802-0001", "", "", "Midwest", "Indiana"},
        {"00000", "dupage", "il", "Midwest", "Chicago Metro"},  // county and state, letter case ignored
        {"00000", "Nowhere", "ZZ", "", ""},
    };
    for (const PlaceRow& row : places) {
        CRegionLocRec location;
        location.zip = row.zip;
        location.county = row.county;
        location.state = row.state;
        CRegionTerrRec answer;
        ASSERT_TRUE(reviewer->GetTerritoryByLoc(location, answer)) << row.zip << " " << row.county;
        EXPECT_EQ(answer.regionName, row.region) << row.zip << " " << row.county;
        EXPECT_EQ(answer.territoryName, row.territory) << row.zip << " " << row.county;
    }
}
