// Byte layouts of the case record, the records that hang off a case, the multi-case
// properties, the inventory info and the directory records.
#include "record_layout.h"

#include "records/attachment.h"
#include "records/audit_case.h"
#include "records/billing_def.h"
#include "records/billing_entry.h"
#include "records/case_multi_props.h"
#include "records/case_schedule_info.h"
#include "records/child_user.h"
#include "records/file_info.h"
#include "records/inventory_info.h"
#include "records/multi_billing_entry.h"
#include "records/parent_user.h"
#include "records/policy_page.h"
#include "records/progress_rpt_entry.h"
#include "records/region_loc_rec.h"
#include "records/tracking_entry.h"

#include <gtest/gtest.h>

namespace {

void FillPolicyPage(Layout& l, CPolicyPage& page)
{
    l.Text(page.label);
    l.Text(page.text);
}

// The case's 79 fields in their order on the wire.
void FillAuditCase(Layout& l, CAuditCase& c, size_t pages)
{
    l.Int(c.opaqueInt1);
    l.Int(c.opaqueInt2);
    l.Int(c.opaqueInt3);
    l.Int(c.opaqueInt4);
    l.Int(c.opaqueInt5);
    l.Int(c.opaqueInt6);
    l.Text(c.parentName);
    l.Text(c.childName);
    l.Text(c.regionName);
    l.Text(c.territoryName);             // 10
    l.Text(c.insuredName);
    l.Text(c.memo);
    l.Text(c.caseNumber);
    l.Text(c.serialNumber);
    l.Date(c.auditorDueDate);            // 15
    l.Date(c.masterDueDate);
    l.Date(c.opaqueDate1);
    l.Date(c.dateCreated);
    l.Date(c.dateAssigned);
    l.Date(c.dateReturned);              // 20
    l.Int(c.parentLinkStatus);
    l.Int(c.childLinkStatus);
    l.Int(c.opaqueInt7);
    l.Int(c.opaqueInt8);
    l.Bool(c.nonProductive);             // 25
    l.Bool(c.correction);
    l.Int(c.opaqueInt9);
    l.Bool(c.hasNewProgressReports);
    l.Bool(c.priority);
    l.Int(c.childGroupCode);             // 30
    l.Text(c.auditZip);
    l.Real(c.policyEstPremium);
    l.Bool(c.transferOut);
    l.Real(c.opaqueAmount);
    l.Date(c.opaqueDate2);               // 35
    l.Int(c.userFlags);
    l.Text(c.auditCounty);
    l.Text(c.policyCarrier);
    l.Text(c.policyType);
    l.Text(c.policyNumber);              // 40
    l.Date(c.policyStartDate);
    l.Date(c.policyEndDate);
    l.Int(c.policyCode);
    l.Text(c.insuredFedId);
    l.Text(c.insuredAddress1);           // 45
    l.Text(c.insuredAddress2);
    l.Text(c.insuredCity);
    l.Text(c.insuredState);
    l.Text(c.insuredZip);
    l.Text(c.insuredPhone);              // 50
    l.Text(c.insuredFax);
    l.Text(c.insuredEMail);
    l.Text(c.insuredEntity);
    l.Text(c.auditContact);
    l.Text(c.auditAddress1);             // 55
    l.Text(c.auditAddress2);
    l.Text(c.auditCity);
    l.Text(c.auditState);
    l.Text(c.auditPhone);
    l.Text(c.auditFax);                  // 60
    l.Date(c.auditStartDate);
    l.Date(c.auditEndDate);
    l.Int(c.auditSource);
    l.Int(c.auditType);
    l.Text(c.auditLocationName);         // 65
    l.Text(c.agentContact);
    l.Text(c.agentCompany);
    l.Text(c.agentAddress1);
    l.Text(c.agentAddress2);
    l.Text(c.agentCity);                 // 70
    l.Text(c.agentState);
    l.Text(c.agentZip);
    l.Text(c.agentPhone);
    l.Text(c.agentFax);
    l.Text(c.agentEMail);                // 75
    l.Bool(c.archive);
    l.Bool(c.manualAssignment);
    l.Bool(c.completed);
    c.policyPages.resize(pages);
    l.Count(pages);
    for (CPolicyPage& page : c.policyPages)
        FillPolicyPage(l, page);
}

void FillBillingEntry(Layout& l, CBillingEntry& e)
{
    l.Int(e.entryId);
    l.Int(e.opaqueInt1);
    l.Int(e.opaqueInt2);
    l.Text(e.parentName);
    l.Text(e.childName);
    l.Real(e.billedHours);
    l.Real(e.discountPercent);
    l.Real(e.billedAmount);
    l.Int(e.kind);
    l.Real(e.firstHourRate);
    l.Real(e.additionalHoursRate);
    l.Date(e.billingDate);
    l.Text(e.memo);
}

void FillParentUser(Layout& l, CParentUser& p)
{
    l.Text(p.name);
    l.Int(p.masterDueDays);
    l.Int(p.auditorDueDays);
    l.Text(p.parentText);
}

void FillChildUser(Layout& l, CChildUser& c)
{
    l.Text(c.name);
    l.Int(c.group);
    l.Text(c.loginId);
}

}  // namespace

