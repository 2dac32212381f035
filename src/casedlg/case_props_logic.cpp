#include "casedlg/case_props_logic.h"

#include <algorithm>

namespace {

constexpr int32_t kRightBilling = 0x200;
constexpr int32_t kReviewersGroup = 6;

bool ShowsValidDate(const CDateTime& value)
{
    return ReadDateText(DateText(value)).state == DateFieldState::valid;
}

std::optional<int64_t> DayOf(const CDateTime& value)
{
    DayAndTime parts;
    if (!ShowsValidDate(value) || !SplitDateTime(value, parts))
        return std::nullopt;
    return parts.day;
}

CaseFieldFailure Failure(CasePage page, const char* field, const char* message)
{
    return {page, field, QString::fromLatin1(message)};
}

}  // namespace

const std::vector<CaseTextLimit>& CaseTextLimits()
{
    static const std::vector<CaseTextLimit> limits = {
        {"serialNumber", 20}, {"memo", 4096},
        {"insuredName", 50}, {"insuredAddress1", 30}, {"insuredAddress2", 30}, {"insuredCity", 30},
        {"insuredState", 2}, {"insuredZip", 12}, {"insuredPhone", 20}, {"insuredFax", 20},
        {"insuredEMail", 50}, {"insuredEntity", 30}, {"insuredFedId", 20}, {"policyType", 30},
        {"policyCarrier", 30}, {"policyNumber", 50},
        {"auditLocationName", 50}, {"auditContact", 30}, {"auditAddress1", 30}, {"auditAddress2", 30},
        {"auditCity", 30}, {"auditState", 2}, {"auditZip", 12}, {"auditCounty", 30}, {"auditPhone", 20},
        {"auditFax", 20}, {"agentContact", 30}, {"agentCompany", 50}, {"agentAddress1", 30},
        {"agentAddress2", 30}, {"agentCity", 30}, {"agentState", 2}, {"agentZip", 12}, {"agentPhone", 20},
        {"agentFax", 20}, {"agentEMail", 50},
    };
    return limits;
}

int TextLimitOf(const std::string& field)
{
    for (const CaseTextLimit& entry : CaseTextLimits())
        if (field == entry.field)
            return entry.limit;
    return 0;
}

CasePropsLogic::CasePropsLogic(const CInventoryInfo& info, CAuditCase auditCase, bool wizard, CivilDate today)
    : info_(info), case_(std::move(auditCase)), wizard_(wizard), today_(today)
{
    // The sheet opens with Archived for archived cases and Completed always clear.
    case_.archive = case_.childGroupCode == CAuditCase::kArchiveGroup;
    case_.completed = false;
}

bool CasePropsLogic::ShowUserFlags() const
{
    return std::any_of(info_.flagNames.begin(), info_.flagNames.end(),
                       [](const std::string& name) { return !name.empty(); });
}

std::vector<CasePage> CasePropsLogic::Pages() const
{
    std::vector<CasePage> pages;
    if (wizard_)
        pages = {CasePage::insured, CasePage::audit, CasePage::general};
    else
        pages = {CasePage::general, CasePage::insured, CasePage::audit};
    if (ShowUserFlags())
        pages.push_back(CasePage::userFlags);
    if (wizard_)
        pages.push_back(CasePage::finish);
    return pages;
}

std::optional<QString> CasePropsLogic::TitleFor(CasePage page) const
{
    if (wizard_)
        return std::nullopt;
    if (page == CasePage::general)
        return QStringLiteral("Case Properties");
    if (page != CasePage::finish && case_.childLinkStatus == CAuditCase::childLinked)
        return QStringLiteral("Case Properties (Read Only)");
    return std::nullopt;
}

GeneralPageStates CasePropsLogic::States() const
{
    const int32_t p = case_.parentLinkStatus;
    const int32_t c = case_.childLinkStatus;
    GeneralPageStates s;
    s.priorityEnabled = c != 2;
    s.completedEnabled = c != 1 && c != 2;
    s.parentEnabled = p == 0 || p == 1 || p == 6;
    s.assignEnabled = c == 0 || c == 1 || c == 3;
    s.assignShown = (info_.rights & kRightAssignManually) != 0;
    s.sendToParentChecked = p == 6 || p == 3;
    s.sendToParentEnabled = c != 1 && c != 2 && (p == 1 || p == 2 || p == 3 || p == 6);
    s.sendToChildChecked = c == 1;
    s.sendToChildEnabled = p != 3 && p != 6 && (c == 1 || c == 3);
    s.parentShown = !info_.parents.empty();
    if (!info_.children.empty()) {
        s.archivedShown = false;
        s.completedShown = info_.ownChildName == case_.childName;
    } else {
        s.childShown = false;
        s.assignShown = false;
        s.completedShown = false;
        s.archivedShown = c != 5;
    }
    s.territoryShown = !info_.regions.empty();
    s.assignedReturnedShown = p == 0 && !case_.parentName.empty();
    s.transferOutShown = !case_.parentName.empty();
    return s;
}

