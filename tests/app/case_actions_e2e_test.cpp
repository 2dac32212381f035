// The case list's actions through the document against the real inventory server:
// deleting from the list, resetting linkages, progress reports with and without the
// right, the schedule, policy pages and the assignment history.
#include "app/document_fixture.h"
#include "app/server_seeding.h"
#include "casedlg/assignment_history_rows.h"
#include "casedlg/policy_detail_logic.h"
#include "casedlg/progress_report_logic.h"
#include "casedlg/schedule_logic.h"
#include "query/case_list_commands.h"
#include "query/widgets/case_list_model.h"
#include "query/widgets/case_view.h"
#include "records/admin_child_user.h"
#include "records/audit_case.h"
#include "records/case_schedule_info.h"
#include "support/widget_application.h"

#include <QItemSelectionModel>
#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;
constexpr const char* kUnlinkedParent = "Beacon Premium Audit Co.";
constexpr const char* kCarrier = "Atlas Mutual Insurance";  // the demo parent account "carrier"

// A child account with every right, added through the demo administrator.
void AddChief(CServerProcess& server)
{
    CInventoryServer admin;
    ASSERT_TRUE(LogIn(admin, "127.0.0.1", server.Port(), "admin", "admin").LoggedIn());
    CAdminChildUser chief;
    chief.name = "Chief Examiner";
    chief.userId = "chief";
    chief.password = "chief";
    chief.group = 0;
    chief.inventoryCap = CAdminChildUser::kNoInventoryCap;
    chief.rights = 0x3FFFFF;
    ASSERT_EQ(admin.SetChildUser("", chief, CInventoryServer::modeAdd), 0);
    const int before = server.CountLog("user 'admin' logged out");
    admin.CloseSession();
    admin.Close();
    ASSERT_TRUE(server.WaitForLogCount("user 'admin' logged out", before + 1));
}

std::string NewCase(COrvennaOCDoc& doc, const std::string& insured, const std::string& parent = kUnlinkedParent,
                    bool linked = false)
{
    CAuditCase record;
    record.insuredName = insured;
    record.parentName = parent;
    if (linked) {
        record.parentLinkStatus = CAuditCase::parentLinked;
        record.childLinkStatus = CAuditCase::childLinked;
        record.childName = "Dana Whitfield";
        record.childGroupCode = 1;
    }
    const std::string number = doc.Server().CreateCase(record);
    EXPECT_FALSE(number.empty()) << insured;
    return number;
}

void Press(QWidget& widget, int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

}  // namespace

