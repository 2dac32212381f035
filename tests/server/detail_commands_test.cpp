// Attachments, billing entries (with their defaults and multi-case billing) and
// progress reports against the real server: stored, returned, and refused by link
// status and rights.

#include "codec/binary_object.h"
#include "records/attachment.h"
#include "records/audit_case.h"
#include "records/billing_def.h"
#include "records/billing_entry.h"
#include "records/multi_billing_entry.h"
#include "records/progress_rpt_entry.h"
#include "records/record_list.h"
#include "server/command_client.h"

#include <gtest/gtest.h>

namespace {

struct DetailServer : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(demo.server.Start()) << demo.server.Log();
        ASSERT_TRUE(admin.LogIn(demo.server.Port(), "admin", "admin"));
    }
    int Port() { return demo.server.Port(); }

    std::string NewCase(const std::string& insured, int32_t childLinkStatus = 0, int32_t group = 1,
                        const std::string& parent = "Atlas Mutual Insurance")
    {
        CAuditCase record;
        record.insuredName = insured;
        record.parentName = parent;
        record.childName = group >= 0 && group < 8 ? "Demo Auditor" : "";
        record.childGroupCode = group;
        record.childLinkStatus = childLinkStatus;
        record.policyType = "Workers Compensation";
        record.auditSource = 0;
        return admin.CreateCase(record);
    }

    int SetAttachment(CCommandClient& client, const std::string& number, CAttachment& attachment,
                      const std::string& bytes, int mode)
    {
        CBinaryObject file(bytes);
        if (!client.Command("SETCASEATTACHMENT") || !client.Text(number) || !client.Record(attachment) ||
            !client.Record(file) || !client.Int(mode))
            return kExchangeBroke;
        return client.Status();
    }

    bool Attachments(CCommandClient& client, const std::string& number, std::vector<CAttachment>& out)
    {
        CRecordList<CAttachment> list;
        if (!client.GetByText("GETCASEATTACHMENTS", number, list))
            return false;
        out = list.items;
        return true;
    }

    bool FileBytes(CCommandClient& client, const std::string& number, int32_t id, std::string& bytes)
    {
        CBinaryObject file;
        if (!client.Command("GETCASEFILEATTACH") || !client.Text(number) || !client.Int(id) || !client.Reply(file))
            return false;
        bytes = file.GetBytes();
        return true;
    }

    DemoServer demo;
    CCommandClient admin;
};

CAttachment Attachment(const std::string& name, const std::string& kind, bool isDefault,
                       const std::string& fileName = {})
{
    CAttachment attachment;
    attachment.name = name;
    attachment.kind = kind;
    attachment.fileName = fileName;
    attachment.printable = true;
    attachment.toBePrinted = true;
    attachment.isDefault = isDefault;
    return attachment;
}

}  // namespace

