#include "server/store/case_store.h"

#include "server/access_rights.h"
#include "server/store/auto_assign.h"
#include "server/store/column_map.h"
#include "server/store/server_time.h"
#include "server/store/status.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

const CColumnMap<CAuditCase>& CaseColumns()
{
    static const CColumnMap<CAuditCase> map = [] {
        using A = CAuditCase;
        CColumnMap<A> m;
        m.Add("CaseNumber", &A::caseNumber);
        m.Add("OpaqueInt1", &A::opaqueInt1).Add("OpaqueInt2", &A::opaqueInt2).Add("OpaqueInt3", &A::opaqueInt3);
        m.Add("OpaqueInt4", &A::opaqueInt4).Add("OpaqueInt5", &A::opaqueInt5).Add("OpaqueInt6", &A::opaqueInt6);
        m.Add("ParentName", &A::parentName).Add("ChildName", &A::childName);
        m.Add("RegionName", &A::regionName).Add("TerritoryName", &A::territoryName);
        m.Add("Insured_Name", &A::insuredName).Add("Memo", &A::memo).Add("SerialNumber", &A::serialNumber);
        m.Add("UserDueDate", &A::auditorDueDate).Add("MasterDueDate", &A::masterDueDate);
        m.Add("OpaqueDate1", &A::opaqueDate1).Add("DateCreated", &A::dateCreated);
        m.Add("ParentDateAssigned", &A::dateAssigned).Add("ParentDateReturned", &A::dateReturned);
        m.Add("ParentLinkStatus", &A::parentLinkStatus).Add("ChildLinkStatus", &A::childLinkStatus);
        m.Add("OpaqueInt7", &A::opaqueInt7).Add("OpaqueInt8", &A::opaqueInt8);
        m.Add("IsNonProductive", &A::nonProductive).Add("IsCorrection", &A::correction);
        m.Add("OpaqueInt9", &A::opaqueInt9).Add("HasNewPrgRpts", &A::hasNewProgressReports);
        m.Add("PriorityFlag", &A::priority).Add("ChildGroupCode", &A::childGroupCode);
        m.Add("Audit_Zip", &A::auditZip).Add("Policy_EstPremium", &A::policyEstPremium);
        m.Add("TransferOut", &A::transferOut);
        m.AddBits("OpaqueAmount", &A::opaqueAmount);
        m.Add("OpaqueDate2", &A::opaqueDate2).Add("UserFlags", &A::userFlags);
        m.Add("Audit_County", &A::auditCounty).Add("Policy_Carrier", &A::policyCarrier);
        m.Add("Policy_Type", &A::policyType).Add("Policy_Number", &A::policyNumber);
        m.Add("Policy_StartDate", &A::policyStartDate).Add("Policy_EndDate", &A::policyEndDate);
        m.Add("Policy_Code", &A::policyCode).Add("Insured_FedID", &A::insuredFedId);
        m.Add("Insured_Address1", &A::insuredAddress1).Add("Insured_Address2", &A::insuredAddress2);
        m.Add("Insured_City", &A::insuredCity).Add("Insured_State", &A::insuredState);
        m.Add("Insured_Zip", &A::insuredZip).Add("Insured_Phone", &A::insuredPhone);
        m.Add("Insured_Fax", &A::insuredFax).Add("Insured_EMail", &A::insuredEMail);
        m.Add("Insured_Entity", &A::insuredEntity).Add("Audit_ContactName", &A::auditContact);
        m.Add("Audit_Address1", &A::auditAddress1).Add("Audit_Address2", &A::auditAddress2);
        m.Add("Audit_City", &A::auditCity).Add("Audit_State", &A::auditState);
        m.Add("Audit_Phone", &A::auditPhone).Add("Audit_Fax", &A::auditFax);
        m.Add("Audit_StartDate", &A::auditStartDate).Add("Audit_EndDate", &A::auditEndDate);
        m.Add("Audit_Source", &A::auditSource).Add("Audit_Type", &A::auditType);
        m.Add("Audit_LocName", &A::auditLocationName).Add("Agent_ContactName", &A::agentContact);
        m.Add("Agent_AgencyName", &A::agentCompany).Add("Agent_Address1", &A::agentAddress1);
        m.Add("Agent_Address2", &A::agentAddress2).Add("Agent_City", &A::agentCity);
        m.Add("Agent_State", &A::agentState).Add("Agent_Zip", &A::agentZip);
        m.Add("Agent_Phone", &A::agentPhone).Add("Agent_Fax", &A::agentFax).Add("Agent_EMail", &A::agentEMail);
        m.Add("Archive", &A::archive).Add("ManualAssignment", &A::manualAssignment).Add("Completed", &A::completed);
        return m;
    }();
    return map;
}

