// The rules of the case properties: the General page's linking matrix, the due dates,
// the link transitions, validation order, manual assignment, and the create-cases copy.

#include "casedlg/assign_manually_logic.h"
#include "casedlg/case_props_logic.h"

#include <gtest/gtest.h>

namespace {

CParentUser Parent(const char* name, int32_t masterDays, int32_t auditorDays)
{
    CParentUser parent;
    parent.name = name;
    parent.masterDueDays = masterDays;
    parent.auditorDueDays = auditorDays;
    return parent;
}

CChildUser Child(const char* name, int32_t group)
{
    CChildUser child;
    child.name = name;
    child.group = group;
    return child;
}

// A user with parents, children and regions, and the right to assign by hand.
CInventoryInfo FullInfo()
{
    CInventoryInfo info;
    info.parents = {Parent("Atlas", 30, 20), Parent("Borealis", 60, 45)};
    info.children = {Child("Office", 0), Child("Ann Auditor", 1), Child("Bob Auditor", 1), Child("Rita", 6)};
    info.regions = {"East"};
    info.territories = {"East::Metro", "East::Coast"};
    info.ownChildName = "Office";
    info.rights = CasePropsLogic::kRightAssignManually;
    info.defaultMasterDueDays = 10;
    info.defaultAuditorDueDays = 5;
    return info;
}

DateFieldValue Date(int year, int month, int day)
{
    return {DateFieldState::valid, {year, month, day}};
}
const DateFieldValue kEmpty{};
const DateFieldValue kInvalid{DateFieldState::invalid, {}};

CAuditCase CaseWith(int32_t parentStatus, int32_t childStatus, const char* parent = "Atlas")
{
    CAuditCase c;
    c.parentLinkStatus = parentStatus;
    c.childLinkStatus = childStatus;
    c.parentName = parent;
    return c;
}

std::string Text(const CDateTime& value)
{
    return DateText(value).toStdString();
}

}  // namespace

TEST(CasePropsLogic, LinkingStatusMatrix)
{
    const CInventoryInfo info = FullInfo();
    struct Row {
        int32_t p, c;
        bool priorityEnabled, completedEnabled, parentEnabled, assignEnabled;
        bool toParentChecked, toParentEnabled, toChildChecked, toChildEnabled;
    };
    const Row rows[] = {
        // p  c  prio  compl parent assign  ->P chk  ->P en  ->C chk  ->C en
        {0, 0, true, true, true, true, false, false, false, false},
        {1, 0, true, true, true, true, false, true, false, false},
        {2, 0, true, true, false, true, false, true, false, false},
        {3, 0, true, true, false, true, true, true, false, false},
        {6, 0, true, true, true, true, true, true, false, false},
        {0, 1, true, false, true, true, false, false, true, true},
        {2, 1, true, false, false, true, false, false, true, true},
        {0, 2, false, false, true, false, false, false, false, false},
        {2, 3, true, true, false, true, false, true, false, true},
        {3, 3, true, true, false, true, true, true, false, false},
        {6, 3, true, true, true, true, true, true, false, false},
        {4, 5, true, true, false, false, false, false, false, false},
    };
    for (const Row& row : rows) {
        const CasePropsLogic logic(info, CaseWith(row.p, row.c), false, {2025, 1, 1});
        const GeneralPageStates s = logic.States();
        SCOPED_TRACE(testing::Message() << "parent " << row.p << ", child " << row.c);
        EXPECT_EQ(s.priorityEnabled, row.priorityEnabled);
        EXPECT_EQ(s.completedEnabled, row.completedEnabled);
        EXPECT_EQ(s.parentEnabled, row.parentEnabled);
        EXPECT_EQ(s.assignEnabled, row.assignEnabled);
        EXPECT_EQ(s.sendToParentChecked, row.toParentChecked);
        EXPECT_EQ(s.sendToParentEnabled, row.toParentEnabled);
        EXPECT_EQ(s.sendToChildChecked, row.toChildChecked);
        EXPECT_EQ(s.sendToChildEnabled, row.toChildEnabled);
    }
}

