#pragma once
// The accounts that have an open session right now, across all connections. An account
// holds at most one session at a time.

#include "server/session_user.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class CLiveSessions {
public:
    // Who holds a session: the account's kind, number and login id, and the socket of
    // its connection (-1 when unknown), which Sweep shuts down to end the session.
    struct Holder {
        AccountKind kind = AccountKind::child;
        int64_t accountId = 0;
        std::string loginId;
        int socket = -1;
    };

    // Marks the account as in use, with the line that describes its session to
    // GETLOGGEDUSERS; false when it already is in use.
    bool Claim(const std::string& userId, const std::string& description, const Holder& holder);
    bool Claim(const std::string& userId, const std::string& description = {});
    void Release(const std::string& userId);
    bool IsLive(const std::string& userId);
    // One line per open session, by user id.
    std::vector<std::string> Describe();
    // The line of one session; empty when the account has none.
    std::string DescribeOne(const std::string& userId);
    // Ends every session whose holder the test rejects (its account was deleted, or its
    // login id changed or removed): the connection is shut down, so its next read fails
    // as after a dropped connection, and the connection releases the account itself.
    // Returns the user ids of the sessions ended.
    std::vector<std::string> Sweep(const std::function<bool(const Holder&)>& stillValid);
    // The holders of every open session.
    std::vector<Holder> Holders();

private:
    struct Entry {
        std::string description;
        Holder holder;
    };
    std::mutex m_mutex;
    std::map<std::string, Entry> m_users;  // user id -> session
};
