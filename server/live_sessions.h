#pragma once
// The accounts that have an open session right now, across all connections. An account
// holds at most one session at a time.

#include <mutex>
#include <set>
#include <string>

class CLiveSessions {
public:
    // Marks the account as in use; false when it already is.
    bool Claim(const std::string& userId);
    void Release(const std::string& userId);
    bool IsLive(const std::string& userId);

private:
    std::mutex m_mutex;
    std::set<std::string> m_users;
};
