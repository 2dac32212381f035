// What hangs off a case, between the office client's command layer and the real server:
// attachments with their bytes, billing entries with their defaults and the billing of
// many cases, progress reports, the schedule and the policy detail pages.

#include "codec/binary_object.h"
#include "e2e/case_samples.h"
#include "e2e/office_client.h"
#include "records/attachment.h"
#include "records/billing_entry.h"
#include "records/case_schedule_info.h"
#include "records/multi_billing_entry.h"
#include "records/policy_page.h"
#include "records/progress_rpt_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

class CaseDetailsEndToEnd : public InventoryEndToEnd {};

constexpr CDateTime kNoDate{CDateTime::null, 0.0};

std::string RandomBytes(size_t count)
{
    std::mt19937 random(4711);
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() & 0xFF);
    return bytes;
}

}  // namespace

TEST_F(CaseDetailsEndToEnd, AttachmentsKeepTheirBytesAndOneDefault)
{
    auto admin = LogIn("admin");
    auto auditor = LogIn("auditor");
    ASSERT_TRUE(admin->LoggedIn() && auditor->LoggedIn());
    const std::string number = admin->CreateCase(PlainCase("Attached Insured"));
    ASSERT_FALSE(number.empty());

    std::vector<CAttachment> list;
    ASSERT_TRUE(auditor->GetCaseAttachments(number, list));
    EXPECT_TRUE(list.empty());

    // A file of some size (many pieces on the wire, every byte value) and an audit.
    const std::string fileBytes = RandomBytes(100000);
    CAttachment file;
    file.kind = "FILE";
    file.name = "Payroll ledger";
    file.fileName = "C:\\Audits\\2024\\ledger.xlsx";
    file.printable = true;
    file.opaqueInt = 77;
    ASSERT_EQ(auditor->SetCaseAttachment(number, file, CBinaryObject(fileBytes), CInventoryServer::modeAdd), 0);
    CAttachment audit;
    audit.kind = "AUDIT";
    audit.name = "Annual audit";
    audit.printable = true;
    audit.toBePrinted = true;
    audit.isDefault = true;
    ASSERT_EQ(auditor->SetCaseAttachment(number, audit, CBinaryObject("audit v1"), CInventoryServer::modeAdd), 0);

    ASSERT_TRUE(auditor->GetCaseAttachments(number, list));
    ASSERT_EQ(list.size(), 2u);
    const int32_t fileId = list[0].attachmentId;
    const int32_t auditId = list[1].attachmentId;
    EXPECT_NE(fileId, auditId);
    EXPECT_EQ(list[0].kind, "FILE");
    EXPECT_EQ(list[0].name, "Payroll ledger");
    EXPECT_EQ(list[0].fileName, "ledger.xlsx");  // no folder reaches the server
    EXPECT_EQ(list[0].opaqueInt, 77);
    EXPECT_TRUE(list[0].printable);
    EXPECT_FALSE(list[0].toBePrinted);
    EXPECT_FALSE(list[0].isDefault);
    EXPECT_EQ(list[1].kind, "AUDIT");
    EXPECT_TRUE(list[1].toBePrinted);
    EXPECT_TRUE(list[1].isDefault);

    CBinaryObject fetched;
    ASSERT_TRUE(auditor->GetCaseFileAttach(number, fileId, fetched));
    EXPECT_TRUE(fetched.GetBytes() == fileBytes);

    // Mode 1 changes name, to-be-printed and default only; one default per case.
    CAttachment edit = list[0];
    edit.name = "Ledger";
    edit.toBePrinted = true;
    edit.isDefault = true;
    edit.printable = false;
    edit.kind = "SURVEY";
    edit.fileName = "other.txt";
    ASSERT_EQ(auditor->SetCaseAttachment(number, edit, CBinaryObject(), CInventoryServer::modeChange), 0);
    ASSERT_TRUE(auditor->GetCaseAttachments(number, list));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, "Ledger");
    EXPECT_TRUE(list[0].toBePrinted);
    EXPECT_TRUE(list[0].isDefault);
    EXPECT_TRUE(list[0].printable);
    EXPECT_EQ(list[0].kind, "FILE");
    EXPECT_EQ(list[0].fileName, "ledger.xlsx");
    EXPECT_FALSE(list[1].isDefault);

    // The companion application's edited audit replaces the audit's bytes, and only an
    // audit's.
    EXPECT_TRUE(auditor->SetCaseAuditAttach(number, auditId, CBinaryObject("audit v2")));
    ASSERT_TRUE(auditor->GetCaseFileAttach(number, auditId, fetched));
    EXPECT_EQ(fetched.GetBytes(), "audit v2");
    EXPECT_FALSE(auditor->SetCaseAuditAttach(number, fileId, CBinaryObject("not an audit")));
    ASSERT_TRUE(auditor->GetCaseFileAttach(number, fileId, fetched));
    EXPECT_TRUE(fetched.GetBytes() == fileBytes);

    // Refusals: an unknown kind, an unknown attachment, and every change on a case that
    // is linking.
    CAttachment photo = audit;
    photo.kind = "PHOTO";
    EXPECT_EQ(auditor->SetCaseAttachment(number, photo, CBinaryObject("x"), CInventoryServer::modeAdd), -1);
    CAttachment missing = audit;
    missing.attachmentId = auditId + 1000;
    EXPECT_EQ(auditor->SetCaseAttachment(number, missing, CBinaryObject(), CInventoryServer::modeDelete), -1);
    EXPECT_FALSE(auditor->GetCaseFileAttach(number, auditId + 1000, fetched));

    ASSERT_EQ(auditor->SetCaseAttachment(number, list[1], CBinaryObject(), CInventoryServer::modeDelete), 0);
    ASSERT_TRUE(auditor->GetCaseAttachments(number, list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].attachmentId, fileId);

    CAuditCase linking = PlainCase("Linking Insured");
    linking.childName = kAuditorChild;
    linking.childGroupCode = 1;
    linking.childLinkStatus = CAuditCase::childToBeLinked;
    const std::string linkingNumber = admin->CreateCase(linking);
    EXPECT_EQ(auditor->SetCaseAttachment(linkingNumber, audit, CBinaryObject("a"), CInventoryServer::modeAdd), -2);
    ASSERT_TRUE(auditor->GetCaseAttachments(linkingNumber, list));
    EXPECT_TRUE(list.empty());
}

