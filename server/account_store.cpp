#include "server/account_store.h"

#include "server/password_hash.h"

namespace {

const char* KindText(AccountKind kind)
{
    return kind == AccountKind::parent ? "parent" : "child";
}

}  // namespace

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
    std::lock_guard<std::mutex> lock(m_db.Mutex());
    CStatement insert(m_db.Handle(),
                      "INSERT OR IGNORE INTO accounts (user_id, salt, password_hash, iterations, account_name,"
                      " kind, rights) VALUES (?, ?, ?, ?, ?, ?, ?);");
    if (!insert.IsValid()) {
        error = m_db.LastError();
        return false;
    }
    insert.BindText(1, account.userId);
    insert.BindBlob(2, hash.salt);
    insert.BindBlob(3, hash.hash);
    insert.BindInt(4, hash.iterations);
    insert.BindText(5, account.accountName);
    insert.BindText(6, KindText(account.kind));
    insert.BindInt(7, account.rights);
    insert.Step();
    if (!insert.Done()) {
        error = m_db.LastError();
        return false;
    }
    if (m_db.Changes() == 0) {
        error = "the user id " + account.userId + " is taken";
        return false;
    }
    return true;
}

LoginCheck CAccountStore::Check(const std::string& userId, const std::string& password, AccountInfo* account)
{
    PasswordHash stored;
    AccountInfo found;
    {
        std::lock_guard<std::mutex> lock(m_db.Mutex());
        CStatement select(m_db.Handle(),
                          "SELECT user_id, salt, password_hash, iterations, account_name, kind, rights"
                          " FROM accounts WHERE user_id = ?;");
        if (!select.IsValid())
            return LoginCheck::storeError;
        select.BindText(1, userId);
        if (!select.Step())
            return select.Done() ? LoginCheck::unknownUser : LoginCheck::storeError;
        found.userId = select.ColumnText(0);
        stored.salt = select.ColumnBlob(1);
        stored.hash = select.ColumnBlob(2);
        const int64_t iterations = select.ColumnInt(3);
        stored.iterations = iterations > 0 && iterations <= 100000000 ? static_cast<int>(iterations) : 0;
        found.accountName = select.ColumnText(4);
        found.kind = select.ColumnText(5) == "parent" ? AccountKind::parent : AccountKind::child;
        found.rights = static_cast<int32_t>(select.ColumnInt(6));
    }
    if (!CPasswordHasher::Matches(password, stored))
        return LoginCheck::wrongPassword;
    if (account != nullptr)
        *account = std::move(found);
    return LoginCheck::ok;
}

bool CAccountStore::Exists(const std::string& userId)
{
    std::lock_guard<std::mutex> lock(m_db.Mutex());
    CStatement select(m_db.Handle(), "SELECT 1 FROM accounts WHERE user_id = ?;");
    select.BindText(1, userId);
    return select.Step();
}

int64_t CAccountStore::Count()
{
    std::lock_guard<std::mutex> lock(m_db.Mutex());
    CStatement select(m_db.Handle(), "SELECT COUNT(*) FROM accounts;");
    return select.Step() ? select.ColumnInt(0) : 0;
}
