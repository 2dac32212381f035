#pragma once
// The handlers of every catalogue command, by area. Each reads its command's items in
// order, checks the session's rights, carries the command out and replies.

#include "server/handlers/command_context.h"

// Cases (case_handlers.cpp).
bool HandleGetCase(CCommandContext& c);
bool HandleSetCase(CCommandContext& c);
bool HandleCreateCase(CCommandContext& c);
bool HandleDeleteCases(CCommandContext& c);
bool HandleGetMultiCaseProps(CCommandContext& c);
bool HandleSetMultiCaseProps(CCommandContext& c);
bool HandleResetCaseLinks(CCommandContext& c);
bool HandleGetCaseTracking(CCommandContext& c);
bool HandleGetCasePolicyDetail(CCommandContext& c);
bool HandleSetCasePolicyDetail(CCommandContext& c);
bool HandleGetCaseScheduleInfo(CCommandContext& c);
bool HandleSetCaseScheduleInfo(CCommandContext& c);
bool HandleImportCases(CCommandContext& c);

// Attachments, billing and progress reports (detail_handlers.cpp).
bool HandleGetCaseAttachments(CCommandContext& c);
bool HandleGetCaseFileAttach(CCommandContext& c);
bool HandleSetCaseAttachment(CCommandContext& c);
bool HandleSetCaseAuditAttach(CCommandContext& c);
bool HandleGetCaseBillingEntries(CCommandContext& c);
bool HandleSetCaseBillingEntry(CCommandContext& c);
bool HandleGetCaseDefBillingEntry(CCommandContext& c);
bool HandleGetMultiCaseBilling(CCommandContext& c);
bool HandleSetMultiCaseBilling(CCommandContext& c);
bool HandleGetCaseProgressRpts(CCommandContext& c);
bool HandleSetCaseProgressRpt(CCommandContext& c);

// Accounts, regions, territories, billing defaults and look-ups (admin_handlers.cpp).
bool HandleGetParentUser(CCommandContext& c);
bool HandleSetParentUser(CCommandContext& c);
bool HandleGetChildUser(CCommandContext& c);
bool HandleSetChildUser(CCommandContext& c);
bool HandleSyncParent(CCommandContext& c);
bool HandleGetLoggedUsers(CCommandContext& c);
bool HandleSetRegion(CCommandContext& c);
bool HandleSetTerritory(CCommandContext& c);
bool HandleGetTerritory(CCommandContext& c);
bool HandleGetBillingDefSet(CCommandContext& c);
bool HandleSetBillingDefSet(CCommandContext& c);
bool HandleGetTerritoryByLoc(CCommandContext& c);
bool HandleGetCityStateFromZip(CCommandContext& c);

// Views and the inventory info (view_handlers.cpp).
bool HandleGetCaseViewParamSet(CCommandContext& c);
bool HandleGetCaseView(CCommandContext& c);
bool HandleSetCaseView(CCommandContext& c);
bool HandleGetCaseViewPropSet(CCommandContext& c);
bool HandleSetCaseViewPropSet(CCommandContext& c);
bool HandleGetReportViewParamSet(CCommandContext& c);
bool HandleGetReportViewPropSet(CCommandContext& c);
bool HandleSetReportViewPropSet(CCommandContext& c);
bool HandleGetInventoryInfo(CCommandContext& c);
bool HandleGenerateCaseView(CCommandContext& c);

// Report views, report files and the audit and survey attachments as printouts and
// documents (report_handlers.cpp).
bool HandleGenerateCaseReportView(CCommandContext& c);
bool HandleGetReportFileNames(CCommandContext& c);
bool HandleGetReportView(CCommandContext& c);
bool HandleSetReportView(CCommandContext& c);
bool HandleAdminGetReportView(CCommandContext& c);
bool HandleAdminSetReportView(CCommandContext& c);
bool HandleGetAttachPrintout(CCommandContext& c);
bool HandleGetAttachPdf(CCommandContext& c);
bool HandleGetAttachDoc(CCommandContext& c);
