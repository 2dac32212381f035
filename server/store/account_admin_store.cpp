#include "server/store/account_admin_store.h"

#include "server/access_rights.h"
#include "server/account_ids.h"
#include "server/account_store.h"
#include "server/password_hash.h"
#include "server/store/column_map.h"
#include "server/store/parent_secrets.h"
#include "server/store/status.h"

#include <cctype>
#include <optional>

namespace {

const CColumnMap<CAdminParentUser>& ParentColumns()
{
    static const CColumnMap<CAdminParentUser> map = [] {
        using P = CAdminParentUser;
        CColumnMap<P> m;
        m.Add("MasterDueDays", &P::masterDueDays).Add("AuditDueDays", &P::auditDueDays).Add("Copies", &P::copies);
        m.Add("Type", &P::type).Add("Notes", &P::notes).Add("Name", &P::name).Add("Contact", &P::contact);
        m.Add("Address1", &P::address1).Add("Address2", &P::address2).Add("City", &P::city).Add("State", &P::state);
        m.Add("Zip", &P::zip).Add("Phone", &P::phone).Add("Fax", &P::fax).Add("EMail", &P::email);
        m.Add("ReservedText", &P::reservedText).Add("HostName", &P::hostName);
        m.Add("ConnectionKind", &P::connectionKind).Add("ReservedZero", &P::reservedZero);
        m.Add("ReservedOne", &P::reservedOne).Add("RecordDate", &P::date).Add("UseBilling", &P::useBilling);
        for (size_t i = 0; i < P::chargeKindCount; ++i) {
            const std::string n = std::to_string(i + 1);
            m.Add<int32_t>("ChargeMode" + n, [i](auto& p) -> auto& { return p.chargeModes[i]; });
            m.Add<double>("ChargeFirst" + n, [i](auto& p) -> auto& { return p.chargeRates[i].first; });
            m.Add<double>("ChargeAdditional" + n, [i](auto& p) -> auto& { return p.chargeRates[i].additional; });
        }
        for (size_t i = 0; i < 3; ++i) {
            const std::string n = std::to_string(i + 1);
            m.Add<double>("DiscountDays" + n, [i](auto& p) -> auto& { return p.discounts[i].days; });
            m.Add<double>("DiscountPercent" + n, [i](auto& p) -> auto& { return p.discounts[i].percent; });
        }
        for (size_t i = 0; i < 7; ++i)
            m.Add<int32_t>("Routing" + std::to_string(i + 1), [i](auto& p) -> auto& { return p.routingOrder[i]; });
        m.Add("AccountNumber", &P::accountNumber).Add("Hidden", &P::hidden);
        return m;
    }();
    return map;
}

const CColumnMap<CAdminChildUser>& ChildColumns()
{
    static const CColumnMap<CAdminChildUser> map = [] {
        using C = CAdminChildUser;
        CColumnMap<C> m;
        m.Add("GroupCode", &C::group).Add("InventoryCap", &C::inventoryCap).Add("Rights", &C::rights);
        m.Add("FifthInt", &C::fifthInt).Add("AutoFlagEnabled", &C::autoFlagEnabled).Add("AutoFlag", &C::autoFlag);
        m.Add("RecordDate", &C::date).Add("Name", &C::name).Add("Notes", &C::notes);
        m.Add("Address1", &C::address1).Add("Address2", &C::address2).Add("City", &C::city);
        m.Add("State", &C::state).Add("Zip", &C::zip).Add("Phone", &C::phone).Add("Fax", &C::fax);
        m.Add("EMail", &C::email).Add("GroupDetail", &C::groupDetail).Add("Hidden", &C::hidden);
        return m;
    }();
    return map;
}

const CColumnMap<CBillingDef>& BillingDefColumns()
{
    static const CColumnMap<CBillingDef> map = [] {
        using B = CBillingDef;
        CColumnMap<B> m;
        m.Add("OpaqueInt1", &B::opaqueInt1).Add("OpaqueInt2", &B::opaqueInt2).Add("BilledHours", &B::billedHours);
        m.Add("OpaqueAmount", &B::opaqueAmount).Add("Hourly", &B::hourly).Add("FirstAmount", &B::firstAmount);
        m.Add("AdditionalHoursRate", &B::additionalHoursRate).Add("Description", &B::description);
        m.Add("AuditSource", &B::auditSource).Add("AuditType", &B::auditType).Add("PolicyType", &B::policyType);
        m.Add("PolicyCode", &B::policyCode).Add("NonProductive", &B::nonProductive);
        return m;
    }();
    return map;
}


bool ParentIsReferenced(CDatabase& db, const std::string& name)
{
    return AnyRowWithTexts(db, "SELECT 1 FROM Cases WHERE ParentName = ? LIMIT 1;", {name}) ||
           AnyRowWithTexts(db, "SELECT 1 FROM BillingEntries WHERE ParentName = ? LIMIT 1;", {name}) ||
           AnyRowWithTexts(db, "SELECT 1 FROM AssignCriteria WHERE Category = 'Parent' AND Value1 = ? LIMIT 1;", {name}) ||
           AnyRowWithTexts(db, "SELECT 1 FROM Children WHERE GroupCode = 9 AND GroupDetail = ? LIMIT 1;", {name});
}

bool ChildIsReferenced(CDatabase& db, const std::string& name)
{
    return AnyRowWithTexts(db, "SELECT 1 FROM Cases WHERE ChildName = ? LIMIT 1;", {name}) ||
           AnyRowWithTexts(db, "SELECT 1 FROM BillingEntries WHERE ChildName = ? LIMIT 1;", {name}) ||
           AnyRowWithTexts(db, "SELECT 1 FROM AssignCriteria WHERE Category = 'Child' AND Value1 = ? LIMIT 1;", {name});
}

bool RenameParentEverywhere(CDatabase& db, const std::string& from, const std::string& to)
{
    return RunWithTexts(db, "UPDATE Cases SET ParentName = ? WHERE ParentName = ?;", {to, from}) &&
           RunWithTexts(db, "UPDATE BillingEntries SET ParentName = ? WHERE ParentName = ?;", {to, from}) &&
           RunWithTexts(db, "UPDATE AssignCriteria SET Value1 = ? WHERE Category = 'Parent' AND Value1 = ?;", {to, from}) &&
           RunWithTexts(db, "UPDATE Children SET GroupDetail = ? WHERE GroupCode = 9 AND GroupDetail = ?;", {to, from});
}

bool RenameChildEverywhere(CDatabase& db, const std::string& from, const std::string& to)
{
    return RunWithTexts(db, "UPDATE Cases SET ChildName = ? WHERE ChildName = ?;", {to, from}) &&
           RunWithTexts(db, "UPDATE BillingEntries SET ChildName = ? WHERE ChildName = ?;", {to, from}) &&
           RunWithTexts(db, "UPDATE CaseTracking SET ChildName = ? WHERE ChildName = ?;", {to, from}) &&
           RunWithTexts(db, "UPDATE AssignCriteria SET Value1 = ? WHERE Category = 'Child' AND Value1 = ?;", {to, from});
}

bool CriteriaAreValid(const std::vector<CAssignCriterion>& criteria)
{
    if (criteria.size() > kMaxCriteria)
        return false;
    int premiums = 0;
    int formulas = 0;
    for (const CAssignCriterion& criterion : criteria) {
        const std::string& c = criterion.category;
        if (c == "Premium")
            ++premiums;
        else if (c == "Formula")
            ++formulas;
        else if (c != "Territory" && c != "Parent" && c != "Child")
            return false;
    }
    return premiums <= 1 && formulas <= 1;
}

// The salt and hash columns for a new password; empty when none is given.
struct NewPassword {
    bool given = false;
    PasswordHash hash;
};

bool HashPassword(const std::string& password, int iterations, NewPassword& out)
{
    out.given = !password.empty();
    if (!out.given)
        return true;
    if (password.size() > kMaxPasswordLength)
        return false;
    return CPasswordHasher::Make(password, iterations, out.hash);
}

void BindPassword(CStatement& statement, int first, const NewPassword& password)
{
    if (!password.given) {
        statement.BindNull(first);
        statement.BindNull(first + 1);
        statement.BindInt(first + 2, 0);
        return;
    }
    statement.BindBlob(first, password.hash.salt);
    statement.BindBlob(first + 1, password.hash.hash);
    statement.BindInt(first + 2, password.hash.iterations);
}

// An account table and its key column. Only these fixed names are put into SQL text.
struct AccountTable {
    const char* table;
    const char* idColumn;
};
constexpr AccountTable kParentsTable{"Parents", "ParentID"};
constexpr AccountTable kChildrenTable{"Children", "ChildID"};

// The id of the account with this name, if there is one.
std::optional<int64_t> FindAccountId(CDatabase& db, const AccountTable& t, const std::string& name)
{
    CCachedStatement find =
        db.Prepare(std::string("SELECT ") + t.idColumn + " FROM " + t.table + " WHERE Name = ?;");
    find->BindText(1, name);
    if (!find->Step())
        return std::nullopt;
    return find->ColumnInt(0);
}

// True when another account than the one with this id already has the name.
bool NameTakenByOther(CDatabase& db, const AccountTable& t, const std::string& name, int64_t id)
{
    const std::optional<int64_t> other = FindAccountId(db, t, name);
    return other && *other != id;
}

// Runs a statement on the account's row (or its rows elsewhere) with the id as its only
// parameter; false when it failed.
bool RunForId(CDatabase& db, const std::string& sql, int64_t id)
{
    CCachedStatement statement = db.Prepare(sql);
    statement->BindInt(1, id);
    statement->Step();
    return statement->Done();
}

bool DeleteAccount(CDatabase& db, const AccountTable& t, int64_t id)
{
    return RunForId(db, std::string("DELETE FROM ") + t.table + " WHERE " + t.idColumn + " = ?;", id);
}

// The record date stored for the account, when it has one; otherwise the date is left.
void ReadRecordDate(CDatabase& db, const AccountTable& t, int64_t id, CDateTime& date)
{
    CCachedStatement select =
        db.Prepare(std::string("SELECT RecordDate FROM ") + t.table + " WHERE " + t.idColumn + " = ?;");
    select->BindInt(1, id);
    if (select->Step())
        date = ReadDate(*select, 0);
}

// Stores a new salted password hash for the account; nothing to do without one.
bool StorePassword(CDatabase& db, const AccountTable& t, int64_t id, const NewPassword& password)
{
    if (!password.given)
        return true;
    CCachedStatement update = db.Prepare(std::string("UPDATE ") + t.table +
                                         " SET Salt = ?, PasswordHash = ?, Iterations = ? WHERE " + t.idColumn +
                                         " = ?;");
    BindPassword(*update, 1, password);
    update->BindInt(4, id);
    update->Step();
    return update->Done();
}

}  // namespace