TEST_F(DetailServer, AttachmentsKeepTheirBytesAndOneDefault)
{
    const std::string number = NewCase("Attach Co.");
    std::string binary(70000, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 7);
    CAttachment audit = Attachment("Audit", "AUDIT", true);
    ASSERT_EQ(SetAttachment(admin, number, audit, binary, 0), 0);
    CAttachment file = Attachment("Letter", "FILE", true, "C:\\Temp\\..\\letter.pdf");
    ASSERT_EQ(SetAttachment(admin, number, file, "%PDF-1.4 letter", 0), 0);
    CAttachment odd = Attachment("Odd", "VIDEO", false);
    EXPECT_EQ(SetAttachment(admin, number, odd, "x", 0), -1) << "unknown kind";

    std::vector<CAttachment> list;
    ASSERT_TRUE(Attachments(admin, number, list));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].kind, "AUDIT");
    EXPECT_FALSE(list[0].isDefault) << "the newer default replaced it";
    EXPECT_TRUE(list[1].isDefault);
    EXPECT_EQ(list[1].fileName, "letter.pdf") << "no folder part is kept";
    std::string bytes;
    ASSERT_TRUE(FileBytes(admin, number, list[0].attachmentId, bytes));
    EXPECT_EQ(bytes, binary);

    // Edit changes name and flags only; the bytes stay.
    CAttachment edited = list[0];
    edited.name = "Final audit";
    edited.isDefault = true;
    edited.kind = "FILE";
    ASSERT_EQ(SetAttachment(admin, number, edited, "", 1), 0);
    ASSERT_TRUE(Attachments(admin, number, list));
    EXPECT_EQ(list[0].name, "Final audit");
    EXPECT_EQ(list[0].kind, "AUDIT");
    EXPECT_TRUE(list[0].isDefault);
    EXPECT_FALSE(list[1].isDefault);
    ASSERT_TRUE(FileBytes(admin, number, list[0].attachmentId, bytes));
    EXPECT_EQ(bytes, binary);

    // The edited audit comes back from the companion application.
    ASSERT_TRUE(admin.Command("SETCASEAUDITATTACH") && admin.Text(number) && admin.Int(list[0].attachmentId));
    CBinaryObject newAudit("edited audit");
    ASSERT_TRUE(admin.Record(newAudit));
    EXPECT_EQ(admin.Status(), 0);
    ASSERT_TRUE(FileBytes(admin, number, list[0].attachmentId, bytes));
    EXPECT_EQ(bytes, "edited audit");
    ASSERT_TRUE(admin.Command("SETCASEAUDITATTACH") && admin.Text(number) && admin.Int(list[1].attachmentId));
    ASSERT_TRUE(admin.Record(newAudit));
    EXPECT_EQ(admin.Status(), -1) << "only an audit takes audit bytes";

    EXPECT_EQ(SetAttachment(admin, number, list[1], "", 2), 0);
    ASSERT_TRUE(Attachments(admin, number, list));
    EXPECT_EQ(list.size(), 1u);
    EXPECT_FALSE(FileBytes(admin, number, 999999, bytes));
    EXPECT_TRUE(admin.InStep());
}

TEST_F(DetailServer, AttachmentsOfLinkedOrLinkingCasesStayAsTheyAre)
{
    for (const int32_t status : {CAuditCase::childToBeLinked, CAuditCase::childLinked}) {
        const std::string number = NewCase("Linked Attach Co.", status);
        CAttachment audit = Attachment("Audit", "AUDIT", true);
        EXPECT_EQ(SetAttachment(admin, number, audit, "bytes", 0), -2) << status;
        ASSERT_TRUE(admin.Command("SETCASEAUDITATTACH") && admin.Text(number) && admin.Int(1));
        CBinaryObject bytes("x");
        ASSERT_TRUE(admin.Record(bytes));
        EXPECT_EQ(admin.Status(), -2);
    }
}

TEST_F(DetailServer, AttachmentRights)
{
    const std::string open = NewCase("Open Attach Co.");
    const std::string archived = NewCase("Archived Attach Co.", 0, 8);
    for (const std::string& number : {open, archived}) {
        CAttachment audit = Attachment("Audit", "AUDIT", true);
        ASSERT_EQ(SetAttachment(admin, number, audit, "audit bytes", 0), 0);
    }
    // A customer rep views attachments (of its parent's cases) but does not edit them.
    CCommandClient rep;
    ASSERT_TRUE(rep.LogIn(Port(), "rep", "rep"));
    std::vector<CAttachment> list;
    ASSERT_TRUE(Attachments(rep, open, list));
    CAttachment more = Attachment("More", "FILE", false, "more.txt");
    EXPECT_EQ(SetAttachment(rep, open, more, "x", 0), -3);

    // The archive-only right limits every attachment command to archived cases.
    ASSERT_EQ(AddChild(admin, "Archive Clerk", "clerk", "clerk", 7, 0x4000C0), 0);
    CCommandClient clerk;
    ASSERT_TRUE(clerk.LogIn(Port(), "clerk", "clerk"));
    EXPECT_FALSE(Attachments(clerk, open, list));
    EXPECT_TRUE(clerk.InStep());
    ASSERT_TRUE(Attachments(clerk, archived, list));
    std::string bytes;
    EXPECT_TRUE(FileBytes(clerk, archived, list[0].attachmentId, bytes));
    EXPECT_EQ(SetAttachment(clerk, open, more, "x", 0), -3);
    EXPECT_EQ(SetAttachment(clerk, archived, more, "x", 0), 0);

    // No attachment right at all.
    ASSERT_EQ(AddChild(admin, "No Attach", "noattach", "noattach", 7, 0x4000), 0);
    CCommandClient none;
    ASSERT_TRUE(none.LogIn(Port(), "noattach", "noattach"));
    EXPECT_FALSE(Attachments(none, open, list));
    EXPECT_TRUE(none.InStep());
}