TEST(CaseRecordLayout, AuditCaseFollowsTheFieldTableExactly)
{
    CAuditCase c;
    Layout l;
    FillAuditCase(l, c, 2);
    ExpectLayout(c, l);
}

TEST(CaseRecordLayout, NewCaseHasNullDueDatesNoChildGroupAndNoPages)
{
    CAuditCase c;
    const std::string bytes = Store(c);
    // Fields 1 to 30: six opaque ints, eight empty texts, the two due dates null, the
    // four other dates real (30 December 1899), link statuses, flags and opaque ints
    // zero, and the child group "none" (-1).
    Layout head;
    for (int i = 0; i < 6; ++i)
        head.I32(0);
    for (int i = 0; i < 8; ++i)
        head.Str("");
    head.DateTime({CDateTime::null, 0.0}).DateTime({CDateTime::null, 0.0});
    for (int i = 0; i < 4; ++i)
        head.DateTime({CDateTime::valid, 0.0});
    head.I32(0).I32(0).I32(0).I32(0).Bool32(false).Bool32(false).I32(0).Bool32(false).Bool32(false);
    head.I32(-1);
    EXPECT_EQ(Hex(bytes.substr(0, head.Bytes().size())), Hex(head.Bytes()));
    // No policy pages: the last field is the two bytes 00 00.
    EXPECT_EQ(Hex(bytes.substr(bytes.size() - 2)), "00 00 ");
}

TEST(CaseRecordLayout, LoadingReplacesEveryFieldAndThePageList)
{
    CAuditCase source;
    Layout l;
    FillAuditCase(l, source, 1);
    CAuditCase target;
    Layout other;
    FillAuditCase(other, target, 3);
    LoadInto(target, l.Bytes());
    EXPECT_EQ(Hex(Store(target)), Hex(l.Bytes()));
    ASSERT_EQ(target.policyPages.size(), 1u);
    EXPECT_EQ(target.policyPages[0].text, source.policyPages[0].text);
}

TEST(CaseDetailLayout, Attachment)
{
    CAttachment a;
    Layout l;
    l.Int(a.attachmentId);
    l.Int(a.opaqueInt);
    l.Text(a.name);
    l.Text(a.kind);
    l.Text(a.fileName);
    l.Bool(a.printable);
    l.Bool(a.toBePrinted);
    l.Bool(a.isDefault);
    ExpectLayout(a, l);
}

TEST(CaseDetailLayout, BillingEntry)
{
    CBillingEntry e;
    Layout l;
    FillBillingEntry(l, e);
    ExpectLayout(e, l);
}

TEST(CaseDetailLayout, MultiBillingEntryStartsWithAWholeBillingEntry)
{
    CMultiBillingEntry m;
    Layout l;
    FillBillingEntry(l, m.entry);
    l.Int(m.opaqueInt1);
    l.Int(m.opaqueInt2);
    l.Int(m.opaqueInt3);
    l.Text(m.opaqueText1);
    l.Text(m.opaqueText2);
    ExpectLayout(m, l);

    // A null billing date (the server assigns it) sits in the middle of the record, as
    // status 2, before the record's own five fields.
    m.entry.billingDate = {CDateTime::null, 0.0};
    const std::string bytes = Store(m);
    const size_t dateOffset = 4 * 3 + (1 + m.entry.parentName.size()) + (1 + m.entry.childName.size()) + 8 * 3 + 4 + 8 * 2;
    EXPECT_EQ(Hex(bytes.substr(dateOffset, 12)), Hex(Layout().DateTime({CDateTime::null, 0.0}).Bytes()));
}

TEST(CaseDetailLayout, ProgressReportScheduleTrackingAndFileInfo)
{
    CProgressRptEntry p;
    Layout lp;
    lp.Int(p.entryId);
    lp.Date(p.entryDate);
    lp.Text(p.enteredBy);
    lp.Text(p.comment);
    lp.Bool(p.internal);
    lp.Bool(p.linked);
    lp.Int(p.opaqueInt);
    ExpectLayout(p, lp);

    CCaseScheduleInfo s;
    Layout ls;
    ls.Int(s.dateOnly);
    ls.Date(s.scheduledStart);
    ls.Date(s.scheduledEnd);
    ExpectLayout(s, ls);

    CTrackingEntry t;
    Layout lt;
    lt.Text(t.childName);
    lt.Text(t.groupName);
    lt.Text(t.assignor);
    lt.Text(t.status);
    lt.Date(t.dateAssigned);
    lt.Date(t.opaqueDate1);
    lt.Date(t.opaqueDate2);
    ExpectLayout(t, lt);

    CFileInfo f;
    Layout lf;
    lf.Text(f.name);
    lf.Date(f.date);
    lf.Int(f.opaqueInt1);
    lf.Int(f.opaqueInt2);
    ExpectLayout(f, lf);

    CPolicyPage page;
    Layout lg;
    FillPolicyPage(lg, page);
    ExpectLayout(page, lg);
}