bool IsValidLoginId(const std::string& loginId)
{
    if (loginId.empty() || loginId.size() > kMaxUserIdLength)
        return false;
    for (const unsigned char c : loginId)
        if (c > 0x7F || !std::isalnum(c))
            return false;
    return true;
}

bool CAccountAdminStore::GetParent(const std::string& name, CAdminParentUser& parent)
{
    CReadTransaction read(m_db);
    const auto& map = ParentColumns();
    CCachedStatement select =
        m_db.Prepare("SELECT ParentID, COALESCE(LoginID, ''), " + map.Names() + " FROM Parents WHERE Name = ?;");
    select->BindText(1, name);
    if (!select->Step())
        return false;
    parent.recordNumber = static_cast<int32_t>(select->ColumnInt(0));
    parent.connectionUserId = select->ColumnText(1);
    map.Read(*select, 2, parent);
    parent.connectionPassword.clear();
    return true;
}

bool CAccountAdminStore::GetChild(const std::string& name, CAdminChildUser& child)
{
    CReadTransaction read(m_db);
    const auto& map = ChildColumns();
    CCachedStatement select =
        m_db.Prepare("SELECT ChildID, LoginID, " + map.Names() + " FROM Children WHERE Name = ?;");
    select->BindText(1, name);
    if (!select->Step())
        return false;
    const int64_t id = select->ColumnInt(0);
    child.recordNumber = static_cast<int32_t>(id);
    child.userId = select->ColumnText(1);
    map.Read(*select, 2, child);
    child.password.clear();
    child.criteria.clear();
    CCachedStatement criteria =
        m_db.Prepare("SELECT Category, Value1, Value2 FROM AssignCriteria WHERE ChildID = ? ORDER BY Position;");
    criteria->BindInt(1, id);
    while (criteria->Step()) {
        CAssignCriterion criterion;
        criterion.category = criteria->ColumnText(0);
        criterion.value1 = criteria->ColumnText(1);
        criterion.value2 = criteria->ColumnText(2);
        child.criteria.push_back(std::move(criterion));
    }
    return true;
}