TEST_F(CaseDetailsEndToEnd, BillingEntriesAndTheirDefaults)
{
    auto admin = LogIn("admin");
    ASSERT_TRUE(admin->LoggedIn());

    // A mail audit for a parent whose defaults have a mail row, assigned to an auditor
    // with a fee row.
    CAuditCase mail = PlainCase("Billed Insured");
    mail.auditSource = 2;
    mail.childName = kAuditorChild;
    mail.childGroupCode = 1;
    const std::string number = admin->CreateCase(mail);
    ASSERT_FALSE(number.empty());

    CBillingEntry proposal;
    ASSERT_TRUE(admin->GetCaseDefBillingEntry(number, kUnlinkedParent, false, proposal));
    EXPECT_EQ(proposal.parentName, kUnlinkedParent);
    EXPECT_EQ(proposal.childName, "");
    EXPECT_EQ(proposal.kind, CBillingEntry::flat);
    EXPECT_EQ(proposal.firstHourRate, 60.0);
    EXPECT_EQ(proposal.billedAmount, 60.0);
    EXPECT_EQ(proposal.memo, "Mail audit");
    EXPECT_EQ(proposal.billingDate, kNoDate);

    ASSERT_TRUE(admin->GetCaseDefBillingEntry(number, kAuditorChild, true, proposal));
    EXPECT_EQ(proposal.childName, kAuditorChild);
    EXPECT_EQ(proposal.kind, CBillingEntry::hourly);
    EXPECT_EQ(proposal.firstHourRate, 45.0);
    EXPECT_EQ(proposal.additionalHoursRate, 35.0);
    EXPECT_EQ(proposal.billedHours, 2.0);
    EXPECT_EQ(proposal.billedAmount, -80.0);  // paid to a child
    EXPECT_EQ(proposal.memo, "Field auditor fee");

    // A party without defaults: the entry and a refusal, and the caller's entry stays.
    CBillingEntry kept = proposal;
    EXPECT_FALSE(admin->GetCaseDefBillingEntry(number, kReviewerChild, true, kept));
    EXPECT_TRUE(SameRecord(kept, proposal));

    // Entries: one dated by the server, one with its own date.
    CBillingEntry parentEntry;
    parentEntry.parentName = kUnlinkedParent;
    parentEntry.kind = CBillingEntry::hourly;
    parentEntry.firstHourRate = 80.0;
    parentEntry.additionalHoursRate = 60.0;
    parentEntry.billedHours = 2.5;
    parentEntry.discountPercent = 10.0;
    parentEntry.billedAmount = 153.0;
    parentEntry.memo = "Field visit";
    parentEntry.opaqueInt1 = 3;
    parentEntry.opaqueInt2 = -4;
    parentEntry.billingDate = kNoDate;
    CBillingEntry childEntry;
    childEntry.childName = kAuditorChild;
    childEntry.firstHourRate = 75.0;
    childEntry.billedAmount = -75.0;
    childEntry.billingDate = CDateTime{CDateTime::valid, 45555.5};
    ASSERT_TRUE(admin->SetCaseBillingEntry(number, parentEntry, CInventoryServer::modeAdd));
    ASSERT_TRUE(admin->SetCaseBillingEntry(number, childEntry, CInventoryServer::modeAdd));

    std::vector<CBillingEntry> entries;
    ASSERT_TRUE(admin->GetCaseBillingEntries(number, entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_GT(entries[0].entryId, 0);
    EXPECT_TRUE(entries[0].billingDate.IsValid());
    EXPECT_LT(std::fabs(entries[0].billingDate.date - Now()), 0.01);
    CBillingEntry expected = parentEntry;
    expected.entryId = entries[0].entryId;
    expected.billingDate = entries[0].billingDate;
    EXPECT_TRUE(SameRecord(entries[0], expected));
    expected = childEntry;
    expected.entryId = entries[1].entryId;
    EXPECT_TRUE(SameRecord(entries[1], expected));

    // A change sent without a date keeps the entry's date; removing takes it away.
    CBillingEntry change = entries[0];
    change.memo = "Field visit, corrected";
    change.billingDate = kNoDate;
    ASSERT_TRUE(admin->SetCaseBillingEntry(number, change, CInventoryServer::modeChange));
    ASSERT_TRUE(admin->SetCaseBillingEntry(number, entries[1], CInventoryServer::modeDelete));
    std::vector<CBillingEntry> after;
    ASSERT_TRUE(admin->GetCaseBillingEntries(number, after));
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].memo, "Field visit, corrected");
    EXPECT_EQ(after[0].billingDate, entries[0].billingDate);

    CBillingEntry nobody;
    EXPECT_FALSE(admin->SetCaseBillingEntry(number, nobody, CInventoryServer::modeAdd));
    CBillingEntry unknown = after[0];
    unknown.entryId += 1000;
    EXPECT_FALSE(admin->SetCaseBillingEntry(number, unknown, CInventoryServer::modeChange));

    // Billing many cases: per case an entry for its parent and one for each child of its
    // history, filled from the defaults, with the case named in the entry.
    CAuditCase physical = PlainCase("Second Billed Insured", kOtherParent);
    physical.policyType = "Workers Compensation";
    physical.childName = "Marcus Ortega";
    physical.childGroupCode = 1;
    const std::string second = admin->CreateCase(physical);
    const CInventoryServer::CaseIds cases = {number, second};

    struct ChoiceRow {
        CInventoryServer::MultiBillingParties parties;
        std::vector<std::string> partyNames;
    };
    const ChoiceRow choices[] = {
        {CInventoryServer::billParents, {kUnlinkedParent, kOtherParent}},
        {CInventoryServer::billChildren, {kAuditorChild, "Marcus Ortega"}},
        {CInventoryServer::billParentsAndChildren, {kUnlinkedParent, kAuditorChild, kOtherParent, "Marcus Ortega"}},
    };
    std::vector<CMultiBillingEntry> proposals;
    for (const ChoiceRow& row : choices) {
        ASSERT_TRUE(admin->GetMultiCaseBilling(cases, row.parties, proposals)) << row.parties;
        std::vector<std::string> names;
        for (const CMultiBillingEntry& p : proposals)
            names.push_back(p.entry.childName.empty() ? p.entry.parentName : p.entry.childName);
        EXPECT_EQ(names, row.partyNames) << row.parties;
    }
    ASSERT_EQ(proposals.size(), 4u);
    const CMultiBillingEntry& parentProposal = proposals[2];
    EXPECT_EQ(parentProposal.opaqueInt1, 0);
    EXPECT_EQ(parentProposal.opaqueText1, second);
    EXPECT_EQ(parentProposal.opaqueText2, "Second Billed Insured");
    EXPECT_EQ(parentProposal.entry.kind, CBillingEntry::hourly);
    EXPECT_EQ(parentProposal.entry.billedAmount, 160.0);  // 95 + 1 x 65
    const CMultiBillingEntry& childProposal = proposals[3];
    EXPECT_EQ(childProposal.opaqueInt1, 1);
    EXPECT_EQ(childProposal.entry.billedAmount, -80.0);

    ASSERT_TRUE(admin->SetMultiCaseBilling(proposals));
    ASSERT_TRUE(admin->GetCaseBillingEntries(number, after));
    EXPECT_EQ(after.size(), 3u);
    ASSERT_TRUE(admin->GetCaseBillingEntries(second, after));
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0].parentName, kOtherParent);
    EXPECT_TRUE(after[0].billingDate.IsValid());
    EXPECT_EQ(after[1].childName, "Marcus Ortega");
}

