// Every command of the command layer against a scripted peer: the exact bytes of the
// command line and its arguments, the reply items read (no more and no fewer), the
// reply time-out, and what the operation returns, for success and for the server's
// refusals. Expected bytes are built from archive calls, not by the command layer.

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
#include "records/case_query_data_row.h"
#include "records/case_query_request_info.h"
#include "records/case_query_result_col_info.h"
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

#include <functional>
#include <string>
#include <vector>

using namespace command_wire;

namespace {

constexpr int kDefault = 300;
constexpr int kReply = 600;
constexpr int kLong = 3600;

// The peer sends this after every reply. Reading it right after the command proves that
// the command took exactly its reply items off the socket.
const std::string kMarker = "77\r\n";

using Ids = std::vector<std::string>;
const Ids kIds = {"A-1001", "A-1002"};

struct CommandRow {
    std::string label;
    std::string request;  // what the client must send, byte for byte
    std::string reply;    // what the peer answers
    std::vector<int> timeouts;
    std::function<void(CInventoryServer&)> run;  // calls the operation, checks its result
};

void Play(const CommandRow& row)
{
    SCOPED_TRACE(row.label);
    CFakePeer peer;
    peer.Read(row.request.size()).Write(row.reply + kMarker).ReadToEnd();
    peer.Start();
    CRecordingServer client;
    ASSERT_EQ(client.ConnectByName("127.0.0.1", peer.Port()), 0);

    row.run(client);
    EXPECT_EQ(client.Timeouts(), row.timeouts);
    int32_t marker = 0;
    EXPECT_GT(client.ReceiveInt(marker, 5), 0);
    EXPECT_EQ(marker, 77) << "the reply items were not read exactly";

    client.Close();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(), row.request);
}

void PlayAll(const std::vector<CommandRow>& rows)
{
    for (const CommandRow& row : rows)
        Play(row);
}

template <class T>
void ExpectSame(const T& got, const T& want)
{
    EXPECT_EQ(Stored(got), Stored(want));
}

template <class T>
void ExpectSameList(const std::vector<T>& got, const std::vector<T>& want)
{
    EXPECT_EQ(StoredList(got), StoredList(want));
}

template <class T>
std::string StoredObjects(std::vector<std::shared_ptr<T>> objects)
{
    return Stored([&](CArchive& ar) { ar.ObjectArray(objects); });
}

// --- Sample records, each with something of its own to tell it apart ------------------

CAuditCase SampleCase()
{
    CAuditCase c;
    c.caseNumber = "A-1001";
    c.insuredName = "Lakeside Bakery";
    c.parentName = "Harbor Mutual";
    c.userFlags = 5;
    CPolicyPage page;
    page.label = "Order";
    page.text = "Rush";
    c.policyPages.push_back(page);
    return c;
}

std::vector<CCaseViewParam> SampleViewParams()
{
    CCaseViewParam open;
    open.viewId = 3;
    open.name = "Open Audits";
    open.scope = 4;
    CCaseViewParam search;
    search.viewId = 9;
    search.name = "Search";
    search.viewType = CCaseViewParam::searchView;
    return {open, search};
}

CCaseQueryRequestInfo SampleQuery()
{
    CCaseQueryRequestInfo query;
    query.viewId = 3;
    query.target = "Harbor Mutual";
    return query;
}

CCaseQueryResults SampleResults()
{
    CCaseQueryResults results;
    auto column = std::make_shared<CCaseQueryResultColInfo>();
    column->header = "Case #";
    column->width = 80;
    results.resultColumns.push_back(column);
    auto row = std::make_shared<CCaseQueryDataRow>();
    row->cells = {"A-1001"};
    results.rows.push_back(row);
    return results;
}

CCaseQueryData SampleViewDefinition(const std::string& name)
{
    CCaseQueryData view;
    view.name = name;
    view.scope = 2;
    auto column = std::make_shared<CCaseQueryColInfo>();
    column->fieldToken = "[InsuredName]";
    column->header = "Insured";
    view.columns.push_back(column);
    return view;
}

CInventoryInfo SampleInfo()
{
    CInventoryInfo info;
    info.regions = {"North", "South"};
    info.ownChildName = "Demo Administrator";
    info.rights = 0xFFEAA;
    return info;
}

std::vector<CReportViewParam> SampleReportViews()
{
    CReportViewParam monthly;
    monthly.viewId = 4;
    monthly.name = "Monthly";
    return {monthly};
}

