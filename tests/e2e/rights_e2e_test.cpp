// The rights checks between the office client's command layer and the real server: a
// demo user who lacks the right a command needs gets the command's refusal, and nothing
// on the server changes; the conversation goes on after every refusal.

#include "codec/binary_object.h"
#include "e2e/case_samples.h"
#include "e2e/office_client.h"
#include "records/admin_child_user.h"
#include "records/admin_parent_user.h"
#include "records/admin_region.h"
#include "records/admin_territory.h"
#include "records/attachment.h"
#include "records/billing_def.h"
#include "records/billing_entry.h"
#include "records/case_multi_props.h"
#include "records/case_query_data.h"
#include "records/case_schedule_info.h"
#include "records/inventory_info.h"
#include "records/multi_billing_entry.h"
#include "records/policy_page.h"
#include "records/progress_rpt_entry.h"
#include "records/record_list.h"
#include "records/report_prop_item.h"
#include "records/tracking_entry.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

class RightsEndToEnd : public InventoryEndToEnd {
protected:
    // Everything the refused commands could touch, as the chief (who may read it all)
    // reads it: the two cases with their details, accounts, places, defaults and views.
    std::string Snapshot(COfficeClient& chief)
    {
        std::string bytes;
        auto add = [&](bool fetched, const CObject& record, const char* what) {
            EXPECT_TRUE(fetched) << what;
            bytes += RecordBytes(record);
        };
        for (const std::string& number : {m_probe, m_otherCase}) {
            CAuditCase record;
            add(chief.GetCase(number, record), record, "case");
            CRecordList<CAttachment> attachments;
            add(chief.GetCaseAttachments(number, attachments.items), attachments, "attachments");
            CRecordList<CBillingEntry> billing;
            add(chief.GetCaseBillingEntries(number, billing.items), billing, "billing entries");
            CRecordList<CProgressRptEntry> reports;
            add(chief.GetCaseProgressRpts(number, reports.items), reports, "progress reports");
            CCaseScheduleInfo schedule;
            add(chief.GetCaseScheduleInfo(number, schedule), schedule, "schedule");
            CRecordList<CTrackingEntry> history;
            add(chief.GetCaseTracking(number, history.items), history, "history");
        }
        CInventoryInfo info;
        add(chief.GetInventoryInfo(true, info), info, "inventory info");
        CAdminChildUser child;
        add(chief.GetChildUser("Demo Reviewer", child), child, "child");
        CAdminParentUser parent;
        add(chief.GetParentUser(kUnlinkedParent, parent), parent, "parent");
        CRecordList<CBillingDef> defaults;
        add(chief.GetBillingDefSet(kUnlinkedParent, CInventoryServer::parentAccount, defaults.items), defaults,
            "billing defaults");
        CAdminTerritory territory;
        territory.regionName = "Northeast";
        territory.territoryName = "Boston Metro";
        add(chief.GetTerritory(territory), territory, "territory");
        CObjectList<CCaseQueryData> views;
        add(chief.GetCaseViewPropSet("reviewer", views.items), views, "case views");
        CObjectList<CReportPropItem> reportViews;
        add(chief.GetReportViewPropSet("reviewer", reportViews.items), reportViews, "report views");
        return bytes;
    }

    std::string m_probe;      // a case of the directly linked parent, with every detail
    std::string m_otherCase;  // a case of another parent
};

struct RefusalRow {
    const char* userId;
    const char* what;
    // Runs the command; true when it came back refused as it should.
    std::function<bool(COfficeClient&)> refused;
};

}  // namespace