// Fields a linked case still takes from its properties sheet: the parent and the link
// towards it, the territory, the master due date, the parent's assignment dates, the
// archive request, the transfer flag and the progress report mark.
const std::set<std::string>& FieldsOpenOnLinkedCase()
{
    static const std::set<std::string> fields = {
        "ParentName", "ParentLinkStatus", "RegionName", "TerritoryName", "MasterDueDate",
        "ParentDateAssigned", "ParentDateReturned", "Archive", "TransferOut", "HasNewPrgRpts"};
    return fields;
}

bool SamePages(const std::vector<CPolicyPage>& a, const std::vector<CPolicyPage>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const CPolicyPage& x, const CPolicyPage& y) {
        return x.label == y.label && x.text == y.text;
    });
}

// Whether a SETCASE without the right to edit cases changes only what such a user may:
// the mark of unread progress reports, cleared after the progress report dialog, and the
// hand-on of a printed case for automatic assignment (the last step of the unattended
// print task: no child, group "*AUTO*", assigned by hand, completed, not archived). The
// hand-on changes the assignment, which needs its own right besides.
bool ChangesAllowedWithoutEditRight(const CAuditCase& record, const std::vector<std::string>& changed)
{
    static const std::set<std::string> handOnColumns = {"ChildName", "ChildGroupCode", "ManualAssignment", "Completed",
                                                        "Archive"};
    const bool handedOn = record.childName.empty() && record.childGroupCode == CAuditCase::kAutoChildGroup &&
                          record.manualAssignment && record.completed && !record.archive;
    for (const std::string& column : changed) {
        const bool allowed = column == "HasNewPrgRpts" ? !record.hasNewProgressReports
                                                       : handedOn && handOnColumns.count(column) != 0;
        if (!allowed)
            return false;
    }
    return true;
}

bool AssignmentDiffers(const CAuditCase& a, const CAuditCase& b)
{
    return a.childName != b.childName || a.childGroupCode != b.childGroupCode ||
           a.manualAssignment != b.manualAssignment;
}

bool ParentIsLinked(int32_t parentLinkStatus)
{
    return parentLinkStatus == CAuditCase::parentLinked || parentLinkStatus == CAuditCase::parentToBeReturned;
}

std::string TrackingStatus(const CAuditCase& record)
{
    if (record.childGroupCode == CAuditCase::kArchiveGroup)
        return "Archived";
    if (record.childName.empty())
        return "Unassigned";
    return record.manualAssignment ? "Assigned" : "Auto-assigned";
}

}  // namespace

bool IsChildLinkedOrLinking(int32_t childLinkStatus)
{
    return childLinkStatus == CAuditCase::childToBeLinked || childLinkStatus == CAuditCase::childLinked;
}

std::vector<CPolicyPage> CCaseStore::ReadPages(int64_t id)
{
    CCachedStatement select = m_db.Prepare("SELECT Label, Text FROM PolicyPages WHERE CaseID = ? ORDER BY Position;");
    select->BindInt(1, id);
    std::vector<CPolicyPage> pages;
    while (select->Step()) {
        CPolicyPage page;
        page.label = select->ColumnText(0);
        page.text = select->ColumnText(1);
        pages.push_back(std::move(page));
    }
    return pages;
}

