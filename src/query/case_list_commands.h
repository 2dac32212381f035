#pragma once
// The commands given from the case list: their menu entries in the list's context menu
// and which selection each needs.

#include "query/menu_entry.h"

#include <vector>

enum CaseListCommand : int {
    cmdCaseProperties = 32784,
    cmdCaseProgressReport = 32814,
    cmdCasePolicyDetail = 32856,
    cmdCaseAssignmentHistory = 32849,
    cmdCaseSchedule = 32788,
    cmdCaseBilling = 32829,
    cmdCaseOpenAttachment = 32816,
    cmdCaseAttachments = 32832,
    cmdCasePrintAttachments = 32786,
    cmdCaseSaveAttachments = 32874,
    cmdCaseExportAttachmentsPdf = 32882,
    cmdCaseExportAttachmentsTiff = 32904,
    cmdCaseExportAttachmentsXps = 32905,
    cmdCaseDelete = 32815,
    cmdCaseResetLinks = 32877,
    cmdCaseGenerateReport = 32906,
    cmdListPrintPreview = 57609,
    cmdListPrint = 57607,
    cmdListExportText = 32902,
    cmdCreateCases = 32875,
    cmdOrderCases = 32876,
    cmdImportCases = 32901,
};

// What a command acts on.
enum class CaseSelectionNeed {
    none,     // the list as a whole, or nothing in it
    oneCase,  // the focused case
    cases,    // every selected case, in list order
};

CaseSelectionNeed SelectionNeedOf(int commandId);

// The list's context menu, every entry; the view keeps those the program has.
const std::vector<MenuEntry>& CaseListMenu();
