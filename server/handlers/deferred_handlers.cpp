// Commands whose work comes with the report generator. Until then each reads its items,
// so that the conversation stays in step, and refuses: a record reply becomes an
// envelope without a record, a status reply -1.

#include "codec/string_object.h"
#include "records/record_list.h"
#include "records/report_prop_item.h"
#include "records/ui_dialog.h"
#include "server/handlers/handlers.h"
#include "server/store/status.h"

bool HandleGenerateCaseReportView(CCommandContext& c)
{
    std::string name;
    CStringList ids;
    int32_t kind = 0;
    if (!c.ReadText(name, "report view name") || !c.ReadRecord(ids, "case identifiers") ||
        !c.ReadInt(kind, "output kind"))
        return false;
    return c.ReplyNoRecord();
}

bool HandleGetReportFileNames(CCommandContext& c)
{
    return c.ReplyNoRecord();
}

bool HandleGetReportView(CCommandContext& c)
{
    std::string name;
    if (!c.ReadText(name, "report view name"))
        return false;
    return c.ReplyNoRecord();
}

bool HandleSetReportView(CCommandContext& c)
{
    std::string name;
    CUIDialog settings;
    if (!c.ReadText(name, "report view name") || !c.ReadRecord(settings, "report settings"))
        return false;
    return c.ReplyStatus(Status::failed);
}

bool HandleAdminGetReportView(CCommandContext& c)
{
    CReportPropItem view;
    if (!c.ReadRecord(view, "report view"))
        return false;
    return c.ReplyNoRecord();
}

bool HandleAdminSetReportView(CCommandContext& c)
{
    CUIDialog settings;
    CReportPropItem view;
    if (!c.ReadRecord(settings, "report settings") || !c.ReadRecord(view, "report view"))
        return false;
    // No record follows a non-zero status.
    return c.ReplyStatus(Status::failed);
}

bool HandleGetAttachPrintout(CCommandContext& c)
{
    std::string number;
    int32_t attachmentId = 0;
    if (!c.ReadText(number, "case number") || !c.ReadInt(attachmentId, "attachment number"))
        return false;
    return c.ReplyNoRecord();
}

bool HandleGetAttachPdf(CCommandContext& c)
{
    return HandleGetAttachPrintout(c);
}

bool HandleGetAttachDoc(CCommandContext& c)
{
    std::string number;
    int32_t attachmentId = 0;
    int32_t format = 0;
    if (!c.ReadText(number, "case number") || !c.ReadInt(attachmentId, "attachment number") ||
        !c.ReadInt(format, "format code"))
        return false;
    return c.ReplyNoRecord();
}
