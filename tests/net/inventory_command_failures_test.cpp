// How every command operation fails: when the command line cannot be sent, when an
// argument record cannot be sent (nothing is read back then), and when no reply comes
// within the command's time-out. Records report false, status codes -1, CREATECASE an
// empty identifier, SYNCPARENT the text of the step that failed.

#include "codec/binary_object.h"
#include "net/command_wire.h"
#include "net/inventory_server.h"
#include "records/admin_child_user.h"
#include "records/admin_parent_user.h"
#include "records/admin_region.h"
#include "records/admin_territory.h"
#include "records/attachment.h"
#include "records/audit_case.h"
#include "records/billing_def.h"
#include "records/billing_entry.h"
#include "records/case_multi_props.h"
#include "records/case_query_data.h"
#include "records/case_query_request_info.h"
#include "records/case_query_results.h"
#include "records/case_schedule_info.h"
#include "records/case_view_param.h"
#include "records/inventory_info.h"
#include "records/multi_billing_entry.h"
#include "records/policy_page.h"
#include "records/progress_rpt_entry.h"
#include "records/region_loc_rec.h"
#include "records/report_prop_item.h"
#include "records/report_view_param.h"
#include "records/tracking_entry.h"
#include "records/ui_dialog.h"
#include "support/fake_peer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace command_wire;