TEST(CasePropsLogic, WhatIsShownForTheUsersLists)
{
    struct Row {
        const char* name;
        bool parents, children, regions, assignRight;
        int32_t childStatus;
        const char* caseChild;
        const char* caseParent;
        int32_t parentStatus;
        bool parentShown, childShown, assignShown, completedShown, archivedShown, territoryShown;
        bool datesShown, transferOutShown;
    };
    const Row rows[] = {
        {"everything, own case", true, true, true, true, 0, "Office", "Atlas", 0,
         true, true, true, true, false, true, true, true},
        {"someone else's case", true, true, true, true, 0, "Ann Auditor", "Atlas", 2,
         true, true, true, false, false, true, false, true},
        {"no right to assign", true, true, true, false, 0, "Office", "", 0,
         true, true, false, true, false, true, false, false},
        {"no lists at all", false, false, false, true, 0, "", "", 0,
         false, false, false, false, true, false, false, false},
        {"no children, child status 5", true, false, true, true, 5, "", "Atlas", 1,
         true, false, false, false, false, true, false, true},
    };
    for (const Row& row : rows) {
        CInventoryInfo info = FullInfo();
        if (!row.parents) info.parents.clear();
        if (!row.children) info.children.clear();
        if (!row.regions) info.regions.clear();
        if (!row.assignRight) info.rights = 0;
        CAuditCase c = CaseWith(row.parentStatus, row.childStatus, row.caseParent);
        c.childName = row.caseChild;
        const GeneralPageStates s = CasePropsLogic(info, c, false, {2025, 1, 1}).States();
        SCOPED_TRACE(row.name);
        EXPECT_EQ(s.parentShown, row.parentShown);
        EXPECT_EQ(s.childShown, row.childShown);
        EXPECT_EQ(s.assignShown, row.assignShown);
        EXPECT_EQ(s.completedShown, row.completedShown);
        EXPECT_EQ(s.archivedShown, row.archivedShown);
        EXPECT_EQ(s.territoryShown, row.territoryShown);
        EXPECT_EQ(s.assignedReturnedShown, row.datesShown);
        EXPECT_EQ(s.transferOutShown, row.transferOutShown);
    }
}

TEST(CasePropsLogic, SendToParentAndChildTransitions)
{
    const CInventoryInfo info = FullInfo();
    struct Row { int32_t from; bool on; int32_t to; };
    for (const Row& row : {Row{1, true, 6}, Row{2, true, 3}, Row{6, false, 1}, Row{3, false, 2}, Row{0, true, 0}}) {
        CasePropsLogic logic(info, CaseWith(row.from, 0), false, {2025, 1, 1});
        logic.SetSendToParent(row.on);
        EXPECT_EQ(logic.Case().parentLinkStatus, row.to) << row.from << (row.on ? " on" : " off");
    }
    CasePropsLogic logic(info, CaseWith(0, 3), false, {2025, 1, 1});
    logic.SetSendToChild(true);
    EXPECT_EQ(logic.Case().childLinkStatus, 1);
    logic.SetSendToChild(false);
    EXPECT_EQ(logic.Case().childLinkStatus, 3);
}

TEST(CasePropsLogic, DueDatesCountFromTheLaterOfExpirationAndReference)
{
    const CInventoryInfo info = FullInfo();
    struct Row {
        const char* name;
        bool wizard;
        CivilDate expiration;  // year 0: invalid
        CivilDate created;
        const char* parent;
        const char* master;
        const char* auditor;
    };
    const Row rows[] = {
        {"expiration later than today", true, {2025, 6, 30}, {}, "Atlas", "07/30/2025", "07/20/2025"},
        {"today later than expiration", true, {2024, 6, 30}, {}, "Borealis", "03/02/2025", "02/15/2025"},
        {"*NONE* takes the user's days", true, {2024, 6, 30}, {}, kNoneEntry, "01/11/2025", "01/06/2025"},
        {"an existing case counts from its creation", false, {2024, 6, 30}, {2024, 9, 1}, "Atlas",
         "10/01/2024", "09/21/2024"},
        {"invalid expiration leaves the dates", true, {0, 0, 0}, {}, "Atlas", "", ""},
    };
    for (const Row& row : rows) {
        CAuditCase c;
        c.policyEndDate = row.expiration.year ? MakeDate(row.expiration) : kNullDate;
        c.dateCreated = row.created.year ? MakeDate(row.created) : kNullDate;
        CasePropsLogic logic(info, c, row.wizard, {2025, 1, 1});
        logic.ChooseParent(row.parent);
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Text(logic.Case().masterDueDate), row.master);
        EXPECT_EQ(Text(logic.Case().auditorDueDate), row.auditor);
        EXPECT_EQ(logic.Case().parentLinkStatus, 0);
    }

    // Opening the General page fills only what is empty or invalid, from the user's days.
    CAuditCase c;
    c.policyEndDate = MakeDate({2025, 3, 1});
    c.masterDueDate = MakeDate({2025, 4, 4});
    CasePropsLogic logic(info, c, false, {2025, 1, 1});
    logic.OpenGeneralPage();
    EXPECT_EQ(Text(logic.Case().masterDueDate), "04/04/2025");
    EXPECT_EQ(Text(logic.Case().auditorDueDate), "03/06/2025");
}