CBinaryObject SampleBlock()
{
    return CBinaryObject(std::string("%PDF-1.4\0\xff tail", 15));
}

std::vector<CTrackingEntry> SampleHistory()
{
    CTrackingEntry first;
    first.childName = "J. Ortega";
    first.groupName = "Auditors";
    CTrackingEntry second;
    second.childName = CTrackingEntry::kUnassigned;
    return {first, second};
}

std::vector<CPolicyPage> SamplePages()
{
    CPolicyPage page;
    page.label = "Locations";
    page.text = "12 Main St";
    return {page, page};
}

CCaseScheduleInfo SampleSchedule()
{
    CCaseScheduleInfo schedule;
    schedule.dateOnly = 1;
    schedule.scheduledEnd = kNullDate;
    return schedule;
}

CProgressRptEntry SampleProgress()
{
    CProgressRptEntry entry;
    entry.entryId = 9;
    entry.comment = "Called the insured";
    entry.internal = true;
    return entry;
}

CCaseMultiProps SampleMultiProps()
{
    CCaseMultiProps props;
    props.archived = CCaseMultiProps::mixed;
    props.parentName = "Harbor Mutual";
    props.parentGiven = 1;
    props.caseNumbers = kIds;
    return props;
}

CUIDialog SampleDialog(const std::string& value)
{
    CUIDialog dialog;
    auto edit = std::make_shared<CUIEditControl>();
    edit->text = value;
    edit->controlId = 1001;
    dialog.controls.push_back(edit);
    dialog.title = "Monthly";
    return dialog;
}

CReportPropItem SamplePropItem(const std::string& settings)
{
    CReportPropItem item;
    item.name = "Monthly";
    item.reportFile = "monthly.rpt";
    item.settings = settings;
    return item;
}

std::vector<CAttachment> SampleAttachments()
{
    CAttachment audit;
    audit.attachmentId = 3;
    audit.kind = "AUDIT";
    audit.printable = true;
    CAttachment file;
    file.attachmentId = 4;
    file.kind = "FILE";
    file.fileName = "photo.jpg";
    return {audit, file};
}

CBillingEntry SampleBilling()
{
    CBillingEntry entry;
    entry.childName = "J. Ortega";
    entry.kind = CBillingEntry::hourly;
    entry.firstHourRate = 65.0;
    entry.billingDate = kNullDate;
    return entry;
}

std::vector<CMultiBillingEntry> SampleMultiBilling()
{
    CMultiBillingEntry entry;
    entry.entry = SampleBilling();
    entry.opaqueText1 = "A-1001";
    return {entry};
}

std::vector<CBillingDef> SampleDefaults()
{
    CBillingDef row;
    row.description = "Physical audit";
    row.hourly = 1;
    row.firstAmount = 70.0;
    row.auditSource = CBillingDef::kAll;
    return {row};
}

CAdminTerritory TerritoryKey()
{
    CAdminTerritory territory;
    territory.regionName = "North";
    territory.territoryName = "Lakes";
    return territory;
}

CAdminTerritory FullTerritory()
{
    CAdminTerritory territory = TerritoryKey();
    territory.billingCode = 3;
    territory.zipCodes = {"53201", "53202"};
    territory.counties = {"Milwaukee"};
    territory.countyStates = {"WI"};
    return territory;
}

}  // namespace