std::optional<int64_t> CasePropsLogic::DueDateBase() const
{
    const std::optional<int64_t> expiration = DayOf(case_.policyEndDate);
    if (!expiration)
        return std::nullopt;
    int64_t reference = SerialOfDate(today_);
    if (!wizard_)
        if (const std::optional<int64_t> created = DayOf(case_.dateCreated))
            reference = *created;
    return std::max(*expiration, reference);
}

void CasePropsLogic::SetDueDatesFrom(int32_t masterDays, int32_t auditorDays)
{
    const std::optional<int64_t> base = DueDateBase();
    if (!base)
        return;
    case_.masterDueDate = MakeDateTime(*base + masterDays, 0.0);
    case_.auditorDueDate = MakeDateTime(*base + auditorDays, 0.0);
}

void CasePropsLogic::OpenGeneralPage()
{
    if (wizard_ && case_.parentName.empty())
        PreselectParentFromCarrier();
    const std::optional<int64_t> base = DueDateBase();
    if (!base)
        return;
    if (!ShowsValidDate(case_.auditorDueDate))
        case_.auditorDueDate = MakeDateTime(*base + info_.defaultAuditorDueDays, 0.0);
    if (!ShowsValidDate(case_.masterDueDate))
        case_.masterDueDate = MakeDateTime(*base + info_.defaultMasterDueDays, 0.0);
}

void CasePropsLogic::ChooseParent(const std::string& entry)
{
    case_.parentName = entry == kNoneEntry ? std::string() : entry;
    case_.parentLinkStatus = CAuditCase::parentNotLinked;
    const auto parent = std::find_if(info_.parents.begin(), info_.parents.end(),
                                     [&](const CParentUser& p) { return p.name == case_.parentName; });
    if (case_.parentName.empty() || parent == info_.parents.end())
        SetDueDatesFrom(info_.defaultMasterDueDays, info_.defaultAuditorDueDays);
    else
        SetDueDatesFrom(parent->masterDueDays, parent->auditorDueDays);
}

bool CasePropsLogic::PreselectParentFromCarrier()
{
    if (case_.policyCarrier.empty())
        return false;
    for (const CParentUser& parent : info_.parents)
        if (parent.name == case_.policyCarrier) {
            ChooseParent(parent.name);
            return true;
        }
    return false;
}

void CasePropsLogic::SetSendToParent(bool on)
{
    int32_t& p = case_.parentLinkStatus;
    if (on && p == CAuditCase::parentToBeLinked) p = CAuditCase::parentToBeSent;
    else if (on && p == CAuditCase::parentLinked) p = CAuditCase::parentToBeReturned;
    else if (!on && p == CAuditCase::parentToBeSent) p = CAuditCase::parentToBeLinked;
    else if (!on && p == CAuditCase::parentToBeReturned) p = CAuditCase::parentLinked;
}

void CasePropsLogic::SetSendToChild(bool on)
{
    case_.childLinkStatus = on ? CAuditCase::childToBeLinked : CAuditCase::childUnlinked;
}

std::vector<std::string> CasePropsLogic::ParentEntries() const
{
    std::vector<std::string> entries{kNoneEntry};
    for (const CParentUser& parent : info_.parents)
        entries.push_back(parent.name);
    return entries;
}

std::string CasePropsLogic::ParentEntry() const
{
    return case_.parentName.empty() ? std::string(kNoneEntry) : case_.parentName;
}

std::vector<std::string> CasePropsLogic::TerritoryEntries() const
{
    std::vector<std::string> entries{kNoneEntry};
    entries.insert(entries.end(), info_.territories.begin(), info_.territories.end());
    return entries;
}

std::string CasePropsLogic::TerritoryEntry() const
{
    if (case_.regionName.empty() && case_.territoryName.empty())
        return kNoneEntry;
    return case_.regionName + "::" + case_.territoryName;
}

