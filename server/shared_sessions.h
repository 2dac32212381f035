#pragma once
// Log-in sessions shared by every server that works on one database, so that an account
// holds one session across all of them. Each server registers itself in ServerMembers
// (an instance id, the address clients reach it at, a heartbeat lease) and records each
// logged-in account in ServerSessions with a lease. A renewer thread extends both every
// third of the lease while the server runs; a server that crashes stops renewing, and
// once its leases have run out its accounts may log in elsewhere.
//
// The rows are plain INTEGER and TEXT columns, times are whole seconds since the epoch
// computed here and bound, and claims are single upserts, so the same statements serve
// every database the server runs on.

#include "server/live_sessions.h"
#include "server/session_user.h"

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>

class CDatabase;
class CServerLog;

class CSharedSessions {
public:
    enum class ClaimResult {
        claimed,
        inUseHere,       // a connection of this server holds the account
        inUseElsewhere,  // another live server holds it
        failed,          // the database could not be asked
    };

    CSharedSessions(CDatabase& database, CLiveSessions& live, CServerLog& log, int leaseSeconds);
    ~CSharedSessions();  // stops
    CSharedSessions(const CSharedSessions&) = delete;
    CSharedSessions& operator=(const CSharedSessions&) = delete;

    // Registers this server under the address clients reach it at and starts renewing.
    bool Start(const std::string& address, std::string& error);
    // Stops renewing and removes this server's sessions and registration.
    void Stop();

    // Claims the account for a connection of this server: in this process first, then
    // in the database. On any result but claimed nothing is held.
    ClaimResult Claim(const std::string& userId, const std::string& description, const CLiveSessions::Holder& holder);
    void Release(const std::string& userId, AccountKind kind, int64_t accountId);

    // Renews the leases now, ends the sessions whose rows another server took over (this
    // server was too late renewing), and removes rows whose leases ran out. The renewer
    // calls it; false when the database could not be written.
    bool Renew();

    const std::string& InstanceId() const { return m_instanceId; }

    // The open sessions of every server with a live heartbeat, by its address.
    static bool SessionsByLiveServer(CDatabase& database, std::map<std::string, int>& sessions, std::string& error);

private:
    using AccountKey = std::pair<int, int64_t>;  // kind (0 parent, 1 child) and number

    void RenewLoop();
    // Under m_claims: extends this server's leases and heartbeat, removes expired rows
    // and this server's rows of accounts it does not hold, and reads back which of its
    // rows remain.
    bool RenewRows(const std::set<AccountKey>& held, std::set<AccountKey>& recorded);

    CDatabase& m_database;
    CLiveSessions& m_live;
    CServerLog& m_log;
    const int m_leaseSeconds;
    const std::string m_instanceId;

    // Held across a claim or release in both places, and across a renewal, so that the
    // renewer never sees a session held in one place and not yet in the other.
    std::mutex m_claims;
    std::string m_address;  // guarded by m_claims
    std::string m_renewError;  // guarded by m_claims

    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    bool m_stopping = false;  // guarded by m_wakeMutex
    bool m_started = false;
    std::thread m_renewer;
};
