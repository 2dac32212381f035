// Attachments, billing entries and progress reports of a case.

#include "codec/binary_object.h"
#include "records/attachment.h"
#include "records/billing_entry.h"
#include "records/multi_billing_entry.h"
#include "records/progress_rpt_entry.h"
#include "records/record_list.h"
#include "server/access_rights.h"
#include "server/handlers/handlers.h"
#include "server/store/status.h"

namespace {

constexpr int32_t kAttachmentRead = Right::viewAttachments | Right::editAttachments;

bool ArchivedOnly(const CCommandContext& c)
{
    return c.Allowed(Right::archivedAttachmentsOnly);
}

}  // namespace

bool HandleGetCaseAttachments(CCommandContext& c)
{
    std::string number;
    if (!c.ReadText(number, "case number"))
        return false;
    CRecordList<CAttachment> attachments;
    if (!c.Allowed(kAttachmentRead) ||
        !c.Inventory().details.GetAttachments(*c.User(), number, ArchivedOnly(c), attachments.items))
        return c.ReplyNoRecord();
    return c.ReplyRecord(attachments);
}

bool HandleGetCaseFileAttach(CCommandContext& c)
{
    std::string number;
    int32_t attachmentId = 0;
    if (!c.ReadText(number, "case number") || !c.ReadInt(attachmentId, "attachment number"))
        return false;
    std::string bytes;
    if (!c.Allowed(kAttachmentRead) ||
        !c.Inventory().details.GetAttachmentBytes(*c.User(), number, attachmentId, ArchivedOnly(c), bytes))
        return c.ReplyNoRecord();
    CBinaryObject file(std::move(bytes));
    return c.ReplyRecord(file);
}

bool HandleSetCaseAttachment(CCommandContext& c)
{
    std::string number;
    CAttachment attachment;
    CBinaryObject file;
    int32_t mode = 0;
    if (!c.ReadText(number, "case number") || !c.ReadRecord(attachment, "attachment") ||
        !c.ReadRecord(file, "attachment file") || !c.ReadInt(mode, "mode"))
        return false;
    if (!c.Allowed(Right::editAttachments))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(
        c.Inventory().details.SetAttachment(*c.User(), number, attachment, file.GetBytes(), mode, ArchivedOnly(c)));
}

bool HandleSetCaseAuditAttach(CCommandContext& c)
{
    std::string number;
    int32_t attachmentId = 0;
    CBinaryObject file;
    if (!c.ReadText(number, "case number") || !c.ReadInt(attachmentId, "attachment number") ||
        !c.ReadRecord(file, "audit file"))
        return false;
    if (!c.Allowed(Right::editAttachments))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(
        c.Inventory().details.ReplaceAuditBytes(*c.User(), number, attachmentId, file.GetBytes(), ArchivedOnly(c)));
}

bool HandleGetCaseBillingEntries(CCommandContext& c)
{
    std::string number;
    if (!c.ReadText(number, "case number"))
        return false;
    CRecordList<CBillingEntry> entries;
    if (!c.Allowed(Right::editBilling) || !c.Inventory().details.GetBillingEntries(*c.User(), number, entries.items))
        return c.ReplyNoRecord();
    return c.ReplyRecord(entries);
}

bool HandleSetCaseBillingEntry(CCommandContext& c)
{
    std::string number;
    CBillingEntry entry;
    int32_t mode = 0;
    if (!c.ReadText(number, "case number") || !c.ReadRecord(entry, "billing entry") || !c.ReadInt(mode, "mode"))
        return false;
    if (!c.Allowed(Right::editBilling))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().details.SetBillingEntry(*c.User(), number, entry, mode));
}

bool HandleGetCaseDefBillingEntry(CCommandContext& c)
{
    std::string number;
    std::string party;
    int32_t partyIsChild = 0;
    if (!c.ReadText(number, "case number") || !c.ReadText(party, "party name") || !c.ReadInt(partyIsChild, "flag"))
        return false;
    // Both reply items go out in every case: a refusal sends an empty entry and its status.
    CBillingEntry entry;
    int status = Status::denied;
    if (!c.LoggedIn())
        status = Status::failed;
    else if (c.Allowed(Right::editBilling))
        status = c.Inventory().details.DefaultBillingEntry(*c.User(), number, party, partyIsChild != 0, entry);
    if (status != Status::ok)
        entry = CBillingEntry{};
    return c.ReplyRecord(entry) && c.ReplyStatus(status);
}

bool HandleGetMultiCaseBilling(CCommandContext& c)
{
    CStringList ids;
    int32_t choice = 0;
    if (!c.ReadRecord(ids, "case identifiers") || !c.ReadInt(choice, "billing choice"))
        return false;
    CRecordList<CMultiBillingEntry> entries;
    if (!c.Allowed(Right::editBilling) ||
        !c.Inventory().details.ProposeMultiBilling(*c.User(), ids.items, choice, entries.items))
        return c.ReplyNoRecord();
    return c.ReplyRecord(entries);
}

bool HandleSetMultiCaseBilling(CCommandContext& c)
{
    CRecordList<CMultiBillingEntry> entries;
    if (!c.ReadRecord(entries, "billing entries"))
        return false;
    if (!c.Allowed(Right::editBilling))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    return c.ReplyStatus(c.Inventory().details.AddMultiBilling(*c.User(), entries.items));
}

bool HandleGetCaseProgressRpts(CCommandContext& c)
{
    std::string number;
    if (!c.ReadText(number, "case number"))
        return false;
    CRecordList<CProgressRptEntry> entries;
    if (!c.LoggedIn() || !c.Inventory().details.GetProgressReports(*c.User(), number, entries.items))
        return c.ReplyNoRecord();
    // Without the right an internal entry is only a row reading "INTERNAL": nothing of
    // its text or author leaves the server.
    if (!c.Allowed(Right::internalProgressReports))
        for (CProgressRptEntry& entry : entries.items)
            if (entry.internal) {
                entry.comment = "INTERNAL";
                entry.enteredBy.clear();
                entry.opaqueInt = 0;
            }
    return c.ReplyRecord(entries);
}

bool HandleSetCaseProgressRpt(CCommandContext& c)
{
    std::string number;
    CProgressRptEntry entry;
    int32_t mode = 0;
    if (!c.ReadText(number, "case number") || !c.ReadRecord(entry, "progress report entry") ||
        !c.ReadInt(mode, "mode"))
        return false;
    if (!c.LoggedIn())
        return c.ReplyStatus(Status::failed);
    return c.ReplyStatus(c.Inventory().details.SetProgressReport(*c.User(), number, entry, mode,
                                                                 c.Allowed(Right::internalProgressReports)));
}