void CasePropsLogic::ChooseTerritory(const std::string& entry)
{
    if (entry.empty() || entry == kNoneEntry) {
        case_.regionName.clear();
        case_.territoryName.clear();
        return;
    }
    std::tie(case_.regionName, case_.territoryName) = SplitTerritory(entry);
}

std::pair<std::string, std::string> CasePropsLogic::SplitTerritory(const std::string& entry)
{
    const size_t separator = entry.find("::");
    if (separator == std::string::npos)
        return {entry, std::string()};
    return {entry.substr(0, separator), entry.substr(separator + 2)};
}

QString CasePropsLogic::ParentLinkText(int32_t status)
{
    switch (status) {
    case 1: return QStringLiteral("To Be Linked");
    case 2: return QStringLiteral("Linked");
    case 3: return QStringLiteral("To Be Returned");
    case 6: return QStringLiteral("To Be Sent");
    default: return {};
    }
}

QString CasePropsLogic::ChildLinkText(int32_t status)
{
    switch (status) {
    case 1: return QStringLiteral("To Be Linked");
    case 2: return QStringLiteral("Linked");
    case 3: return QStringLiteral("Not Linked");
    default: return {};
    }
}

QString CasePropsLogic::ChildGroupText(int32_t group)
{
    static const char* const names[] = {"Administrators", "Auditors", "Billers", "Exporters",
                                        "Importers", "Printers", "Reviewers", "Schedulers"};
    if (group == CAuditCase::kArchiveGroup)
        return QStringLiteral("*ARCHIVE*");
    if (group >= 0 && group < 8)
        return QString::fromLatin1(names[group]);
    return {};
}

CivilDate CasePropsLogic::OneYearLater(const CivilDate& date)
{
    CivilDate later{date.year + 1, date.month, date.day};
    later.day = std::min(later.day, DaysInMonth(later.year, later.month));
    return later;
}

std::optional<CaseFieldFailure> CasePropsLogic::ValidateInsured(const std::string& name,
                                                                const DateFieldValue& inception,
                                                                const DateFieldValue& expiration)
{
    if (name.empty())
        return Failure(CasePage::insured, "insuredName", "Name field must be filled in.");
    if (inception.state != DateFieldState::valid)
        return Failure(CasePage::insured, "policyStartDate", "Policy inception date invalid.");
    if (expiration.state != DateFieldState::valid ||
        SerialOfDate(expiration.date) < SerialOfDate(inception.date))
        return Failure(CasePage::insured, "policyEndDate", "Policy expiration date invalid.");
    return std::nullopt;
}

std::optional<CaseFieldFailure> CasePropsLogic::ValidateAudit(const DateFieldValue& start, const DateFieldValue& end)
{
    if (start.state != DateFieldState::valid)
        return Failure(CasePage::audit, "auditStartDate", "Audit period start date invalid.");
    if (end.state != DateFieldState::valid || SerialOfDate(end.date) < SerialOfDate(start.date))
        return Failure(CasePage::audit, "auditEndDate", "Audit period end date invalid.");
    return std::nullopt;
}

std::optional<CaseFieldFailure> CasePropsLogic::ValidateGeneral(const DateFieldValue& master,
                                                                const DateFieldValue& auditor,
                                                                const DateFieldValue& assigned,
                                                                const DateFieldValue& returned)
{
    if (master.state != DateFieldState::valid)
        return Failure(CasePage::general, "masterDueDate", "Parent due date invalid.");
    if (auditor.state != DateFieldState::valid)
        return Failure(CasePage::general, "auditorDueDate", "Auditor due date invalid.");
    const bool datesShown = case_.parentLinkStatus == CAuditCase::parentNotLinked && !case_.parentName.empty();
    if (datesShown) {
        if (assigned.state == DateFieldState::invalid)
            return Failure(CasePage::general, "dateAssigned", "Assigned date invalid.");
        if (returned.state == DateFieldState::invalid)
            return Failure(CasePage::general, "dateReturned", "Returned date invalid.");
    }
    case_.masterDueDate = DateFieldDateTime(master);
    case_.auditorDueDate = DateFieldDateTime(auditor);
    if (datesShown) {
        case_.dateAssigned = DateFieldDateTime(assigned);
        case_.dateReturned = DateFieldDateTime(returned);
    }
    return std::nullopt;
}

std::optional<CaseFieldFailure> CasePropsLogic::CheckLength(CasePage page, const std::string& field,
                                                            const QString& text)
{
    const int limit = TextLimitOf(field);
    if (limit == 0 || text.size() <= limit)
        return std::nullopt;
    return CaseFieldFailure{page, field, QStringLiteral("Please enter no more than %1 characters.").arg(limit)};
}