TEST(CommandWire, CaseViewsInventoryAndQueries)
{
    using V = std::vector<std::shared_ptr<CCaseQueryData>>;
    const V views = {std::make_shared<CCaseQueryData>(SampleViewDefinition("Open")),
                     std::make_shared<CCaseQueryData>(SampleViewDefinition("Closed"))};
    PlayAll({
        {"GETCASEVIEWPARAMSET", Line("GETCASEVIEWPARAMSET"), RecordList(SampleViewParams()), {kDefault},
         [](CInventoryServer& s) {
             std::vector<CCaseViewParam> got;
             EXPECT_TRUE(s.GetCaseViewParamSet(got));
             ExpectSameList(got, SampleViewParams());
         }},
        {"GENERATECASEVIEW", Line("GENERATECASEVIEW") + Record(SampleQuery()), Record(SampleResults()), {kReply},
         [](CInventoryServer& s) {
             CCaseQueryResults got;
             EXPECT_TRUE(s.GenerateCaseView(SampleQuery(), got));
             ExpectSame(got, SampleResults());
         }},
        {"GETINVENTORYINFO with hidden nodes", Line("GETINVENTORYINFO") + Int(1), Record(SampleInfo()), {kDefault},
         [](CInventoryServer& s) {
             CInventoryInfo got;
             EXPECT_TRUE(s.GetInventoryInfo(true, got));
             ExpectSame(got, SampleInfo());
         }},
        {"GETINVENTORYINFO without hidden nodes", Line("GETINVENTORYINFO") + Int(0), Record(SampleInfo()),
         {kDefault},
         [](CInventoryServer& s) {
             CInventoryInfo got;
             EXPECT_TRUE(s.GetInventoryInfo(false, got));
         }},
        {"GETCASEVIEW", Line("GETCASEVIEW") + Int(12), Record(SampleViewDefinition("Open")), {kReply},
         [](CInventoryServer& s) {
             CCaseQueryData got;
             EXPECT_TRUE(s.GetCaseView(12, got));
             ExpectSame(got, SampleViewDefinition("Open"));
         }},
        {"SETCASEVIEW of a new view", Line("SETCASEVIEW") + Int(-1) + Record(SampleViewDefinition("New")), Int(0),
         {kReply}, [](CInventoryServer& s) { EXPECT_TRUE(s.SetCaseView(-1, SampleViewDefinition("New"))); }},
        {"SETCASEVIEW refused", Line("SETCASEVIEW") + Int(7) + Record(SampleViewDefinition("Old")), Int(-3),
         {kReply}, [](CInventoryServer& s) { EXPECT_FALSE(s.SetCaseView(7, SampleViewDefinition("Old"))); }},
        {"GETCASEVIEWPROPSET", Line("GETCASEVIEWPROPSET") + Text("jortega"), ObjectList(views), {kReply},
         [views](CInventoryServer& s) {
             V got;
             EXPECT_TRUE(s.GetCaseViewPropSet("jortega", got));
             EXPECT_EQ(StoredObjects(got), StoredObjects(views));
         }},
        {"GETCASEVIEWPROPSET with an empty entry", Line("GETCASEVIEWPROPSET") + Text("jortega"),
         ObjectList(V{views[0], nullptr}), {kReply},
         [views](CInventoryServer& s) {
             V got = views;
             EXPECT_FALSE(s.GetCaseViewPropSet("jortega", got));
             EXPECT_EQ(StoredObjects(got), StoredObjects(views)) << "the caller's list is left alone";
         }},
        {"SETCASEVIEWPROPSET", Line("SETCASEVIEWPROPSET") + Text("jortega") + ObjectList(views), Int(0), {kReply},
         [views](CInventoryServer& s) { EXPECT_TRUE(s.SetCaseViewPropSet("jortega", views)); }},
        {"SETCASEVIEWPROPSET refused", Line("SETCASEVIEWPROPSET") + Text("jortega") + ObjectList(views), Int(-1),
         {kReply}, [views](CInventoryServer& s) { EXPECT_FALSE(s.SetCaseViewPropSet("jortega", views)); }},
    });
}