bool CCaseStore::WritePages(int64_t id, const std::vector<CPolicyPage>& pages)
{
    CCachedStatement clear = m_db.Prepare("DELETE FROM PolicyPages WHERE CaseID = ?;");
    clear->BindInt(1, id);
    clear->Step();
    if (!clear->Done())
        return false;
    CCachedStatement insert =
        m_db.Prepare("INSERT INTO PolicyPages (CaseID, Position, Label, Text) VALUES (?, ?, ?, ?);");
    for (size_t i = 0; i < pages.size(); ++i) {
        insert->Reset();
        insert->BindInt(1, id);
        insert->BindInt(2, static_cast<int64_t>(i));
        insert->BindText(3, pages[i].label);
        insert->BindText(4, pages[i].text);
        insert->Step();
        if (!insert->Done())
            return false;
    }
    return true;
}

int64_t CCaseStore::Read(const std::string& caseNumber, CAuditCase& record)
{
    const auto& map = CaseColumns();
    CCachedStatement select = m_db.Prepare("SELECT CaseID, " + map.Names() + " FROM Cases WHERE CaseNumber = ?;");
    select->BindText(1, caseNumber);
    if (!select->Step())
        return 0;
    const int64_t id = select->ColumnInt(0);
    map.Read(*select, 1, record);
    record.policyPages = ReadPages(id);
    return id;
}

int64_t CCaseStore::Reach(const SessionUser& user, const std::string& caseNumber, CAuditCase* record)
{
    CAuditCase local;
    CAuditCase& target = record != nullptr ? *record : local;
    const int64_t id = Read(caseNumber, target);
    if (id == 0 || !user.MayReachCaseOf(target.parentName))
        return 0;
    return id;
}

bool CCaseStore::Write(int64_t id, const CAuditCase& record)
{
    const auto& map = CaseColumns();
    CCachedStatement update = m_db.Prepare("UPDATE Cases SET " + map.Assignments() + " WHERE CaseID = ?;");
    map.Bind(*update, 1, record);
    update->BindInt(static_cast<int>(map.Size()) + 1, id);
    update->Step();
    return update->Done() && WritePages(id, record.policyPages);
}

bool CCaseStore::AppendTracking(int64_t id, const CAuditCase& record, const std::string& assignor)
{
    CCachedStatement insert = m_db.Prepare(
        "INSERT INTO CaseTracking (CaseID, ChildName, GroupName, Assignor, Status, DateAssigned, OpaqueDate1,"
        " OpaqueDate2) VALUES (?, ?, ?, ?, ?, ?, 0, 0);");
    insert->BindInt(1, id);
    insert->BindText(2, record.childName.empty() ? std::string(CTrackingEntry::kUnassigned) : record.childName);
    insert->BindText(3, AccessGroupName(record.childGroupCode));
    insert->BindText(4, assignor);
    insert->BindText(5, TrackingStatus(record));
    BindDate(*insert, 6, NowDate());
    insert->Step();
    return insert->Done();
}

std::string CCaseStore::NextCaseNumber()
{
    const int year = CurrentYear();
    const std::string counter = "case-" + std::to_string(year);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        CCachedStatement bump = m_db.Prepare(
            "INSERT INTO Counters (Name, Value) VALUES (?, 1)"
            " ON CONFLICT (Name) DO UPDATE SET Value = Counters.Value + 1 RETURNING Value;");
        bump->BindText(1, counter);
        if (!bump->Step())
            return {};
        const int64_t value = bump->ColumnInt(0);
        bump->Step();  // lets the statement finish its write
        char number[48];
        std::snprintf(number, sizeof number, "%04d-%06lld", year, static_cast<long long>(value));
        CCachedStatement taken = m_db.Prepare("SELECT 1 FROM Cases WHERE CaseNumber = ?;");
        taken->BindText(1, number);
        if (!taken->Step())
            return number;
    }
    return {};
}

