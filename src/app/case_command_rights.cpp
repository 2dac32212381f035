#include "app/case_command_rights.h"

#include "query/case_list_commands.h"

namespace {

constexpr int32_t kEditProperties = 0x4000;
constexpr int32_t kViewAssignmentHistory = 0x80000;
constexpr int32_t kEditScheduling = 0x20000;
constexpr int32_t kDeleteCases = 0x800;
constexpr int32_t kAttachments = 0xC0;  // view or edit
constexpr int32_t kResetLinkages = 0x100000;
constexpr int32_t kEditBilling = 0x200;

}  // namespace

const std::vector<CaseCommandRight>& CaseCommandRights()
{
    static const std::vector<CaseCommandRight> table = {
        {cmdCaseProperties, kEditProperties},
        {cmdCaseProgressReport, 0},
        {cmdCasePolicyDetail, 0},
        {cmdCaseAssignmentHistory, kViewAssignmentHistory},
        {cmdCaseSchedule, kEditScheduling},
        {cmdCaseBilling, kEditBilling},
        {cmdCaseOpenAttachment, kAttachments},
        {cmdCaseAttachments, kAttachments},
        // Printing checks the right when it runs, attachment by attachment.
        {cmdCasePrintAttachments, 0},
        {cmdCaseSaveAttachments, kAttachments},
        {cmdCaseExportAttachmentsPdf, kAttachments},
        {cmdCaseExportAttachmentsTiff, kAttachments},
        {cmdCaseExportAttachmentsXps, kAttachments},
        {cmdCaseDelete, kDeleteCases},
        {cmdCaseResetLinks, kResetLinkages},
        {cmdCaseGenerateReport, 0},
        {cmdListExportText, 0},
    };
    return table;
}

std::optional<CaseCommandRight> CaseCommandRightOf(int commandId)
{
    for (const CaseCommandRight& entry : CaseCommandRights())
        if (entry.commandId == commandId)
            return entry;
    return std::nullopt;
}

bool CaseCommandAllowed(int commandId, int32_t rights)
{
    const std::optional<CaseCommandRight> entry = CaseCommandRightOf(commandId);
    return !entry || entry->anyOf == 0 || (rights & entry->anyOf) != 0;
}