TEST(CommandWire, Cases)
{
    PlayAll({
        {"GETCASE", Line("GETCASE") + Text("A-1001"), Record(SampleCase()), {kReply},
         [](CInventoryServer& s) {
             CAuditCase got;
             EXPECT_TRUE(s.GetCase("A-1001", got));
             ExpectSame(got, SampleCase());
         }},
        {"GETCASE with a reply that does not load", Line("GETCASE") + Text("A-1001"), "6\r\nbroken", {kReply},
         [](CInventoryServer& s) {
             CAuditCase got = SampleCase();
             EXPECT_FALSE(s.GetCase("A-1001", got));
             ExpectSame(got, SampleCase());
         }},
        {"SETCASE refused", Line("SETCASE") + Text("A-1001") + Record(SampleCase()), Int(-2), {kReply},
         [](CInventoryServer& s) { EXPECT_EQ(s.SetCase("A-1001", SampleCase()), -2); }},
        {"SETCASE", Line("SETCASE") + Text("A-1001") + Record(SampleCase()), Int(0), {kReply},
         [](CInventoryServer& s) { EXPECT_EQ(s.SetCase("A-1001", SampleCase()), 0); }},
        {"CREATECASE", Line("CREATECASE") + Record(SampleCase()), Text("A-2001"), {kReply},
         [](CInventoryServer& s) { EXPECT_EQ(s.CreateCase(SampleCase()), "A-2001"); }},
        {"DELETECASES refused", Line("DELETECASES") + Strings(kIds), Int(-2), {kReply},
         [](CInventoryServer& s) { EXPECT_EQ(s.DeleteCases(kIds), -2); }},
        {"RESETCASELINKS", Line("RESETCASELINKS") + Strings(kIds) + Int(2), Int(0), {kReply},
         [](CInventoryServer& s) { EXPECT_EQ(s.ResetCaseLinks(kIds, CInventoryServer::resetChildLink), 0); }},
        {"GETMULTICASEPROPS", Line("GETMULTICASEPROPS") + Strings(kIds), Int(0) + Record(SampleMultiProps()),
         {kReply, kDefault},
         [](CInventoryServer& s) {
             CCaseMultiProps got;
             EXPECT_EQ(s.GetMultiCaseProps(kIds, got), 0);
             ExpectSame(got, SampleMultiProps());
         }},
        {"GETMULTICASEPROPS refused: no record follows", Line("GETMULTICASEPROPS") + Strings(kIds), Int(-2),
         {kReply},
         [](CInventoryServer& s) {
             CCaseMultiProps got;
             EXPECT_EQ(s.GetMultiCaseProps(kIds, got), -2);
             ExpectSame(got, CCaseMultiProps());
         }},
        {"GETMULTICASEPROPS with a record that does not load", Line("GETMULTICASEPROPS") + Strings(kIds),
         Int(0) + "3\r\nbad", {kReply, kDefault},
         [](CInventoryServer& s) {
             CCaseMultiProps got;
             EXPECT_EQ(s.GetMultiCaseProps(kIds, got), -1);
             ExpectSame(got, CCaseMultiProps());
         }},
        {"SETMULTICASEPROPS", Line("SETMULTICASEPROPS") + Strings(kIds) + Record(SampleMultiProps()), Int(-2),
         {kReply}, [](CInventoryServer& s) { EXPECT_EQ(s.SetMultiCaseProps(kIds, SampleMultiProps()), -2); }},
        {"GETTERRITORYBYLOC",
         Line("GETTERRITORYBYLOC") + Envelope([](CArchive& ar) {
             std::string zip = "30301", county = "Fulton", state = "GA";
             ar.String(zip);
             ar.String(county);
             ar.String(state);
         }),
         Envelope([](CArchive& ar) {
             std::string region = "South", territory = "Atlanta";
             ar.String(region);
             ar.String(territory);
         }),
         {kReply},
         [](CInventoryServer& s) {
             CRegionLocRec location;
             location.zip = "30301";
             location.county = "Fulton";
             location.state = "GA";
             CRegionTerrRec got;
             EXPECT_TRUE(s.GetTerritoryByLoc(location, got));
             EXPECT_EQ(got.regionName, "South");
             EXPECT_EQ(got.territoryName, "Atlanta");
         }},
        {"GETCITYSTATEFROMZIP", Line("GETCITYSTATEFROMZIP") + Text("30301"), Strings({"Atlanta", "GA"}), {kReply},
         [](CInventoryServer& s) {
             std::vector<std::string> got;
             EXPECT_TRUE(s.GetCityStateFromZip("30301", got));
             EXPECT_EQ(got, (std::vector<std::string>{"Atlanta", "GA"}));
         }},
        {"IMPORTCASES", Line("IMPORTCASES") + Record(SampleBlock()), Strings({"2 cases imported", "1 rejected"}),
         {kDefault},
         [](CInventoryServer& s) {
             std::vector<std::string> got;
             EXPECT_TRUE(s.ImportCases(SampleBlock(), got));
             EXPECT_EQ(got, (std::vector<std::string>{"2 cases imported", "1 rejected"}));
         }},
    });
}

