#pragma once
// Slows one connection down to a set number of bytes per second in each direction, for
// trying out how the client behaves on a slow link (--throttle-kbps). It sits between
// the socket (or the TLS layer over it) and the conversation; peeks pass freely, bytes
// taken or sent are paced. Each connection has its own thread, so pacing sleeps.

#include "net/socket_layer.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>

// A token bucket: up to a tenth of a second's bytes may go at once, then the rate holds.
class CRateGate {
public:
    using Clock = std::chrono::steady_clock;
    explicit CRateGate(int64_t bytesPerSecond);
    // The most bytes one call may move.
    size_t Slice() const { return m_burst; }
    // Waits until n bytes (at most Slice()) may move, and counts them.
    void Take(size_t n);

private:
    double m_rate;
    size_t m_burst;
    double m_allowance;
    Clock::time_point m_last;
};

class CThrottledLayer : public CSocketLayer {
public:
    // `inner` may be null: the socket is then used directly.
    CThrottledLayer(int socket, std::unique_ptr<CSocketLayer> inner, int64_t bytesPerSecond);

    long Receive(void* buffer, size_t size, bool peek, bool dontWait) override;
    long Send(const void* bytes, size_t size) override;
    bool HasPending() override { return m_inner && m_inner->HasPending(); }
    void Shutdown() override
    {
        if (m_inner)
            m_inner->Shutdown();
    }

private:
    int m_socket;
    std::unique_ptr<CSocketLayer> m_inner;
    CRateGate m_in;
    CRateGate m_out;
};
