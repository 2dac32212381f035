#include "server/account_store.h"

#include "server/access_rights.h"
#include "server/account_ids.h"
#include "server/password_hash.h"

bool CAccountStore::LoginIdIsFree(CDatabase& database, const std::string& loginId, AccountKind kind,
                                  int64_t accountId)
{
    CCachedStatement children = database.Prepare("SELECT ChildID FROM Children WHERE LoginID = ?;");
    children->BindText(1, loginId);
    if (children->Step() && !(kind == AccountKind::child && children->ColumnInt(0) == accountId))
        return false;
    CCachedStatement parents = database.Prepare("SELECT ParentID FROM Parents WHERE LoginID = ?;");
    parents->BindText(1, loginId);
    if (parents->Step() && !(kind == AccountKind::parent && parents->ColumnInt(0) == accountId))
        return false;
    return true;
}

bool CAccountStore::Add(const AccountInfo& account, const std::string& password, int iterations,
                        std::string& error)
{
    if (account.userId.empty()) {
        error = "a user id cannot be empty";
        return false;
    }
    PasswordHash hash;
    if (!CPasswordHasher::Make(password, iterations, hash)) {
        error = "cannot hash the password";
        return false;
    }
    CTransaction transaction(m_db);
    if (!transaction.IsOpen()) {
        error = m_db.LastError();
        return false;
    }
    if (!LoginIdIsFree(m_db, account.userId, account.kind, 0)) {
        error = "the user id " + account.userId + " is taken";
        return false;
    }
    const bool parent = account.kind == AccountKind::parent;
    CCachedStatement taken = m_db.Prepare(parent ? "SELECT 1 FROM Parents WHERE Name = ?;"
                                                 : "SELECT 1 FROM Children WHERE Name = ?;");
    taken->BindText(1, account.accountName);
    if (taken->Step()) {
        error = "the name " + account.accountName + " is taken";
        return false;
    }
    const int64_t id = NextAccountId(m_db, account.kind);
    if (id == 0) {
        error = m_db.LastError();
        return false;
    }
    const std::string now = Sql::LocalDayNumberNow(m_db.Dialect());
    CCachedStatement insert = m_db.Prepare(
        parent ? "INSERT INTO Parents (Name, LoginID, Salt, PasswordHash, Iterations, Rights, ParentID, ConnectionKind,"
                 " RecordDate) VALUES (?, ?, ?, ?, ?, ?, ?, '*DIRECT*', " + now + ");"
               : "INSERT INTO Children (Name, LoginID, Salt, PasswordHash, Iterations, Rights, ChildID, GroupCode,"
                 " RecordDate) VALUES (?, ?, ?, ?, ?, ?, ?, ?, " + now + ");");
    insert->BindText(1, account.accountName);
    insert->BindText(2, account.userId);
    insert->BindBlob(3, hash.salt);
    insert->BindBlob(4, hash.hash);
    insert->BindInt(5, hash.iterations);
    insert->BindInt(6, account.rights);
    insert->BindInt(7, id);
    if (!parent)
        insert->BindInt(8, account.group);
    insert->Step();
    if (!insert->Done() || !transaction.Commit()) {
        error = m_db.LastError();
        return false;
    }
    return true;
}

LoginCheck CAccountStore::Check(const std::string& userId, const std::string& password, AccountInfo* account)
{
    PasswordHash stored;
    AccountInfo found;
    {
        CReadTransaction read(m_db);
        bool located = false;
        for (const AccountKind kind : {AccountKind::child, AccountKind::parent}) {
            CCachedStatement select = m_db.Prepare(
                kind == AccountKind::child
                    ? "SELECT LoginID, Salt, PasswordHash, Iterations, Name, Rights, ChildID, GroupCode"
                      " FROM Children WHERE LoginID = ?;"
                    : "SELECT LoginID, Salt, PasswordHash, Iterations, Name, Rights, ParentID, -1"
                      " FROM Parents WHERE LoginID = ?;");
            if (!select->IsValid())
                return LoginCheck::storeError;
            select->BindText(1, userId);
            if (!select->Step()) {
                if (!select->Done())
                    return LoginCheck::storeError;
                continue;
            }
            found.userId = select->ColumnText(0);
            stored.salt = select->ColumnBlob(1);
            stored.hash = select->ColumnBlob(2);
            const int64_t iterations = select->ColumnInt(3);
            stored.iterations = iterations > 0 && iterations <= 100000000 ? static_cast<int>(iterations) : 0;
            found.accountName = select->ColumnText(4);
            found.kind = kind;
            found.rights = static_cast<int32_t>(select->ColumnInt(5));
            found.accountId = select->ColumnInt(6);
            found.group = static_cast<int32_t>(select->ColumnInt(7));
            located = true;
            break;
        }
        if (!located)
            return LoginCheck::unknownUser;
    }
    if (!CPasswordHasher::Matches(password, stored))
        return LoginCheck::wrongPassword;
    if (account != nullptr)
        *account = std::move(found);
    return LoginCheck::ok;
}

bool CAccountStore::Exists(const std::string& userId)
{
    CReadTransaction read(m_db);
    return !LoginIdIsFree(m_db, userId, AccountKind::child, 0);
}

int64_t CAccountStore::Count()
{
    CReadTransaction read(m_db);
    CCachedStatement select = m_db.Prepare(
        "SELECT (SELECT COUNT(*) FROM Children) + (SELECT COUNT(*) FROM Parents WHERE LoginID IS NOT NULL);");
    return select->Step() ? select->ColumnInt(0) : 0;
}

bool CAccountStore::LoadUser(AccountKind kind, int64_t accountId, SessionUser& user)
{
    CReadTransaction read(m_db);
    CCachedStatement select = m_db.Prepare(
        kind == AccountKind::child
            ? "SELECT LoginID, Name, Rights, GroupCode, GroupDetail FROM Children WHERE ChildID = ?;"
            : "SELECT LoginID, Name, Rights, -1, Name FROM Parents WHERE ParentID = ?;");
    select->BindInt(1, accountId);
    if (!select->Step())
        return false;
    user.kind = kind;
    user.accountId = accountId;
    user.loginId = select->ColumnText(0);
    user.name = select->ColumnText(1);
    user.rights = static_cast<int32_t>(select->ColumnInt(2));
    user.group = static_cast<int32_t>(select->ColumnInt(3));
    user.boundToParent = kind == AccountKind::parent || user.group == Group::customerReps;
    user.parentName = user.boundToParent ? select->ColumnText(4) : std::string();
    return true;
}