TEST(CommandWire, CaseDetails)
{
    PlayAll({
        {"GETCASETRACKING", Line("GETCASETRACKING") + Text("A-1001"), RecordList(SampleHistory()), {kReply},
         [](CInventoryServer& s) {
             std::vector<CTrackingEntry> got;
             EXPECT_TRUE(s.GetCaseTracking("A-1001", got));
             ExpectSameList(got, SampleHistory());
         }},
        {"GETCASEPOLICYDETAIL", Line("GETCASEPOLICYDETAIL") + Text("A-1001"), RecordList(SamplePages()), {kReply},
         [](CInventoryServer& s) {
             std::vector<CPolicyPage> got;
             EXPECT_TRUE(s.GetCasePolicyDetail("A-1001", got));
             ExpectSameList(got, SamplePages());
         }},
        {"SETCASEPOLICYDETAIL", Line("SETCASEPOLICYDETAIL") + Text("A-1001") + RecordList(SamplePages()), Int(0),
         {kReply}, [](CInventoryServer& s) { EXPECT_TRUE(s.SetCasePolicyDetail("A-1001", SamplePages())); }},
        {"GETCASESCHEDULEINFO", Line("GETCASESCHEDULEINFO") + Text("A-1001"), Record(SampleSchedule()), {kReply},
         [](CInventoryServer& s) {
             CCaseScheduleInfo got;
             EXPECT_TRUE(s.GetCaseScheduleInfo("A-1001", got));
             ExpectSame(got, SampleSchedule());
         }},
        {"SETCASESCHEDULEINFO refused", Line("SETCASESCHEDULEINFO") + Text("A-1001") + Record(SampleSchedule()),
         Int(-2), {kReply},
         [](CInventoryServer& s) { EXPECT_FALSE(s.SetCaseScheduleInfo("A-1001", SampleSchedule())); }},
        {"SETCASEPROGRESSRPT",
         Line("SETCASEPROGRESSRPT") + Text("A-1001") + Record(SampleProgress()) + Int(1), Int(0), {kReply},
         [](CInventoryServer& s) {
             EXPECT_TRUE(s.SetCaseProgressRpt("A-1001", SampleProgress(), CInventoryServer::modeChange));
         }},
        {"GETCASEPROGRESSRPTS", Line("GETCASEPROGRESSRPTS") + Text("A-1001"), RecordList(std::vector{SampleProgress()}),
         {kReply},
         [](CInventoryServer& s) {
             std::vector<CProgressRptEntry> got;
             EXPECT_TRUE(s.GetCaseProgressRpts("A-1001", got));
             ExpectSameList(got, std::vector{SampleProgress()});
         }},
    });
}

TEST(CommandWire, Attachments)
{
    // Any record stands in for the report printout that the report layer passes.
    const CStringObject printout("printout stand-in");
    PlayAll({
        {"GETCASEAUDITATTACH", Line("GETCASEAUDITATTACH") + Text("A-1001") + Int(3), Record(printout), {kReply},
         [](CInventoryServer& s) {
             CStringObject got;
             EXPECT_TRUE(s.GetCaseAuditAttach("A-1001", 3, got));
             EXPECT_EQ(got.GetText(), "printout stand-in");
         }},
        {"GETCASESURVEYATTACH", Line("GETCASESURVEYATTACH") + Text("A-1001") + Int(4), Record(printout), {kReply},
         [](CInventoryServer& s) {
             CStringObject got;
             EXPECT_TRUE(s.GetCaseSurveyAttach("A-1001", 4, got));
         }},
        {"GETCASEFILEATTACH", Line("GETCASEFILEATTACH") + Text("A-1001") + Int(5), Record(SampleBlock()), {kReply},
         [](CInventoryServer& s) {
             CBinaryObject got;
             EXPECT_TRUE(s.GetCaseFileAttach("A-1001", 5, got));
             EXPECT_EQ(got.GetBytes(), SampleBlock().GetBytes());
         }},
        {"GETCASEATTACHMENTS", Line("GETCASEATTACHMENTS") + Text("A-1001"), RecordList(SampleAttachments()),
         {kReply},
         [](CInventoryServer& s) {
             std::vector<CAttachment> got;
             EXPECT_TRUE(s.GetCaseAttachments("A-1001", got));
             ExpectSameList(got, SampleAttachments());
         }},
        {"SETCASEATTACHMENT",
         Line("SETCASEATTACHMENT") + Text("A-1001") + Record(SampleAttachments()[1]) + Record(SampleBlock()) +
             Int(0),
         Int(-2), {kReply},
         [](CInventoryServer& s) {
             EXPECT_EQ(s.SetCaseAttachment("A-1001", SampleAttachments()[1], SampleBlock(), CInventoryServer::modeAdd),
                       -2);
         }},
        {"SETCASEAUDITATTACH", Line("SETCASEAUDITATTACH") + Text("A-1001") + Int(3) + Record(SampleBlock()), Int(0),
         {kReply}, [](CInventoryServer& s) { EXPECT_TRUE(s.SetCaseAuditAttach("A-1001", 3, SampleBlock())); }},
        {"GETCASEAUDITATTACHPDF", Line("GETCASEAUDITATTACHPDF") + Text("A-1001") + Int(3), Record(SampleBlock()),
         {kReply},
         [](CInventoryServer& s) {
             CBinaryObject got;
             EXPECT_TRUE(s.GetCaseAuditAttachPdf("A-1001", 3, got));
             EXPECT_EQ(got.GetBytes(), SampleBlock().GetBytes());
         }},
        {"GETCASESURVEYATTACHPDF", Line("GETCASESURVEYATTACHPDF") + Text("A-1001") + Int(4), Record(SampleBlock()),
         {kReply},
         [](CInventoryServer& s) {
             CBinaryObject got;
             EXPECT_TRUE(s.GetCaseSurveyAttachPdf("A-1001", 4, got));
         }},
        {"GETCASEAUDITATTACHDOC", Line("GETCASEAUDITATTACHDOC") + Text("A-1001") + Int(3) + Int(2),
         Record(SampleBlock()), {kReply},
         [](CInventoryServer& s) {
             CBinaryObject got;
             EXPECT_TRUE(s.GetCaseAuditAttachDoc("A-1001", 3, CInventoryServer::outputTiff, got));
         }},
        {"GETCASESURVEYATTACHDOC", Line("GETCASESURVEYATTACHDOC") + Text("A-1001") + Int(4) + Int(3),
         Record(SampleBlock()), {kReply},
         [](CInventoryServer& s) {
             CBinaryObject got;
             EXPECT_TRUE(s.GetCaseSurveyAttachDoc("A-1001", 4, CInventoryServer::outputXps, got));
             EXPECT_EQ(got.GetBytes(), SampleBlock().GetBytes());
         }},
    });
}

