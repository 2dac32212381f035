#include "server/store/detail_store.h"

#include "server/store/account_admin_store.h"
#include "server/store/column_map.h"
#include "server/store/server_time.h"
#include "server/store/status.h"

#include <cctype>
#include <cmath>
#include <set>

namespace {

const CColumnMap<CBillingEntry>& BillingColumns()
{
    static const CColumnMap<CBillingEntry> map = [] {
        using B = CBillingEntry;
        CColumnMap<B> m;
        m.Add("OpaqueInt1", &B::opaqueInt1).Add("OpaqueInt2", &B::opaqueInt2);
        m.Add("ParentName", &B::parentName).Add("ChildName", &B::childName);
        m.Add("BilledHours", &B::billedHours).Add("DiscountPercent", &B::discountPercent);
        m.Add("BilledAmount", &B::billedAmount).Add("Kind", &B::kind).Add("FirstHourRate", &B::firstHourRate);
        m.Add("AdditionalHoursRate", &B::additionalHoursRate).Add("BillingDate", &B::billingDate);
        m.Add("Memo", &B::memo);
        return m;
    }();
    return map;
}

bool IsAttachmentKind(const std::string& kind)
{
    return kind == "AUDIT" || kind == "SURVEY" || kind == "FILE";
}

// A file name from a client without any folder part.
std::string LastPathComponent(const std::string& name)
{
    const size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

double RoundToCents(double amount)
{
    double whole = 0;
    const double fraction = std::modf(amount * 100.0, &whole);
    if (fraction >= 0.5)
        whole += 1;
    else if (fraction <= -0.5)
        whole -= 1;
    return whole * 0.01;
}

// The entry a billing default row (or, for a parent without a matching row, its
// billing page's charge for the kind of audit) proposes; false when nothing applies.
bool ProposeEntry(CDatabase& db, const CAuditCase& record, const std::string& party, bool partyIsChild,
                  CBillingEntry& entry)
{
    entry = CBillingEntry{};
    entry.billingDate = CDateTime{CDateTime::null, 0.0};
    (partyIsChild ? entry.childName : entry.parentName) = party;
    const std::vector<CBillingDef> rows =
        ReadBillingDefaults(db, partyIsChild ? kChildAccount : kParentAccount, party);
    if (const CBillingDef* row = MatchBillingDefault(rows, record)) {
        entry.kind = row->hourly ? CBillingEntry::hourly : CBillingEntry::flat;
        entry.firstHourRate = row->firstAmount;
        entry.additionalHoursRate = row->hourly ? row->additionalHoursRate : 0.0;
        entry.billedHours = row->hourly ? row->billedHours : 0.0;
        entry.memo = row->description;
    } else {
        if (partyIsChild || record.auditSource < 0 || record.auditSource > 2)
            return false;
        const int charge = record.auditSource * 2 + (record.nonProductive ? 1 : 0) + 1;
        const std::string n = std::to_string(charge);
        CCachedStatement select = db.Prepare("SELECT UseBilling, ChargeMode" + n + ", ChargeFirst" + n +
                                             ", ChargeAdditional" + n + " FROM Parents WHERE Name = ?;");
        select->BindText(1, party);
        if (!select->Step() || select->ColumnInt(0) == 0)
            return false;
        static const char* const kKinds[] = {"physical audit", "telephone audit", "mail audit"};
        const bool hourly = select->ColumnInt(1) != 0;
        entry.kind = hourly ? CBillingEntry::hourly : CBillingEntry::flat;
        entry.firstHourRate = select->ColumnDouble(2);
        entry.additionalHoursRate = hourly ? select->ColumnDouble(3) : 0.0;
        entry.billedHours = hourly ? 1.0 : 0.0;
        entry.memo = std::string(record.nonProductive ? "Non-productive " : "Productive ") + kKinds[record.auditSource];
    }
    entry.billedAmount = BilledAmount(entry, partyIsChild);
    return true;
}

// The case's id when the user may read it (and, for archived-only requests, it is
// archived); 0 otherwise. The caller holds the database lock.
int64_t ReachReadable(CCaseStore& cases, const SessionUser& user, const std::string& caseNumber, bool archivedOnly)
{
    CAuditCase record;
    const int64_t id = cases.Reach(user, caseNumber, &record);
    if (id == 0 || (archivedOnly && record.childGroupCode != CAuditCase::kArchiveGroup))
        return 0;
    return id;
}

// Reaches a case whose attachments are to change: Status::ok with its id, or why not.
int ReachForAttachmentChange(CCaseStore& cases, const SessionUser& user, const std::string& caseNumber,
                             bool archivedOnly, int64_t& id)
{
    CAuditCase record;
    id = cases.Reach(user, caseNumber, &record);
    if (id == 0)
        return Status::failed;
    if (archivedOnly && record.childGroupCode != CAuditCase::kArchiveGroup)
        return Status::denied;
    if (IsChildLinkedOrLinking(record.childLinkStatus))
        return Status::linked;
    return Status::ok;
}

// Runs a statement whose only parameter is a row id; false when it failed.
bool RunForId(CDatabase& db, const char* sql, int64_t id)
{
    CCachedStatement statement = db.Prepare(sql);
    statement->BindInt(1, id);
    statement->Step();
    return statement->Done();
}

// Commits the transaction: Status::ok, or Status::failed when that did not work.
int CommitStatus(CTransaction& transaction)
{
    return transaction.Commit() ? Status::ok : Status::failed;
}

}  // namespace

const CBillingDef* MatchBillingDefault(const std::vector<CBillingDef>& rows, const CAuditCase& record)
{
    const CBillingDef* best = nullptr;
    int bestScore = -1;
    for (const CBillingDef& row : rows) {
        int score = 0;
        auto criterion = [&](bool isAll, bool matches) {
            if (isAll)
                return true;
            ++score;
            return matches;
        };
        const bool match =
            criterion(row.auditSource == CBillingDef::kAll, row.auditSource == record.auditSource) &&
            criterion(row.auditType == CBillingDef::kAll, row.auditType == record.auditType) &&
            criterion(row.policyType.empty(), EqualIgnoringCase(row.policyType, record.policyType)) &&
            criterion(row.policyCode == -1, row.policyCode == record.policyCode) &&
            criterion(row.nonProductive == CBillingDef::eitherProductivity,
                      (row.nonProductive == CBillingDef::nonProductiveOnly) == record.nonProductive);
        if (match && score > bestScore) {
            best = &row;
            bestScore = score;
        }
    }
    return best;
}

double BilledAmount(const CBillingEntry& entry, bool paysChild)
{
    const double keep = 1.0 - entry.discountPercent * 0.01;
    double amount = 0;
    if (entry.kind == CBillingEntry::flat)
        amount = entry.firstHourRate * keep;
    else if (entry.billedHours <= 1.0)
        amount = entry.billedHours * entry.firstHourRate * keep;
    else
        amount = ((entry.billedHours - 1.0) * entry.additionalHoursRate + entry.firstHourRate) * keep;
    amount = RoundToCents(amount);
    return paysChild ? -amount : amount;
}

// --- Attachments ---------------------------------------------------------------------

bool CDetailStore::UpdateDefaultAttachment(int64_t caseId)
{
    // The case's default attachment, else its first one, else 0: non-zero means that the
    // case has attachments.
    CCachedStatement update = m_db.Prepare(
        "UPDATE Cases SET DefAttachmentID = COALESCE("
        " (SELECT AttachmentID FROM Attachments WHERE CaseID = ?1 AND IsDefault = 1 ORDER BY AttachmentID LIMIT 1),"
        " (SELECT MIN(AttachmentID) FROM Attachments WHERE CaseID = ?1), 0) WHERE CaseID = ?1;");
    update->BindInt(1, caseId);
    update->Step();
    return update->Done();
}

bool CDetailStore::GetAttachments(const SessionUser& user, const std::string& caseNumber, bool archivedOnly,
                                  std::vector<CAttachment>& attachments)
{
    CReadTransaction read(m_db);
    const int64_t id = ReachReadable(m_cases, user, caseNumber, archivedOnly);
    if (id == 0)
        return false;
    CCachedStatement select = m_db.Prepare(
        "SELECT AttachmentID, OpaqueInt, Name, Kind, FileName, Printable, ToBePrinted, IsDefault FROM Attachments"
        " WHERE CaseID = ? ORDER BY AttachmentID;");
    select->BindInt(1, id);
    attachments.clear();
    while (select->Step()) {
        CAttachment attachment;
        attachment.attachmentId = static_cast<int32_t>(select->ColumnInt(0));
        attachment.opaqueInt = static_cast<int32_t>(select->ColumnInt(1));
        attachment.name = select->ColumnText(2);
        attachment.kind = select->ColumnText(3);
        attachment.fileName = select->ColumnText(4);
        attachment.printable = select->ColumnInt(5) != 0;
        attachment.toBePrinted = select->ColumnInt(6) != 0;
        attachment.isDefault = select->ColumnInt(7) != 0;
        attachments.push_back(std::move(attachment));
    }
    return true;
}

bool CDetailStore::GetAttachmentBytes(const SessionUser& user, const std::string& caseNumber, int32_t attachmentId,
                                      bool archivedOnly, std::string& bytes)
{
    CReadTransaction read(m_db);
    const int64_t id = ReachReadable(m_cases, user, caseNumber, archivedOnly);
    if (id == 0)
        return false;
    CCachedStatement select = m_db.Prepare("SELECT Content FROM Attachments WHERE CaseID = ? AND AttachmentID = ?;");
    select->BindInt(1, id);
    select->BindInt(2, attachmentId);
    if (!select->Step())
        return false;
    bytes = select->ColumnBlob(0);
    return true;
}

bool CDetailStore::GetAttachmentDocument(const SessionUser& user, const std::string& caseNumber,
                                         int32_t attachmentId, bool archivedOnly, const std::string& kind,
                                         std::string& bytes)
{
    CReadTransaction read(m_db);
    const int64_t id = ReachReadable(m_cases, user, caseNumber, archivedOnly);
    if (id == 0)
        return false;
    CCachedStatement select =
        m_db.Prepare("SELECT Content FROM Attachments WHERE CaseID = ? AND AttachmentID = ? AND Kind = ?;");
    select->BindInt(1, id);
    select->BindInt(2, attachmentId);
    select->BindText(3, kind);
    if (!select->Step())
        return false;
    bytes = select->ColumnBlob(0);
    return true;
}

int CDetailStore::SetAttachment(const SessionUser& user, const std::string& caseNumber, const CAttachment& attachment,
                                const std::string& bytes, int mode, bool archivedOnly)
{
    if (mode != Mode::add && mode != Mode::change && mode != Mode::remove)
        return Status::failed;
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    int64_t id = 0;
    if (const int reached = ReachForAttachmentChange(m_cases, user, caseNumber, archivedOnly, id);
        reached != Status::ok)
        return reached;

    int64_t attachmentId = attachment.attachmentId;
    if (mode != Mode::add) {
        CCachedStatement find = m_db.Prepare("SELECT 1 FROM Attachments WHERE CaseID = ? AND AttachmentID = ?;");
        find->BindInt(1, id);
        find->BindInt(2, attachmentId);
        if (!find->Step())
            return Status::failed;
    }
    if (mode == Mode::add) {
        if (!IsAttachmentKind(attachment.kind))
            return Status::failed;
        CCachedStatement insert = m_db.Prepare(
            "INSERT INTO Attachments (CaseID, OpaqueInt, Name, Kind, FileName, Printable, ToBePrinted, IsDefault,"
            " Content) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?);");
        insert->BindInt(1, id);
        insert->BindInt(2, attachment.opaqueInt);
        insert->BindText(3, attachment.name);
        insert->BindText(4, attachment.kind);
        insert->BindText(5, LastPathComponent(attachment.fileName));
        insert->BindInt(6, attachment.printable ? 1 : 0);
        insert->BindInt(7, attachment.toBePrinted ? 1 : 0);
        insert->BindInt(8, attachment.isDefault ? 1 : 0);
        insert->BindBlob(9, bytes);
        insert->Step();
        if (!insert->Done())
            return Status::failed;
        attachmentId = m_db.LastInsertId();
    } else if (mode == Mode::change) {
        CCachedStatement update = m_db.Prepare(
            "UPDATE Attachments SET Name = ?, ToBePrinted = ?, IsDefault = ? WHERE AttachmentID = ?;");
        update->BindText(1, attachment.name);
        update->BindInt(2, attachment.toBePrinted ? 1 : 0);
        update->BindInt(3, attachment.isDefault ? 1 : 0);
        update->BindInt(4, attachmentId);
        update->Step();
        if (!update->Done())
            return Status::failed;
    } else {
        if (!RunForId(m_db, "DELETE FROM Attachments WHERE AttachmentID = ?;", attachmentId))
            return Status::failed;
    }
    // A case has one default attachment at most.
    if (mode != Mode::remove && attachment.isDefault) {
        CCachedStatement others =
            m_db.Prepare("UPDATE Attachments SET IsDefault = 0 WHERE CaseID = ? AND AttachmentID <> ?;");
        others->BindInt(1, id);
        others->BindInt(2, attachmentId);
        others->Step();
        if (!others->Done())
            return Status::failed;
    }
    if (!UpdateDefaultAttachment(id))
        return Status::failed;
    return CommitStatus(transaction);
}

int CDetailStore::ReplaceAuditBytes(const SessionUser& user, const std::string& caseNumber, int32_t attachmentId,
                                    const std::string& bytes, bool archivedOnly)
{
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    int64_t id = 0;
    if (const int reached = ReachForAttachmentChange(m_cases, user, caseNumber, archivedOnly, id);
        reached != Status::ok)
        return reached;
    CCachedStatement update = m_db.Prepare(
        "UPDATE Attachments SET Content = ? WHERE CaseID = ? AND AttachmentID = ? AND Kind = 'AUDIT';");
    update->BindBlob(1, bytes);
    update->BindInt(2, id);
    update->BindInt(3, attachmentId);
    update->Step();
    if (!update->Done() || m_db.Changes() != 1)
        return Status::failed;
    return CommitStatus(transaction);
}

// --- Billing ---------------------------------------------------------------------------

bool CDetailStore::GetBillingEntries(const SessionUser& user, const std::string& caseNumber,
                                     std::vector<CBillingEntry>& entries)
{
    CReadTransaction read(m_db);
    const int64_t id = m_cases.Reach(user, caseNumber);
    if (id == 0)
        return false;
    const auto& map = BillingColumns();
    CCachedStatement select =
        m_db.Prepare("SELECT EntryID, " + map.Names() + " FROM BillingEntries WHERE CaseID = ? ORDER BY EntryID;");
    select->BindInt(1, id);
    entries.clear();
    while (select->Step()) {
        CBillingEntry entry;
        entry.entryId = static_cast<int32_t>(select->ColumnInt(0));
        map.Read(*select, 1, entry);
        entries.push_back(std::move(entry));
    }
    return true;
}

bool CDetailStore::InsertBillingEntry(int64_t caseId, const CBillingEntry& entry)
{
    CBillingEntry stored = entry;
    if (!stored.billingDate.IsValid())
        stored.billingDate = NowDate();
    const auto& map = BillingColumns();
    CCachedStatement insert = m_db.Prepare("INSERT INTO BillingEntries (CaseID, " + map.Names() + ") VALUES (?, " +
                                           map.Placeholders() + ");");
    insert->BindInt(1, caseId);
    map.Bind(*insert, 2, stored);
    insert->Step();
    return insert->Done();
}

int CDetailStore::SetBillingEntry(const SessionUser& user, const std::string& caseNumber, const CBillingEntry& entry,
                                  int mode)
{
    if (mode != Mode::add && mode != Mode::change && mode != Mode::remove)
        return Status::failed;
    if (mode != Mode::remove && entry.parentName.empty() && entry.childName.empty())
        return Status::failed;
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    const int64_t id = m_cases.Reach(user, caseNumber);
    if (id == 0)
        return Status::failed;
    if (mode == Mode::add) {
        if (!InsertBillingEntry(id, entry))
            return Status::failed;
        return CommitStatus(transaction);
    }
    CCachedStatement find = m_db.Prepare("SELECT BillingDate FROM BillingEntries WHERE CaseID = ? AND EntryID = ?;");
    find->BindInt(1, id);
    find->BindInt(2, entry.entryId);
    if (!find->Step())
        return Status::failed;
    const CDateTime storedDate = ReadDate(*find, 0);
    if (mode == Mode::remove) {
        if (!RunForId(m_db, "DELETE FROM BillingEntries WHERE EntryID = ?;", entry.entryId))
            return Status::failed;
    } else {
        CBillingEntry stored = entry;
        if (!stored.billingDate.IsValid())
            stored.billingDate = storedDate;
        const auto& map = BillingColumns();
        CCachedStatement update = m_db.Prepare("UPDATE BillingEntries SET " + map.Assignments() + " WHERE EntryID = ?;");
        map.Bind(*update, 1, stored);
        update->BindInt(static_cast<int>(map.Size()) + 1, entry.entryId);
        update->Step();
        if (!update->Done())
            return Status::failed;
    }
    return CommitStatus(transaction);
}

int CDetailStore::DefaultBillingEntry(const SessionUser& user, const std::string& caseNumber,
                                      const std::string& party, bool partyIsChild, CBillingEntry& entry)
{
    CReadTransaction read(m_db);
    CAuditCase record;
    if (m_cases.Reach(user, caseNumber, &record) == 0 || party.empty())
        return Status::failed;
    return ProposeEntry(m_db, record, party, partyIsChild, entry) ? Status::ok : Status::failed;
}

bool CDetailStore::ProposeMultiBilling(const SessionUser& user, const std::vector<std::string>& caseNumbers,
                                       int choice, std::vector<CMultiBillingEntry>& entries)
{
    if (choice < BillingChoice::parentsOnly || choice > BillingChoice::parentsAndChildren ||
        caseNumbers.size() > kMaxCasesPerCommand / 10)
        return false;
    CReadTransaction read(m_db);
    entries.clear();
    for (const std::string& number : caseNumbers) {
        CAuditCase record;
        const int64_t id = m_cases.Reach(user, number, &record);
        if (id == 0)
            return false;
        auto propose = [&](const std::string& party, bool child) {
            CMultiBillingEntry proposal;
            if (!ProposeEntry(m_db, record, party, child, proposal.entry)) {
                proposal.entry = CBillingEntry{};
                proposal.entry.billingDate = CDateTime{CDateTime::null, 0.0};
                (child ? proposal.entry.childName : proposal.entry.parentName) = party;
            }
            proposal.opaqueInt1 = child ? MultiBilling::childEntry : MultiBilling::parentEntry;
            proposal.opaqueText1 = record.caseNumber;
            proposal.opaqueText2 = record.insuredName;
            entries.push_back(std::move(proposal));
        };
        if (choice != BillingChoice::childrenOnly && !record.parentName.empty())
            propose(record.parentName, false);
        if (choice != BillingChoice::parentsOnly) {
            // Every child the case was assigned to, once, in the order of its history.
            std::set<std::string> seen;
            CCachedStatement history = m_db.Prepare(
                "SELECT ChildName FROM CaseTracking WHERE CaseID = ? AND ChildName <> '*Unassigned*' ORDER BY EntryID;");
            history->BindInt(1, id);
            std::vector<std::string> children;
            while (history->Step())
                if (seen.insert(history->ColumnText(0)).second)
                    children.push_back(history->ColumnText(0));
            if (children.empty() && !record.childName.empty())
                children.push_back(record.childName);
            for (const std::string& child : children)
                propose(child, true);
        }
    }
    return true;
}

int CDetailStore::AddMultiBilling(const SessionUser& user, const std::vector<CMultiBillingEntry>& entries)
{
    if (entries.size() > kMaxCasesPerCommand)
        return Status::failed;
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    for (const CMultiBillingEntry& proposal : entries) {
        const int64_t id = m_cases.Reach(user, proposal.opaqueText1);
        if (id == 0 || (proposal.entry.parentName.empty() && proposal.entry.childName.empty()))
            return Status::failed;
        if (!InsertBillingEntry(id, proposal.entry))
            return Status::failed;
    }
    return CommitStatus(transaction);
}

// --- Progress reports ------------------------------------------------------------------

bool CDetailStore::GetProgressReports(const SessionUser& user, const std::string& caseNumber,
                                      std::vector<CProgressRptEntry>& entries)
{
    CReadTransaction read(m_db);
    const int64_t id = m_cases.Reach(user, caseNumber);
    if (id == 0)
        return false;
    CCachedStatement select = m_db.Prepare(
        "SELECT EntryID, EntryDate, EnteredBy, Comment, Internal, Linked, OpaqueInt FROM ProgressReports"
        " WHERE CaseID = ? ORDER BY EntryDate, EntryID;");
    select->BindInt(1, id);
    entries.clear();
    while (select->Step()) {
        CProgressRptEntry entry;
        entry.entryId = static_cast<int32_t>(select->ColumnInt(0));
        entry.entryDate = ReadDate(*select, 1);
        entry.enteredBy = select->ColumnText(2);
        entry.comment = select->ColumnText(3);
        entry.internal = select->ColumnInt(4) != 0;
        entry.linked = select->ColumnInt(5) != 0;
        entry.opaqueInt = static_cast<int32_t>(select->ColumnInt(6));
        entries.push_back(std::move(entry));
    }
    return true;
}

int CDetailStore::SetProgressReport(const SessionUser& user, const std::string& caseNumber,
                                    const CProgressRptEntry& entry, int mode, bool seeInternal)
{
    if (mode != Mode::add && mode != Mode::change && mode != Mode::remove)
        return Status::failed;
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    const int64_t id = m_cases.Reach(user, caseNumber);
    if (id == 0)
        return Status::failed;
    const CDateTime date = entry.entryDate.IsValid() ? entry.entryDate : NowDate();
    if (mode == Mode::add) {
        if (entry.internal && !seeInternal)
            return Status::denied;
        // The server records who wrote the entry; office entries never count as linked.
        CCachedStatement insert = m_db.Prepare(
            "INSERT INTO ProgressReports (CaseID, EntryDate, EnteredBy, Comment, Internal, Linked, OpaqueInt)"
            " VALUES (?, ?, ?, ?, ?, 0, ?);");
        insert->BindInt(1, id);
        BindDate(*insert, 2, date);
        insert->BindText(3, user.name);
        insert->BindText(4, entry.comment);
        insert->BindInt(5, entry.internal ? 1 : 0);
        insert->BindInt(6, entry.opaqueInt);
        insert->Step();
        if (!insert->Done())
            return Status::failed;
        return CommitStatus(transaction);
    }
    CCachedStatement find =
        m_db.Prepare("SELECT Internal, Linked FROM ProgressReports WHERE CaseID = ? AND EntryID = ?;");
    find->BindInt(1, id);
    find->BindInt(2, entry.entryId);
    if (!find->Step())
        return Status::failed;
    const bool storedInternal = find->ColumnInt(0) != 0;
    if (find->ColumnInt(1) != 0)
        return Status::linked;
    if ((storedInternal || (mode == Mode::change && entry.internal)) && !seeInternal)
        return Status::denied;
    if (mode == Mode::remove) {
        if (!RunForId(m_db, "DELETE FROM ProgressReports WHERE EntryID = ?;", entry.entryId))
            return Status::failed;
    } else {
        CCachedStatement update = m_db.Prepare(
            "UPDATE ProgressReports SET EntryDate = ?, Comment = ?, Internal = ?, OpaqueInt = ? WHERE EntryID = ?;");
        BindDate(*update, 1, date);
        update->BindText(2, entry.comment);
        update->BindInt(3, entry.internal ? 1 : 0);
        update->BindInt(4, entry.opaqueInt);
        update->BindInt(5, entry.entryId);
        update->Step();
        if (!update->Done())
            return Status::failed;
    }
    return CommitStatus(transaction);
}