namespace {

constexpr int kDefault = 300;
constexpr int kReply = 600;
constexpr int kLong = 3600;

using S = CInventoryServer;
const S::CaseIds kIds = {"A-1001"};

std::string B(bool value) { return value ? "true" : "false"; }
std::string I(int value) { return std::to_string(value); }

struct Operation {
    const char* name;
    bool sendsRecord;   // has a text or record argument (an object envelope)
    int replyTimeout;   // the first reply wait
    std::string failure;  // the result when the exchange breaks down
    std::function<std::string(S&)> call;
};

// Every command but SYNCPARENT, whose texts are tested on their own below.
std::vector<Operation> AllOperations()
{
    static CBinaryObject block(std::string("bytes"));
    return {
        {"GETCASEVIEWPARAMSET", false, kDefault, "false",
         [](S& s) { std::vector<CCaseViewParam> v; return B(s.GetCaseViewParamSet(v)); }},
        {"GENERATECASEVIEW", true, kReply, "false",
         [](S& s) { CCaseQueryResults r; return B(s.GenerateCaseView(CCaseQueryRequestInfo(), r)); }},
        {"GETREPORTVIEWPARAMSET", false, kDefault, "false",
         [](S& s) { std::vector<CReportViewParam> v; return B(s.GetReportViewParamSet(v)); }},
        {"GETINVENTORYINFO", false, kDefault, "false", [](S& s) { CInventoryInfo i; return B(s.GetInventoryInfo(false, i)); }},
        {"GENERATECASEREPORTVIEW", true, kLong, "false",
         [](S& s) { CBinaryObject b; return B(s.GenerateCaseReportView("R", kIds, S::outputPrintout, b)); }},
        {"GETCASETRACKING", true, kReply, "false",
         [](S& s) { std::vector<CTrackingEntry> v; return B(s.GetCaseTracking("A", v)); }},
        {"GETCASEPOLICYDETAIL", true, kReply, "false",
         [](S& s) { std::vector<CPolicyPage> v; return B(s.GetCasePolicyDetail("A", v)); }},
        {"SETCASEPOLICYDETAIL", true, kReply, "false", [](S& s) { return B(s.SetCasePolicyDetail("A", {})); }},
        {"GETCASESCHEDULEINFO", true, kReply, "false",
         [](S& s) { CCaseScheduleInfo i; return B(s.GetCaseScheduleInfo("A", i)); }},
        {"SETCASESCHEDULEINFO", true, kReply, "false",
         [](S& s) { return B(s.SetCaseScheduleInfo("A", CCaseScheduleInfo())); }},
        {"SETCASEPROGRESSRPT", true, kReply, "false",
         [](S& s) { return B(s.SetCaseProgressRpt("A", CProgressRptEntry(), S::modeAdd)); }},
        {"GETCASEPROGRESSRPTS", true, kReply, "false",
         [](S& s) { std::vector<CProgressRptEntry> v; return B(s.GetCaseProgressRpts("A", v)); }},
        {"DELETECASES", true, kReply, "-1", [](S& s) { return I(s.DeleteCases(kIds)); }},
        {"GETCASE", true, kReply, "false", [](S& s) { CAuditCase c; return B(s.GetCase("A", c)); }},
        {"SETCASE", true, kReply, "-1", [](S& s) { return I(s.SetCase("A", CAuditCase())); }},
        {"CREATECASE", true, kReply, "", [](S& s) { return s.CreateCase(CAuditCase()); }},
        {"GETMULTICASEPROPS", true, kReply, "-1", [](S& s) { CCaseMultiProps p; return I(s.GetMultiCaseProps(kIds, p)); }},
        {"SETMULTICASEPROPS", true, kReply, "-1", [](S& s) { return I(s.SetMultiCaseProps(kIds, CCaseMultiProps())); }},
        {"GETTERRITORYBYLOC", true, kReply, "false",
         [](S& s) { CRegionTerrRec t; return B(s.GetTerritoryByLoc(CRegionLocRec(), t)); }},
        {"GETCASEVIEW", false, kReply, "false", [](S& s) { CCaseQueryData v; return B(s.GetCaseView(1, v)); }},
        {"SETCASEVIEW", true, kReply, "false", [](S& s) { return B(s.SetCaseView(-1, CCaseQueryData())); }},
        {"GETCASEAUDITATTACH", true, kReply, "false",
         [](S& s) { CStringObject p; return B(s.GetCaseAuditAttach("A", 1, p)); }},
        {"GETCASESURVEYATTACH", true, kReply, "false",
         [](S& s) { CStringObject p; return B(s.GetCaseSurveyAttach("A", 1, p)); }},
        {"GETCASEFILEATTACH", true, kReply, "false",
         [](S& s) { CBinaryObject b; return B(s.GetCaseFileAttach("A", 1, b)); }},
        {"GETCASEATTACHMENTS", true, kReply, "false",
         [](S& s) { std::vector<CAttachment> v; return B(s.GetCaseAttachments("A", v)); }},
        {"GETREPORTVIEW", true, kReply, "false", [](S& s) { CUIDialog d; return B(s.GetReportView("R", d)); }},
        {"SETREPORTVIEW", true, kReply, "false", [](S& s) { return B(s.SetReportView("R", CUIDialog())); }},
        {"SETCASEATTACHMENT", true, kReply, "-1",
         [](S& s) { return I(s.SetCaseAttachment("A", CAttachment(), block, S::modeAdd)); }},
        {"SETCASEAUDITATTACH", true, kReply, "false", [](S& s) { return B(s.SetCaseAuditAttach("A", 1, block)); }},
        {"RESETCASELINKS", true, kReply, "-1", [](S& s) { return I(s.ResetCaseLinks(kIds, S::resetBothLinks)); }},
        {"SETCASEBILLINGENTRY", true, kReply, "false",
         [](S& s) { return B(s.SetCaseBillingEntry("A", CBillingEntry(), S::modeAdd)); }},
        {"GETCASEBILLINGENTRIES", true, kReply, "false",
         [](S& s) { std::vector<CBillingEntry> v; return B(s.GetCaseBillingEntries("A", v)); }},
        {"GETCITYSTATEFROMZIP", true, kReply, "false",
         [](S& s) { std::vector<std::string> v; return B(s.GetCityStateFromZip("30301", v)); }},
        {"GETPARENTUSER", true, kReply, "false", [](S& s) { CAdminParentUser p; return B(s.GetParentUser("P", p)); }},
        {"GETCHILDUSER", true, kReply, "false", [](S& s) { CAdminChildUser c; return B(s.GetChildUser("C", c)); }},
        {"GETMULTICASEBILLING", true, kReply, "false",
         [](S& s) { std::vector<CMultiBillingEntry> v; return B(s.GetMultiCaseBilling(kIds, S::billParents, v)); }},
        {"SETMULTICASEBILLING", true, kReply, "false",
         [](S& s) { return B(s.SetMultiCaseBilling({CMultiBillingEntry()})); }},
        {"GETCASEAUDITATTACHPDF", true, kReply, "false",
         [](S& s) { CBinaryObject b; return B(s.GetCaseAuditAttachPdf("A", 1, b)); }},
        {"GETCASESURVEYATTACHPDF", true, kReply, "false",
         [](S& s) { CBinaryObject b; return B(s.GetCaseSurveyAttachPdf("A", 1, b)); }},
        {"GETCASEAUDITATTACHDOC", true, kReply, "false",
         [](S& s) { CBinaryObject b; return B(s.GetCaseAuditAttachDoc("A", 1, S::outputTiff, b)); }},
        {"GETCASESURVEYATTACHDOC", true, kReply, "false",
         [](S& s) { CBinaryObject b; return B(s.GetCaseSurveyAttachDoc("A", 1, S::outputXps, b)); }},
        {"GETCASEVIEWPROPSET", true, kReply, "false",
         [](S& s) { S::Objects<CCaseQueryData> v; return B(s.GetCaseViewPropSet("k", v)); }},
        {"SETCASEVIEWPROPSET", true, kReply, "false", [](S& s) { return B(s.SetCaseViewPropSet("k", {})); }},
        {"GETREPORTVIEWPROPSET", true, kReply, "false",
         [](S& s) { S::Objects<CReportPropItem> v; return B(s.GetReportViewPropSet("k", v)); }},
        {"SETREPORTVIEWPROPSET", true, kReply, "false", [](S& s) { return B(s.SetReportViewPropSet("k", {})); }},
        {"GETREPORTFILENAMES", false, kDefault, "false",
         [](S& s) { std::vector<std::string> v; return B(s.GetReportFileNames(v)); }},
        {"ADMINGETREPORTVIEW", true, kReply, "false",
         [](S& s) { CUIDialog d; return B(s.AdminGetReportView(CReportPropItem(), d)); }},
        {"ADMINSETREPORTVIEW", true, kReply, "false",
         [](S& s) { CReportPropItem i; return B(s.AdminSetReportView(CUIDialog(), i)); }},
        {"SETCHILDUSER", true, kReply, "-1", [](S& s) { return I(s.SetChildUser("C", CAdminChildUser(), S::modeAdd)); }},
        {"SETPARENTUSER", true, kReply, "-1",
         [](S& s) { return I(s.SetParentUser("P", CAdminParentUser(), S::modeAdd)); }},
        {"GETLOGGEDUSERS", false, kDefault, "false",
         [](S& s) { std::vector<std::string> v; return B(s.GetLoggedUsers(v)); }},
        {"SETREGION", true, kReply, "-1", [](S& s) { return I(s.SetRegion("R", CAdminRegion(), S::modeAdd)); }},
        {"SETTERRITORY", true, kReply, "-1",
         [](S& s) { return I(s.SetTerritory("T", CAdminTerritory(), S::modeAdd)); }},
        {"GETTERRITORY", true, kReply, "false", [](S& s) { CAdminTerritory t; return B(s.GetTerritory(t)); }},
        {"GETBILLINGDEFSET", true, kReply, "false",
         [](S& s) { std::vector<CBillingDef> v; return B(s.GetBillingDefSet("P", S::parentAccount, v)); }},
        {"SETBILLINGDEFSET", true, kReply, "false",
         [](S& s) { return B(s.SetBillingDefSet("P", S::parentAccount, {})); }},
        {"GETCASEDEFBILLINGENTRY", true, kReply, "false",
         [](S& s) { CBillingEntry e; return B(s.GetCaseDefBillingEntry("A", "P", false, e)); }},
        {"IMPORTCASES", true, kDefault, "false",
         [](S& s) { std::vector<std::string> v; return B(s.ImportCases(block, v)); }},
    };
}

// A connected client against a peer that takes in whatever comes and never answers.
struct SilentPeer {
    SilentPeer()
    {
        peer.ReadToEnd();
        peer.Start();
        EXPECT_EQ(client.ConnectByName("127.0.0.1", peer.Port()), 0);
    }
    ~SilentPeer()
    {
        client.Close();
        EXPECT_TRUE(peer.WaitDone());
    }
    CFakePeer peer;
    CRecordingServer client;
};

}  // namespace