TEST_F(DetailServer, BillingEntriesAreKeptPerCase)
{
    const std::string number = NewCase("Billing Co.");
    CBillingEntry entry;
    entry.parentName = "Atlas Mutual Insurance";
    entry.kind = CBillingEntry::hourly;
    entry.billedHours = 2.5;
    entry.firstHourRate = 80;
    entry.additionalHoursRate = 60;
    entry.billedAmount = 170;
    entry.billingDate = CDateTime{CDateTime::null, 0.0};
    entry.memo = "Audit fee";
    EXPECT_EQ(admin.SetWithMode("SETCASEBILLINGENTRY", number, entry, 0), 0);
    CBillingEntry child;
    child.childName = "Demo Auditor";
    child.kind = CBillingEntry::flat;
    child.firstHourRate = 50;
    child.billedAmount = -50;
    child.billingDate = CDateTime{CDateTime::valid, 45000.5};
    EXPECT_EQ(admin.SetWithMode("SETCASEBILLINGENTRY", number, child, 0), 0);
    CBillingEntry nobody;
    EXPECT_EQ(admin.SetWithMode("SETCASEBILLINGENTRY", number, nobody, 0), -1) << "no party";

    CRecordList<CBillingEntry> entries;
    ASSERT_TRUE(admin.GetByText("GETCASEBILLINGENTRIES", number, entries));
    ASSERT_EQ(entries.items.size(), 2u);
    EXPECT_TRUE(entries.items[0].billingDate.IsValid()) << "the server dates an entry sent without a date";
    EXPECT_EQ(entries.items[1].billingDate.date, 45000.5);
    EXPECT_EQ(entries.items[0].billedAmount, 170);

    CBillingEntry changed = entries.items[0];
    changed.memo = "Audit fee, corrected";
    changed.billingDate = CDateTime{CDateTime::null, 0.0};
    EXPECT_EQ(admin.SetWithMode("SETCASEBILLINGENTRY", number, changed, 1), 0);
    EXPECT_EQ(admin.SetWithMode("SETCASEBILLINGENTRY", number, entries.items[1], 2), 0);
    CRecordList<CBillingEntry> after;
    ASSERT_TRUE(admin.GetByText("GETCASEBILLINGENTRIES", number, after));
    ASSERT_EQ(after.items.size(), 1u);
    EXPECT_EQ(after.items[0].memo, "Audit fee, corrected");
    EXPECT_EQ(after.items[0].billingDate, entries.items[0].billingDate) << "a change without a date keeps it";

    CCommandClient reviewer;  // the billing right is missing
    ASSERT_TRUE(reviewer.LogIn(Port(), "reviewer", "reviewer"));
    EXPECT_EQ(reviewer.SetWithMode("SETCASEBILLINGENTRY", number, entry, 0), -3);
    EXPECT_FALSE(reviewer.GetByText("GETCASEBILLINGENTRIES", number, after));
    EXPECT_TRUE(reviewer.InStep());
}