int CAccountAdminStore::SetParent(const std::string& name, const CAdminParentUser& parent, int mode,
                                  const SessionUser& actor)
{
    if (mode != Mode::add && mode != Mode::change && mode != Mode::remove)
        return Status::failed;
    NewPassword password;
    if (mode != Mode::remove) {
        if (parent.name.empty() ||
            (parent.connectionKind != CAdminParentUser::kDirectConnection &&
             parent.connectionKind != CAdminParentUser::kNoConnection) ||
            (!parent.connectionUserId.empty() && !IsValidLoginId(parent.connectionUserId)))
            return Status::failed;
        if (!HashPassword(parent.connectionPassword, m_hashIterations, password))
            return Status::failed;
    }

    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    int64_t id = 0;
    if (mode != Mode::add) {
        const std::optional<int64_t> found = FindAccountId(m_db, kParentsTable, name);
        if (!found)
            return Status::failed;
        id = *found;
    }
    if (mode == Mode::remove) {
        if (actor.IsParent() && actor.accountId == id)
            return Status::failed;
        if (ParentIsReferenced(m_db, name))
            return Status::linked;
        return DeleteAccount(m_db, kParentsTable, id) && transaction.Commit() ? Status::ok : Status::failed;
    }

    // The new name and login id must be free for this account.
    if (NameTakenByOther(m_db, kParentsTable, parent.name, id))
        return Status::failed;
    if (!parent.connectionUserId.empty() &&
        !CAccountStore::LoginIdIsFree(m_db, parent.connectionUserId, AccountKind::parent, id))
        return Status::failed;

    const auto& map = ParentColumns();
    const std::optional<std::string> login =
        parent.connectionUserId.empty() ? std::nullopt : std::optional<std::string>(parent.connectionUserId);
    if (mode == Mode::add) {
        CAdminParentUser stored = parent;
        stored.date = CAdminParentUser::kNewRecordDate;
        const int64_t newId = NextAccountId(m_db, AccountKind::parent);
        if (newId == 0)
            return Status::failed;
        CCachedStatement insert = m_db.Prepare("INSERT INTO Parents (" + map.Names() +
                                               ", LoginID, Salt, PasswordHash, Iterations, Rights, ParentID) VALUES (" +
                                               map.Placeholders() + ", ?, ?, ?, ?, ?, ?);");
        const int next = static_cast<int>(map.Size()) + 1;
        map.Bind(*insert, 1, stored);
        if (login)
            insert->BindText(next, *login);
        else
            insert->BindNull(next);
        BindPassword(*insert, next + 1, password);
        insert->BindInt(next + 4, kParentRights);
        insert->BindInt(next + 5, newId);
        insert->Step();
        if (!insert->Done() || !CParentSecrets::Store(m_db, newId, parent.connectionPassword))
            return Status::failed;
        return transaction.Commit() ? Status::ok : Status::failed;
    }

    // A change keeps the server's own fields (record number, date) and, without a new
    // password, the stored one; a login id that changes needs a new password to log in.
    CAdminParentUser stored = parent;
    ReadRecordDate(m_db, kParentsTable, id, stored.date);
    CCachedStatement update = m_db.Prepare("UPDATE Parents SET " + map.Assignments() +
                                           ", LoginID = ? WHERE ParentID = ?;");
    const int next = static_cast<int>(map.Size()) + 1;
    map.Bind(*update, 1, stored);
    if (login)
        update->BindText(next, *login);
    else
        update->BindNull(next);
    update->BindInt(next + 1, id);
    update->Step();
    if (!update->Done())
        return Status::failed;
    if (!StorePassword(m_db, kParentsTable, id, password))
        return Status::failed;
    if (!parent.connectionPassword.empty() && !CParentSecrets::Store(m_db, id, parent.connectionPassword))
        return Status::failed;
    if (parent.name != name && !RenameParentEverywhere(m_db, name, parent.name))
        return Status::failed;
    return transaction.Commit() ? Status::ok : Status::failed;
}