TEST(CaseActionsEndToEnd, DeleteFromTheListRewritesTheTitleAndKeysWithoutTheRightDoNothing)
{
    WidgetApplication();
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("admin", "admin", server.Port()));
    for (const char* insured : {"Zzdel One", "Zzdel Two", "Zzdel Three"})
        NewCase(f.doc, insured);
    const std::string linked = NewCase(f.doc, "Zzdel Linked", kCarrier, true);

    f.searchAnswer = "[InsuredName] = \"Zzdel*\"";
    ASSERT_TRUE(f.doc.SearchCases());
    ASSERT_TRUE(f.doc.DocumentTitle().endsWith(QStringLiteral(" (4)"))) << f.doc.DocumentTitle().toStdString();
    CCaseView view;
    view.SetHost(&f.doc);
    view.ShowResults(std::move(f.observer.lastResults), std::move(f.observer.lastRequest));
    ASSERT_EQ(view.Model().rowCount(), 4);
    auto select = [&view](std::vector<int> rows) {
        view.clearSelection();
        for (int row : rows)
            view.selectionModel()->select(view.Model().index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    };
    auto rowOf = [&view](const std::string& number) {
        for (int row = 0; row < view.Model().rowCount(); ++row)
            if (view.Model().CaseNumberAt(row) == number)
                return row;
        return -1;
    };

    // A linked case is refused; nothing leaves the list.
    select({rowOf(linked)});
    f.prompts.answers = {true};
    Press(view, Qt::Key_Delete);
    EXPECT_EQ(f.prompts.MessageTexts(),
              std::vector<QString>{QStringLiteral("Can't delete case(s).  One or more cases are linking or linked")});
    EXPECT_EQ(view.Model().rowCount(), 4);

    std::vector<int> two;
    Strings deleted;
    for (int row = 0; row < 4 && two.size() < 2; ++row)
        if (view.Model().CaseNumberAt(row) != linked) {
            two.push_back(row);
            deleted.push_back(view.Model().CaseNumberAt(row));
        }
    select(two);
    // No is the default answer, and No deletes nothing.
    f.prompts.answers = {false};
    Press(view, Qt::Key_Delete);
    ASSERT_EQ(f.prompts.questions.size(), 2u);
    EXPECT_EQ(f.prompts.questions[1].text, QStringLiteral("You are about to delete 2 case(s).  Are you sure?"));
    EXPECT_TRUE(f.prompts.questions[1].defaultNo);
    EXPECT_EQ(view.Model().rowCount(), 4);

    f.prompts.answers = {true};
    view.RunCommand(cmdCaseDelete);
    EXPECT_EQ(view.Model().rowCount(), 2);
    EXPECT_TRUE(f.doc.DocumentTitle().endsWith(QStringLiteral("\") (2)"))) << f.doc.DocumentTitle().toStdString();
    CAuditCase gone;
    for (const std::string& number : deleted)
        EXPECT_FALSE(f.doc.Server().GetCase(number, gone)) << number;

    // The customer rep may neither delete nor edit properties: its keys ask nothing.
    DocFixture rep;
    ASSERT_TRUE(rep.LogInAs("rep", "rep", server.Port()));
    EXPECT_FALSE(rep.doc.CaseCommandEnabled(cmdCaseDelete));
    EXPECT_FALSE(rep.doc.CaseCommandEnabled(cmdCaseResetLinks));
    EXPECT_TRUE(rep.doc.CaseCommandEnabled(cmdCaseProgressReport));
    view.SetHost(&rep.doc);
    select({0, 1});
    Press(view, Qt::Key_Delete);
    Press(view, Qt::Key_Return);
    EXPECT_TRUE(rep.prompts.questions.empty());
    EXPECT_TRUE(rep.prompts.messages.empty());
    EXPECT_EQ(view.Model().rowCount(), 2);
    view.SetHost(nullptr);
}

TEST(CaseActionsEndToEnd, ResetLinkagesOnALinkedPair)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    AddChief(server);
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("chief", "chief", server.Port()));
    const Strings pair = {NewCase(f.doc, "Linked A", kCarrier, true), NewCase(f.doc, "Linked B", kCarrier, true)};

    std::optional<CInventoryServer::LinkReset> choice;
    CaseActionDialogs dialogs;
    dialogs.resetLinks = [&choice] { return choice; };
    f.doc.SetCaseActionDialogs(dialogs);
    ASSERT_TRUE(f.doc.CaseCommandEnabled(cmdCaseResetLinks));

    EXPECT_FALSE(f.doc.RunCaseCommand(cmdCaseResetLinks, pair));  // cancelled
    choice = CInventoryServer::resetParentLink;
    EXPECT_TRUE(f.doc.RunCaseCommand(cmdCaseResetLinks, pair));
    for (const std::string& number : pair) {
        CAuditCase after;
        ASSERT_TRUE(f.doc.Server().GetCase(number, after));
        EXPECT_EQ(after.parentLinkStatus, 0);
        EXPECT_EQ(after.childLinkStatus, CAuditCase::childLinked);
    }
    EXPECT_TRUE(f.prompts.messages.empty());
    EXPECT_FALSE(f.doc.RunCaseCommand(cmdCaseResetLinks, {"1999-000001"}));
    EXPECT_EQ(f.prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Resetting of case linking statuses failed")});
}

