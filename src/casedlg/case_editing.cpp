#include "casedlg/case_editing.h"

#include "platform/user_prompts.h"
#include "query/case_list_commands.h"
#include "records/audit_case.h"
#include "records/case_multi_props.h"
#include "records/region_loc_rec.h"

#include <QDate>

bool CaseEditingHasCommand(const CaseEditingDialogs& dialogs, int commandId)
{
    switch (commandId) {
    case cmdCaseProperties: return static_cast<bool>(dialogs.caseSheet);
    case cmdCaseBilling: return static_cast<bool>(dialogs.billing);
    case cmdCreateCases: return static_cast<bool>(dialogs.caseSheet);
    default: return false;
    }
}

bool CaseEditingCommandEnabled(int commandId, int32_t rights)
{
    switch (commandId) {
    case cmdCaseProperties: return (rights & CCaseEditing::kRightEditProperties) != 0;
    case cmdCaseBilling: return (rights & CCaseEditing::kRightBilling) != 0;
    case cmdCreateCases: return (rights & CCaseEditing::kRightCreateCases) != 0;
    default: return false;
    }
}

CivilDate TodaysDate()
{
    const QDate today = QDate::currentDate();
    return {today.year(), today.month(), today.day()};
}

CCaseEditing::CCaseEditing(CInventoryServer& server, UserPrompts& prompts, const CInventoryInfo& info,
                           const CaseEditingDialogs& dialogs, CivilDate today)
    : server_(server), prompts_(prompts), info_(info), dialogs_(dialogs), today_(today)
{
}

void CCaseEditing::Message(const char* text)
{
    prompts_.Message(QString::fromLatin1(text));
}

void CCaseEditing::Prepare(CasePropsLogic& logic)
{
    CaseLookups lookups;
    lookups.cityStateFromZip = [this](const std::string& zip, std::string& city, std::string& state) {
        std::vector<std::string> cityState;
        if (!server_.GetCityStateFromZip(zip, cityState) || cityState.size() < 2)
            return false;
        city = cityState[0];
        state = cityState[1];
        return !city.empty() || !state.empty();
    };
    lookups.territoryByLoc = [this](const std::string& zip, const std::string& county, const std::string& state,
                                    std::string& region, std::string& territory) {
        CRegionLocRec location;
        location.zip = zip;
        location.county = county;
        location.state = state;
        CRegionTerrRec found;
        if (!server_.GetTerritoryByLoc(location, found))
            return false;
        region = found.regionName;
        territory = found.territoryName;
        return true;
    };
    logic.SetLookups(std::move(lookups));
    logic.openAssignmentHistory = dialogs_.assignmentHistory;
}

bool CCaseEditing::RunCommand(int commandId, const std::vector<std::string>& caseNumbers)
{
    switch (commandId) {
    case cmdCaseProperties: return EditCases(caseNumbers);
    case cmdCaseBilling: return Billing(caseNumbers);
    case cmdCreateCases: return CreateCases() > 0;
    default: return false;
    }
}

bool CCaseEditing::EditCases(const std::vector<std::string>& caseNumbers)
{
    if (caseNumbers.empty())
        return false;
    return caseNumbers.size() == 1 ? EditCase(caseNumbers.front()) : EditManyCases(caseNumbers);
}

bool CCaseEditing::EditCase(const std::string& caseNumber)
{
    if (!dialogs_.caseSheet)
        return false;
    CAuditCase auditCase;
    if (!server_.GetCase(caseNumber, auditCase)) {
        Message("Error receiving case info from server");
        return false;
    }
    CasePropsLogic logic(info_, std::move(auditCase), false, today_);
    Prepare(logic);
    // A store that fails on the connection reopens the sheet with what the user typed,
    // so that nothing is lost until the user cancels.
    for (;;) {
        if (!dialogs_.caseSheet(logic))
            return false;
        const int status = server_.SetCase(caseNumber, logic.Case());
        if (status == 0)
            break;
        if (status == -2) {
            Message("Case was linked with child while properties box was open.  Any changes made will not be updated.");
            return false;
        }
        Message("Error sending case info to server");
    }
    if (CasePropsLogic::RequiresBilling(logic.Case(), info_) && dialogs_.billing)
        for (;;) {
            BillingLogic billing(server_, prompts_, caseNumber, logic.Case().parentName);
            billing.Load();
            dialogs_.billing(billing);
            if (billing.EntryStored() ||
                prompts_.AskYesNo(QStringLiteral("A billing entry was not entered.  Do you wish to exit anyway?"), true))
                break;
        }
    return true;
}