int CAccountAdminStore::SetChild(const std::string& name, const CAdminChildUser& child, int mode,
                                 const SessionUser& actor)
{
    if (mode != Mode::add && mode != Mode::change && mode != Mode::remove)
        return Status::failed;
    NewPassword password;
    if (mode != Mode::remove) {
        if (child.name.empty() || !IsValidLoginId(child.userId) || !Group::IsAccountGroup(child.group) ||
            child.inventoryCap < -1 || child.inventoryCap > 100000 || !CriteriaAreValid(child.criteria))
            return Status::failed;
        if (!HashPassword(child.password, m_hashIterations, password))
            return Status::failed;
    }

    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    int64_t id = 0;
    int32_t storedGroup = -1;
    if (mode != Mode::add) {
        CCachedStatement find = m_db.Prepare("SELECT ChildID, GroupCode FROM Children WHERE Name = ?;");
        find->BindText(1, name);
        if (!find->Step())
            return Status::failed;
        id = find->ColumnInt(0);
        storedGroup = static_cast<int32_t>(find->ColumnInt(1));
    }
    if (mode == Mode::remove) {
        if (!actor.IsParent() && actor.accountId == id)
            return Status::failed;
        if (ChildIsReferenced(m_db, name))
            return Status::linked;
        return DeleteAccount(m_db, kChildrenTable, id) && transaction.Commit() ? Status::ok : Status::failed;
    }
    // The group is fixed once the child exists.
    if (mode == Mode::change && child.group != storedGroup)
        return Status::failed;
    if (NameTakenByOther(m_db, kChildrenTable, child.name, id))
        return Status::failed;
    if (!CAccountStore::LoginIdIsFree(m_db, child.userId, AccountKind::child, id))
        return Status::failed;

    const auto& map = ChildColumns();
    const int next = static_cast<int>(map.Size()) + 1;
    if (mode == Mode::add) {
        CAdminChildUser stored = child;
        CCachedStatement now = m_db.Prepare(std::string("SELECT ") + Sql::LocalDayNumberNow(m_db.Dialect()) + ";");
        if (now->Step())
            stored.date = CDateTime{CDateTime::valid, now->ColumnDouble(0)};
        const int64_t newId = NextAccountId(m_db, AccountKind::child);
        if (newId == 0)
            return Status::failed;
        CCachedStatement insert = m_db.Prepare("INSERT INTO Children (" + map.Names() +
                                               ", LoginID, Salt, PasswordHash, Iterations, ChildID) VALUES (" +
                                               map.Placeholders() + ", ?, ?, ?, ?, ?);");
        map.Bind(*insert, 1, stored);
        insert->BindText(next, child.userId);
        BindPassword(*insert, next + 1, password);
        insert->BindInt(next + 4, newId);
        insert->Step();
        if (!insert->Done())
            return Status::failed;
        id = newId;
    } else {
        CAdminChildUser stored = child;
        ReadRecordDate(m_db, kChildrenTable, id, stored.date);
        CCachedStatement update =
            m_db.Prepare("UPDATE Children SET " + map.Assignments() + ", LoginID = ? WHERE ChildID = ?;");
        map.Bind(*update, 1, stored);
        update->BindText(next, child.userId);
        update->BindInt(next + 1, id);
        update->Step();
        if (!update->Done())
            return Status::failed;
        if (!StorePassword(m_db, kChildrenTable, id, password))
            return Status::failed;
        if (child.name != name && !RenameChildEverywhere(m_db, name, child.name))
            return Status::failed;
        if (!RunForId(m_db, "DELETE FROM AssignCriteria WHERE ChildID = ?;", id))
            return Status::failed;
    }
    CCachedStatement criterion = m_db.Prepare(
        "INSERT INTO AssignCriteria (ChildID, Position, Category, Value1, Value2) VALUES (?, ?, ?, ?, ?);");
    for (size_t i = 0; i < child.criteria.size(); ++i) {
        criterion->Reset();
        criterion->BindInt(1, id);
        criterion->BindInt(2, static_cast<int64_t>(i));
        criterion->BindText(3, child.criteria[i].category);
        criterion->BindText(4, child.criteria[i].value1);
        criterion->BindText(5, child.criteria[i].value2);
        criterion->Step();
        if (!criterion->Done())
            return Status::failed;
    }
    return transaction.Commit() ? Status::ok : Status::failed;
}

