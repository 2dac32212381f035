#include "server/shared_sessions.h"

#include "server/database.h"
#include "server/server_log.h"

#include <chrono>
#include <ctime>
#include <random>
#include <set>
#include <utility>

namespace {

// A lease is live while its expiry is not before now.
int64_t Now()
{
    return static_cast<int64_t>(std::time(nullptr));
}

int KindNumber(AccountKind kind)
{
    return kind == AccountKind::parent ? 0 : 1;
}

std::string NewInstanceId()
{
    std::random_device device;
    std::uniform_int_distribution<unsigned> nibble(0, 15);
    std::string id;
    for (int i = 0; i < 16; ++i)
        id += "0123456789abcdef"[nibble(device)];
    return id;
}

}  // namespace

CSharedSessions::CSharedSessions(CDatabase& database, CLiveSessions& live, CServerLog& log, int leaseSeconds)
    : m_database(database), m_live(live), m_log(log), m_leaseSeconds(leaseSeconds < 1 ? 1 : leaseSeconds),
      m_instanceId(NewInstanceId())
{
}

CSharedSessions::~CSharedSessions()
{
    Stop();
}

bool CSharedSessions::Start(const std::string& address, std::string& error)
{
    {
        std::lock_guard<std::mutex> lock(m_claims);
        m_address = address;
        CTransaction transaction(m_database);
        CCachedStatement insert = m_database.Prepare(
            "INSERT INTO ServerMembers (ServerID, Address, StartedAt, LeaseExpiry) VALUES (?, ?, ?, ?);");
        insert->BindText(1, m_instanceId);
        insert->BindText(2, address);
        insert->BindInt(3, Now());
        insert->BindInt(4, Now() + m_leaseSeconds);
        insert->Step();
        if (!transaction.IsOpen() || !insert->Done() || !transaction.Commit()) {
            error = "cannot register the server in the shared sessions: " + m_database.LastError();
            return false;
        }
    }
    m_started = true;
    m_renewer = std::thread(&CSharedSessions::RenewLoop, this);
    return true;
}

