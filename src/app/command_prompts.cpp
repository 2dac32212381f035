#include "app/command_prompts.h"

#include "app/main_commands.h"
#include "query/case_list_commands.h"
#include "query/inventory_tree_layout.h"

namespace {

struct PromptRow {
    int commandId;
    const char* statusText;
    const char* toolTip;
};

const PromptRow kPrompts[] = {
    // The document's.
    {cmdPrintSetup, "Change the printer and printing options", "Print Setup"},
    {cmdOpenReportFile, "Open Report File", "Open Report File"},
    {cmdSaveReportFile, "Save Report as File", "Save Report as File"},
    {cmdSearchCases, "Search for cases", "Search Cases"},
    {cmdLoggedInUserList, "List the users logged in to the server", "Logged In Users"},
    {cmdHiddenTreeNodes, "Show or hide the hidden nodes of the tree", "Hidden Tree Nodes"},
    {cmdLaunchTool, "Launch the external tool", "Launch Tool"},

    // The report pane's.
    {cmdZoomIn, "Zoom in on the report", "Zoom In"},
    {cmdZoomOut, "Zoom out of the report", "Zoom Out"},
    {cmdNextPage, "Go to the next page of the report", "Next Page"},
    {cmdPreviousPage, "Go to the previous page of the report", "Previous Page"},
    {cmdFirstPage, "Go to the first page of the report", "First Page"},
    {cmdLastPage, "Go to the last page of the report", "Last Page"},
    {cmdFilePrint, "Print the report or the case list", "Print"},
    {cmdFilePrintPreview, "Display the case list's full pages", "Print Preview"},

    // The frame's and the application's.
    {cmdEditCut, "Cut the selection and put it on the Clipboard", "Cut"},
    {cmdEditCopy, "Copy the selection and put it on the Clipboard", "Copy"},
    {cmdEditPaste, "Insert Clipboard contents", "Paste"},
    {cmdAppAbout, "Display program information and version number", "About"},
    {cmdAppExit, "Quit the application", "Exit"},

    // The case list's.
    {cmdCaseProperties, "Show and edit the properties of the selected cases", "Properties"},
    {cmdCaseProgressReport, "Show the progress reports of the case", "Progress Report"},
    {cmdCasePolicyDetail, "Show and edit the policy detail of the case", "Policy Detail"},
    {cmdCaseAssignmentHistory, "Show the assignment history of the case", "Assignment History"},
    {cmdCaseSchedule, "Show and edit the schedule of the case", "Schedule"},
    {cmdCaseBilling, "Show and edit the billing entries of the selected cases", "Billing"},
    {cmdCaseOpenAttachment, "Open the default attachment of the case", "Open Attachment"},
    {cmdCaseAttachments, "Show and manage the attachments of the case", "Attachments"},
    {cmdCasePrintAttachments, "Print the attachments of the selected cases", "Print Attachments"},
    {cmdCaseSaveAttachments, "Save the attachments of the selected cases to a folder", "Save Attachments"},
    {cmdCaseExportAttachmentsPdf, "Export the attachments of the selected cases as PDF files", "Export to PDF"},
    {cmdCaseExportAttachmentsTiff, "Export the attachments of the selected cases as TIFF files", "Export to TIFF"},
    {cmdCaseExportAttachmentsXps, "Export the attachments of the selected cases as XPS files", "Export to XPS"},
    {cmdCaseDelete, "Delete the selected cases", "Delete"},
    {cmdCaseResetLinks, "Reset the linking statuses of the selected cases", "Reset Linking Statuses"},
    {cmdCaseGenerateReport, "Generate a report on the selected cases", "Generate Report"},
    {cmdListExportText, "Export the case list to a tab-separated text file", "Export List to Text"},
    {cmdCreateCases, "Create new cases", "Create Cases"},
    {cmdOrderCases, "Order new audits and inspections", "Order Cases"},
    {cmdImportCases, "Import cases from a text file", "Import Cases"},

    // The tree's.
    {cmdShowCaseView, "List the cases of the case view", "Show Case View"},
    {cmdSearchCaseView, "Search the cases of the case view", "Search Case View"},
    {cmdEditCaseView, "Edit the columns, sort order and filter of the case view", "Edit Case View"},
    {cmdShowReportView, "Generate the report and show it", "Show Report"},
    {cmdEditReportView, "Edit the properties of the report view", "Edit Report View"},
    {cmdViewChild, "Show the child account", "View Child"},
    {cmdViewParent, "Show the parent account", "View Parent"},
    {cmdEditChild, "Edit the child account", "Edit Child"},
    {cmdDeleteChild, "Delete the child account", "Delete Child"},
    {cmdManageChildCaseViews, "Manage the case views of the account", "Case Views"},
    {cmdManageChildReportViews, "Manage the report views of the account", "Report Views"},
    {cmdManageBillingDefaults, "Manage the billing defaults", "Billing Defaults"},
    {cmdAddChild, "Add a child account", "Add Child"},
    {cmdAddParent, "Add a parent account", "Add Parent"},
    {cmdEditParent, "Edit the parent account", "Edit Parent"},
    {cmdDeleteParent, "Delete the parent account", "Delete Parent"},
    {cmdConnectToParent, "Connect to a parent account", "Connect to Parent"},
    {cmdAddRegion, "Add a region", "Add Region"},
    {cmdEditRegion, "Edit the region", "Edit Region"},
    {cmdDeleteRegion, "Delete the region", "Delete Region"},
    {cmdAddTerritory, "Add a territory", "Add Territory"},
    {cmdEditTerritory, "Edit the territory", "Edit Territory"},
    {cmdDeleteTerritory, "Delete the territory", "Delete Territory"},
    {cmdExportReportPdf, "Generate the report as a PDF file", "Export to PDF"},
    {cmdExportReportTiff, "Generate the report as a TIFF file", "Export to TIFF"},
    {cmdExportReportXps, "Generate the report as an XPS file", "Export to XPS"},
};

}  // namespace

CommandPrompt CommandPromptFromTable(int commandId)
{
    for (const PromptRow& row : kPrompts)
        if (row.commandId == commandId)
            return {QString::fromLatin1(row.statusText), QString::fromLatin1(row.toolTip)};
    return {};
}