std::string CCaseStore::Insert(CAuditCase& record, const std::string& assignor)
{
    record.caseNumber = NextCaseNumber();
    if (record.caseNumber.empty())
        return {};
    record.dateCreated = NowDate();
    const auto& map = CaseColumns();
    CCachedStatement insert =
        m_db.Prepare("INSERT INTO Cases (" + map.Names() + ") VALUES (" + map.Placeholders() + ");");
    map.Bind(*insert, 1, record);
    insert->Step();
    if (!insert->Done())
        return {};
    const int64_t id = m_db.LastInsertId();
    if (!WritePages(id, record.policyPages))
        return {};
    if (WantsAutoAssignment(record) && AutoAssign(m_db, id, record, assignor) && !Write(id, record))
        return {};
    if ((!record.childName.empty() || record.childGroupCode != CAuditCase::kNoChildGroup) &&
        !AppendTracking(id, record, assignor))
        return {};
    return record.caseNumber;
}

bool CCaseStore::Get(const SessionUser& user, const std::string& caseNumber, CAuditCase& record)
{
    CReadTransaction read(m_db);
    return Reach(user, caseNumber, &record) != 0;
}

int CCaseStore::Update(const SessionUser& user, const std::string& caseNumber, const CAuditCase& incoming)
{
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    CAuditCase stored;
    const int64_t id = Reach(user, caseNumber, &stored);
    if (id == 0)
        return Status::failed;
    CAuditCase record = incoming;
    record.caseNumber = stored.caseNumber;
    record.dateCreated = stored.dateCreated;

    const std::vector<std::string> changed = CaseColumns().Differences(stored, record);
    const bool pagesChanged = !SamePages(stored.policyPages, record.policyPages);
    if (user.boundToParent && record.parentName != stored.parentName)
        return Status::denied;
    if (!user.HasAny(Right::editCases) && (pagesChanged || !ChangesAllowedWithoutEditRight(record, changed)))
        return Status::denied;
    if (AssignmentDiffers(stored, record) && !user.HasAny(Right::changeAssignments))
        return Status::denied;
    if (pagesChanged && !user.HasAny(Right::editPolicyDetail))
        return Status::denied;
    if (stored.childLinkStatus == CAuditCase::childLinked) {
        if (record.childLinkStatus != CAuditCase::childLinked || pagesChanged)
            return Status::linked;
        for (const std::string& column : changed)
            if (FieldsOpenOnLinkedCase().count(column) == 0)
                return Status::linked;
    }
    if (record.parentName != stored.parentName && ParentIsLinked(stored.parentLinkStatus))
        return Status::linked;

    if (!Write(id, record))
        return Status::failed;
    if (WantsAutoAssignment(record) && AutoAssign(m_db, id, record, stored.childName) && !Write(id, record))
        return Status::failed;
    if (record.childName != stored.childName || record.childGroupCode != stored.childGroupCode) {
        if (!AppendTracking(id, record, user.name))
            return Status::failed;
    }
    return transaction.Commit() ? Status::ok : Status::failed;
}

std::string CCaseStore::Create(const SessionUser& user, CAuditCase record)
{
    if (user.boundToParent && record.parentName != user.parentName)
        return {};
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return {};
    const std::string number = Insert(record, user.name);
    if (number.empty() || !transaction.Commit())
        return {};
    return number;
}

int CCaseStore::Delete(const SessionUser& user, const std::vector<std::string>& caseNumbers)
{
    if (caseNumbers.empty() || caseNumbers.size() > kMaxCasesPerCommand)
        return Status::failed;
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    std::vector<int64_t> ids;
    for (const std::string& number : caseNumbers) {
        CAuditCase stored;
        const int64_t id = Reach(user, number, &stored);
        if (id == 0)
            return Status::failed;
        const int32_t p = stored.parentLinkStatus;
        if (IsChildLinkedOrLinking(stored.childLinkStatus) || p == CAuditCase::parentToBeLinked ||
            p == CAuditCase::parentLinked || p == CAuditCase::parentToBeReturned || p == CAuditCase::parentToBeSent)
            return Status::linked;
        ids.push_back(id);
    }
    CCachedStatement remove = m_db.Prepare("DELETE FROM Cases WHERE CaseID = ?;");
    for (const int64_t id : ids) {
        remove->Reset();
        remove->BindInt(1, id);
        remove->Step();
        if (!remove->Done())
            return Status::failed;
    }
    return transaction.Commit() ? Status::ok : Status::failed;
}

