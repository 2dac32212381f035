#pragma once
// The accounts that have an open session right now, across all connections. An account
// holds at most one session at a time.

#include <map>
#include <mutex>
#include <string>
#include <vector>

class CLiveSessions {
public:
    // Marks the account as in use, with the line that describes its session to
    // GETLOGGEDUSERS; false when it already is in use.
    bool Claim(const std::string& userId, const std::string& description = {});
    void Release(const std::string& userId);
    bool IsLive(const std::string& userId);
    // One line per open session, by user id.
    std::vector<std::string> Describe();

private:
    std::mutex m_mutex;
    std::map<std::string, std::string> m_users;  // user id -> description
};
