#include "server/live_sessions.h"

bool CLiveSessions::Claim(const std::string& userId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_users.insert(userId).second;
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