TEST(CommandFailures, TheTableCoversEveryCommandOnce)
{
    std::vector<std::string> names;
    for (const Operation& op : AllOperations())
        names.push_back(op.name);
    names.push_back("SYNCPARENT");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
    EXPECT_EQ(names.size(), 59u);
}

TEST(CommandFailures, UnsentCommandLineFailsEveryOperation)
{
    for (const Operation& op : AllOperations()) {
        CRecordingServer unconnected;
        EXPECT_EQ(op.call(unconnected), op.failure) << op.name;
        EXPECT_TRUE(unconnected.waits.empty()) << op.name << " waited for a reply";
    }
}

TEST(CommandFailures, UnsentArgumentEndsTheOperationBeforeAnyReply)
{
    for (const Operation& op : AllOperations()) {
        if (!op.sendsRecord)
            continue;
        SilentPeer link;
        // Stopping a payload half-way is a failed send, like a send that broke.
        link.client.SetSendProgressHook([](int64_t) { return 0; });
        EXPECT_EQ(op.call(link.client), op.failure) << op.name;
        EXPECT_TRUE(link.client.waits.empty()) << op.name << " waited for a reply";
    }
}

TEST(CommandFailures, MissingReplyFailsAfterTheCommandsTimeout)
{
    for (const Operation& op : AllOperations()) {
        SilentPeer link;
        link.client.waitCap = 0;  // every wait times out at once
        EXPECT_EQ(op.call(link.client), op.failure) << op.name;
        ASSERT_FALSE(link.client.waits.empty()) << op.name;
        EXPECT_EQ(link.client.waits.front(), op.replyTimeout) << op.name;
    }
}

TEST(CommandFailures, SyncParentNamesTheStepThatFailed)
{
    CInventoryServer unconnected;
    EXPECT_EQ(unconnected.SyncParent("Harbor Mutual"), "Error sending command to server");

    {
        SilentPeer link;
        link.client.SetSendProgressHook([](int64_t) { return 0; });
        EXPECT_EQ(link.client.SyncParent("Harbor Mutual"), "Error sending Parent Name to server");
    }
    {
        SilentPeer link;
        link.client.waitCap = 0;
        EXPECT_EQ(link.client.SyncParent("Harbor Mutual"), "Error receiving status string");
        EXPECT_EQ(link.client.Timeouts(), std::vector<int>{kLong});
    }
}