std::vector<CBillingDef> ReadBillingDefaults(CDatabase& database, int kind, const std::string& account)
{
    const auto& map = BillingDefColumns();
    CCachedStatement select = database.Prepare(
        kind == kParentAccount
            ? "SELECT " + map.Names("d.") +
                  " FROM BillingDefaults d JOIN Parents p ON p.ParentID = d.ParentID WHERE p.Name = ?"
                  " ORDER BY d.Position;"
            : "SELECT " + map.Names("d.") +
                  " FROM BillingDefaults d JOIN Children c ON c.ChildID = d.ChildID WHERE c.Name = ?"
                  " ORDER BY d.Position;");
    select->BindText(1, account);
    std::vector<CBillingDef> rows;
    while (select->Step()) {
        CBillingDef row;
        map.Read(*select, 0, row);
        rows.push_back(std::move(row));
    }
    return rows;
}

bool CAccountAdminStore::GetBillingDefaults(const std::string& account, int kind, std::vector<CBillingDef>& rows)
{
    if (kind != kParentAccount && kind != kChildAccount)
        return false;
    CReadTransaction read(m_db);
    if (!FindAccountId(m_db, kind == kParentAccount ? kParentsTable : kChildrenTable, account))
        return false;
    rows = ReadBillingDefaults(m_db, kind, account);
    return true;
}

