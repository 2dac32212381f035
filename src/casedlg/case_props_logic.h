#pragma once
// The rules of the case properties sheet, without windows: which General page controls
// are enabled, checked and shown for the case's link statuses and the user's lists, the
// Send to Parent and Send to Child transitions, due dates from the parent's days, the
// territory entry, the page order, validation in page and tab order, and the copy rules
// of the create-cases loop. The pages map their controls onto this class; tests drive
// it directly.

#include "query/civil_date.h"
#include "records/audit_case.h"
#include "records/inventory_info.h"
#include "widgets/date_text.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The "no choice" entry of the parent and territory drop-downs.
inline constexpr const char* kNoneEntry = "*NONE*";

enum class CasePage { general, insured, audit, userFlags, finish };

// A field that failed validation: the page, the field's object name and the message.
struct CaseFieldFailure {
    CasePage page = CasePage::general;
    std::string field;
    QString message;
};

// What the General page shows, enables and checks.
struct GeneralPageStates {
    bool priorityEnabled = true;     // also Correction Return, Serial #, Memo, Auditor Due Date
    bool completedEnabled = true;
    bool completedShown = true;
    bool archivedShown = true;
    bool parentShown = true;         // parent drop-down, parent link status, Send to Parent
    bool parentEnabled = true;
    bool childShown = true;          // child fields, Assign Manually, Send to Child
    bool assignEnabled = true;
    bool assignShown = true;
    bool sendToParentChecked = false;
    bool sendToParentEnabled = false;
    bool sendToChildChecked = false;
    bool sendToChildEnabled = false;
    bool territoryShown = true;
    bool assignedReturnedShown = false;  // Date Assigned and Date Returned
    bool transferOutShown = false;
};

// The text fields of the sheet with their limits in characters.
struct CaseTextLimit {
    const char* field;  // object name of the control
    int limit;
};
const std::vector<CaseTextLimit>& CaseTextLimits();
int TextLimitOf(const std::string& field);  // 0 when unknown

// The two server look-ups the pages make; an empty function is not asked.
struct CaseLookups {
    // City and state of a zip code; false when the server knows none.
    std::function<bool(const std::string& zip, std::string& city, std::string& state)> cityStateFromZip;
    // Region and territory of a location; false when the server knows none.
    std::function<bool(const std::string& zip, const std::string& county, const std::string& state,
                       std::string& region, std::string& territory)>
        territoryByLoc;
};

class CasePropsLogic {
public:
    // Access-rights bit that shows Assign Manually.
    static constexpr int32_t kRightAssignManually = 0x400;

    // `today` is the reference date of a new case; an existing case counts from its
    // creation date.
    CasePropsLogic(const CInventoryInfo& info, CAuditCase auditCase, bool wizard, CivilDate today);

    const CInventoryInfo& Info() const { return info_; }
    bool IsWizard() const { return wizard_; }
    CAuditCase& Case() { return case_; }
    const CAuditCase& Case() const { return case_; }

    // Pages in their order for the mode and the user's flag setting.
    std::vector<CasePage> Pages() const;
    bool ShowUserFlags() const;
    // The title a page sets when it becomes active in edit mode: "Case Properties" for
    // General, "Case Properties (Read Only)" for the others while the case is linked to
    // its child; nothing when the title stays.
    std::optional<QString> TitleFor(CasePage page) const;

    // --- General page --------------------------------------------------------------------
    GeneralPageStates States() const;
    // Fills an empty or invalid due date from the user's default days; in the wizard a
    // case without a parent first takes the parent named like the carrier.
    void OpenGeneralPage();
    // The parent drop-down's choice ("*NONE*" for none): link status 0, Send to Parent
    // cleared, due dates from the parent's days (or the user's defaults).
    void ChooseParent(const std::string& entry);
    // In the wizard, a case without a parent takes the parent named like the carrier.
    // True when one was chosen.
    bool PreselectParentFromCarrier();
    void SetSendToParent(bool on);
    void SetSendToChild(bool on);
    // The parent drop-down's entries and the current one.
    std::vector<std::string> ParentEntries() const;
    std::string ParentEntry() const;
    std::vector<std::string> TerritoryEntries() const;
    std::string TerritoryEntry() const;
    void ChooseTerritory(const std::string& entry);

    static QString ParentLinkText(int32_t status);
    static QString ChildLinkText(int32_t status);
    static QString ChildGroupText(int32_t group);
    // Region and territory of a territory entry: split at the first "::"; without one the
    // whole text is the region.
    static std::pair<std::string, std::string> SplitTerritory(const std::string& entry);

    // --- Due dates and periods ----------------------------------------------------------
    // The later of the policy expiration date and the reference date; nothing while the
    // expiration date is not valid.
    std::optional<int64_t> DueDateBase() const;
    // Same day and month one year later (29 February becomes 28 February).
    static CivilDate OneYearLater(const CivilDate& date);

    // --- Validation, in page then tab order -------------------------------------------------
    static std::optional<CaseFieldFailure> ValidateInsured(const std::string& name, const DateFieldValue& inception,
                                                           const DateFieldValue& expiration);
    static std::optional<CaseFieldFailure> ValidateAudit(const DateFieldValue& start, const DateFieldValue& end);
    // Reads the General page's dates into the case; assigned and returned dates count
    // only while shown (parent link status 0 and a parent chosen), and are kept as they
    // were otherwise.
    std::optional<CaseFieldFailure> ValidateGeneral(const DateFieldValue& master, const DateFieldValue& auditor,
                                                    const DateFieldValue& assigned, const DateFieldValue& returned);
    // A text longer than its field's limit: "Please enter no more than N characters."
    static std::optional<CaseFieldFailure> CheckLength(CasePage page, const std::string& field, const QString& text);

    // --- Audit page -------------------------------------------------------------------------
    // Copies the insured's name, address, city, state, zip, phone and fax into the audit
    // contact and location fields.
    void CopyInsuredInfo();
    bool AuditAddressEmpty() const;
    // When the page opens: the audit period from the policy period when it is empty, and
    // the insured information copied when the address is empty and `copyInsured` is set.
    void OpenAuditPage(bool copyInsured);
    // Focus left the audit zip code: city and state from the zip when both are empty and
    // the zip has more than 4 characters, then the territory look-up.
    void AuditZipLeft();
    // Focus left the audit county or state, or the insured information was copied: the
    // region and territory of the location, when the server names both.
    void LookUpTerritory();
    // Focus left the insured or the agent zip code: their own city and state.
    void InsuredZipLeft();
    void AgentZipLeft();

    void SetLookups(CaseLookups lookups) { lookups_ = std::move(lookups); }
    // Opens the case's assignment history from "Assign Case Manually"; empty while the
    // program has no such dialog (the button is then hidden).
    std::function<void(const std::string& caseNumber)> openAssignmentHistory;

    // --- Create cases loop --------------------------------------------------------------------
    // The first case of the loop.
    static CAuditCase NewCase();
    // The next case started from the one just added: its General, insured, policy, audit,
    // agent values and user flags, without the child.
    static CAuditCase CopyOfPrevious(const CAuditCase& previous);

    // Whether a stored case asks for a billing entry: completed with a parent, a user
    // with the billing right whose own child entry is a reviewer.
    static bool RequiresBilling(const CAuditCase& stored, const CInventoryInfo& info);

private:
    void SetDueDatesFrom(int32_t masterDays, int32_t auditorDays);
    void FillCityState(const std::string& zip, std::string& city, std::string& state);

    CaseLookups lookups_;

    const CInventoryInfo& info_;
    CAuditCase case_;
    bool wizard_;
    CivilDate today_;
};