TEST(CasePropsLogic, WizardPreselectsTheParentNamedLikeTheCarrier)
{
    const CInventoryInfo info = FullInfo();
    CAuditCase c = CasePropsLogic::NewCase();
    c.policyCarrier = "Borealis";
    c.policyEndDate = MakeDate({2025, 12, 31});
    CasePropsLogic logic(info, c, true, {2025, 1, 1});
    logic.OpenGeneralPage();
    EXPECT_EQ(logic.Case().parentName, "Borealis");
    EXPECT_EQ(Text(logic.Case().masterDueDate), "03/01/2026");

    c.policyCarrier = "Unknown Mutual";
    CasePropsLogic other(info, c, true, {2025, 1, 1});
    other.OpenGeneralPage();
    EXPECT_EQ(other.Case().parentName, "");
}

TEST(CasePropsLogic, ValidationOrderAndMessages)
{
    struct Row {
        std::string name;
        DateFieldValue inception, expiration;
        const char* field;
        const char* message;
    };
    const Row insured[] = {
        {"", kInvalid, kInvalid, "insuredName", "Name field must be filled in."},
        {"Acme", kInvalid, kInvalid, "policyStartDate", "Policy inception date invalid."},
        {"Acme", Date(2025, 1, 1), kEmpty, "policyEndDate", "Policy expiration date invalid."},
        {"Acme", Date(2025, 1, 1), Date(2024, 12, 31), "policyEndDate", "Policy expiration date invalid."},
        {"Acme", Date(2025, 1, 1), Date(2025, 1, 1), nullptr, nullptr},
    };
    for (const Row& row : insured) {
        const auto failure = CasePropsLogic::ValidateInsured(row.name, row.inception, row.expiration);
        ASSERT_EQ(failure.has_value(), row.field != nullptr) << row.name;
        if (failure) {
            EXPECT_EQ(failure->field, row.field);
            EXPECT_EQ(failure->message.toStdString(), row.message);
        }
    }
    EXPECT_EQ(CasePropsLogic::ValidateAudit(kEmpty, kEmpty)->message, "Audit period start date invalid.");
    EXPECT_EQ(CasePropsLogic::ValidateAudit(Date(2025, 2, 1), Date(2025, 1, 31))->message,
              "Audit period end date invalid.");
    EXPECT_FALSE(CasePropsLogic::ValidateAudit(Date(2025, 2, 1), Date(2025, 2, 1)));

    const CInventoryInfo info = FullInfo();
    CasePropsLogic unlinked(info, CaseWith(0, 0), false, {2025, 1, 1});
    EXPECT_EQ(unlinked.ValidateGeneral(kInvalid, kInvalid, kInvalid, kInvalid)->message, "Parent due date invalid.");
    EXPECT_EQ(unlinked.ValidateGeneral(Date(2025, 1, 1), kEmpty, kInvalid, kInvalid)->message,
              "Auditor due date invalid.");
    EXPECT_EQ(unlinked.ValidateGeneral(Date(2025, 1, 1), Date(2025, 1, 1), kInvalid, kInvalid)->message,
              "Assigned date invalid.");
    EXPECT_EQ(unlinked.ValidateGeneral(Date(2025, 1, 1), Date(2025, 1, 1), kEmpty, kInvalid)->message,
              "Returned date invalid.");
    EXPECT_FALSE(unlinked.ValidateGeneral(Date(2025, 1, 1), Date(2025, 1, 2), kEmpty, Date(2025, 1, 3)));
    EXPECT_EQ(unlinked.Case().dateAssigned.status, CDateTime::null);
    EXPECT_EQ(Text(unlinked.Case().dateReturned), "01/03/2025");

    // A linked parent hides the assignment dates: they are neither read nor lost.
    CAuditCase linked = CaseWith(2, 0);
    linked.dateAssigned = MakeDate({2024, 5, 5});
    CasePropsLogic logic(info, linked, false, {2025, 1, 1});
    EXPECT_FALSE(logic.ValidateGeneral(Date(2025, 1, 1), Date(2025, 1, 1), kInvalid, kInvalid));
    EXPECT_EQ(Text(logic.Case().dateAssigned), "05/05/2024");

    EXPECT_EQ(CasePropsLogic::CheckLength(CasePage::insured, "insuredState", "NYC")->message,
              "Please enter no more than 2 characters.");
    EXPECT_FALSE(CasePropsLogic::CheckLength(CasePage::insured, "insuredState", "NY"));
}

TEST(CasePropsLogic, TerritoryEntriesAndPeriods)
{
    using Pair = std::pair<std::string, std::string>;
    EXPECT_EQ(CasePropsLogic::SplitTerritory("East::Metro"), Pair("East", "Metro"));
    EXPECT_EQ(CasePropsLogic::SplitTerritory("East::Metro::North"), Pair("East", "Metro::North"));
    EXPECT_EQ(CasePropsLogic::SplitTerritory("Eastern"), Pair("Eastern", ""));
    EXPECT_EQ(CasePropsLogic::OneYearLater({2024, 2, 29}), (CivilDate{2025, 2, 28}));
    EXPECT_EQ(CasePropsLogic::OneYearLater({2025, 7, 15}), (CivilDate{2026, 7, 15}));
}

