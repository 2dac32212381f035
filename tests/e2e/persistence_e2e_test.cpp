// What the office client stores stays stored: a server stopped and started again on the
// same database gives back every kind of record, and the accounts log in as before.
// The sessions are enciphered, as a server started with --encrypt asks.

#include "codec/binary_object.h"
#include "e2e/case_samples.h"
#include "e2e/office_client.h"
#include "records/admin_child_user.h"
#include "records/admin_region.h"
#include "records/admin_territory.h"
#include "records/attachment.h"
#include "records/billing_entry.h"
#include "records/case_query_data.h"
#include "records/case_schedule_info.h"
#include "records/case_view_param.h"
#include "records/progress_rpt_entry.h"
#include "records/record_list.h"
#include "records/report_prop_item.h"
#include "records/tracking_entry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class PersistenceEndToEnd : public InventoryEndToEnd {
protected:
    PersistenceEndToEnd() : InventoryEndToEnd({"--demo", "--encrypt"}) {}
};

// Everything the test stored, read back through the client.
std::string StoredState(COfficeClient& client, const std::string& number)
{
    std::string bytes;
    auto add = [&](bool fetched, const CObject& record, const char* what) {
        EXPECT_TRUE(fetched) << what;
        bytes += RecordBytes(record);
    };
    CAuditCase record;
    add(client.GetCase(number, record), record, "case");
    CRecordList<CAttachment> attachments;
    add(client.GetCaseAttachments(number, attachments.items), attachments, "attachments");
    for (const CAttachment& attachment : attachments.items) {
        CBinaryObject file;
        add(client.GetCaseFileAttach(number, attachment.attachmentId, file), file, "attachment bytes");
    }
    CRecordList<CBillingEntry> billing;
    add(client.GetCaseBillingEntries(number, billing.items), billing, "billing entries");
    CRecordList<CProgressRptEntry> reports;
    add(client.GetCaseProgressRpts(number, reports.items), reports, "progress reports");
    CCaseScheduleInfo schedule;
    add(client.GetCaseScheduleInfo(number, schedule), schedule, "schedule");
    CRecordList<CTrackingEntry> history;
    add(client.GetCaseTracking(number, history.items), history, "history");
    CAdminChildUser child;
    add(client.GetChildUser("Sam Field", child), child, "child");
    CAdminTerritory territory;
    territory.regionName = "Southwest";
    territory.territoryName = "Phoenix Metro";
    add(client.GetTerritory(territory), territory, "territory");
    CRecordList<CCaseViewParam> views;
    add(client.GetCaseViewParamSet(views.items), views, "case views");
    CObjectList<CReportPropItem> reportViews;
    add(client.GetReportViewPropSet("chief", reportViews.items), reportViews, "report views");
    return bytes;
}

}  // namespace

TEST_F(PersistenceEndToEnd, EverythingSurvivesARestart)
{
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());
    ASSERT_TRUE(admin->IsEncrypted());
    auto chief = LogInChief(*admin);
    ASSERT_TRUE(chief->LoggedIn());

    const std::string number = chief->CreateCase(FullCase(1));
    ASSERT_FALSE(number.empty());
    CAttachment file;
    file.kind = "FILE";
    file.name = "Ledger";
    file.fileName = "ledger.bin";
    file.isDefault = true;
    ASSERT_EQ(chief->SetCaseAttachment(number, file, CBinaryObject(std::string(70000, '\x01') + "end"),
                                       CInventoryServer::modeAdd),
              0);
    CBillingEntry entry;
    entry.childName = kAuditorChild;
    entry.firstHourRate = 45.0;
    entry.billedAmount = -45.0;
    entry.billingDate = CDateTime{CDateTime::null, 0.0};
    ASSERT_TRUE(chief->SetCaseBillingEntry(number, entry, CInventoryServer::modeAdd));
    CProgressRptEntry report;
    report.comment = "Waiting for the general ledger.";
    ASSERT_TRUE(chief->SetCaseProgressRpt(number, report, CInventoryServer::modeAdd));
    CCaseScheduleInfo schedule;
    schedule.scheduledStart = CDateTime{CDateTime::valid, 46010.375};
    schedule.scheduledEnd = CDateTime{CDateTime::valid, 46010.5};
    ASSERT_TRUE(chief->SetCaseScheduleInfo(number, schedule));
    CAdminChildUser child;
    child.name = "Sam Field";
    child.userId = "sfield";
    child.password = "secret1";
    child.group = 1;
    child.rights = 0xE7280;
    ASSERT_EQ(chief->SetChildUser("", child, CInventoryServer::modeAdd), 0);
    CAdminRegion region;
    region.name = "Southwest";
    ASSERT_EQ(chief->SetRegion("", region, CInventoryServer::modeAdd), 0);
    CAdminTerritory territory;
    territory.regionName = "Southwest";
    territory.territoryName = "Phoenix Metro";
    territory.zipCodes = {"85004"};
    ASSERT_EQ(chief->SetTerritory("", territory, CInventoryServer::modeAdd), 0);
    CCaseQueryData view;
    view.name = "Chief's open cases";
    view.scope = 0x1;
    ASSERT_TRUE(chief->SetCaseView(-1, view));
    auto reportView = std::make_shared<CReportPropItem>();
    reportView->name = "Aging";
    reportView->reportFile = "DueDateAging.rpt";
    reportView->settings = std::string("\x00\x02", 2);
    ASSERT_TRUE(chief->SetReportViewPropSet("chief", {reportView}));

    const std::string before = StoredState(*chief, number);
    chief.reset();
    admin.reset();
    ASSERT_EQ(m_server.Stop(), 0) << m_server.Log();

    // The same database, without --demo: nothing is seeded again.
    CServerProcess again({"--encrypt"}, m_server.DatabasePath());
    ASSERT_TRUE(again.Start()) << again.Log();
    auto chiefAgain = LogInAt(again.Port(), kChiefUserId, kChiefUserId);
    ASSERT_TRUE(chiefAgain->LoggedIn());
    EXPECT_TRUE(StoredState(*chiefAgain, number) == before);
    EXPECT_TRUE(LogInAt(again.Port(), "sfield", "secret1")->LoggedIn());
    EXPECT_TRUE(LogInAt(again.Port(), "admin", "admin")->LoggedIn());
    // The case numbers of the year go on where they stopped.
    const std::string next = chiefAgain->CreateCase(PlainCase("After the restart"));
    EXPECT_EQ(std::stoi(next.substr(5)), std::stoi(number.substr(5)) + 1);
}