TEST_F(DetailServer, DefaultEntriesComeFromTheBillingDefaults)
{
    // Rows for all Workers Compensation cases, and a more specific one for physical audits.
    CRecordList<CBillingDef> rows;
    rows.items.resize(3);
    rows.items[0].hourly = 0;
    rows.items[0].firstAmount = 150;
    rows.items[0].description = "Any WC";
    rows.items[0].auditSource = -1;
    rows.items[0].auditType = -1;
    rows.items[0].policyType = "workers compensation";
    rows.items[0].policyCode = -1;
    rows.items[0].nonProductive = 2;
    rows.items[1] = rows.items[0];
    rows.items[1].hourly = 1;
    rows.items[1].firstAmount = 80;
    rows.items[1].additionalHoursRate = 60;
    rows.items[1].billedHours = 2.5;
    rows.items[1].auditSource = 0;
    rows.items[1].description = "Physical WC";
    rows.items[2] = rows.items[1];
    rows.items[2].policyType = "Garage";
    rows.items[2].description = "Garage";
    ASSERT_TRUE(admin.Command("SETBILLINGDEFSET") && admin.Text("Beacon Premium Audit Co.") && admin.Int(0) &&
                admin.Record(rows));
    ASSERT_EQ(admin.Status(), 0);

    const std::string number = NewCase("Defaults Co.", 0, 1, "Beacon Premium Audit Co.");
    auto fill = [&](const std::string& party, int partyIsChild, CBillingEntry& entry) {
        if (!admin.Command("GETCASEDEFBILLINGENTRY") || !admin.Text(number) || !admin.Text(party) ||
            !admin.Int(partyIsChild) || !admin.Reply(entry))
            return kExchangeBroke;
        return admin.Status();
    };
    CBillingEntry entry;
    ASSERT_EQ(fill("Beacon Premium Audit Co.", 0, entry), 0);
    EXPECT_EQ(entry.memo, "Physical WC") << "the row naming the most criteria wins";
    EXPECT_EQ(entry.kind, CBillingEntry::hourly);
    EXPECT_EQ(entry.billedAmount, 170.0);
    EXPECT_EQ(entry.parentName, "Beacon Premium Audit Co.");

    // The demo auditors carry a fee row; a child's amount is negative.
    ASSERT_EQ(fill("Demo Auditor", 1, entry), 0);
    EXPECT_EQ(entry.childName, "Demo Auditor");
    EXPECT_LT(entry.billedAmount, 0.0);
    // A child without defaults gets nothing, and both items still arrive.
    EXPECT_EQ(fill("Demo Reviewer", 1, entry), -1);
    EXPECT_TRUE(admin.InStep());

    // Without a matching row a parent's billing page decides.
    const std::string atlas = NewCase("Atlas Defaults Co.");
    ASSERT_TRUE(admin.Command("GETCASEDEFBILLINGENTRY") && admin.Text(atlas) && admin.Text("Atlas Mutual Insurance") &&
                admin.Int(0) && admin.Reply(entry));
    EXPECT_EQ(admin.Status(), 0);
    EXPECT_EQ(entry.memo, "Physical audit, workers compensation") << "the demo parent's own row";

    CRecordList<CBillingDef> stored;
    ASSERT_TRUE(admin.Command("GETBILLINGDEFSET") && admin.Text("Beacon Premium Audit Co.") && admin.Int(0) &&
                admin.Reply(stored));
    EXPECT_EQ(RecordBytes(stored), RecordBytes(rows));
    rows.items.resize(21);
    ASSERT_TRUE(admin.Command("SETBILLINGDEFSET") && admin.Text("Beacon Premium Audit Co.") && admin.Int(0) &&
                admin.Record(rows));
    EXPECT_EQ(admin.Status(), -1) << "at most 20 rows";
}