int CAccountAdminStore::SetBillingDefaults(const std::string& account, int kind, const std::vector<CBillingDef>& rows)
{
    if ((kind != kParentAccount && kind != kChildAccount) || rows.size() > kMaxBillingDefaults)
        return Status::failed;
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    const AccountTable& table = kind == kParentAccount ? kParentsTable : kChildrenTable;
    const std::optional<int64_t> found = FindAccountId(m_db, table, account);
    if (!found)
        return Status::failed;
    const int64_t id = *found;
    if (!RunForId(m_db, std::string("DELETE FROM BillingDefaults WHERE ") + table.idColumn + " = ?;", id))
        return Status::failed;
    const auto& map = BillingDefColumns();
    CCachedStatement insert = m_db.Prepare(std::string("INSERT INTO BillingDefaults (") +
                                           table.idColumn + ", Position, " + map.Names() +
                                           ") VALUES (?, ?, " + map.Placeholders() + ");");
    for (size_t i = 0; i < rows.size(); ++i) {
        insert->Reset();
        insert->BindInt(1, id);
        insert->BindInt(2, static_cast<int64_t>(i));
        map.Bind(*insert, 3, rows[i]);
        insert->Step();
        if (!insert->Done())
            return Status::failed;
    }
    return transaction.Commit() ? Status::ok : Status::failed;
}