void CasePropsLogic::CopyInsuredInfo()
{
    case_.auditContact = case_.insuredName.substr(0, static_cast<size_t>(TextLimitOf("auditContact")));
    case_.auditAddress1 = case_.insuredAddress1;
    case_.auditAddress2 = case_.insuredAddress2;
    case_.auditCity = case_.insuredCity;
    case_.auditState = case_.insuredState;
    case_.auditZip = case_.insuredZip;
    case_.auditPhone = case_.insuredPhone;
    case_.auditFax = case_.insuredFax;
}

bool CasePropsLogic::AuditAddressEmpty() const
{
    return case_.auditAddress1.empty() && case_.auditAddress2.empty() && case_.auditCity.empty() &&
           case_.auditState.empty() && case_.auditZip.empty();
}

void CasePropsLogic::OpenAuditPage(bool copyInsured)
{
    if (!ShowsValidDate(case_.auditStartDate) && !ShowsValidDate(case_.auditEndDate)) {
        case_.auditStartDate = case_.policyStartDate;
        case_.auditEndDate = case_.policyEndDate;
    }
    if (copyInsured && AuditAddressEmpty()) {
        CopyInsuredInfo();
        LookUpTerritory();
    }
}

void CasePropsLogic::FillCityState(const std::string& zip, std::string& city, std::string& state)
{
    if (zip.size() <= 4 || !city.empty() || !state.empty() || !lookups_.cityStateFromZip)
        return;
    std::string foundCity, foundState;
    if (lookups_.cityStateFromZip(zip, foundCity, foundState)) {
        city = foundCity;
        state = foundState;
    }
}

void CasePropsLogic::AuditZipLeft()
{
    FillCityState(case_.auditZip, case_.auditCity, case_.auditState);
    LookUpTerritory();
}

void CasePropsLogic::LookUpTerritory()
{
    if (!lookups_.territoryByLoc)
        return;
    std::string region, territory;
    if (lookups_.territoryByLoc(case_.auditZip, case_.auditCounty, case_.auditState, region, territory) &&
        !region.empty() && !territory.empty()) {
        case_.regionName = region;
        case_.territoryName = territory;
    }
}

void CasePropsLogic::InsuredZipLeft()
{
    FillCityState(case_.insuredZip, case_.insuredCity, case_.insuredState);
}

void CasePropsLogic::AgentZipLeft()
{
    FillCityState(case_.agentZip, case_.agentCity, case_.agentState);
}

CAuditCase CasePropsLogic::NewCase()
{
    CAuditCase fresh;
    fresh.childGroupCode = CAuditCase::kNoChildGroup;
    fresh.insuredEntity = "Sole Proprietorship";
    fresh.policyType = "Workers Compensation";
    fresh.masterDueDate = kNullDate;
    fresh.auditorDueDate = kNullDate;
    return fresh;
}

CAuditCase CasePropsLogic::CopyOfPrevious(const CAuditCase& previous)
{
    const CAuditCase defaults;
    CAuditCase next = previous;
    // What the server owns starts as for a new case.
    next.opaqueInt1 = defaults.opaqueInt1; next.opaqueInt2 = defaults.opaqueInt2;
    next.opaqueInt3 = defaults.opaqueInt3; next.opaqueInt4 = defaults.opaqueInt4;
    next.opaqueInt5 = defaults.opaqueInt5; next.opaqueInt6 = defaults.opaqueInt6;
    next.opaqueInt7 = defaults.opaqueInt7; next.opaqueInt8 = defaults.opaqueInt8;
    next.opaqueInt9 = defaults.opaqueInt9; next.opaqueAmount = defaults.opaqueAmount;
    next.opaqueDate1 = defaults.opaqueDate1; next.opaqueDate2 = defaults.opaqueDate2;
    next.caseNumber.clear();
    next.dateCreated = defaults.dateCreated;
    next.hasNewProgressReports = false;
    next.policyPages.clear();
    next.childName.clear();
    next.childLinkStatus = CAuditCase::childNotLinked;
    return next;
}

bool CasePropsLogic::RequiresBilling(const CAuditCase& stored, const CInventoryInfo& info)
{
    if (!stored.completed || stored.parentName.empty() || (info.rights & kRightBilling) == 0)
        return false;
    for (const CChildUser& child : info.children)
        if (child.name == info.ownChildName)
            return child.group == kReviewersGroup;
    return false;
}
