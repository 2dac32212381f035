// Report views: running them with the report generator, the report files, the settings
// dialogs of a view (for the session, and for an administrator editing a view), and the
// audit and survey attachments as printouts and documents.

#include "codec/binary_object.h"
#include "records/record_list.h"
#include "records/report_prop_item.h"
#include "records/ui_dialog.h"
#include "report/report_file.h"
#include "report/report_printout.h"
#include "server/access_rights.h"
#include "server/connection_pool.h"
#include "server/handlers/handlers.h"
#include "server/reports/report_generator.h"
#include "server/reports/report_settings.h"
#include "server/store/report_cases.h"
#include "server/store/status.h"

namespace {

// Editing the settings of another account's report views is part of managing accounts.
constexpr int32_t kManageReportViews = Right::manageParents | Right::manageChildren;
constexpr int32_t kAttachmentRead = Right::viewAttachments | Right::editAttachments;

ViewOwner OwnerOf(const SessionUser& user)
{
    return ViewOwner{user.kind, user.accountId};
}

// The logged-in account's report view of that name.
bool FindOwnView(CCommandContext& c, const std::string& name, CReportPropItem& view)
{
    if (!c.LoggedIn())
        return false;
    if (!c.Inventory().views.GetReportView(OwnerOf(*c.User()), name, view)) {
        c.Log(c.Word() + ": no report view '" + CServerLog::Printable(name) + "'");
        return false;
    }
    if (!ReportGenerator::IsReportFile(view.reportFile)) {
        c.Log(c.Word() + ": report view '" + CServerLog::Printable(name) + "' names the unknown report file '" +
              CServerLog::Printable(view.reportFile) + "'");
        return false;
    }
    return true;
}

// The settings a view runs with in this session: those set for the session, else the
// stored ones.
std::string SessionSettings(CCommandContext& c, const CReportPropItem& view)
{
    const auto found = c.State().reportSettings.find(view.name);
    if (found != c.State().reportSettings.end() && ReportSettings::Holds(view.reportFile, found->second))
        return found->second;
    return view.settings;
}

// "AUDIT" for the audit attachment commands, "SURVEY" for the survey ones.
std::string AttachmentKindOf(const std::string& word)
{
    return word.starts_with("GETCASESURVEY") ? "SURVEY" : "AUDIT";
}

// What one report may grow to while it is built: --max-report bytes and
// --max-report-pages pages.
CReportBudget Budget(CCommandContext& c)
{
    return CReportBudget(c.Server().options.maxReportBytes, c.Server().options.maxReportPages);
}

// The log line of a report stopped on its budget: the refusal is the one a finished
// reply larger than --max-report gets.
void LogOverBudget(CCommandContext& c, const std::string& what, const CReportBudget& budget)
{
    const std::string limit = budget.PastPages()
                                  ? "--max-report-pages (" + std::to_string(c.Server().options.maxReportPages) + ")"
                                  : "--max-report (" + std::to_string(c.Server().options.maxReportBytes) + ")";
    c.Log(what + ": the reply would be larger than " + limit + ": " + budget.Reason() +
          "; stopped while it was built");
}

// The attachment rendered in an output kind; a failed render is logged.
bool RenderAttachment(CCommandContext& c, const std::string& number, int32_t attachmentId, int32_t outputKind,
                      CGeneratedReport& rendered)
{
    std::string bytes;
    const bool archivedOnly = c.Allowed(Right::archivedAttachmentsOnly);
    if (!c.Allowed(kAttachmentRead) ||
        !c.Inventory().details.GetAttachmentDocument(*c.User(), number, attachmentId, archivedOnly,
                                                     AttachmentKindOf(c.Word()), bytes))
        return false;
    CReportBudget budget = Budget(c);
    rendered = ReportGenerator::RenderAttachment(bytes, outputKind, budget);
    if (rendered.overBudget)
        LogOverBudget(c, c.Word() + " of attachment " + std::to_string(attachmentId), budget);
    else if (!rendered.ok)
        c.Log(c.Word() + " of attachment " + std::to_string(attachmentId) + " of case " +
              CServerLog::Printable(number) + ": " + CServerLog::Printable(rendered.error, 200));
    return rendered.ok;
}

}  // namespace

bool HandleGenerateCaseReportView(CCommandContext& c)
{
    std::string name;
    CStringList ids;
    int32_t kind = 0;
    if (!c.ReadText(name, "report view name") || !c.ReadRecord(ids, "case identifiers") ||
        !c.ReadInt(kind, "output kind"))
        return false;
    CReportPropItem view;
    if (kind < ReportOutput::printout || kind > ReportOutput::xps || ids.items.size() > kMaxCasesPerCommand ||
        !FindOwnView(c, name, view))
        return c.ReplyNoRecord();

    const CReportBuildGate::Ticket ticket(c.Server().reportBuilds);
    if (!ticket) {
        c.Log("GENERATECASEREPORTVIEW of '" + CServerLog::Printable(name) + "' refused: " +
              std::to_string(c.Server().reportBuilds->Cap()) + " report builds are running");
        return c.ReplyNoRecord();
    }
    CReportContext context;
    const std::string settings = SessionSettings(c, view);
    if (!settings.empty() && !ReportSettings::Apply(view.reportFile, settings, context))
        c.Log("GENERATECASEREPORTVIEW: the settings of report view '" + CServerLog::Printable(name) +
              "' do not read; it runs with the defaults");
    const std::vector<CAuditCase> cases =
        ReadReportCases(c.Inventory().database, c.Inventory().cases, *c.User(), ids.items);
    // The cases are read: the database connection is free for other commands while the
    // report is drawn and sent.
    CConnectionPool::GiveBackEarly(c.Inventory().database);
    CReportBudget budget = Budget(c);
    CGeneratedReport report = ReportGenerator::Generate(view.reportFile, cases, {}, kind, context, budget);
    if (report.overBudget) {
        LogOverBudget(c, "GENERATECASEREPORTVIEW of '" + CServerLog::Printable(name) + "'", budget);
        return c.ReplyNoRecord();
    }
    if (!report.ok) {
        c.Log("GENERATECASEREPORTVIEW of '" + CServerLog::Printable(name) + "': " + report.error);
        return c.ReplyNoRecord();
    }
    CBinaryObject block(std::move(report.bytes));
    return c.ReplyBoundedRecord(block);
}

