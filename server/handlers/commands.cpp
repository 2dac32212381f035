// The catalogue's command words and their handlers.

#include "server/handlers/handlers.h"

#include <string_view>
#include <unordered_map>

CommandHandler FindCommandHandler(const std::string& word)
{
    static const std::unordered_map<std::string_view, CommandHandler> kCommands = {
        {"GETCASEVIEWPARAMSET", HandleGetCaseViewParamSet},
        {"GENERATECASEVIEW", HandleGenerateCaseView},
        {"GETREPORTVIEWPARAMSET", HandleGetReportViewParamSet},
        {"GETINVENTORYINFO", HandleGetInventoryInfo},
        {"GENERATECASEREPORTVIEW", HandleGenerateCaseReportView},
        {"GETCASETRACKING", HandleGetCaseTracking},
        {"GETCASEPOLICYDETAIL", HandleGetCasePolicyDetail},
        {"SETCASEPOLICYDETAIL", HandleSetCasePolicyDetail},
        {"GETCASESCHEDULEINFO", HandleGetCaseScheduleInfo},
        {"SETCASESCHEDULEINFO", HandleSetCaseScheduleInfo},
        {"SETCASEPROGRESSRPT", HandleSetCaseProgressRpt},
        {"GETCASEPROGRESSRPTS", HandleGetCaseProgressRpts},
        {"DELETECASES", HandleDeleteCases},
        {"GETCASE", HandleGetCase},
        {"SETCASE", HandleSetCase},
        {"CREATECASE", HandleCreateCase},
        {"GETMULTICASEPROPS", HandleGetMultiCaseProps},
        {"SETMULTICASEPROPS", HandleSetMultiCaseProps},
        {"GETTERRITORYBYLOC", HandleGetTerritoryByLoc},
        {"GETCASEVIEW", HandleGetCaseView},
        {"SETCASEVIEW", HandleSetCaseView},
        {"GETCASEAUDITATTACH", HandleGetAttachPrintout},
        {"GETCASESURVEYATTACH", HandleGetAttachPrintout},
        {"GETCASEFILEATTACH", HandleGetCaseFileAttach},
        {"GETCASEATTACHMENTS", HandleGetCaseAttachments},
        {"GETREPORTVIEW", HandleGetReportView},
        {"SETREPORTVIEW", HandleSetReportView},
        {"SETCASEATTACHMENT", HandleSetCaseAttachment},
        {"SETCASEAUDITATTACH", HandleSetCaseAuditAttach},
        {"RESETCASELINKS", HandleResetCaseLinks},
        {"SETCASEBILLINGENTRY", HandleSetCaseBillingEntry},
        {"GETCASEBILLINGENTRIES", HandleGetCaseBillingEntries},
        {"GETCITYSTATEFROMZIP", HandleGetCityStateFromZip},
        {"GETPARENTUSER", HandleGetParentUser},
        {"GETCHILDUSER", HandleGetChildUser},
        {"GETMULTICASEBILLING", HandleGetMultiCaseBilling},
        {"SETMULTICASEBILLING", HandleSetMultiCaseBilling},
        {"GETCASEAUDITATTACHPDF", HandleGetAttachPdf},
        {"GETCASESURVEYATTACHPDF", HandleGetAttachPdf},
        {"GETCASEAUDITATTACHDOC", HandleGetAttachDoc},
        {"GETCASESURVEYATTACHDOC", HandleGetAttachDoc},
        {"GETCASEVIEWPROPSET", HandleGetCaseViewPropSet},
        {"SETCASEVIEWPROPSET", HandleSetCaseViewPropSet},
        {"GETREPORTVIEWPROPSET", HandleGetReportViewPropSet},
        {"SETREPORTVIEWPROPSET", HandleSetReportViewPropSet},
        {"GETREPORTFILENAMES", HandleGetReportFileNames},
        {"ADMINGETREPORTVIEW", HandleAdminGetReportView},
        {"ADMINSETREPORTVIEW", HandleAdminSetReportView},
        {"SETCHILDUSER", HandleSetChildUser},
        {"SETPARENTUSER", HandleSetParentUser},
        {"SYNCPARENT", HandleSyncParent},
        {"GETLOGGEDUSERS", HandleGetLoggedUsers},
        {"SETREGION", HandleSetRegion},
        {"SETTERRITORY", HandleSetTerritory},
        {"GETTERRITORY", HandleGetTerritory},
        {"GETBILLINGDEFSET", HandleGetBillingDefSet},
        {"SETBILLINGDEFSET", HandleSetBillingDefSet},
        {"GETCASEDEFBILLINGENTRY", HandleGetCaseDefBillingEntry},
        {"IMPORTCASES", HandleImportCases},
    };
    const auto found = kCommands.find(word);
    return found == kCommands.end() ? nullptr : found->second;
}