int CCaseStore::ResetLinks(const SessionUser& user, const std::vector<std::string>& caseNumbers, int choice)
{
    if (caseNumbers.empty() || caseNumbers.size() > kMaxCasesPerCommand || choice < ResetChoice::both ||
        choice > ResetChoice::childOnly)
        return Status::failed;
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    const char* sql = choice == ResetChoice::both
                          ? "UPDATE Cases SET ParentLinkStatus = 0, ChildLinkStatus = 0 WHERE CaseID = ?;"
                      : choice == ResetChoice::parentOnly ? "UPDATE Cases SET ParentLinkStatus = 0 WHERE CaseID = ?;"
                                                          : "UPDATE Cases SET ChildLinkStatus = 0 WHERE CaseID = ?;";
    for (const std::string& number : caseNumbers) {
        const int64_t id = Reach(user, number);
        if (id == 0)
            return Status::failed;
        CCachedStatement update = m_db.Prepare(sql);
        update->BindInt(1, id);
        update->Step();
        if (!update->Done())
            return Status::failed;
    }
    return transaction.Commit() ? Status::ok : Status::failed;
}

int CCaseStore::GetMultiProps(const SessionUser& user, const std::vector<std::string>& caseNumbers,
                              CCaseMultiProps& props)
{
    if (caseNumbers.empty() || caseNumbers.size() > kMaxCasesPerCommand)
        return Status::failed;
    CReadTransaction read(m_db);
    // The cases are compared with the first one as they are read, one at a time.
    CAuditCase first;
    if (Reach(user, caseNumbers.front(), &first) == 0)
        return Status::failed;
    bool sameArchive = true, samePriority = true, sameCorrection = true, sameTransfer = true;
    bool allCompleted = first.completed, sameParent = true, sameAssignment = true, sameTerritory = true;
    bool sameMasterDue = true, sameAuditorDue = true, linkDiffers = false;
    int32_t mixedFlags = 0;
    for (size_t i = 1; i < caseNumbers.size(); ++i) {
        CAuditCase c;
        if (Reach(user, caseNumbers[i], &c) == 0)
            return Status::failed;
        linkDiffers = linkDiffers || c.parentLinkStatus != first.parentLinkStatus ||
                      c.childLinkStatus != first.childLinkStatus;
        sameArchive = sameArchive && c.archive == first.archive;
        samePriority = samePriority && c.priority == first.priority;
        sameCorrection = sameCorrection && c.correction == first.correction;
        sameTransfer = sameTransfer && c.transferOut == first.transferOut;
        allCompleted = allCompleted && c.completed;
        sameParent = sameParent && c.parentName == first.parentName;
        sameAssignment = sameAssignment && !AssignmentDiffers(c, first);
        sameTerritory = sameTerritory && c.regionName == first.regionName && c.territoryName == first.territoryName;
        sameMasterDue = sameMasterDue && SameValue(c.masterDueDate, first.masterDueDate);
        sameAuditorDue = sameAuditorDue && SameValue(c.auditorDueDate, first.auditorDueDate);
        mixedFlags |= c.userFlags ^ first.userFlags;
    }
    if (linkDiffers)
        return Status::linked;

    auto threeState = [](bool same, bool value) {
        if (!same)
            return static_cast<int32_t>(CCaseMultiProps::mixed);
        return static_cast<int32_t>(value ? CCaseMultiProps::checked : CCaseMultiProps::unchecked);
    };
    props = CCaseMultiProps{};
    props.archived = threeState(sameArchive, first.archive);
    props.priority = threeState(samePriority, first.priority);
    props.correction = threeState(sameCorrection, first.correction);
    props.completed = allCompleted ? 1 : 0;
    props.transferOut = threeState(sameTransfer, first.transferOut);
    props.parentLinkStatus = first.parentLinkStatus;
    props.childLinkStatus = first.childLinkStatus;
    if (sameParent) {
        props.parentGiven = 1;
        props.parentName = first.parentName;
    }
    if (sameAssignment) {
        props.assignmentGiven = 1;
        props.childName = first.childName;
        props.childGroupCode = first.childGroupCode;
        props.manualAssignment = first.manualAssignment ? 1 : 0;
    }
    if (sameTerritory) {
        props.territoryGiven = 1;
        props.regionName = first.regionName;
        props.territoryName = first.territoryName;
    }
    if (sameMasterDue) {
        props.masterDueDateGiven = 1;
        props.masterDueDate = first.masterDueDate;
    }
    if (sameAuditorDue) {
        props.auditorDueDateGiven = 1;
        props.auditorDueDate = first.auditorDueDate;
    }
    props.userFlagsGiven = 1;
    props.userFlagsMixed = mixedFlags;
    props.userFlags = first.userFlags & ~mixedFlags;
    props.caseNumbers = caseNumbers;
    return Status::ok;
}

