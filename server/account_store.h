#pragma once
// Login accounts kept in the server's database: user id, salted password hash, account
// name, kind (parent or child) and access-rights bit set.

#include "server/database.h"

#include <cstdint>
#include <string>

enum class AccountKind { parent, child };

// No account has a longer user id or password; longer ones are refused unhashed.
inline constexpr size_t kMaxUserIdLength = 255;
inline constexpr size_t kMaxPasswordLength = 1024;

struct AccountInfo {
    std::string userId;       // as stored (lookups ignore ASCII case)
    std::string accountName;
    AccountKind kind = AccountKind::child;
    int32_t rights = 0;
};

enum class LoginCheck { ok, unknownUser, wrongPassword, storeError };

class CAccountStore {
public:
    explicit CAccountStore(CDatabase& database) : m_db(database) {}

    // Adds an account with a new salted hash of the password. False, with a reason,
    // when the user id is taken or empty, or the store failed.
    bool Add(const AccountInfo& account, const std::string& password, int iterations, std::string& error);

    // Checks a login. The hash is computed outside the database lock, so slow hashing
    // by one connection does not hold up the others.
    LoginCheck Check(const std::string& userId, const std::string& password, AccountInfo* account = nullptr);

    bool Exists(const std::string& userId);
    int64_t Count();

private:
    CDatabase& m_db;
};
