#pragma once
// What the document does for the case editing commands: edit one case (GETCASE, the
// properties sheet, SETCASE and the billing prompt), create cases in a loop (the wizard,
// CREATECASE, "Add Another Case"), edit many cases at once (GETMULTICASEPROPS,
// SETMULTICASEPROPS), and billing for one or many cases. The dialogs come as functions,
// so that tests run every flow with scripted answers against a real server.

#include "casedlg/add_another_case_dlg.h"
#include "casedlg/billing_logic.h"
#include "casedlg/case_props_logic.h"
#include "casedlg/multi_case_props_logic.h"
#include "net/inventory_server.h"
#include "query/civil_date.h"
#include "records/inventory_info.h"
#include "records/multi_billing_entry.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class UserPrompts;

struct CaseEditingDialogs {
    // The properties sheet ("Case Properties") or, for logic.IsWizard(), the wizard
    // ("Create New Case"); true on OK or Finish, the case then in logic.Case().
    std::function<bool(CasePropsLogic& logic)> caseSheet;
    // "Add Another Case".
    std::function<CAddAnotherCaseDlg::Choice()> addAnotherCase;
    // "Edit Properties of Multiple Cases"; true on OK.
    std::function<bool(MultiCasePropsLogic& logic)> multiCaseProps;
    // "Billing Information" over a loaded logic; it stores entries itself.
    std::function<void(BillingLogic& logic)> billing;
    // "Multi-billing Properties": the parties chosen, nothing when cancelled.
    std::function<std::optional<CInventoryServer::MultiBillingParties>()> multiBillingParties;
    // "Multi-Case Billing": edits the proposed entries in place; true on OK.
    std::function<bool(std::vector<CMultiBillingEntry>& entries)> multiBilling;
    // The assignment history of a case (from "Assign Case Manually"); may be empty.
    std::function<void(const std::string& caseNumber)> assignmentHistory;
    // Whether the user wants insured information copied into an empty audit location.
    bool copyInsuredInfo = false;
};

// The case list commands carried out here: Properties (also the Enter key), Billing and
// Create Cases, each offered when its dialogs exist and enabled by its right.
bool CaseEditingHasCommand(const CaseEditingDialogs& dialogs, int commandId);
bool CaseEditingCommandEnabled(int commandId, int32_t rights);
// Today's date on this computer, the reference date of new cases.
CivilDate TodaysDate();

class CCaseEditing {
public:
    // Access rights of the three commands.
    static constexpr int32_t kRightEditProperties = 0x4000;
    static constexpr int32_t kRightBilling = 0x200;
    static constexpr int32_t kRightCreateCases = 0x10000;

    CCaseEditing(CInventoryServer& server, UserPrompts& prompts, const CInventoryInfo& info,
                 const CaseEditingDialogs& dialogs, CivilDate today);

    // Runs one of the commands above for the selected cases; true when something changed.
    bool RunCommand(int commandId, const std::vector<std::string>& caseNumbers);
    // Properties: one case, or many at once.
    bool EditCases(const std::vector<std::string>& caseNumbers);
    bool EditCase(const std::string& caseNumber);
    bool EditManyCases(const std::vector<std::string>& caseNumbers);
    // Create Cases: the number of cases created; their numbers in CreatedCases().
    int CreateCases();
    const std::vector<std::string>& CreatedCases() const { return created_; }
    // Billing: one case, or many at once.
    bool Billing(const std::vector<std::string>& caseNumbers);
    bool BillCase(const std::string& caseNumber, const std::string& parentName);
    bool BillManyCases(const std::vector<std::string>& caseNumbers);

private:
    void Prepare(CasePropsLogic& logic);
    void Message(const char* text);

    CInventoryServer& server_;
    UserPrompts& prompts_;
    const CInventoryInfo& info_;
    const CaseEditingDialogs& dialogs_;
    CivilDate today_;
    std::vector<std::string> created_;
};