int CCaseStore::SetMultiProps(const SessionUser& user, const std::vector<std::string>& caseNumbers,
                              const CCaseMultiProps& props)
{
    if (caseNumbers.empty() || caseNumbers.size() > kMaxCasesPerCommand)
        return Status::failed;
    if (props.assignmentGiven && !user.HasAny(Right::changeAssignments))
        return Status::denied;
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    bool skipped = false;
    for (const std::string& number : caseNumbers) {
        CAuditCase record;
        const int64_t id = Reach(user, number, &record);
        if (id == 0)
            return Status::failed;
        if (props.parentGiven && user.boundToParent && props.parentName != record.parentName)
            return Status::denied;
        if (record.childLinkStatus == CAuditCase::childLinked ||
            (props.parentGiven && props.parentName != record.parentName && ParentIsLinked(record.parentLinkStatus))) {
            skipped = true;
            continue;
        }
        const CAuditCase before = record;
        auto applyCheck = [](int32_t state, bool& field) {
            if (state == CCaseMultiProps::checked || state == CCaseMultiProps::unchecked)
                field = state == CCaseMultiProps::checked;
        };
        applyCheck(props.archived, record.archive);
        applyCheck(props.priority, record.priority);
        applyCheck(props.correction, record.correction);
        applyCheck(props.transferOut, record.transferOut);
        if (props.completed == CCaseMultiProps::checked)
            record.completed = true;
        if (props.parentLinkStatusGiven)
            record.parentLinkStatus = props.parentLinkStatus;
        if (props.childLinkStatusGiven)
            record.childLinkStatus = props.childLinkStatus;
        if (props.parentGiven)
            record.parentName = props.parentName;
        if (props.assignmentGiven) {
            record.childName = props.childName;
            record.childGroupCode = props.childGroupCode;
            record.manualAssignment = props.manualAssignment != 0;
        }
        if (props.territoryGiven) {
            record.regionName = props.regionName;
            record.territoryName = props.territoryName;
        }
        if (props.masterDueDateGiven && props.masterDueDate.IsValid())
            record.masterDueDate = props.masterDueDate;
        if (props.auditorDueDateGiven && props.auditorDueDate.IsValid())
            record.auditorDueDate = props.auditorDueDate;
        if (props.userFlagsGiven)
            record.userFlags = (record.userFlags & props.userFlagsMixed) | (props.userFlags & ~props.userFlagsMixed);
        if (!Write(id, record))
            return Status::failed;
        if ((record.childName != before.childName || record.childGroupCode != before.childGroupCode) &&
            !AppendTracking(id, record, user.name))
            return Status::failed;
    }
    if (!transaction.Commit())
        return Status::failed;
    return skipped ? Status::linked : Status::ok;
}

