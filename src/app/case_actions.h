#pragma once
// The case list's own actions, carried out for the document: delete cases, reset their
// linking statuses, and the progress report, schedule, policy detail and assignment
// history dialogs of one case. Each asks, calls the server and reports its failures
// here; the list refreshes or removes the rows when an action says it changed cases.

#include "net/inventory_server.h"
#include "records/tracking_entry.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class PolicyDetailLogic;
class ProgressReportLogic;
class ScheduleLogic;
class UserPrompts;

// The dialogs the actions run. The desktop fills them with real dialogs; tests with
// functions that answer at once. An empty function leaves its command out.
struct CaseActionDialogs {
    // "Reset Case Linkages": the choice, or nothing when cancelled.
    std::function<std::optional<CInventoryServer::LinkReset>()> resetLinks;
    // "Progress Report" over the loaded entries; it makes its changes itself.
    std::function<void(ProgressReportLogic& logic)> progressReports;
    // "Schedule Case": true on OK, which the dialog allows only for a readable schedule.
    std::function<bool(ScheduleLogic& logic)> schedule;
    // "Policy Data": true on OK, the pages' texts copied back into the logic.
    std::function<bool(PolicyDetailLogic& logic)> policyDetail;
    // "Assignment History".
    std::function<void(const std::vector<CTrackingEntry>& history)> assignmentHistory;
};

class CaseActions {
public:
    // Nothing is owned; all must outlive the actions.
    CaseActions(CInventoryServer& server, UserPrompts& prompts, const CaseActionDialogs& dialogs);

    // Whether the command is one of these actions (with its dialog present).
    bool Has(int commandId) const;
    // Runs it on the cases (one-case commands take the first); true when it changed
    // cases on the server. `rights` is the user's access-rights bit set.
    bool Run(int commandId, const std::vector<std::string>& caseNumbers, int32_t rights);

    bool DeleteCases(const std::vector<std::string>& caseNumbers);
    bool ResetLinks(const std::vector<std::string>& caseNumbers);
    bool ProgressReports(const std::string& caseNumber, int32_t rights);
    bool Schedule(const std::string& caseNumber);
    bool PolicyDetail(const std::string& caseNumber, int32_t rights);
    void AssignmentHistory(const std::string& caseNumber);

private:
    void Message(const char* text);
    // After the progress report dialog: the case's "new progress reports" mark cleared.
    bool ClearNewProgressReports(const std::string& caseNumber);

    CInventoryServer& server_;
    UserPrompts& prompts_;
    const CaseActionDialogs& dialogs_;
};
