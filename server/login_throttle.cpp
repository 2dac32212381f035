#include "server/login_throttle.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr auto kForgetAfter = std::chrono::minutes(15);
constexpr int kFirstDelayMs = 250;

std::string Lower(const std::string& text)
{
    std::string lower = text;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

}  // namespace

int CLoginThrottle::Failures(std::map<std::string, Count>& counts, const std::string& key, Clock::time_point now)
{
    const auto found = counts.find(key);
    if (found == counts.end())
        return 0;
    if (now - found->second.last > kForgetAfter) {
        counts.erase(found);
        return 0;
    }
    return found->second.failures;
}

void CLoginThrottle::Bump(std::map<std::string, Count>& counts, const std::string& key, Clock::time_point now)
{
    // Bounded: when full, entries that have faded go first, then the map starts over
    // (an attacker flooding it with names gains nothing over the per-address count).
    if (counts.size() >= kMaxEntries && counts.count(key) == 0) {
        for (auto it = counts.begin(); it != counts.end();)
            it = now - it->second.last > kForgetAfter ? counts.erase(it) : std::next(it);
        if (counts.size() >= kMaxEntries)
            counts.clear();
    }
    Count& count = counts[key];
    if (now - count.last > kForgetAfter)
        count.failures = 0;
    count.failures = std::min(count.failures + 1, 1000);
    count.last = now;
}

int CLoginThrottle::DelayMs(const std::string& address, const std::string& loginId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto now = Clock::now();
    const int failures = std::max(Failures(m_byAddress, address, now), Failures(m_byLogin, Lower(loginId), now));
    if (failures < m_threshold || m_capMs <= 0)
        return 0;
    const int doublings = std::min(failures - m_threshold, 20);
    return static_cast<int>(std::min<long long>(static_cast<long long>(kFirstDelayMs) << doublings, m_capMs));
}

void CLoginThrottle::Failed(const std::string& address, const std::string& loginId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto now = Clock::now();
    Bump(m_byAddress, address, now);
    Bump(m_byLogin, Lower(loginId), now);
}

void CLoginThrottle::Succeeded(const std::string& address, const std::string& loginId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_byAddress.erase(address);
    m_byLogin.erase(Lower(loginId));
}