TEST(CaseActionsEndToEnd, ProgressReportsWithAndWithoutTheRight)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    AddChief(server);
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("chief", "chief", server.Port()));
    const std::string number = NewCase(f.doc, "Progressing Insured", kCarrier);
    CAuditCase marked;
    ASSERT_TRUE(f.doc.Server().GetCase(number, marked));
    marked.hasNewProgressReports = true;
    ASSERT_EQ(f.doc.Server().SetCase(number, marked), 0);

    // The editor types what each step wants; an invalid date keeps the form open.
    struct Typed {
        std::string comment;
        std::string date;
        bool internal;
    };
    std::vector<Typed> typed;
    auto editor = [&typed](ProgressEntryForm& form) {
        if (typed.empty())
            return false;
        form.comment = typed.front().comment;
        form.dateText = typed.front().date;
        form.internal = typed.front().internal && form.showInternal;
        typed.erase(typed.begin());
        return true;
    };
    std::function<void(ProgressReportLogic&)> steps;
    CaseActionDialogs dialogs;
    dialogs.progressReports = [&steps](ProgressReportLogic& logic) { steps(logic); };
    f.doc.SetCaseActionDialogs(dialogs);

    steps = [&](ProgressReportLogic& logic) {
        EXPECT_EQ(logic.Columns().size(), 4u);
        EXPECT_EQ(logic.Columns()[2].width, 480);
        typed = {{"", "13/45/2026", false}, {"Called the insured", "03/02/2026", false}};
        ASSERT_TRUE(logic.New(editor));
        typed = {{"Payroll is disputed", "03/03/2026", true}};
        ASSERT_TRUE(logic.New(editor));
        typed = {{"Met the insured", "03/02/2026", false}};
        ASSERT_TRUE(logic.Properties(0, editor));
        typed = {{"Gone", "03/04/2026", false}};
        ASSERT_TRUE(logic.New(editor));
        f.prompts.answers = {true};
        ASSERT_TRUE(logic.Remove(2));
        EXPECT_FALSE(logic.Remove(-1));
        ASSERT_EQ(logic.Entries().size(), 2u);
        EXPECT_EQ(logic.RowTexts(0), (Strings{"03/02/26", "Chief Examiner", "Met the insured", ""}));
        EXPECT_EQ(logic.RowTexts(1), (Strings{"03/03/26", "Chief Examiner", "Payroll is disputed", "Yes"}));
        EXPECT_EQ(logic.CopyAllText(), "03/02/26 by Chief Examiner:\r\nMet the insured\r\n\r\n"
                                       "03/03/26 by Chief Examiner:\r\nPayroll is disputed\r\n\r\n");
    };
    EXPECT_TRUE(f.doc.RunCaseCommand(cmdCaseProgressReport, {number}));
    EXPECT_EQ(f.prompts.MessageTexts(), (std::vector<QString>{QStringLiteral("The date entered is invalid."),
                                                              QStringLiteral("Nothing has been selected!")}));
    EXPECT_EQ(f.prompts.questions.back().caption, QStringLiteral("Remove Progress Report Entry"));
    CAuditCase after;
    ASSERT_TRUE(f.doc.Server().GetCase(number, after));
    EXPECT_FALSE(after.hasNewProgressReports) << "closing the dialog clears the mark";

    // The parent account has no progress-report right: no Internal column, internal
    // entries (when they reach it at all) read "INTERNAL" and cannot be removed or
    // edited, and it cannot write one.
    DocFixture carrier;
    ASSERT_TRUE(carrier.LogInAs("carrier", "carrier", server.Port()));
    carrier.doc.SetCaseActionDialogs(dialogs);
    steps = [&](ProgressReportLogic& logic) {
        EXPECT_EQ(logic.Columns().size(), 3u);
        EXPECT_EQ(logic.Columns()[2].width, 530);
        bool sawPublic = false;
        for (size_t row = 0; row < logic.Entries().size(); ++row) {
            if (!logic.Entries()[row].internal) {
                sawPublic = true;
                EXPECT_EQ(logic.RowTexts(row)[2], "Met the insured");
                continue;
            }
            EXPECT_EQ(logic.RowTexts(row), (Strings{"INTERNAL", "", ""}));
            EXPECT_FALSE(logic.Remove(static_cast<int>(row)));
            EXPECT_EQ(carrier.prompts.MessageTexts().back(), QStringLiteral("Cannot remove internal entry"));
            typed = {{"changed", "03/03/2026", false}};
            EXPECT_FALSE(logic.Properties(static_cast<int>(row), editor));
            EXPECT_EQ(typed.size(), 1u) << "no dialog for an internal entry";
        }
        EXPECT_TRUE(sawPublic);
        typed = {{"Sneaky", "03/05/2026", true}};
        ASSERT_TRUE(logic.New(editor));
        EXPECT_FALSE(logic.Entries().back().internal);
    };
    carrier.doc.RunCaseCommand(cmdCaseProgressReport, {number});
}