TEST_F(CaseDetailsEndToEnd, ProgressReportsAddChangeAndRemove)
{
    auto admin = LogIn("admin");
    auto auditor = LogIn("auditor");
    ASSERT_TRUE(admin->LoggedIn() && auditor->LoggedIn());
    const std::string number = admin->CreateCase(PlainCase("Reported Insured"));

    // Mode 0 adds: the server records who wrote it, never as linked, and dates an entry
    // sent without a date.
    CProgressRptEntry entry;
    entry.comment = "Left a message for the insured.";
    entry.entryDate = kNoDate;
    entry.enteredBy = "someone else";
    entry.linked = true;
    entry.opaqueInt = 5;
    ASSERT_TRUE(auditor->SetCaseProgressRpt(number, entry, CInventoryServer::modeAdd));
    CProgressRptEntry internal;
    internal.comment = "Insured disputes two classifications.";
    internal.internal = true;
    internal.entryDate = CDateTime{CDateTime::valid, 45000.25};
    ASSERT_TRUE(auditor->SetCaseProgressRpt(number, internal, CInventoryServer::modeAdd));

    std::vector<CProgressRptEntry> entries;
    ASSERT_TRUE(auditor->GetCaseProgressRpts(number, entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].comment, internal.comment);  // in date order
    EXPECT_TRUE(entries[0].internal);
    EXPECT_EQ(entries[0].entryDate, internal.entryDate);
    EXPECT_EQ(entries[1].comment, entry.comment);
    EXPECT_EQ(entries[1].enteredBy, "Demo Auditor");
    EXPECT_FALSE(entries[1].linked);
    EXPECT_EQ(entries[1].opaqueInt, 5);
    ASSERT_TRUE(entries[1].entryDate.IsValid());
    EXPECT_LT(std::fabs(entries[1].entryDate.date - Now()), 0.01);

    // Mode 1 changes, mode 2 removes; an unknown entry is refused.
    CProgressRptEntry change = entries[1];
    change.comment = "Left two messages for the insured.";
    ASSERT_TRUE(auditor->SetCaseProgressRpt(number, change, CInventoryServer::modeChange));
    ASSERT_TRUE(auditor->SetCaseProgressRpt(number, entries[0], CInventoryServer::modeDelete));
    CProgressRptEntry unknown = change;
    unknown.entryId += 1000;
    EXPECT_FALSE(auditor->SetCaseProgressRpt(number, unknown, CInventoryServer::modeChange));
    EXPECT_FALSE(auditor->SetCaseProgressRpt(number, change, static_cast<CInventoryServer::EditMode>(3)));

    ASSERT_TRUE(admin->GetCaseProgressRpts(number, entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].comment, change.comment);
    EXPECT_EQ(entries[0].entryId, change.entryId);
    EXPECT_EQ(entries[0].entryDate, change.entryDate);
}