TEST(CasePropsLogic, CopyRulesOfTheCreateLoopAndBillingRequirement)
{
    CAuditCase previous = CasePropsLogic::NewCase();
    previous.caseNumber = "2025-000001";
    previous.insuredName = "Acme";
    previous.auditCity = "Springfield";
    previous.agentCompany = "Agents Inc";
    previous.userFlags = 0x5;
    previous.childName = "Ann Auditor";
    previous.childLinkStatus = 2;
    previous.opaqueInt3 = 77;
    const CAuditCase next = CasePropsLogic::CopyOfPrevious(previous);
    EXPECT_EQ(next.insuredName, "Acme");
    EXPECT_EQ(next.auditCity, "Springfield");
    EXPECT_EQ(next.agentCompany, "Agents Inc");
    EXPECT_EQ(next.userFlags, 0x5);
    EXPECT_EQ(next.childName, "");
    EXPECT_EQ(next.childLinkStatus, 0);
    EXPECT_EQ(next.caseNumber, "");
    EXPECT_EQ(next.opaqueInt3, 0);
    EXPECT_EQ(CasePropsLogic::NewCase().insuredEntity, "Sole Proprietorship");
    EXPECT_EQ(CasePropsLogic::NewCase().policyType, "Workers Compensation");

    CInventoryInfo info = FullInfo();
    info.ownChildName = "Rita";
    info.rights = 0x200;
    CAuditCase stored = CaseWith(0, 0);
    stored.completed = true;
    EXPECT_TRUE(CasePropsLogic::RequiresBilling(stored, info));
    info.ownChildName = "Office";  // an administrator, not a reviewer
    EXPECT_FALSE(CasePropsLogic::RequiresBilling(stored, info));
}

TEST(AssignManuallyLogic, ChoicesAndResults)
{
    const CInventoryInfo info = FullInfo();
    struct Row {
        const char* name;
        CaseAssignment start;
        AssignManuallyLogic::Choice choice;
        const char* group;  // null: keep what it opened with
        const char* child;
        bool manual;
        int32_t resultGroup;
        const char* resultName;
    };
    using C = AssignManuallyLogic::Choice;
    const Row rows[] = {
        {"program keeps group and name", {true, 1, "Ann Auditor"}, C::program, nullptr, nullptr, false, 1, "Ann Auditor"},
        {"archive", {false, 1, "Ann Auditor"}, C::archive, nullptr, nullptr, true, 8, ""},
        {"any child", {false, -1, ""}, C::child, "*AUTO*", nullptr, true, -2, ""},
        {"no child", {false, 1, "Ann"}, C::child, "*NONE*", nullptr, true, -1, ""},
        {"a named reviewer", {false, -1, ""}, C::child, "Reviewers", "Rita", true, 6, "Rita"},
        {"any auditor", {false, -1, ""}, C::child, "Auditors", "*AUTO*", true, 1, ""},
    };
    for (const Row& row : rows) {
        AssignManuallyLogic logic(info, row.start, true);
        logic.SetChoice(row.choice);
        if (row.group)
            logic.SetGroup(row.group);
        if (row.child)
            logic.SetName(row.child);
        const CaseAssignment result = logic.Result();
        SCOPED_TRACE(row.name);
        EXPECT_EQ(result.manual, row.manual);
        EXPECT_EQ(result.group, row.resultGroup);
        EXPECT_EQ(result.childName, row.resultName);
    }

    // Opening: the choice and group follow the case; names follow the group.
    AssignManuallyLogic archived(info, {true, 8, ""}, false);
    EXPECT_EQ(archived.GetChoice(), C::archive);
    EXPECT_EQ(archived.Group(), "*AUTO*");
    EXPECT_FALSE(archived.HistoryEnabled());
    AssignManuallyLogic auditor(info, {true, 1, "Bob Auditor"}, true);
    EXPECT_EQ(auditor.GetChoice(), C::child);
    EXPECT_EQ(auditor.Name(), "Bob Auditor");
    EXPECT_EQ(auditor.NameEntries(), (std::vector<std::string>{"Ann Auditor", "Bob Auditor", "*AUTO*"}));
    EXPECT_TRUE(auditor.NameEnabled());
    auditor.SetGroup("Reviewers");
    EXPECT_EQ(auditor.Name(), "*AUTO*");
    auditor.SetGroup("*NONE*");
    EXPECT_FALSE(auditor.NameEnabled());
    EXPECT_EQ(AssignManuallyLogic::GroupEntries().front(), "Auditors");
    EXPECT_EQ(AssignManuallyLogic::GroupEntries().size(), 8u);
}