bool CAccountAdminStore::GetParentConnection(const std::string& name, ParentConnection& connection)
{
    CReadTransaction read(m_db);
    CCachedStatement select =
        m_db.Prepare("SELECT ConnectionKind, HostName, COALESCE(LoginID, '') FROM Parents WHERE Name = ?;");
    select->BindText(1, name);
    if (!select->Step())
        return false;
    connection.connectionKind = select->ColumnText(0);
    connection.hostName = select->ColumnText(1);
    connection.userId = select->ColumnText(2);
    connection.password = CParentSecrets::Find(m_db, name).value_or(std::string());
    return true;
}

std::vector<CParentUser> CAccountAdminStore::ListParents(bool withHidden)
{
    CReadTransaction read(m_db);
    CCachedStatement select = m_db.Prepare(
        "SELECT Name, MasterDueDays, AuditDueDays, Type FROM Parents WHERE Hidden = 0 OR ? ORDER BY Name;");
    select->BindInt(1, withHidden ? 1 : 0);
    std::vector<CParentUser> parents;
    while (select->Step()) {
        CParentUser entry;
        entry.name = select->ColumnText(0);
        entry.masterDueDays = static_cast<int32_t>(select->ColumnInt(1));
        entry.auditorDueDays = static_cast<int32_t>(select->ColumnInt(2));
        entry.parentText = select->ColumnText(3);
        parents.push_back(std::move(entry));
    }
    return parents;
}

std::vector<CChildUser> CAccountAdminStore::ListChildren(bool withHidden)
{
    CReadTransaction read(m_db);
    CCachedStatement select =
        m_db.Prepare("SELECT Name, GroupCode, LoginID FROM Children WHERE Hidden = 0 OR ? ORDER BY Name;");
    select->BindInt(1, withHidden ? 1 : 0);
    std::vector<CChildUser> children;
    while (select->Step()) {
        CChildUser entry;
        entry.name = select->ColumnText(0);
        entry.group = static_cast<int32_t>(select->ColumnInt(1));
        entry.loginId = select->ColumnText(2);
        children.push_back(std::move(entry));
    }
    return children;
}

bool CAccountAdminStore::FindParentEntry(const std::string& name, CParentUser& entry)
{
    CReadTransaction read(m_db);
    CCachedStatement select =
        m_db.Prepare("SELECT Name, MasterDueDays, AuditDueDays, Type FROM Parents WHERE Name = ?;");
    select->BindText(1, name);
    if (!select->Step())
        return false;
    entry.name = select->ColumnText(0);
    entry.masterDueDays = static_cast<int32_t>(select->ColumnInt(1));
    entry.auditorDueDays = static_cast<int32_t>(select->ColumnInt(2));
    entry.parentText = select->ColumnText(3);
    return true;
}

bool CAccountAdminStore::FindChildEntry(const std::string& name, CChildUser& entry)
{
    CReadTransaction read(m_db);
    CCachedStatement select = m_db.Prepare("SELECT Name, GroupCode, LoginID FROM Children WHERE Name = ?;");
    select->BindText(1, name);
    if (!select->Step())
        return false;
    entry.name = select->ColumnText(0);
    entry.group = static_cast<int32_t>(select->ColumnInt(1));
    entry.loginId = select->ColumnText(2);
    return true;
}

bool CAccountAdminStore::FindLogin(const std::string& loginId, AccountKind& kind, int64_t& accountId)
{
    CReadTransaction read(m_db);
    CCachedStatement child = m_db.Prepare("SELECT ChildID FROM Children WHERE LoginID = ?;");
    child->BindText(1, loginId);
    if (child->Step()) {
        kind = AccountKind::child;
        accountId = child->ColumnInt(0);
        return true;
    }
    CCachedStatement parent = m_db.Prepare("SELECT ParentID FROM Parents WHERE LoginID = ?;");
    parent->BindText(1, loginId);
    if (parent->Step()) {
        kind = AccountKind::parent;
        accountId = parent->ColumnInt(0);
        return true;
    }
    return false;
}
