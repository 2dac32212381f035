#include "server/live_sessions.h"

bool CLiveSessions::Claim(const std::string& userId, const std::string& description)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_users.emplace(userId, description.empty() ? userId : description).second;
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
    for (const auto& [userId, description] : m_users)
        lines.push_back(description);
    return lines;
}
