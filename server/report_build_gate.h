#pragma once
// How many report builds run at once: each takes memory and a processor for as long as
// it lasts, so beyond the cap a request is refused rather than queued.

#include <atomic>

class CReportBuildGate {
public:
    explicit CReportBuildGate(int cap) : m_cap(cap) {}

    // Holds one place while it lives; false when every place was taken (or no gate).
    class Ticket {
    public:
        explicit Ticket(CReportBuildGate* gate) : m_gate(gate)
        {
            if (m_gate != nullptr && m_gate->m_running.fetch_add(1) >= m_gate->m_cap) {
                m_gate->m_running.fetch_sub(1);
                m_refused = true;
            }
        }
        ~Ticket()
        {
            if (m_gate != nullptr && !m_refused)
                m_gate->m_running.fetch_sub(1);
        }
        Ticket(const Ticket&) = delete;
        Ticket& operator=(const Ticket&) = delete;
        explicit operator bool() const { return !m_refused; }

    private:
        CReportBuildGate* m_gate;
        bool m_refused = false;
    };

    int Cap() const { return m_cap; }

private:
    const int m_cap;
    std::atomic<int> m_running{0};
};