TEST(CaseDetailLayout, CaseMultiProps)
{
    CCaseMultiProps m;
    Layout l;
    l.Int(m.archived);
    l.Int(m.priority);
    l.Int(m.correction);
    l.Int(m.completed);
    l.Int(m.transferOut);
    l.Int(m.parentLinkStatus);
    l.Int(m.childLinkStatus);
    l.Text(m.parentName);
    l.Text(m.childName);
    l.Int(m.childGroupCode);          // 10
    l.Text(m.regionName);
    l.Text(m.territoryName);
    l.Int(m.manualAssignment);
    l.Int(m.userFlags);
    l.Text(m.opaqueText);             // 15
    l.Date(m.masterDueDate);
    l.Date(m.auditorDueDate);
    l.Int(m.userFlagsMixed);
    l.Int(m.parentGiven);
    l.Int(m.parentLinkStatusGiven);   // 20
    l.Int(m.childLinkStatusGiven);
    l.Int(m.assignmentGiven);
    l.Int(m.territoryGiven);
    l.Int(m.masterDueDateGiven);
    l.Int(m.auditorDueDateGiven);     // 25
    l.Int(m.userFlagsGiven);
    l.Int(m.opaqueInt);
    l.Texts(m.caseNumbers, 3);
    ExpectLayout(m, l);
}

TEST(CaseDetailLayout, InventoryInfoWithNestedLists)
{
    CInventoryInfo info;
    Layout l;
    l.Texts(info.regions, 2);
    l.Texts(info.territories, 1);
    info.parents.resize(2);
    l.Count(2);
    for (CParentUser& p : info.parents)
        FillParentUser(l, p);
    info.children.resize(1);
    l.Count(1);
    FillChildUser(l, info.children[0]);
    info.searchFields.resize(1);
    l.Count(1);
    l.Text(info.searchFields[0].label);
    l.Text(info.searchFields[0].token);
    l.Int(info.searchFields[0].type);
    l.Int(info.searchFields[0].searchable);
    l.Texts(info.flagNames, 3);
    l.Text(info.ownChildName);
    l.Int(info.rights);
    l.Int(info.opaqueInfo1);
    l.Int(info.defaultMasterDueDays);
    l.Int(info.defaultAuditorDueDays);
    l.Text(info.ownParentName);
    l.Int(info.opaqueInfo2);
    l.Int(info.refreshAfterCommands);
    ExpectLayout(info, l);

    // Fewer flag names than flags: the missing ones are empty, not out of bounds.
    EXPECT_EQ(info.FlagName(2), info.flagNames[2]);
    EXPECT_EQ(info.FlagName(3), "");
    EXPECT_EQ(info.FlagName(31), "");
    EXPECT_EQ(info.FlagName(-1), "");

    info.Clear();
    CInventoryInfo empty;
    EXPECT_EQ(Hex(Store(info)), Hex(Store(empty)));
}

TEST(CaseDetailLayout, EmptyInventoryInfoLoads)
{
    Layout l;
    for (int list = 0; list < 6; ++list)
        l.Count(0);
    l.Str("").I32(0).I32(0).I32(0).I32(0).Str("").I32(0).I32(0);
    CInventoryInfo info;
    info.regions = {"stale"};
    LoadInto(info, l.Bytes());
    EXPECT_TRUE(info.regions.empty());
    EXPECT_TRUE(info.parents.empty());
}

TEST(DirectoryLayout, ParentChildLookupAndBillingDefault)
{
    CParentUser p;
    Layout lp;
    FillParentUser(lp, p);
    ExpectLayout(p, lp);

    CChildUser c;
    Layout lc;
    FillChildUser(lc, c);
    ExpectLayout(c, lc);

    CRegionLocRec loc;
    Layout ll;
    ll.Text(loc.zip);
    ll.Text(loc.county);
    ll.Text(loc.state);
    ExpectLayout(loc, ll);

    CRegionTerrRec terr;
    Layout lt;
    lt.Text(terr.regionName);
    lt.Text(terr.territoryName);
    ExpectLayout(terr, lt);

    CBillingDef d;
    Layout ld;
    ld.Int(d.opaqueInt1);
    ld.Int(d.opaqueInt2);
    ld.Real(d.billedHours);
    ld.Real(d.opaqueAmount);
    ld.Int(d.hourly);
    ld.Real(d.firstAmount);
    ld.Real(d.additionalHoursRate);
    ld.Text(d.description);
    ld.Int(d.auditSource);
    ld.Int(d.auditType);
    ld.Text(d.policyType);
    ld.Int(d.policyCode);
    ld.Int(d.nonProductive);
    ExpectLayout(d, ld);
}