bool CCaseStore::GetPolicyPages(const SessionUser& user, const std::string& caseNumber,
                                std::vector<CPolicyPage>& pages)
{
    CReadTransaction read(m_db);
    CAuditCase record;
    if (Reach(user, caseNumber, &record) == 0)
        return false;
    pages = std::move(record.policyPages);
    return true;
}

int CCaseStore::SetPolicyPages(const SessionUser& user, const std::string& caseNumber,
                               const std::vector<CPolicyPage>& pages)
{
    // A case's policy detail is a few pages of text; more than this is not a policy.
    size_t bytes = 0;
    for (const CPolicyPage& page : pages)
        bytes += page.label.size() + page.text.size();
    if (pages.size() > kMaxPolicyPages || bytes > kMaxPolicyDetailBytes)
        return Status::failed;
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    CAuditCase record;
    const int64_t id = Reach(user, caseNumber, &record);
    if (id == 0)
        return Status::failed;
    if (record.childLinkStatus == CAuditCase::childLinked)
        return Status::linked;
    if (!WritePages(id, pages))
        return Status::failed;
    return transaction.Commit() ? Status::ok : Status::failed;
}

bool CCaseStore::GetTracking(const SessionUser& user, const std::string& caseNumber,
                             std::vector<CTrackingEntry>& entries)
{
    CReadTransaction read(m_db);
    const int64_t id = Reach(user, caseNumber);
    if (id == 0)
        return false;
    CCachedStatement select = m_db.Prepare(
        "SELECT ChildName, GroupName, Assignor, Status, DateAssigned, OpaqueDate1, OpaqueDate2 FROM CaseTracking"
        " WHERE CaseID = ? ORDER BY EntryID;");
    select->BindInt(1, id);
    entries.clear();
    while (select->Step()) {
        CTrackingEntry entry;
        entry.childName = select->ColumnText(0);
        entry.groupName = select->ColumnText(1);
        entry.assignor = select->ColumnText(2);
        entry.status = select->ColumnText(3);
        entry.dateAssigned = ReadDate(*select, 4);
        entry.opaqueDate1 = ReadDate(*select, 5);
        entry.opaqueDate2 = ReadDate(*select, 6);
        entries.push_back(std::move(entry));
    }
    return true;
}

bool CCaseStore::GetSchedule(const SessionUser& user, const std::string& caseNumber, CCaseScheduleInfo& schedule)
{
    CReadTransaction read(m_db);
    const int64_t id = Reach(user, caseNumber);
    if (id == 0)
        return false;
    CCachedStatement select =
        m_db.Prepare("SELECT ScheduleDateOnly, ScheduledTime, ScheduledTimeEnd FROM Cases WHERE CaseID = ?;");
    select->BindInt(1, id);
    if (!select->Step())
        return false;
    schedule.dateOnly = static_cast<int32_t>(select->ColumnInt(0));
    schedule.scheduledStart = ReadDate(*select, 1);
    schedule.scheduledEnd = ReadDate(*select, 2);
    return true;
}

int CCaseStore::SetSchedule(const SessionUser& user, const std::string& caseNumber, const CCaseScheduleInfo& schedule)
{
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    const int64_t id = Reach(user, caseNumber);
    if (id == 0)
        return Status::failed;
    CCachedStatement update = m_db.Prepare(
        "UPDATE Cases SET ScheduleDateOnly = ?, ScheduledTime = ?, ScheduledTimeEnd = ? WHERE CaseID = ?;");
    update->BindInt(1, schedule.dateOnly);
    BindDate(*update, 2, schedule.scheduledStart);
    BindDate(*update, 3, schedule.scheduledEnd);
    update->BindInt(4, id);
    update->Step();
    if (!update->Done())
        return Status::failed;
    return transaction.Commit() ? Status::ok : Status::failed;
}