void CSharedSessions::Stop()
{
    if (!m_started)
        return;
    {
        std::lock_guard<std::mutex> lock(m_wakeMutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_renewer.joinable())
        m_renewer.join();
    m_started = false;
    std::lock_guard<std::mutex> claims(m_claims);
    CTransaction transaction(m_database);
    CCachedStatement sessions = m_database.Prepare("DELETE FROM ServerSessions WHERE ServerID = ?;");
    sessions->BindText(1, m_instanceId);
    sessions->Step();
    CCachedStatement member = m_database.Prepare("DELETE FROM ServerMembers WHERE ServerID = ?;");
    member->BindText(1, m_instanceId);
    member->Step();
    transaction.Commit();
}

CSharedSessions::ClaimResult CSharedSessions::Claim(const std::string& userId, const std::string& description,
                                                    const CLiveSessions::Holder& holder)
{
    // The database connection first: one from a pool may have to be waited for, which
    // must not happen while holding the claims that the holders of the others may want.
    m_database.Connection();
    std::lock_guard<std::mutex> claims(m_claims);
    if (!m_live.Claim(userId, description, holder))
        return ClaimResult::inUseHere;
    // A row of another server counts while its lease lasts. A row of this server for an
    // account no connection here holds is left over (its removal failed) and is taken.
    bool claimed = false;
    {
        CTransaction transaction(m_database);
        CCachedStatement upsert = m_database.Prepare(
            "INSERT INTO ServerSessions (AccountKind, AccountID, LoginID, ServerID, ServerAddress, LeaseExpiry)"
            " VALUES (?, ?, ?, ?, ?, ?)"
            " ON CONFLICT (AccountKind, AccountID) DO UPDATE SET LoginID = excluded.LoginID,"
            " ServerID = excluded.ServerID, ServerAddress = excluded.ServerAddress,"
            " LeaseExpiry = excluded.LeaseExpiry"
            " WHERE ServerSessions.LeaseExpiry < ? OR ServerSessions.ServerID = ?;");
        const int64_t now = Now();
        upsert->BindInt(1, KindNumber(holder.kind));
        upsert->BindInt(2, holder.accountId);
        upsert->BindText(3, holder.loginId);
        upsert->BindText(4, m_instanceId);
        upsert->BindText(5, m_address);
        upsert->BindInt(6, now + m_leaseSeconds);
        upsert->BindInt(7, now);
        upsert->BindText(8, m_instanceId);
        upsert->Step();
        const bool ran = transaction.IsOpen() && upsert->Done();
        claimed = ran && m_database.Changes() == 1;
        if (!ran || !transaction.Commit()) {
            m_live.Release(userId);
            return ClaimResult::failed;
        }
    }
    if (!claimed) {
        m_live.Release(userId);
        return ClaimResult::inUseElsewhere;
    }
    return ClaimResult::claimed;
}

void CSharedSessions::Release(const std::string& userId, AccountKind kind, int64_t accountId)
{
    m_database.Connection();  // before the claims, as in Claim()
    std::lock_guard<std::mutex> claims(m_claims);
    m_live.Release(userId);
    CTransaction transaction(m_database);
    CCachedStatement remove =
        m_database.Prepare("DELETE FROM ServerSessions WHERE AccountKind = ? AND AccountID = ? AND ServerID = ?;");
    remove->BindInt(1, KindNumber(kind));
    remove->BindInt(2, accountId);
    remove->BindText(3, m_instanceId);
    remove->Step();
    // A row left behind by a failure here is taken over by the next claim of this
    // server, and removed by the renewer, which keeps only rows of open sessions.
    transaction.Commit();
}

bool CSharedSessions::Renew()
{
    std::lock_guard<std::mutex> claims(m_claims);
    std::set<AccountKey> held;
    for (const CLiveSessions::Holder& holder : m_live.Holders())
        if (holder.accountId != 0)
            held.emplace(KindNumber(holder.kind), holder.accountId);
    std::set<AccountKey> recorded;
    if (!RenewRows(held, recorded)) {
        m_renewError = m_database.LastError();
        return false;
    }
    // A session whose row is gone was taken over elsewhere after this server failed to
    // renew in time: it ends here, so that the account is not in use twice.
    const auto ended = m_live.Sweep([&recorded](const CLiveSessions::Holder& holder) {
        return recorded.count(AccountKey(KindNumber(holder.kind), holder.accountId)) != 0;
    });
    for (const std::string& userId : ended)
        m_log.Write("session of '" + CServerLog::Printable(userId) +
                    "' ended: its lease ran out and another server took the account");
    return true;
}

bool CSharedSessions::RenewRows(const std::set<AccountKey>& held, std::set<AccountKey>& recorded)
{
    {
        CTransaction transaction(m_database);
        if (!transaction.IsOpen())
            return false;
        const int64_t now = Now();
        CCachedStatement renew =
            m_database.Prepare("UPDATE ServerSessions SET LeaseExpiry = ?, ServerAddress = ? WHERE ServerID = ?;");
        renew->BindInt(1, now + m_leaseSeconds);
        renew->BindText(2, m_address);
        renew->BindText(3, m_instanceId);
        renew->Step();
        if (!renew->Done())
            return false;
        CCachedStatement member = m_database.Prepare(
            "INSERT INTO ServerMembers (ServerID, Address, StartedAt, LeaseExpiry) VALUES (?, ?, ?, ?)"
            " ON CONFLICT (ServerID) DO UPDATE SET Address = excluded.Address, LeaseExpiry = excluded.LeaseExpiry;");
        member->BindText(1, m_instanceId);
        member->BindText(2, m_address);
        member->BindInt(3, now);
        member->BindInt(4, now + m_leaseSeconds);
        member->Step();
        if (!member->Done())
            return false;
        // Leases that ran out hold nothing; their rows go.
        for (const char* sql : {"DELETE FROM ServerSessions WHERE LeaseExpiry < ?;",
                                "DELETE FROM ServerMembers WHERE LeaseExpiry < ?;"}) {
            CCachedStatement expired = m_database.Prepare(sql);
            expired->BindInt(1, now);
            expired->Step();
            if (!expired->Done())
                return false;
        }
        CCachedStatement mine = m_database.Prepare("SELECT AccountKind, AccountID FROM ServerSessions WHERE ServerID = ?;");
        mine->BindText(1, m_instanceId);
        while (mine->Step())
            recorded.emplace(static_cast<int>(mine->ColumnInt(0)), mine->ColumnInt(1));
        if (!mine->Done())
            return false;
        for (const AccountKey& key : recorded) {
            if (held.count(key) != 0)
                continue;
            CCachedStatement stale = m_database.Prepare(
                "DELETE FROM ServerSessions WHERE AccountKind = ? AND AccountID = ? AND ServerID = ?;");
            stale->BindInt(1, key.first);
            stale->BindInt(2, key.second);
            stale->BindText(3, m_instanceId);
            stale->Step();
        }
        return transaction.Commit();
    }
}

void CSharedSessions::RenewLoop()
{
    const auto period = std::chrono::milliseconds(m_leaseSeconds * 1000 / 3);
    bool failing = false;
    std::unique_lock<std::mutex> lock(m_wakeMutex);
    while (!m_wake.wait_for(lock, period, [this] { return m_stopping; })) {
        lock.unlock();
        const bool renewed = Renew();
        if (renewed != !failing)
            m_log.Write(renewed ? "shared sessions renewed again"
                                : "cannot renew the shared sessions: " + m_renewError);
        failing = !renewed;
        lock.lock();
    }
}

bool CSharedSessions::SessionsByLiveServer(CDatabase& database, std::map<std::string, int>& sessions,
                                           std::string& error)
{
    const int64_t now = Now();
    CCachedStatement query = database.Prepare(
        "SELECT m.Address, (SELECT COUNT(*) FROM ServerSessions s WHERE s.ServerID = m.ServerID AND"
        " s.LeaseExpiry >= ?) FROM ServerMembers m WHERE m.LeaseExpiry >= ?;");
    query->BindInt(1, now);
    query->BindInt(2, now);
    sessions.clear();
    while (query->Step())
        sessions[query->ColumnText(0)] += static_cast<int>(query->ColumnInt(1));
    if (!query->Done()) {
        error = database.LastError();
        return false;
    }
    return true;
}
