#include "server/throttled_layer.h"

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <thread>

CRateGate::CRateGate(int64_t bytesPerSecond)
    : m_rate(static_cast<double>(std::max<int64_t>(bytesPerSecond, 1))),
      m_burst(static_cast<size_t>(std::max<int64_t>(bytesPerSecond / 10, 1))),
      m_allowance(static_cast<double>(m_burst)),
      m_last(Clock::now())
{
}

void CRateGate::Take(size_t n)
{
    const auto refill = [this] {
        const Clock::time_point now = Clock::now();
        m_allowance = std::min(static_cast<double>(m_burst),
                               m_allowance + std::chrono::duration<double>(now - m_last).count() * m_rate);
        m_last = now;
    };
    refill();
    const double wanted = static_cast<double>(std::min(n, m_burst));
    if (m_allowance < wanted) {
        std::this_thread::sleep_for(std::chrono::duration<double>((wanted - m_allowance) / m_rate));
        refill();
    }
    m_allowance -= static_cast<double>(n);
}

CThrottledLayer::CThrottledLayer(int socket, std::unique_ptr<CSocketLayer> inner, int64_t bytesPerSecond)
    : m_socket(socket), m_inner(std::move(inner)), m_in(bytesPerSecond), m_out(bytesPerSecond)
{
}

long CThrottledLayer::Receive(void* buffer, size_t size, bool peek, bool dontWait)
{
    if (!peek)
        size = std::min(size, m_in.Slice());
    long got;
    if (m_inner) {
        got = m_inner->Receive(buffer, size, peek, dontWait);
    } else {
        const int flags = (peek ? MSG_PEEK : 0) | (dontWait ? MSG_DONTWAIT : 0);
        do
            got = ::recv(m_socket, buffer, size, flags);
        while (got < 0 && errno == EINTR);
    }
    if (got > 0 && !peek)
        m_in.Take(static_cast<size_t>(got));
    return got;
}

long CThrottledLayer::Send(const void* bytes, size_t size)
{
    const char* next = static_cast<const char*>(bytes);
    size_t left = size;
    while (left > 0) {
        const size_t slice = std::min(left, m_out.Slice());
        m_out.Take(slice);
        long sent;
        if (m_inner) {
            sent = m_inner->Send(next, slice);
        } else {
            do
                sent = ::send(m_socket, next, slice, MSG_NOSIGNAL);
            while (sent < 0 && errno == EINTR);
        }
        if (sent <= 0)
            return size == left ? -1 : static_cast<long>(size - left);
        next += sent;
        left -= static_cast<size_t>(sent);
    }
    return static_cast<long>(size);
}