TEST(CommandWire, Billing)
{
    PlayAll({
        {"SETCASEBILLINGENTRY", Line("SETCASEBILLINGENTRY") + Text("A-1001") + Record(SampleBilling()) + Int(2),
         Int(0), {kReply},
         [](CInventoryServer& s) {
             EXPECT_TRUE(s.SetCaseBillingEntry("A-1001", SampleBilling(), CInventoryServer::modeDelete));
         }},
        {"GETCASEBILLINGENTRIES", Line("GETCASEBILLINGENTRIES") + Text("A-1001"),
         RecordList(std::vector{SampleBilling()}), {kReply},
         [](CInventoryServer& s) {
             std::vector<CBillingEntry> got;
             EXPECT_TRUE(s.GetCaseBillingEntries("A-1001", got));
             ExpectSameList(got, std::vector{SampleBilling()});
         }},
        {"GETMULTICASEBILLING", Line("GETMULTICASEBILLING") + Strings(kIds) + Int(2), RecordList(SampleMultiBilling()),
         {kReply},
         [](CInventoryServer& s) {
             std::vector<CMultiBillingEntry> got;
             EXPECT_TRUE(s.GetMultiCaseBilling(kIds, CInventoryServer::billParentsAndChildren, got));
             ExpectSameList(got, SampleMultiBilling());
         }},
        {"SETMULTICASEBILLING", Line("SETMULTICASEBILLING") + RecordList(SampleMultiBilling()), Int(0), {kReply},
         [](CInventoryServer& s) { EXPECT_TRUE(s.SetMultiCaseBilling(SampleMultiBilling())); }},
        {"GETCASEDEFBILLINGENTRY",
         Line("GETCASEDEFBILLINGENTRY") + Text("A-1001") + Text("J. Ortega") + Int(1),
         Record(SampleBilling()) + Int(0), {kReply},
         [](CInventoryServer& s) {
             CBillingEntry got;
             EXPECT_TRUE(s.GetCaseDefBillingEntry("A-1001", "J. Ortega", true, got));
             ExpectSame(got, SampleBilling());
         }},
        {"GETCASEDEFBILLINGENTRY refused after the entry",
         Line("GETCASEDEFBILLINGENTRY") + Text("A-1001") + Text("Harbor Mutual") + Int(0),
         Record(SampleBilling()) + Int(-1), {kReply},
         [](CInventoryServer& s) {
             CBillingEntry got;
             EXPECT_FALSE(s.GetCaseDefBillingEntry("A-1001", "Harbor Mutual", false, got));
             EXPECT_EQ(Stored(got), Stored(CBillingEntry())) << "a refused default fills nothing in";
         }},
        {"GETBILLINGDEFSET", Line("GETBILLINGDEFSET") + Text("J. Ortega") + Int(1), RecordList(SampleDefaults()),
         {kReply},
         [](CInventoryServer& s) {
             std::vector<CBillingDef> got;
             EXPECT_TRUE(s.GetBillingDefSet("J. Ortega", CInventoryServer::childAccount, got));
             ExpectSameList(got, SampleDefaults());
         }},
        {"SETBILLINGDEFSET", Line("SETBILLINGDEFSET") + Text("Harbor Mutual") + Int(0) + RecordList(SampleDefaults()),
         Int(0), {kReply},
         [](CInventoryServer& s) {
             EXPECT_TRUE(s.SetBillingDefSet("Harbor Mutual", CInventoryServer::parentAccount, SampleDefaults()));
         }},
    });
}

