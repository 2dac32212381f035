#include "server/live_sessions.h"

#include <sys/socket.h>

bool CLiveSessions::Claim(const std::string& userId, const std::string& description, const Holder& holder)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_users.emplace(userId, Entry{description.empty() ? userId : description, holder}).second;
}

bool CLiveSessions::Claim(const std::string& userId, const std::string& description)
{
    return Claim(userId, description, Holder());
}

void CLiveSessions::Release(const std::string& userId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_users.erase(userId);
}

bool CLiveSessions::IsLive(const std::string& userId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_users.count(userId) != 0;
}

std::vector<std::string> CLiveSessions::Describe()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> lines;
    for (const auto& [userId, entry] : m_users)
        lines.push_back(entry.description);
    return lines;
}

std::string CLiveSessions::DescribeOne(const std::string& userId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_users.find(userId);
    return found == m_users.end() ? std::string() : found->second.description;
}

std::vector<std::string> CLiveSessions::Sweep(const std::function<bool(const Holder&)>& stillValid)
{
    std::vector<Holder> holders;
    std::vector<std::string> ids;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& [userId, entry] : m_users) {
            ids.push_back(userId);
            holders.push_back(entry.holder);
        }
    }
    // The test reads the database, so it runs without the lock.
    std::vector<std::string> ended;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (holders[i].accountId == 0 || stillValid(holders[i]))
            continue;
        std::lock_guard<std::mutex> lock(m_mutex);
        // The connection releases its entry before it closes its socket, so a socket
        // found here under the lock is still that connection's.
        const auto found = m_users.find(ids[i]);
        if (found == m_users.end() || found->second.holder.accountId != holders[i].accountId ||
            found->second.holder.kind != holders[i].kind)
            continue;
        if (found->second.holder.socket >= 0)
            ::shutdown(found->second.holder.socket, SHUT_RDWR);
        ended.push_back(ids[i]);
    }
    return ended;
}

std::vector<CLiveSessions::Holder> CLiveSessions::Holders()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<Holder> holders;
    for (const auto& [userId, entry] : m_users)
        holders.push_back(entry.holder);
    return holders;
}