bool HandleGetReportFileNames(CCommandContext& c)
{
    if (!c.LoggedIn())
        return c.ReplyNoRecord();
    CStringList names(ReportGenerator::ReportFileNames());
    return c.ReplyRecord(names);
}

bool HandleGetReportView(CCommandContext& c)
{
    std::string name;
    if (!c.ReadText(name, "report view name"))
        return false;
    CReportPropItem view;
    CUIDialog dialog;
    if (!FindOwnView(c, name, view) || !ReportSettings::Dialog(view.reportFile, SessionSettings(c, view), dialog))
        return c.ReplyNoRecord();
    return c.ReplyRecord(dialog);
}

bool HandleSetReportView(CCommandContext& c)
{
    std::string name;
    CUIDialog edited;
    if (!c.ReadText(name, "report view name") || !c.ReadRecord(edited, "report settings"))
        return false;
    CReportPropItem view;
    if (!FindOwnView(c, name, view))
        return c.ReplyStatus(Status::failed);
    std::string settings;
    std::string error;
    if (!ReportSettings::FromDialog(view.reportFile, edited, settings, error)) {
        c.Log("SETREPORTVIEW of '" + CServerLog::Printable(name) + "': " + CServerLog::Printable(error, 200));
        return c.ReplyStatus(Status::failed);
    }
    c.State().reportSettings[view.name] = std::move(settings);
    return c.ReplyStatus(Status::ok);
}

bool HandleAdminGetReportView(CCommandContext& c)
{
    CReportPropItem view;
    if (!c.ReadRecord(view, "report view"))
        return false;
    CUIDialog dialog;
    if (!c.Allowed(kManageReportViews) || !ReportSettings::Dialog(view.reportFile, view.settings, dialog))
        return c.ReplyNoRecord();
    return c.ReplyRecord(dialog);
}

bool HandleAdminSetReportView(CCommandContext& c)
{
    CUIDialog edited;
    CReportPropItem view;
    if (!c.ReadRecord(edited, "report settings") || !c.ReadRecord(view, "report view"))
        return false;
    // No record follows a non-zero status.
    if (!c.Allowed(kManageReportViews))
        return c.ReplyStatus(c.LoggedIn() ? Status::denied : Status::failed);
    std::string error;
    if (!ReportSettings::FromDialog(view.reportFile, edited, view.settings, error)) {
        c.Log("ADMINSETREPORTVIEW of '" + CServerLog::Printable(view.name) + "': " + CServerLog::Printable(error, 200));
        return c.ReplyStatus(Status::failed);
    }
    return c.ReplyStatus(Status::ok) && c.ReplyRecord(view);
}

bool HandleGetAttachPrintout(CCommandContext& c)
{
    std::string number;
    int32_t attachmentId = 0;
    if (!c.ReadText(number, "case number") || !c.ReadInt(attachmentId, "attachment number"))
        return false;
    CGeneratedReport rendered;
    if (!RenderAttachment(c, number, attachmentId, ReportOutput::printout, rendered))
        return c.ReplyNoRecord();
    // The reply is the printout record itself.
    const CReportLoadResult loaded = LoadReportBlock(rendered.bytes);
    if (!loaded.Ok()) {
        c.Log(c.Word() + ": " + loaded.message);
        return c.ReplyNoRecord();
    }
    return c.ReplyBoundedRecord(*loaded.printout);
}

bool HandleGetAttachPdf(CCommandContext& c)
{
    std::string number;
    int32_t attachmentId = 0;
    if (!c.ReadText(number, "case number") || !c.ReadInt(attachmentId, "attachment number"))
        return false;
    CGeneratedReport rendered;
    if (!RenderAttachment(c, number, attachmentId, ReportOutput::pdf, rendered))
        return c.ReplyNoRecord();
    CBinaryObject document(std::move(rendered.bytes));
    return c.ReplyBoundedRecord(document);
}

// The format code picks the document: 2 TIFF, 3 XPS.
bool HandleGetAttachDoc(CCommandContext& c)
{
    std::string number;
    int32_t attachmentId = 0;
    int32_t format = 0;
    if (!c.ReadText(number, "case number") || !c.ReadInt(attachmentId, "attachment number") ||
        !c.ReadInt(format, "format code"))
        return false;
    CGeneratedReport rendered;
    if (format != ReportOutput::tiff && format != ReportOutput::xps) {
        c.Log(c.Word() + ": format code " + std::to_string(format) + " is neither 2 (TIFF) nor 3 (XPS)");
        return c.ReplyNoRecord();
    }
    if (!RenderAttachment(c, number, attachmentId, format, rendered))
        return c.ReplyNoRecord();
    CBinaryObject document(std::move(rendered.bytes));
    return c.ReplyBoundedRecord(document);
}