TEST(CommandWire, ReportViews)
{
    using P = std::vector<std::shared_ptr<CReportPropItem>>;
    const P items = {std::make_shared<CReportPropItem>(SamplePropItem("\x01\x02")),
                     std::make_shared<CReportPropItem>(SamplePropItem(""))};
    PlayAll({
        {"GETREPORTVIEWPARAMSET", Line("GETREPORTVIEWPARAMSET"), RecordList(SampleReportViews()), {kDefault},
         [](CInventoryServer& s) {
             std::vector<CReportViewParam> got;
             EXPECT_TRUE(s.GetReportViewParamSet(got));
             ExpectSameList(got, SampleReportViews());
         }},
        {"GENERATECASEREPORTVIEW for cases as PDF",
         Line("GENERATECASEREPORTVIEW") + Text("Monthly") + Strings(kIds) + Int(1), Record(SampleBlock()), {kLong},
         [](CInventoryServer& s) {
             CBinaryObject got;
             EXPECT_TRUE(s.GenerateCaseReportView("Monthly", kIds, CInventoryServer::outputPdf, got));
             EXPECT_EQ(got.GetBytes(), SampleBlock().GetBytes());
         }},
        {"GENERATECASEREPORTVIEW for the inventory",
         Line("GENERATECASEREPORTVIEW") + Text("Monthly") + Strings({}) + Int(0), Record(SampleBlock()), {kLong},
         [](CInventoryServer& s) {
             CBinaryObject got;
             EXPECT_TRUE(s.GenerateCaseReportView("Monthly", {}, CInventoryServer::outputPrintout, got));
         }},
        {"GETREPORTVIEW", Line("GETREPORTVIEW") + Text("Monthly"), Record(SampleDialog("2024")), {kReply},
         [](CInventoryServer& s) {
             CUIDialog got;
             EXPECT_TRUE(s.GetReportView("Monthly", got));
             ExpectSame(got, SampleDialog("2024"));
         }},
        {"SETREPORTVIEW", Line("SETREPORTVIEW") + Text("Monthly") + Record(SampleDialog("2025")), Int(0), {kReply},
         [](CInventoryServer& s) { EXPECT_TRUE(s.SetReportView("Monthly", SampleDialog("2025"))); }},
        {"GETREPORTVIEWPROPSET", Line("GETREPORTVIEWPROPSET") + Text("carrier"), ObjectList(items), {kReply},
         [items](CInventoryServer& s) {
             P got;
             EXPECT_TRUE(s.GetReportViewPropSet("carrier", got));
             EXPECT_EQ(StoredObjects(got), StoredObjects(items));
         }},
        {"SETREPORTVIEWPROPSET refused", Line("SETREPORTVIEWPROPSET") + Text("carrier") + ObjectList(items), Int(-1),
         {kReply}, [items](CInventoryServer& s) { EXPECT_FALSE(s.SetReportViewPropSet("carrier", items)); }},
        {"GETREPORTFILENAMES", Line("GETREPORTFILENAMES"), Strings({"monthly.rpt", "aging.rpt"}), {kDefault},
         [](CInventoryServer& s) {
             std::vector<std::string> got;
             EXPECT_TRUE(s.GetReportFileNames(got));
             EXPECT_EQ(got, (std::vector<std::string>{"monthly.rpt", "aging.rpt"}));
         }},
        {"ADMINGETREPORTVIEW", Line("ADMINGETREPORTVIEW") + Record(SamplePropItem("\x07")),
         Record(SampleDialog("2024")), {kReply},
         [](CInventoryServer& s) {
             CUIDialog got;
             EXPECT_TRUE(s.AdminGetReportView(SamplePropItem("\x07"), got));
             ExpectSame(got, SampleDialog("2024"));
         }},
        {"ADMINSETREPORTVIEW",
         Line("ADMINSETREPORTVIEW") + Record(SampleDialog("2025")) + Record(SamplePropItem("old")),
         Int(0) + Record(SamplePropItem("new settings")), {kReply},
         [](CInventoryServer& s) {
             CReportPropItem item = SamplePropItem("old");
             EXPECT_TRUE(s.AdminSetReportView(SampleDialog("2025"), item));
             ExpectSame(item, SamplePropItem("new settings"));
         }},
        {"ADMINSETREPORTVIEW refused: no item follows",
         Line("ADMINSETREPORTVIEW") + Record(SampleDialog("2025")) + Record(SamplePropItem("old")), Int(-1),
         {kReply},
         [](CInventoryServer& s) {
             CReportPropItem item = SamplePropItem("old");
             EXPECT_FALSE(s.AdminSetReportView(SampleDialog("2025"), item));
             ExpectSame(item, SamplePropItem("old"));
         }},
    });
}