TEST_F(CaseDetailsEndToEnd, ScheduleAndPolicyDetail)
{
    auto admin = LogIn("admin");
    auto scheduler = LogIn("scheduler");
    ASSERT_TRUE(admin->LoggedIn() && scheduler->LoggedIn());
    auto chief = LogInChief(*admin);
    ASSERT_TRUE(chief->LoggedIn());
    const std::string number = admin->CreateCase(PlainCase("Scheduled Insured"));

    CCaseScheduleInfo schedule;
    ASSERT_TRUE(scheduler->GetCaseScheduleInfo(number, schedule));
    EXPECT_EQ(schedule.dateOnly, 0);
    EXPECT_EQ(schedule.scheduledStart, kNoDate);
    EXPECT_EQ(schedule.scheduledEnd, kNoDate);

    struct ScheduleRow {
        const char* what;
        int32_t dateOnly;
        CDateTime start;
        CDateTime end;
    };
    const ScheduleRow schedules[] = {
        {"a day", 1, {CDateTime::valid, 46001.0}, kNoDate},
        {"a time", 0, {CDateTime::valid, 46001.375}, kNoDate},
        {"a time range", 0, {CDateTime::valid, 46002.375}, {CDateTime::valid, 46002.5}},
        {"not scheduled", 0, kNoDate, kNoDate},
    };
    for (const ScheduleRow& row : schedules) {
        CCaseScheduleInfo sent;
        sent.dateOnly = row.dateOnly;
        sent.scheduledStart = row.start;
        sent.scheduledEnd = row.end;
        ASSERT_TRUE(scheduler->SetCaseScheduleInfo(number, sent)) << row.what;
        CCaseScheduleInfo back;
        ASSERT_TRUE(scheduler->GetCaseScheduleInfo(number, back)) << row.what;
        EXPECT_TRUE(SameRecord(back, sent)) << row.what;
    }

    // Policy detail pages, in their order, and the case shows the same pages.
    std::vector<CPolicyPage> pages(3);
    pages[0].label = "Order";
    pages[0].text = "Audit type: Annual\r\nLocations: 2";
    pages[1].label = "Remarks";
    pages[1].text = std::string(5000, 'r');
    pages[2].label = "";
    pages[2].text = "";
    ASSERT_TRUE(chief->SetCasePolicyDetail(number, pages));
    std::vector<CPolicyPage> back;
    ASSERT_TRUE(scheduler->GetCasePolicyDetail(number, back));
    ASSERT_EQ(back.size(), pages.size());
    for (size_t i = 0; i < pages.size(); ++i)
        EXPECT_TRUE(SameRecord(back[i], pages[i])) << "page " << i;
    CAuditCase record;
    ASSERT_TRUE(admin->GetCase(number, record));
    EXPECT_EQ(record.policyPages.size(), pages.size());

    ASSERT_TRUE(chief->SetCasePolicyDetail(number, {}));
    ASSERT_TRUE(scheduler->GetCasePolicyDetail(number, back));
    EXPECT_TRUE(back.empty());

    // A linked case keeps its pages.
    CAuditCase linked = PlainCase("Linked Insured");
    linked.childName = kAuditorChild;
    linked.childGroupCode = 1;
    linked.childLinkStatus = CAuditCase::childLinked;
    linked.policyPages = pages;
    const std::string linkedNumber = admin->CreateCase(linked);
    EXPECT_FALSE(chief->SetCasePolicyDetail(linkedNumber, {}));
    ASSERT_TRUE(chief->GetCasePolicyDetail(linkedNumber, back));
    EXPECT_EQ(back.size(), pages.size());
}
