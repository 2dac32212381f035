#include "app/task_printing.h"

#include "net/inventory_server.h"
#include "records/attachment.h"
#include "report/report_printer.h"
#include "report/report_printout.h"

#include <vector>

namespace {

// Until the attachment printer is linked in here, a case goes through only when it has
// nothing to print; one with printable attachments is reported as not printed, so that
// it is not handed on unprinted.
// MERGE NOTE: replace this function with the one of src/casedlg/case_attachment_printer.h,
// bound to `server`.
bool PrintAttachmentsInterim(CInventoryServer& server, const std::string& caseNumber, std::string& error)
{
    std::vector<CAttachment> attachments;
    if (!server.GetCaseAttachments(caseNumber, attachments)) {
        error = "Error receiving attachment list from server";
        return false;
    }
    for (const CAttachment& attachment : attachments)
        if (attachment.printable && attachment.toBePrinted) {
            error = "Attachments cannot be printed by this program";
            return false;
        }
    return true;
}

}  // namespace

CTaskServices TaskPrintServices(CInventoryServer& server)
{
    CTaskServices services;
    services.printReport = [](CReportPrintout& printout, int copies, const std::string& jobName) {
        CPrintRequest request;
        request.documentName = jobName;
        request.silent = true;
        request.copies = copies;
        return Print(printout, request) == ReportPrint::kDone;
    };
    services.printAttachments = [&server](const std::string& caseNumber, int, std::string& error) {
        return PrintAttachmentsInterim(server, caseNumber, error);
    };
    return services;
}