TEST(CommandWire, AccountsRegionsAndTerritories)
{
    CAdminParentUser parent;
    parent.name = "Harbor Mutual";
    parent.connectionKind = CAdminParentUser::kDirectConnection;
    CAdminChildUser child;
    child.name = "J. Ortega";
    child.userId = "jortega";
    child.group = 1;
    CAdminRegion region;
    region.name = "North";
    PlayAll({
        {"GETPARENTUSER", Line("GETPARENTUSER") + Text("Harbor Mutual"), Record(parent), {kReply},
         [parent](CInventoryServer& s) {
             CAdminParentUser got;
             EXPECT_TRUE(s.GetParentUser("Harbor Mutual", got));
             ExpectSame(got, parent);
         }},
        {"GETCHILDUSER", Line("GETCHILDUSER") + Text("J. Ortega"), Record(child), {kReply},
         [child](CInventoryServer& s) {
             CAdminChildUser got;
             EXPECT_TRUE(s.GetChildUser("J. Ortega", got));
             ExpectSame(got, child);
         }},
        {"SETCHILDUSER refused", Line("SETCHILDUSER") + Text("J. Ortega") + Record(child) + Int(2), Int(-2), {kReply},
         [child](CInventoryServer& s) { EXPECT_EQ(s.SetChildUser("J. Ortega", child, CInventoryServer::modeDelete), -2); }},
        {"SETPARENTUSER", Line("SETPARENTUSER") + Text("Harbor") + Record(parent) + Int(1), Int(0), {kReply},
         [parent](CInventoryServer& s) { EXPECT_EQ(s.SetParentUser("Harbor", parent, CInventoryServer::modeChange), 0); }},
        {"SYNCPARENT with the server's text", Line("SYNCPARENT") + Text("Harbor Mutual"),
         Text("Parent host not reachable"), {kLong},
         [](CInventoryServer& s) { EXPECT_EQ(s.SyncParent("Harbor Mutual"), "Parent host not reachable"); }},
        {"SYNCPARENT succeeded", Line("SYNCPARENT") + Text("Harbor Mutual"), Text(""), {kLong},
         [](CInventoryServer& s) { EXPECT_EQ(s.SyncParent("Harbor Mutual"), ""); }},
        {"GETLOGGEDUSERS", Line("GETLOGGEDUSERS"), Strings({"admin 127.0.0.1"}), {kDefault},
         [](CInventoryServer& s) {
             std::vector<std::string> got;
             EXPECT_TRUE(s.GetLoggedUsers(got));
             EXPECT_EQ(got, std::vector<std::string>{"admin 127.0.0.1"});
         }},
        {"SETREGION", Line("SETREGION") + Text("") + Record(region) + Int(0), Int(0), {kReply},
         [region](CInventoryServer& s) { EXPECT_EQ(s.SetRegion("", region, CInventoryServer::modeAdd), 0); }},
        {"SETTERRITORY refused",
         Line("SETTERRITORY") + Text("Lakes") + Record(FullTerritory()) + Int(1), Int(-3), {kReply},
         [](CInventoryServer& s) {
             EXPECT_EQ(s.SetTerritory("Lakes", FullTerritory(), CInventoryServer::modeChange), -3);
         }},
        {"GETTERRITORY fills the same record", Line("GETTERRITORY") + Record(TerritoryKey()),
         Record(FullTerritory()), {kReply},
         [](CInventoryServer& s) {
             CAdminTerritory territory = TerritoryKey();
             EXPECT_TRUE(s.GetTerritory(territory));
             ExpectSame(territory, FullTerritory());
         }},
        {"GETTERRITORY with a reply that does not load", Line("GETTERRITORY") + Record(TerritoryKey()),
         "2\r\n\x01\x02", {kReply},
         [](CInventoryServer& s) {
             CAdminTerritory territory = TerritoryKey();
             EXPECT_FALSE(s.GetTerritory(territory));
             ExpectSame(territory, TerritoryKey());
         }},
    });
}