int CCaseEditing::CreateCases()
{
    if (!dialogs_.caseSheet)
        return 0;
    int created = 0;
    CAuditCase next = CasePropsLogic::NewCase();
    for (;;) {
        CasePropsLogic logic(info_, next, true, today_);
        Prepare(logic);
        std::string number;
        for (;;) {
            if (!dialogs_.caseSheet(logic))
                return created;
            number = server_.CreateCase(logic.Case());
            if (!number.empty())
                break;
            // The wizard opens again with the case as typed; Cancel ends the loop.
            Message("Error sending case info to server");
        }
        ++created;
        created_.push_back(number);
        const CAddAnotherCaseDlg::Choice choice =
            dialogs_.addAnotherCase ? dialogs_.addAnotherCase() : CAddAnotherCaseDlg::Choice::quit;
        if (choice == CAddAnotherCaseDlg::Choice::quit)
            return created;
        next = choice == CAddAnotherCaseDlg::Choice::fromPrevious ? CasePropsLogic::CopyOfPrevious(logic.Case())
                                                                  : CasePropsLogic::NewCase();
    }
}

bool CCaseEditing::EditManyCases(const std::vector<std::string>& caseNumbers)
{
    if (!dialogs_.multiCaseProps)
        return false;
    CCaseMultiProps common;
    int status = server_.GetMultiCaseProps(caseNumbers, common);
    if (status == -2)
        Message("All selected cases must have the same Parent and Child linking statuses.");
    else if (status != 0)
        Message("Error sending case info to server");
    if (status != 0)
        return false;
    MultiCasePropsLogic logic(info_, std::move(common));
    if (!dialogs_.multiCaseProps(logic))
        return false;
    {
        WaitCursor wait(prompts_);
        status = server_.SetMultiCaseProps(caseNumbers, logic.Result());
    }
    if (status == -2) {
        Message("One or more cases were linked to child while properties box was open.  These case(s) will not be updated");
        return true;
    }
    if (status != 0) {
        Message("Error sending case info to server");
        return false;
    }
    return true;
}

bool CCaseEditing::Billing(const std::vector<std::string>& caseNumbers)
{
    if (caseNumbers.empty())
        return false;
    if (caseNumbers.size() > 1)
        return BillManyCases(caseNumbers);
    if (!dialogs_.billing)
        return false;
    CAuditCase auditCase;
    if (!server_.GetCase(caseNumbers.front(), auditCase)) {
        Message("Error receiving case info from server");
        return false;
    }
    return BillCase(caseNumbers.front(), auditCase.parentName);
}

bool CCaseEditing::BillCase(const std::string& caseNumber, const std::string& parentName)
{
    if (!dialogs_.billing)
        return false;
    BillingLogic logic(server_, prompts_, caseNumber, parentName);
    logic.Load();
    dialogs_.billing(logic);
    return true;
}

bool CCaseEditing::BillManyCases(const std::vector<std::string>& caseNumbers)
{
    if (!dialogs_.multiBillingParties || !dialogs_.multiBilling)
        return false;
    const std::optional<CInventoryServer::MultiBillingParties> parties = dialogs_.multiBillingParties();
    if (!parties)
        return false;
    std::vector<CMultiBillingEntry> entries;
    if (!server_.GetMultiCaseBilling(caseNumbers, *parties, entries)) {
        Message("Failed to get multi-billing info from server");
        return false;
    }
    if (entries.empty()) {
        Message("No Parents and/or Children are associated with these cases");
        return false;
    }
    // A No to the question returns to the grid with the values as edited.
    for (;;) {
        if (!dialogs_.multiBilling(entries))
            return false;
        if (prompts_.AskYesNo(
                QStringLiteral("This operation cannot be undone.  Are you sure you want to add these billing entries?"),
                false, QStringLiteral("Add Multiple Billing Entries")))
            break;
    }
    for (CMultiBillingEntry& entry : entries)
        entry.entry.billingDate = kNullDate;
    if (!server_.SetMultiCaseBilling(entries)) {
        Message("Failed to send multi-billing info to server");
        return false;
    }
    return true;
}
