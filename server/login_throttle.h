#pragma once
// Makes password guessing slow: failed log-ins are counted per client address and per
// login id, and once either count passes a threshold every further answer to that
// address or login id waits, twice as long after each failure, up to a cap. A success
// clears the counts it names. Counts fade after a quiet quarter of an hour.

#include <chrono>
#include <cstddef>
#include <map>
#include <mutex>
#include <string>

class CLoginThrottle {
public:
    CLoginThrottle(int failuresBeforeDelay, int delayCapMs)
        : m_threshold(failuresBeforeDelay), m_capMs(delayCapMs)
    {
    }

    // How long to wait before answering a log-in from the address for the login id.
    int DelayMs(const std::string& address, const std::string& loginId);
    void Failed(const std::string& address, const std::string& loginId);
    void Succeeded(const std::string& address, const std::string& loginId);

private:
    using Clock = std::chrono::steady_clock;
    struct Count {
        int failures = 0;
        Clock::time_point last;
    };
    static constexpr size_t kMaxEntries = 10000;

    int Failures(std::map<std::string, Count>& counts, const std::string& key, Clock::time_point now);
    static void Bump(std::map<std::string, Count>& counts, const std::string& key, Clock::time_point now);

    int m_threshold;
    int m_capMs;
    std::mutex m_mutex;
    std::map<std::string, Count> m_byAddress;
    std::map<std::string, Count> m_byLogin;  // login ids in lower case
};