TEST(CaseActionsEndToEnd, ScheduleUnschedulePolicyPagesAndTheAssignmentHistory)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start());
    AddChief(server);
    DocFixture f;
    ASSERT_TRUE(f.LogInAs("chief", "chief", server.Port()));
    const std::string number = NewCase(f.doc, "Scheduled Insured");

    std::function<bool(ScheduleLogic&)> schedule;
    std::function<bool(PolicyDetailLogic&)> policy;
    std::vector<CTrackingEntry> history;
    bool historyShown = false;
    CaseActionDialogs dialogs;
    dialogs.schedule = [&schedule](ScheduleLogic& logic) { return schedule(logic); };
    dialogs.policyDetail = [&policy](PolicyDetailLogic& logic) { return policy(logic); };
    dialogs.assignmentHistory = [&](const std::vector<CTrackingEntry>& entries) {
        history = entries;
        historyShown = true;
    };
    f.doc.SetCaseActionDialogs(dialogs);

    schedule = [](ScheduleLogic& logic) {
        EXPECT_FALSE(logic.scheduled);
        logic.scheduled = true;
        logic.dateText = "03/09/2026";
        logic.exactTime = true;
        logic.startTimeText = "09:30 AM";
        logic.endingRange = true;
        logic.endTimeText = "11:00 AM";
        return true;
    };
    EXPECT_TRUE(f.doc.RunCaseCommand(cmdCaseSchedule, {number}));
    schedule = [](ScheduleLogic& logic) {
        EXPECT_EQ(logic.dateText, "03/09/2026");
        EXPECT_EQ(logic.startTimeText, "09:30 AM");
        EXPECT_EQ(logic.endTimeText, "11:00 AM");
        logic.scheduled = false;
        return true;
    };
    EXPECT_TRUE(f.doc.RunCaseCommand(cmdCaseSchedule, {number}));
    CCaseScheduleInfo stored;
    ASSERT_TRUE(f.doc.Server().GetCaseScheduleInfo(number, stored));
    EXPECT_EQ(stored.scheduledStart.status, CDateTime::null);
    EXPECT_EQ(stored.scheduledEnd.status, CDateTime::null);
    schedule = [](ScheduleLogic&) { return false; };
    EXPECT_FALSE(f.doc.RunCaseCommand(cmdCaseSchedule, {number}));

    policy = [](PolicyDetailLogic& logic) {
        EXPECT_TRUE(logic.HasConfigureTab());
        EXPECT_TRUE(logic.Pages().empty());
        logic.SetText(*logic.AddPage("Locations and operations of the insured"), "12 Main St\r\nWarehouse");
        logic.AddPage("Payroll");
        return true;
    };
    f.doc.RunCaseCommand(cmdCasePolicyDetail, {number});
    policy = [](PolicyDetailLogic& logic) {
        EXPECT_EQ(logic.Pages().size(), 2u);
        if (logic.Pages().size() != 2u)
            return false;
        EXPECT_EQ(logic.Pages()[0].label, "Locations and operations of th");
        EXPECT_EQ(logic.Pages()[0].text, "12 Main St\r\nWarehouse");
        EXPECT_TRUE(logic.RemovePage(0));
        return true;
    };
    f.doc.RunCaseCommand(cmdCasePolicyDetail, {number});
    std::vector<CPolicyPage> pages;
    ASSERT_TRUE(f.doc.Server().GetCasePolicyDetail(number, pages));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].label, "Payroll");

    CAuditCase record;
    ASSERT_TRUE(f.doc.Server().GetCase(number, record));
    record.childName = "Marcus Ortega";
    record.childGroupCode = 1;
    ASSERT_EQ(f.doc.Server().SetCase(number, record), 0);
    EXPECT_FALSE(f.doc.RunCaseCommand(cmdCaseAssignmentHistory, {number}));
    ASSERT_TRUE(historyShown);
    ASSERT_FALSE(history.empty());
    const Strings last = AssignmentHistoryRow(history.back());
    EXPECT_EQ(last[0], "Auditors");
    EXPECT_EQ(last[1], "Marcus Ortega");
    EXPECT_EQ(last[4], "Chief Examiner");
    EXPECT_TRUE(f.prompts.messages.empty());

    // The administrator lacks the policy-detail right: the sheet is read-only and
    // nothing is sent.
    DocFixture admin;
    ASSERT_TRUE(admin.LogInAs("admin", "admin", server.Port()));
    admin.doc.SetCaseActionDialogs(dialogs);
    policy = [](PolicyDetailLogic& logic) {
        EXPECT_FALSE(logic.CanEdit() || logic.HasConfigureTab());
        EXPECT_FALSE(logic.AddPage("Nope").has_value());
        return true;
    };
    EXPECT_FALSE(admin.doc.RunCaseCommand(cmdCasePolicyDetail, {number}));
}
