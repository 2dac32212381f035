#include "casedlg/case_attachment_printer.h"

#include "casedlg/attachment_error.h"
#include "casedlg/attachment_files.h"
#include "codec/class_registry.h"
#include "net/inventory_server.h"
#include "platform/shell_launcher.h"
#include "platform/user_prompts.h"
#include "records/attachment.h"
#include "report/report_classes.h"
#include "report/report_printer.h"
#include "report/report_printout.h"

#include <QFile>

#include <vector>

AttachmentPrintServices DefaultAttachmentPrintServices(ShellLauncher& shell)
{
    AttachmentPrintServices services;
    services.printReport = [](CReportPrintout& report, const std::string& documentName, int copies) {
        CPrintRequest request;
        request.documentName = documentName;
        request.silent = true;
        request.copies = copies;
        return Print(report, request) == ReportPrint::kDone;
    };
    services.shell = &shell;
    return services;
}

namespace {

// Fetches and prints one audit or survey; throws its receive error.
void PrintReportAttachment(CInventoryServer& server, const std::string& caseNumber, const CAttachment& attachment,
                           int copies, const AttachmentPrintServices& services)
{
    const bool audit = attachment.kind == "AUDIT";
    // The printout's sections are loaded by class name.
    RegisterReportClasses(CClassRegistry::Global());
    CReportPrintout report;
    const bool received = audit ? server.GetCaseAuditAttach(caseNumber, attachment.attachmentId, report)
                                : server.GetCaseSurveyAttach(caseNumber, attachment.attachmentId, report);
    if (!received)
        throw CMyGenericException(audit ? AttachmentText::kAuditReceiveError : AttachmentText::kSurveyReceiveError);
    if (!services.printReport || !services.printReport(report, attachment.name, copies))
        throw CMyGenericException(AttachmentText::kPrintFailed);
}

void PrintFileAttachment(CInventoryServer& server, const std::string& caseNumber, const CAttachment& attachment,
                         int copies, const AttachmentPrintServices& services)
{
    const QString path = AttachmentFiles::FetchToTempFile(server, caseNumber, attachment);
    const bool printed = services.shell && services.shell->Print(path, copies);
    QFile::remove(path);
    if (!printed)
        throw CMyGenericException(AttachmentText::kPrintFailed);
}

}  // namespace

bool PrintCaseAttachments(CInventoryServer& server, UserPrompts& prompts, const std::string& caseNumber,
                          int copies, const AttachmentPrintServices& services)
{
    std::vector<CAttachment> attachments;
    {
        WaitCursor wait(prompts);
        if (!server.GetCaseAttachments(caseNumber, attachments))
            return false;
    }
    bool allPrinted = true;
    for (const CAttachment& attachment : attachments) {
        if (!attachment.printable || !attachment.toBePrinted)
            continue;
        try {
            if (attachment.kind == "AUDIT" || attachment.kind == "SURVEY")
                PrintReportAttachment(server, caseNumber, attachment, copies, services);
            else if (AttachmentFiles::IsFileKind(attachment.kind))
                PrintFileAttachment(server, caseNumber, attachment, copies, services);
            else
                continue;
        } catch (const CMyGenericException& error) {
            prompts.Message(error.Text());
            allPrinted = false;
        }
    }
    return allPrinted;
}
