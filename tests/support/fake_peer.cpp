#include "support/fake_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>

namespace {

// Every step that waits for the client gives up after this long, so that a client that
// never does what the script expects fails the test instead of hanging it.
constexpr int kStepLimitMs = 10000;

bool WaitFor(int fd, short events)
{
    pollfd entry{fd, events, 0};
    int ready;
    do
        ready = ::poll(&entry, 1, kStepLimitMs);
    while (ready < 0 && errno == EINTR);
    return ready == 1;
}

}  // namespace

CFakePeer::CFakePeer()
{
    m_listenSocket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listenSocket >= 0 && ::bind(m_listenSocket, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        ::listen(m_listenSocket, 4) == 0 &&
        ::getsockname(m_listenSocket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        m_port = ntohs(address.sin_port);
}

CFakePeer::~CFakePeer()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    if (m_socket >= 0)
        ::close(m_socket);
    if (m_listenSocket >= 0)
        ::close(m_listenSocket);
}

CFakePeer& CFakePeer::Write(std::string bytes)
{
    m_script.push_back([this, bytes = std::move(bytes)]() {
        size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = ::send(m_socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            sent += static_cast<size_t>(n);
        }
        return true;
    });
    return *this;
}

CFakePeer& CFakePeer::UntilClientWait(int n)
{
    m_script.push_back([this, n]() { return WaitForWaits(n); });
    return *this;
}

CFakePeer& CFakePeer::Hold()
{
    m_script.push_back([this]() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_done = true;  // nothing follows a hold but the end of the test
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_stopping; });
        return true;
    });
    return *this;
}

CFakePeer& CFakePeer::Read(size_t n)
{
    m_script.push_back([this, n]() { return ReadExactly(n); });
    return *this;
}

CFakePeer& CFakePeer::ReadLine()
{
    m_script.push_back([this]() { return ReadOneLine(); });
    return *this;
}

CFakePeer& CFakePeer::ReadEnvelope()
{
    m_script.push_back([this]() {
        size_t lineStart = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            lineStart = m_received.size();
        }
        if (!ReadOneLine())
            return false;
        long length = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            length = std::strtol(m_received.c_str() + lineStart, nullptr, 10);
        }
        return length >= 0 && ReadExactly(static_cast<size_t>(length));
    });
    return *this;
}

CFakePeer& CFakePeer::ReadToEnd()
{
    m_script.push_back([this]() {
        char buffer[4096];
        for (;;) {
            if (!WaitFor(m_socket, POLLIN))
                return false;
            const ssize_t n = ::recv(m_socket, buffer, sizeof buffer, 0);
            if (n <= 0)
                return n == 0 || errno == ECONNRESET;
            std::lock_guard<std::mutex> lock(m_mutex);
            m_received.append(buffer, static_cast<size_t>(n));
        }
    });
    return *this;
}

CFakePeer& CFakePeer::Close()
{
    m_script.push_back([this]() {
        const bool closed = ::close(m_socket) == 0;
        m_socket = -1;
        return closed;
    });
    return *this;
}

CFakePeer& CFakePeer::Reset()
{
    m_script.push_back([this]() {
        const linger abortive{1, 0};
        ::setsockopt(m_socket, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        const bool closed = ::close(m_socket) == 0;
        m_socket = -1;
        return closed;
    });
    return *this;
}

void CFakePeer::Start()
{
    m_thread = std::thread(&CFakePeer::Run, this);
}

void CFakePeer::Run()
{
    bool ok = m_port != 0 && WaitFor(m_listenSocket, POLLIN);
    if (ok) {
        m_socket = ::accept4(m_listenSocket, nullptr, nullptr, SOCK_CLOEXEC);
        ok = m_socket >= 0;
    }
    for (size_t i = 0; ok && i < m_script.size(); ++i)
        ok = m_script[i]();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_failed = !ok;
    m_done = true;
    m_changed.notify_all();
}

bool CFakePeer::ReadExactly(size_t n)
{
    char buffer[4096];
    while (n > 0) {
        if (!WaitFor(m_socket, POLLIN))
            return false;
        const ssize_t got = ::recv(m_socket, buffer, std::min(n, sizeof buffer), 0);
        if (got <= 0)
            return false;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_received.append(buffer, static_cast<size_t>(got));
        n -= static_cast<size_t>(got);
    }
    return true;
}

bool CFakePeer::ReadOneLine()
{
    for (;;) {
        if (!ReadExactly(1))
            return false;
        std::lock_guard<std::mutex> lock(m_mutex);
        const size_t size = m_received.size();
        if (size >= 2 && m_received[size - 2] == '\r' && m_received[size - 1] == '\n')
            return true;
    }
}

bool CFakePeer::WaitForWaits(int n)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(kStepLimitMs),
                              [this, n] { return m_clientWaits >= n || m_stopping; }) &&
           !m_stopping;
}

void CFakePeer::NoteClientWait()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_clientWaits;
    }
    m_changed.notify_all();
}

bool CFakePeer::WaitDone(int seconds)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_done; });
}

bool CFakePeer::Failed()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_failed;
}

std::string CFakePeer::Received()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_received;
}
