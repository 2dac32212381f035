#include "app/case_actions.h"

#include "casedlg/policy_detail_logic.h"
#include "casedlg/progress_report_logic.h"
#include "casedlg/schedule_logic.h"
#include "platform/user_prompts.h"
#include "query/case_list_commands.h"
#include "records/audit_case.h"
#include "records/case_schedule_info.h"

#include <variant>

CaseActions::CaseActions(CInventoryServer& server, UserPrompts& prompts, const CaseActionDialogs& dialogs)
    : server_(server), prompts_(prompts), dialogs_(dialogs)
{
}

void CaseActions::Message(const char* text)
{
    prompts_.Message(QString::fromLatin1(text));
}

bool CaseActions::Has(int commandId) const
{
    switch (commandId) {
    case cmdCaseDelete: return true;
    case cmdCaseResetLinks: return static_cast<bool>(dialogs_.resetLinks);
    case cmdCaseProgressReport: return static_cast<bool>(dialogs_.progressReports);
    case cmdCaseSchedule: return static_cast<bool>(dialogs_.schedule);
    case cmdCasePolicyDetail: return static_cast<bool>(dialogs_.policyDetail);
    case cmdCaseAssignmentHistory: return static_cast<bool>(dialogs_.assignmentHistory);
    default: return false;
    }
}

bool CaseActions::Run(int commandId, const std::vector<std::string>& caseNumbers, int32_t rights)
{
    if (!Has(commandId) || caseNumbers.empty())
        return false;
    const std::string& first = caseNumbers.front();
    switch (commandId) {
    case cmdCaseDelete: return DeleteCases(caseNumbers);
    case cmdCaseResetLinks: return ResetLinks(caseNumbers);
    case cmdCaseProgressReport: return ProgressReports(first, rights);
    case cmdCaseSchedule: return Schedule(first);
    case cmdCasePolicyDetail: PolicyDetail(first, rights); return false;
    case cmdCaseAssignmentHistory: AssignmentHistory(first); return false;
    default: return false;
    }
}

bool CaseActions::DeleteCases(const std::vector<std::string>& caseNumbers)
{
    const QString question =
        QStringLiteral("You are about to delete %1 case(s).  Are you sure?").arg(caseNumbers.size());
    if (!prompts_.AskYesNo(question, true))
        return false;
    int result = 0;
    {
        WaitCursor wait(prompts_);
        result = server_.DeleteCases(caseNumbers);
    }
    if (result == -1)
        Message("Deletion of case(s) failed");
    else if (result == -2)
        Message("Can't delete case(s).  One or more cases are linking or linked");
    return result == 0;
}

bool CaseActions::ResetLinks(const std::vector<std::string>& caseNumbers)
{
    const std::optional<CInventoryServer::LinkReset> which = dialogs_.resetLinks();
    if (!which)
        return false;
    int result = 0;
    {
        WaitCursor wait(prompts_);
        result = server_.ResetCaseLinks(caseNumbers, *which);
    }
    if (result == -1)
        Message("Resetting of case linking statuses failed");
    return result == 0;
}

bool CaseActions::ProgressReports(const std::string& caseNumber, int32_t rights)
{
    ProgressReportLogic logic(server_, prompts_, caseNumber, rights);
    if (!logic.Load())
        return false;
    dialogs_.progressReports(logic);
    const bool cleared = ClearNewProgressReports(caseNumber);
    return logic.Changed() || cleared;
}

bool CaseActions::ClearNewProgressReports(const std::string& caseNumber)
{
    CAuditCase auditCase;
    {
        WaitCursor wait(prompts_);
        if (!server_.GetCase(caseNumber, auditCase) || !auditCase.hasNewProgressReports)
            return false;
        auditCase.hasNewProgressReports = false;
        return server_.SetCase(caseNumber, auditCase) == 0;
    }
}

bool CaseActions::Schedule(const std::string& caseNumber)
{
    CCaseScheduleInfo schedule;
    bool received = false;
    {
        WaitCursor wait(prompts_);
        received = server_.GetCaseScheduleInfo(caseNumber, schedule);
    }
    if (!received) {
        Message("Error receiving schedule info from server");
        return false;
    }
    ScheduleLogic logic(schedule);
    if (!dialogs_.schedule(logic))
        return false;
    const auto result = logic.Result();
    const CCaseScheduleInfo* stored = std::get_if<CCaseScheduleInfo>(&result);
    if (!stored)
        return false;
    bool sent = false;
    {
        WaitCursor wait(prompts_);
        sent = server_.SetCaseScheduleInfo(caseNumber, *stored);
    }
    if (!sent) {
        Message("Error sending schedule info to server");
        return false;
    }
    return true;
}

bool CaseActions::PolicyDetail(const std::string& caseNumber, int32_t rights)
{
    std::vector<CPolicyPage> pages;
    bool received = false;
    {
        WaitCursor wait(prompts_);
        received = server_.GetCasePolicyDetail(caseNumber, pages);
    }
    if (!received) {
        Message("Error receiving policy detail from server");
        return false;
    }
    PolicyDetailLogic logic(std::move(pages), rights);
    if (!dialogs_.policyDetail(logic) || !logic.CanEdit())
        return false;
    bool sent = false;
    {
        WaitCursor wait(prompts_);
        sent = server_.SetCasePolicyDetail(caseNumber, logic.Pages());
    }
    if (!sent)
        Message("Error updating policy detail on server");
    return sent;
}

void CaseActions::AssignmentHistory(const std::string& caseNumber)
{
    std::vector<CTrackingEntry> history;
    bool received = false;
    {
        WaitCursor wait(prompts_);
        received = server_.GetCaseTracking(caseNumber, history);
    }
    if (!received) {
        Message("Error receiving assignment history from server");
        return;
    }
    dialogs_.assignmentHistory(history);
}
