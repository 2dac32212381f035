#include "query/case_list_commands.h"

CaseSelectionNeed SelectionNeedOf(int commandId)
{
    switch (commandId) {
    case cmdCaseProgressReport:
    case cmdCasePolicyDetail:
    case cmdCaseAssignmentHistory:
    case cmdCaseSchedule:
    case cmdCaseOpenAttachment:
    case cmdCaseAttachments:
        return CaseSelectionNeed::oneCase;
    case cmdCaseProperties:
    case cmdCaseBilling:
    case cmdCasePrintAttachments:
    case cmdCaseSaveAttachments:
    case cmdCaseExportAttachmentsPdf:
    case cmdCaseExportAttachmentsTiff:
    case cmdCaseExportAttachmentsXps:
    case cmdCaseDelete:
    case cmdCaseResetLinks:
    case cmdCaseGenerateReport:
        return CaseSelectionNeed::cases;
    default:
        return CaseSelectionNeed::none;
    }
}

const std::vector<MenuEntry>& CaseListMenu()
{
    static const std::vector<MenuEntry> menu = {
        {cmdCaseProperties, "&Properties...", {}},
        {cmdCaseProgressReport, "Progress &Report...", {}},
        {cmdCasePolicyDetail, "Policy De&tail...", {}},
        {cmdCaseAssignmentHistory, "Assignment &History...", {}},
        {cmdCaseSchedule, "&Schedule...", {}},
        {cmdCaseBilling, "&Billing...", {}},
        MenuSeparator(),
        {cmdCaseOpenAttachment, "&Open", {}},
        {cmdCaseAttachments, "&Attachments...", {}},
        {cmdCasePrintAttachments, "Pri&nt Attachments...", {}},
        {cmdCaseSaveAttachments, "Save A&ttachments...", {}},
        {0, "&Export Attachments to",
         {{cmdCaseExportAttachmentsPdf, "PDF...", {}},
          {cmdCaseExportAttachmentsTiff, "TIFF...", {}},
          {cmdCaseExportAttachmentsXps, "XPS...", {}}}},
        MenuSeparator(),
        {cmdCaseDelete, "&Delete", {}},
        {cmdCaseResetLinks, "Reset Lin&king Statuses...", {}},
        MenuSeparator(),
        {cmdCaseGenerateReport, "Generate Report...", {}},
        MenuSeparator(),
        {cmdListPrintPreview, "Print Preview &List", {}},
        {cmdListPrint, "Print L&ist...", {}},
        {cmdListExportText, "E&xport List to Text...", {}},
        MenuSeparator(),
        {cmdCreateCases, "&Create Cases...", {}},
        {cmdOrderCases, "Ord&er Cases...", {}},
        {cmdImportCases, "I&mport Cases...", {}},
    };
    return menu;
}