TEST_F(RightsEndToEnd, UsersWithoutTheRightAreRefusedAndNothingChanges)
{
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());
    auto chief = LogInChief(*admin);
    ASSERT_TRUE(chief->LoggedIn());

    // The probe case: assigned, with an attachment, a billing entry, an internal progress
    // report, a schedule and policy pages.
    CAuditCase probe = FullCase(1);
    probe.parentName = kDirectParent;
    probe.parentLinkStatus = 0;
    probe.childLinkStatus = 0;
    probe.hasNewProgressReports = true;
    m_probe = chief->CreateCase(probe);
    ASSERT_FALSE(m_probe.empty());
    m_otherCase = chief->CreateCase(PlainCase("Another parent's insured", kUnlinkedParent));
    CAttachment attachment;
    attachment.kind = "AUDIT";
    attachment.name = "Audit";
    attachment.printable = true;
    ASSERT_EQ(chief->SetCaseAttachment(m_probe, attachment, CBinaryObject("audit"), CInventoryServer::modeAdd), 0);
    std::vector<CAttachment> attachments;
    ASSERT_TRUE(chief->GetCaseAttachments(m_probe, attachments));
    ASSERT_EQ(attachments.size(), 1u);
    attachment = attachments[0];
    CBillingEntry entry;
    entry.parentName = kDirectParent;
    entry.firstHourRate = 100.0;
    entry.billedAmount = 100.0;
    ASSERT_TRUE(chief->SetCaseBillingEntry(m_probe, entry, CInventoryServer::modeAdd));
    CProgressRptEntry report;
    report.comment = "Internal note";
    report.internal = true;
    ASSERT_TRUE(chief->SetCaseProgressRpt(m_probe, report, CInventoryServer::modeAdd));
    std::vector<CProgressRptEntry> reports;
    ASSERT_TRUE(chief->GetCaseProgressRpts(m_probe, reports));
    ASSERT_EQ(reports.size(), 1u);
    report = reports[0];
    CCaseScheduleInfo schedule;
    schedule.scheduledStart = CDateTime{CDateTime::valid, 46001.5};
    schedule.scheduledEnd = CDateTime{CDateTime::null, 0.0};
    ASSERT_TRUE(chief->SetCaseScheduleInfo(m_probe, schedule));
    CAuditCase stored;
    ASSERT_TRUE(chief->GetCase(m_probe, stored));

    // A clerk whose attachment rights reach archived cases only.
    CAdminChildUser clerk;
    clerk.name = "Archive Clerk";
    clerk.userId = "clerk";
    clerk.password = "clerk";
    clerk.group = 5;
    clerk.rights = 0x4000C0;
    ASSERT_EQ(chief->SetChildUser("", clerk, CInventoryServer::modeAdd), 0);

    std::map<std::string, std::unique_ptr<COfficeClient>> users;
    for (const char* userId : {"auditor", "biller", "reviewer", "scheduler", "rep", "carrier", "clerk"}) {
        users[userId] = LogIn(userId);
        ASSERT_TRUE(users[userId]->LoggedIn());
    }
    users["admin"] = std::move(admin);

    const std::string probeNumber = m_probe;
    const std::string otherNumber = m_otherCase;
    auto edited = [&](const std::function<void(CAuditCase&)>& change) {
        CAuditCase record = stored;
        change(record);
        return record;
    };
    const std::vector<RefusalRow> rows = {
        // Cases.
        {"auditor", "DELETECASES without 0x800",
         [&](COfficeClient& c) { return c.DeleteCases({probeNumber}) == -3; }},
        {"biller", "SETCASE without 0x4000",
         [&](COfficeClient& c) {
             return c.SetCase(probeNumber, edited([](CAuditCase& r) { r.memo = "changed"; })) == -3;
         }},
        {"auditor", "SETCASE of the assignment without 0x400",
         [&](COfficeClient& c) {
             return c.SetCase(probeNumber, edited([](CAuditCase& r) { r.childName = kReviewerChild; })) == -3;
         }},
        {"admin", "SETCASE of the policy pages without 0x200000",
         [&](COfficeClient& c) {
             return c.SetCase(probeNumber, edited([](CAuditCase& r) { r.policyPages.clear(); })) == -3;
         }},
        {"auditor", "CREATECASE without 0x10000",
         [&](COfficeClient& c) { return c.CreateCase(PlainCase("Not to be created")).empty(); }},
        {"admin", "RESETCASELINKS without 0x100000",
         [&](COfficeClient& c) { return c.ResetCaseLinks({probeNumber}, CInventoryServer::resetBothLinks) == -3; }},
        {"biller", "GETMULTICASEPROPS without 0x4000",
         [&](COfficeClient& c) {
             CCaseMultiProps props;
             return c.GetMultiCaseProps({probeNumber}, props) == -3;
         }},
        {"biller", "SETMULTICASEPROPS without 0x4000",
         [&](COfficeClient& c) {
             CCaseMultiProps props;
             props.priority = CCaseMultiProps::unchecked;
             return c.SetMultiCaseProps({probeNumber}, props) == -3;
         }},
        {"auditor", "SETMULTICASEPROPS of the assignment without 0x400",
         [&](COfficeClient& c) {
             CCaseMultiProps props;
             props.archived = props.priority = props.correction = props.transferOut = CCaseMultiProps::mixed;
             props.assignmentGiven = 1;
             props.childName = kReviewerChild;
             props.childGroupCode = 6;
             return c.SetMultiCaseProps({probeNumber}, props) == -3;
         }},
        {"rep", "IMPORTCASES without any right to create",
         [&](COfficeClient& c) {
             std::vector<std::string> results;
             return !c.ImportCases(CBinaryObject("[InsuredName]\nImported\n"), results);
         }},
        // Case details.
        {"rep", "GETCASETRACKING without history, billing or assignment rights",
         [&](COfficeClient& c) {
             std::vector<CTrackingEntry> history;
             return !c.GetCaseTracking(probeNumber, history);
         }},
        {"admin", "SETCASEPOLICYDETAIL without 0x200000",
         [&](COfficeClient& c) { return !c.SetCasePolicyDetail(probeNumber, {}); }},
        {"rep", "GETCASESCHEDULEINFO without 0x20000",
         [&](COfficeClient& c) {
             CCaseScheduleInfo s;
             return !c.GetCaseScheduleInfo(probeNumber, s);
         }},
        {"rep", "SETCASESCHEDULEINFO without 0x20000",
         [&](COfficeClient& c) { return !c.SetCaseScheduleInfo(probeNumber, CCaseScheduleInfo()); }},
        {"rep", "SETCASEPROGRESSRPT of an internal entry without 0x40000",
         [&](COfficeClient& c) {
             CProgressRptEntry internal;
             internal.comment = "not to be added";
             internal.internal = true;
             return !c.SetCaseProgressRpt(probeNumber, internal, CInventoryServer::modeAdd);
         }},
        {"rep", "SETCASEPROGRESSRPT removing an internal entry without 0x40000",
         [&](COfficeClient& c) { return !c.SetCaseProgressRpt(probeNumber, report, CInventoryServer::modeDelete); }},
        {"scheduler", "SETCASEATTACHMENT without 0x80",
         [&](COfficeClient& c) {
             return c.SetCaseAttachment(probeNumber, attachment, CBinaryObject(), CInventoryServer::modeDelete) == -3;
         }},
        {"scheduler", "SETCASEAUDITATTACH without 0x80",
         [&](COfficeClient& c) {
             return !c.SetCaseAuditAttach(probeNumber, attachment.attachmentId, CBinaryObject("x"));
         }},
        {"clerk", "GETCASEATTACHMENTS of an open case with 0x400000",
         [&](COfficeClient& c) {
             std::vector<CAttachment> list;
             return !c.GetCaseAttachments(probeNumber, list);
         }},
        {"clerk", "SETCASEATTACHMENT on an open case with 0x400000",
         [&](COfficeClient& c) {
             return c.SetCaseAttachment(probeNumber, attachment, CBinaryObject("x"), CInventoryServer::modeAdd) == -3;
         }},
        {"reviewer", "GETCASEBILLINGENTRIES without 0x200",
         [&](COfficeClient& c) {
             std::vector<CBillingEntry> entries;
             return !c.GetCaseBillingEntries(probeNumber, entries);
         }},
        {"reviewer", "SETCASEBILLINGENTRY without 0x200",
         [&](COfficeClient& c) { return !c.SetCaseBillingEntry(probeNumber, entry, CInventoryServer::modeAdd); }},
        {"reviewer", "GETCASEDEFBILLINGENTRY without 0x200",
         [&](COfficeClient& c) {
             CBillingEntry proposal;
             return !c.GetCaseDefBillingEntry(probeNumber, kDirectParent, false, proposal);
         }},
        {"reviewer", "GETMULTICASEBILLING without 0x200",
         [&](COfficeClient& c) {
             std::vector<CMultiBillingEntry> proposals;
             return !c.GetMultiCaseBilling({probeNumber}, CInventoryServer::billParents, proposals);
         }},
        {"reviewer", "SETMULTICASEBILLING without 0x200",
         [&](COfficeClient& c) {
             CMultiBillingEntry proposal;
             proposal.entry = entry;
             proposal.opaqueText1 = probeNumber;
             return !c.SetMultiCaseBilling({proposal});
         }},
        // A customer rep and a parent reach only their parent's cases.
        {"rep", "GETCASE of another parent's case",
         [&](COfficeClient& c) {
             CAuditCase record;
             return !c.GetCase(otherNumber, record);
         }},
        {"rep", "GETCASEATTACHMENTS of another parent's case",
         [&](COfficeClient& c) {
             std::vector<CAttachment> list;
             return !c.GetCaseAttachments(otherNumber, list);
         }},
        {"carrier", "SETCASE moving its case to another parent",
         [&](COfficeClient& c) {
             return c.SetCase(probeNumber, edited([](CAuditCase& r) { r.parentName = kUnlinkedParent; })) == -3;
         }},
        {"carrier", "CREATECASE for another parent",
         [&](COfficeClient& c) { return c.CreateCase(PlainCase("Not ours", kUnlinkedParent)).empty(); }},
        {"carrier", "DELETECASES of another parent's case",
         [&](COfficeClient& c) { return c.DeleteCases({otherNumber}) == -3; }},
        // Accounts, places, defaults and views.
        {"auditor", "GETPARENTUSER without 0x3",
         [&](COfficeClient& c) {
             CAdminParentUser parent;
             return !c.GetParentUser(kUnlinkedParent, parent);
         }},
        {"rep", "GETPARENTUSER of a parent not its own",
         [&](COfficeClient& c) {
             CAdminParentUser parent;
             return !c.GetParentUser(kUnlinkedParent, parent);
         }},
        {"auditor", "SETPARENTUSER without 0x2",
         [&](COfficeClient& c) {
             CAdminParentUser parent;
             return c.SetParentUser(kUnlinkedParent, parent, CInventoryServer::modeDelete) == -3;
         }},
        {"auditor", "SYNCPARENT without 0x2",
         [&](COfficeClient& c) { return c.SyncParent(kDirectParent) == "Access denied"; }},
        {"auditor", "GETCHILDUSER of another child without 0xC",
         [&](COfficeClient& c) {
             CAdminChildUser child;
             return !c.GetChildUser("Demo Reviewer", child);
         }},
        {"biller", "SETCHILDUSER without 0x8",
         [&](COfficeClient& c) {
             CAdminChildUser child;
             return c.SetChildUser("Demo Reviewer", child, CInventoryServer::modeDelete) == -3;
         }},
        {"auditor", "GETTERRITORY without 0x30",
         [&](COfficeClient& c) {
             CAdminTerritory territory;
             territory.regionName = "Northeast";
             territory.territoryName = "Boston Metro";
             return !c.GetTerritory(territory);
         }},
        {"scheduler", "SETREGION without 0x20",
         [&](COfficeClient& c) {
             CAdminRegion region;
             region.name = "Northeast";
             return c.SetRegion("Northeast", region, CInventoryServer::modeDelete) == -3;
         }},
        {"scheduler", "SETTERRITORY without 0x20",
         [&](COfficeClient& c) {
             CAdminTerritory territory;
             territory.regionName = "Northeast";
             territory.territoryName = "Boston Metro";
             return c.SetTerritory("Boston Metro", territory, CInventoryServer::modeDelete) == -3;
         }},
        {"biller", "GETBILLINGDEFSET of a parent without 0x2",
         [&](COfficeClient& c) {
             std::vector<CBillingDef> rows;
             return !c.GetBillingDefSet(kUnlinkedParent, CInventoryServer::parentAccount, rows);
         }},
        {"biller", "SETBILLINGDEFSET of a parent without 0x2",
         [&](COfficeClient& c) { return !c.SetBillingDefSet(kUnlinkedParent, CInventoryServer::parentAccount, {}); }},
        {"auditor", "GETCASEVIEWPROPSET of another child without 0x8",
         [&](COfficeClient& c) {
             CInventoryServer::Objects<CCaseQueryData> views;
             return !c.GetCaseViewPropSet("reviewer", views);
         }},
        {"auditor", "SETCASEVIEWPROPSET of another child without 0x8",
         [&](COfficeClient& c) { return !c.SetCaseViewPropSet("reviewer", {}); }},
        {"auditor", "SETREPORTVIEWPROPSET of another child without 0x8",
         [&](COfficeClient& c) { return !c.SetReportViewPropSet("reviewer", {}); }},
    };

    const std::string before = Snapshot(*chief);
    const std::string firstMark = chief->CreateCase(PlainCase("Before the refusals"));
    for (const RefusalRow& row : rows) {
        COfficeClient& user = *users.at(row.userId);
        EXPECT_TRUE(row.refused(user)) << row.userId << ": " << row.what;
        // The refusal leaves the conversation in step.
        CInventoryInfo info;
        EXPECT_TRUE(user.GetInventoryInfo(false, info)) << row.userId << " after " << row.what;
    }
    EXPECT_TRUE(Snapshot(*chief) == before);
    // No row created a case: the next number follows the one before the table.
    const std::string lastMark = chief->CreateCase(PlainCase("After the refusals"));
    EXPECT_EQ(std::stoi(lastMark.substr(5)), std::stoi(firstMark.substr(5)) + 1) << firstMark << " " << lastMark;

    // What the same users may do.
    CAdminChildUser self;
    EXPECT_TRUE(users["auditor"]->GetChildUser("Demo Auditor", self));
    CAdminParentUser own;
    EXPECT_TRUE(users["rep"]->GetParentUser(kDirectParent, own));
    EXPECT_TRUE(users["carrier"]->GetParentUser(kDirectParent, own));
    EXPECT_FALSE(users["carrier"]->CreateCase(PlainCase("Ordered by the carrier", kDirectParent)).empty());
    CInventoryServer::Objects<CCaseQueryData> views;
    EXPECT_TRUE(users["auditor"]->GetCaseViewPropSet("auditor", views));
    CAuditCase reached;
    EXPECT_TRUE(users["rep"]->GetCase(probeNumber, reached));
    CAuditCase archived = PlainCase("Archived insured");
    archived.childGroupCode = CAuditCase::kArchiveGroup;
    const std::string archivedNumber = chief->CreateCase(archived);
    EXPECT_EQ(users["clerk"]->SetCaseAttachment(archivedNumber, attachment, CBinaryObject("x"),
                                                CInventoryServer::modeAdd),
              0);
    EXPECT_TRUE(users["clerk"]->GetCaseAttachments(archivedNumber, attachments));
    EXPECT_EQ(attachments.size(), 1u);
    // Without the right to edit cases, clearing the mark of new progress reports is
    // still stored.
    EXPECT_EQ(users["biller"]->SetCase(probeNumber, edited([](CAuditCase& r) { r.hasNewProgressReports = false; })),
              0);
    CAuditCase after;
    ASSERT_TRUE(chief->GetCase(probeNumber, after));
    EXPECT_FALSE(after.hasNewProgressReports);
}
