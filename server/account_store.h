#pragma once
// Logging in: the login ids and salted password hashes of the parent and child
// accounts. Children log in with their user id, parents with their connection user id;
// a login id names one account of either kind.

#include "server/database.h"
#include "server/session_user.h"

#include <cstdint>
#include <string>

// No account has a longer user id or password; longer ones are refused unhashed.
inline constexpr size_t kMaxUserIdLength = 255;
inline constexpr size_t kMaxPasswordLength = 1024;

struct AccountInfo {
    std::string userId;       // as stored (lookups ignore ASCII case)
    std::string accountName;  // the parent's or child's name
    AccountKind kind = AccountKind::child;
    int32_t rights = 0;
    int32_t group = 0;        // a child's user group
    int64_t accountId = 0;    // set by Check
};

enum class LoginCheck { ok, unknownUser, wrongPassword, storeError };

class CAccountStore {
public:
    explicit CAccountStore(CDatabase& database) : m_db(database) {}

    // Adds an account that can log in, with a new salted hash of the password. False,
    // with a reason, when the user id is empty or taken, the name is taken by another
    // account of the same kind, or the store failed.
    bool Add(const AccountInfo& account, const std::string& password, int iterations, std::string& error);

    // Checks a login. The hash is computed outside the database lock, so slow hashing
    // by one connection does not hold up the others.
    LoginCheck Check(const std::string& userId, const std::string& password, AccountInfo* account = nullptr);

    bool Exists(const std::string& userId);
    // Accounts that have a login id.
    int64_t Count();

    // The account as a session user; false when it no longer exists.
    bool LoadUser(AccountKind kind, int64_t accountId, SessionUser& user);

    // Whether the login id is free for the account (kind, id); id 0 for a new account.
    // The caller holds the database lock.
    static bool LoginIdIsFree(CDatabase& database, const std::string& loginId, AccountKind kind, int64_t accountId);

private:
    CDatabase& m_db;
};