TEST_F(DetailServer, MultiCaseBillingProposesAndStoresEntries)
{
    const std::string first = NewCase("Multi Bill One");
    const std::string second = NewCase("Multi Bill Two", 0, -1);
    CRecordList<CMultiBillingEntry> proposals;
    ASSERT_TRUE(admin.Command("GETMULTICASEBILLING") && admin.Ids({first, second}) && admin.Int(2) &&
                admin.Reply(proposals));
    // The first case bills its parent and pays its auditor; the second has no child.
    ASSERT_EQ(proposals.items.size(), 3u);
    EXPECT_EQ(proposals.items[0].entry.parentName, "Atlas Mutual Insurance");
    EXPECT_EQ(proposals.items[0].opaqueInt1, 0);
    EXPECT_EQ(proposals.items[0].opaqueText1, first);
    EXPECT_EQ(proposals.items[0].opaqueText2, "Multi Bill One");
    EXPECT_EQ(proposals.items[1].entry.childName, "Demo Auditor");
    EXPECT_EQ(proposals.items[1].opaqueInt1, 1);
    EXPECT_EQ(proposals.items[2].opaqueText1, second);

    ASSERT_TRUE(admin.Command("SETMULTICASEBILLING") && admin.Record(proposals));
    EXPECT_EQ(admin.Status(), 0);
    CRecordList<CBillingEntry> entries;
    ASSERT_TRUE(admin.GetByText("GETCASEBILLINGENTRIES", first, entries));
    EXPECT_EQ(entries.items.size(), 2u);

    CRecordList<CMultiBillingEntry> childrenOnly;
    ASSERT_TRUE(admin.Command("GETMULTICASEBILLING") && admin.Ids({second}) && admin.Int(1) &&
                admin.Reply(childrenOnly));
    EXPECT_TRUE(childrenOnly.items.empty());
    proposals.items[0].opaqueText1 = "1999-000001";
    ASSERT_TRUE(admin.Command("SETMULTICASEBILLING") && admin.Record(proposals));
    EXPECT_EQ(admin.Status(), -1) << "an unknown case stores nothing";
    ASSERT_TRUE(admin.GetByText("GETCASEBILLINGENTRIES", first, entries));
    EXPECT_EQ(entries.items.size(), 2u);
}

TEST_F(DetailServer, ProgressReportsGuardInternalAndLinkedEntries)
{
    const std::string number = NewCase("Progress Co.");
    CProgressRptEntry entry;
    entry.comment = "Called the insured.";
    entry.entryDate = CDateTime{CDateTime::valid, 45300.5};
    entry.enteredBy = "somebody else";
    EXPECT_EQ(admin.SetWithMode("SETCASEPROGRESSRPT", number, entry, 0), 0);
    CProgressRptEntry internal = entry;
    internal.comment = "Internal note.";
    internal.internal = true;
    internal.entryDate = CDateTime{CDateTime::valid, 45301.0};
    EXPECT_EQ(admin.SetWithMode("SETCASEPROGRESSRPT", number, internal, 0), 0);

    CRecordList<CProgressRptEntry> entries;
    ASSERT_TRUE(admin.GetByText("GETCASEPROGRESSRPTS", number, entries));
    ASSERT_EQ(entries.items.size(), 2u);
    EXPECT_EQ(entries.items[0].enteredBy, "Demo Administrator") << "the server records who wrote it";
    EXPECT_TRUE(entries.items[1].internal);

    // The customer rep lacks the right to internal entries.
    CCommandClient rep;
    ASSERT_TRUE(rep.LogIn(Port(), "rep", "rep"));
    CRecordList<CProgressRptEntry> seen;
    ASSERT_TRUE(rep.GetByText("GETCASEPROGRESSRPTS", number, seen));
    ASSERT_EQ(seen.items.size(), 2u);
    EXPECT_EQ(seen.items[1].comment, "INTERNAL") << "nothing of an internal entry's text leaves the server";
    EXPECT_EQ(seen.items[1].enteredBy, "");
    EXPECT_EQ(seen.items[0].comment, "Called the insured.");
    EXPECT_EQ(rep.SetWithMode("SETCASEPROGRESSRPT", number, seen.items[1], 2), -3);
    EXPECT_EQ(rep.SetWithMode("SETCASEPROGRESSRPT", number, internal, 0), -3);
    CProgressRptEntry plain = seen.items[0];
    plain.comment = "Rep's correction.";
    EXPECT_EQ(rep.SetWithMode("SETCASEPROGRESSRPT", number, plain, 1), 0);

    EXPECT_EQ(admin.SetWithMode("SETCASEPROGRESSRPT", number, entries.items[1], 2), 0);
    ASSERT_TRUE(admin.GetByText("GETCASEPROGRESSRPTS", number, entries));
    ASSERT_EQ(entries.items.size(), 1u);
    EXPECT_EQ(entries.items[0].comment, "Rep's correction.");
    EXPECT_EQ(admin.SetWithMode("SETCASEPROGRESSRPT", number, entries.items[0], 7), -1);
}
