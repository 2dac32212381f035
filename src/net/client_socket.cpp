#include "net/client_socket.h"

#include "net/socket_errors.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>

namespace {

// recv() again when a signal interrupted it before any byte moved.
ssize_t RecvRetrying(int fd, void* buffer, size_t size, int flags)
{
    ssize_t result;
    do
        result = ::recv(fd, buffer, size, flags);
    while (result < 0 && errno == EINTR);
    return result;
}

// A connect() interrupted by a signal goes on in the background; wait for it to finish
// and fetch its outcome.
bool FinishInterruptedConnect(int fd)
{
    pollfd entry{fd, POLLOUT, 0};
    int ready;
    do
        ready = ::poll(&entry, 1, -1);
    while (ready < 0 && errno == EINTR);
    if (ready != 1)
        return false;
    int error = 0;
    socklen_t length = sizeof error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

timeval MillisecondsToTimeval(int ms)
{
    timeval tv{};
    tv.tv_sec = ms / 1000;
    tv.tv_usec = (ms % 1000) * 1000;
    return tv;
}

}  // namespace

CClientSocket::CClientSocket() = default;

CClientSocket::~CClientSocket()
{
    Close();
}

int CClientSocket::ConnectByName(const std::string& host, int port)
{
    in_addr numeric{};
    if (::inet_pton(AF_INET, host.c_str(), &numeric) == 1)
        return Connect(port, host, AF_INET, SOCK_STREAM);

    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return connectNoAddressOrSocket;
    char dotted[INET_ADDRSTRLEN] = {};
    const auto* first = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    const bool converted = ::inet_ntop(AF_INET, &first->sin_addr, dotted, sizeof dotted) != nullptr;
    ::freeaddrinfo(found);
    if (!converted)
        return connectNoAddressOrSocket;
    return Connect(port, dotted, AF_INET, SOCK_STREAM);
}

int CClientSocket::Connect(int port, const std::string& dottedAddress, int family, int type)
{
    if (m_socket != kInvalidSocket)
        return connectAlreadyConnected;

    m_port = port;
    m_hostAddress = dottedAddress.substr(0, kMaxHostAddressLength);
    m_family = family;
    m_type = type;
    m_address = sockaddr_in{};
    m_address.sin_family = static_cast<sa_family_t>(family);
    m_address.sin_port = htons(static_cast<uint16_t>(port));
    if (::inet_pton(AF_INET, dottedAddress.c_str(), &m_address.sin_addr) != 1)
        return connectFailed;  // no usable address: nothing to connect to

    const int fd = ::socket(family, type | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return connectNoAddressOrSocket;
    int rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&m_address), sizeof m_address);
    const bool connected = rc == 0 || (errno == EINTR && FinishInterruptedConnect(fd));
    if (!connected) {
        ::close(fd);
        return connectFailed;
    }
    m_socket = fd;
    m_progressStopped = false;
    ApplyIoTimeouts();
    m_layer.reset();
    m_tlsError.clear();
    if (m_tlsClient) {
        // The TLS handshake, bounded by the socket's receive time-out.
        auto transport = CTlsTransport::Connect(fd, dottedAddress, *m_tlsClient, m_tlsError);
        if (!transport) {
            ::close(fd);
            m_socket = kInvalidSocket;
            return connectFailed;
        }
        m_layer = std::move(transport);
    }
    // A command goes out as several small sends (the command line, argument lines, length
    // lines and payload pieces); without this each of them would wait for the server to
    // acknowledge the one before, some 40 ms per command.
    const int noDelay = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    return connectOk;
}

bool CClientSocket::Adopt(int descriptor)
{
    if (m_socket != kInvalidSocket || descriptor < 0)
        return false;
    int type = 0;
    socklen_t typeLength = sizeof type;
    if (::getsockopt(descriptor, SOL_SOCKET, SO_TYPE, &type, &typeLength) != 0)
        return false;

    sockaddr_in peer{};
    socklen_t peerLength = sizeof peer;
    m_address = sockaddr_in{};
    m_hostAddress.clear();
    m_port = 0;
    if (::getpeername(descriptor, reinterpret_cast<sockaddr*>(&peer), &peerLength) == 0 &&
        peer.sin_family == AF_INET) {
        char dotted[INET_ADDRSTRLEN] = {};
        if (::inet_ntop(AF_INET, &peer.sin_addr, dotted, sizeof dotted) != nullptr)
            m_hostAddress = dotted;
        m_port = ntohs(peer.sin_port);
        m_address = peer;
    }
    m_family = AF_INET;
    m_type = type;
    m_socket = descriptor;
    ApplyIoTimeouts();
    // Small items (command, integer and length lines) must not wait for the peer's
    // delayed acknowledgement of the item before; as in Connect.
    const int noDelay = 1;
    ::setsockopt(descriptor, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    return true;
}

void CClientSocket::ApplyIoTimeouts()
{
    // Every wait the conversation relies on is an explicit readiness wait; these only
    // keep a send into a peer that stopped reading, or a receive made without a wait,
    // from blocking for ever.
    const timeval send = MillisecondsToTimeval(m_sendTimeoutMs);
    const timeval receive = MillisecondsToTimeval(m_receiveTimeoutMs);
    ::setsockopt(m_socket, SOL_SOCKET, SO_SNDTIMEO, &send, sizeof send);
    ::setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, &receive, sizeof receive);
}

int CClientSocket::Close()
{
    int failures = 0;
    if (m_layer) {
        if (m_socket != kInvalidSocket)
            m_layer->Shutdown();
        m_layer.reset();
    }
    if (m_socket != kInvalidSocket) {
        if (m_type == SOCK_STREAM && ::shutdown(m_socket, SHUT_RDWR) != 0)
            failures |= closeShutdownFailed;
        if (::close(m_socket) != 0)
            failures |= closeCloseFailed;
    }
    m_socket = kInvalidSocket;
    return failures;
}

int CClientSocket::Send(const char* bytes, int length)
{
    if (m_socket == kInvalidSocket || bytes == nullptr)
        return kSocketError;
    if (m_sendHook && !WaitWritableWithHook())
        return kSocketError;
    const size_t count = length > 0 ? static_cast<size_t>(length) : std::strlen(bytes);
    if (m_layer) {
        const long sent = m_layer->Send(bytes, count);
        return sent < 0 ? kSocketError : static_cast<int>(sent);
    }
    // With a send hook, a large send takes only what fits now, so the caller's loop
    // hears the hook between parts instead of blocking until the whole chunk is queued.
    const int flags = MSG_NOSIGNAL | (m_sendHook ? MSG_DONTWAIT : 0);
    ssize_t sent;
    do
        sent = ::send(m_socket, bytes, count, flags);
    while (sent < 0 && errno == EINTR);
    if (sent < 0 && (flags & MSG_DONTWAIT) != 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        // The wait found room but it is gone, or the send time-out passed: block as usual.
        do
            sent = ::send(m_socket, bytes, count, MSG_NOSIGNAL);
        while (sent < 0 && errno == EINTR);
    }
    return sent < 0 ? kSocketError : static_cast<int>(sent);
}

int CClientSocket::Send(const std::string& bytes)
{
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX))
        return bytes.empty() ? 0 : kSocketError;
    return Send(bytes.data(), static_cast<int>(bytes.size()));
}

bool CClientSocket::WaitReadable(int seconds, int microseconds)
{
    if (m_socket == kInvalidSocket)
        return true;
    if (m_layer && m_layer->HasPending())
        return false;
    using Clock = std::chrono::steady_clock;
    const long long totalMs =
        std::max(0LL, static_cast<long long>(seconds) * 1000 + microseconds / 1000);
    const auto deadline = Clock::now() + std::chrono::milliseconds(totalMs);
    long long remainingMs = totalMs;
    for (;;) {
        // With a receive hook the wait goes in ticks, and the hook hears of each.
        const bool ticking = static_cast<bool>(m_receiveHook);
        const long long slice = ticking ? std::min<long long>(remainingMs, kProgressTickMs) : remainingMs;
        pollfd entry{m_socket, POLLIN, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(std::min<long long>(slice, INT_MAX)));
        if (ready == 1)
            return (entry.revents & POLLNVAL) != 0;  // end of stream and errors read as readable
        if (ready < 0 && errno != EINTR)
            return true;
        remainingMs = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (remainingMs < 0)
            remainingMs = 0;
        if (ready == 0) {
            if (remainingMs == 0 || !ticking)
                return true;
            if (OnReceiveProgress(m_receiveProgressCount) == 0 || m_socket == kInvalidSocket)
                return true;
        }
    }
}

bool CClientSocket::WaitReadableUntil(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
        return WaitReadable(0, 0);
    const long long ms = std::min<long long>(left.count(), 24LL * 3600 * 1000);
    return WaitReadable(static_cast<int>(ms / 1000), static_cast<int>(ms % 1000) * 1000);
}

int CClientSocket::Receive(void* buffer, int size, int timeoutSeconds)
{
    if (m_socket == kInvalidSocket || buffer == nullptr || size < 0)
        return kSocketError;
    if (timeoutSeconds > 0 && WaitReadable(timeoutSeconds, 0))
        return 0;
    const long got = ReceiveBytes(buffer, static_cast<size_t>(size), 0);
    return got < 0 ? kSocketError : static_cast<int>(got);
}

bool CClientSocket::SetNonBlocking(bool on)
{
    int value = on ? 1 : 0;
    return m_socket == kInvalidSocket || ::ioctl(m_socket, FIONBIO, &value) != 0;
}

int CClientSocket::ReadLine(char* buffer, int size, int timeoutSeconds)
{
    if (buffer == nullptr || size < 1)
        return 0;
    buffer[0] = '\0';
    if (m_socket == kInvalidSocket)
        return 0;

    int room = size - 1;  // one byte stays for the terminating zero
    int count = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(std::max(timeoutSeconds, 0));
    while (room > 0) {
        if (timeoutSeconds > 0 &&
            (m_wholeItemTimeouts ? WaitReadableUntil(deadline) : WaitReadable(timeoutSeconds, 0)))
            break;
        char* position = buffer + count;
        const long peeked = ReceiveBytes(position, static_cast<size_t>(room), MSG_PEEK);
        if (peeked < 1)
            break;

        // A CR that ended the previous read and an LF starting this one end the line.
        // A CR followed by anything else was line content, and the scan goes on.
        if (count > 0 && buffer[count - 1] == '\r' && position[0] == '\n') {
            if (ReceiveBytes(position, 1, 0) != 1)
                break;
            position[1] = '\0';
            return count + 1;
        }

        long take = peeked;
        bool lineEnds = false;
        for (long i = 0; i + 1 < peeked; ++i) {
            if (position[i] == '\r' && position[i + 1] == '\n') {
                take = i + 2;
                lineEnds = true;
                break;
            }
        }
        // Consume exactly the bytes kept; they are already in the buffer from the peek.
        const long taken = ReceiveBytes(position, static_cast<size_t>(take), 0);
        if (taken < 1)
            break;
        position[taken] = '\0';
        count += static_cast<int>(taken);
        room -= static_cast<int>(taken);
        if (lineEnds && taken == take)
            return count;
    }
    buffer[count] = '\0';
    return count;
}

bool CClientSocket::IsAlive()
{
    if (m_socket == kInvalidSocket)
        return false;
    if (m_layer && m_layer->HasPending())
        return true;

    pollfd entry{m_socket, POLLIN, 0};
    int ready;
    do
        ready = ::poll(&entry, 1, 0);
    while (ready < 0 && errno == EINTR);
    bool readable = false;
    if (ready < 0) {
        if (IsDeadAfterWaitError(errno))
            return false;
    } else if (ready == 1) {
        if (entry.revents & POLLNVAL)
            return false;
        readable = true;
    }

    // A non-blocking peek of one byte; MSG_DONTWAIT leaves the socket's own blocking mode
    // alone, so there is nothing to switch back afterwards.
    char byte = 0;
    if (m_layer) {
        if (!readable)
            return true;
        // Readable: application bytes, a record of the protocol's own (nothing for the
        // conversation yet), or the end.
        const long got = m_layer->Receive(&byte, 1, true, true);
        return got > 0 || (got < 0 && errno == EAGAIN);
    }
    ssize_t peeked = RecvRetrying(m_socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    if (peeked < 0) {
        switch (ClassifyPeekError(errno)) {
        case PeekVerdict::dead:
            return false;
        case PeekVerdict::alive:
            return true;
        case PeekVerdict::noData:
            peeked = 0;
            break;
        }
    }
    // Readable with nothing to read: the peer has closed.
    return !(peeked == 0 && readable);
}

long CClientSocket::ReceiveBytes(void* buffer, size_t size, int flags)
{
    if (m_layer)
        return m_layer->Receive(buffer, size, (flags & MSG_PEEK) != 0, (flags & MSG_DONTWAIT) != 0);
    return RecvRetrying(m_socket, buffer, size, flags);
}

int CClientSocket::OnReceiveProgress(int64_t byteCount)
{
    m_receiveProgressCount = byteCount;
    if (!m_receiveHook)
        return 1;
    const ProgressHook hook = m_receiveHook;  // a copy: the hook may replace itself
    const int answer = hook(byteCount);
    if (answer == 0)
        StopByHook();
    return answer;
}

int CClientSocket::OnSendProgress(int64_t byteCount)
{
    m_sendProgressCount = byteCount;
    if (!m_sendHook)
        return 1;
    const ProgressHook hook = m_sendHook;
    const int answer = hook(byteCount);
    if (answer == 0)
        StopByHook();
    return answer;
}

void CClientSocket::BeginProgressItem(int64_t total)
{
    m_progressTotal = total;
    m_receiveProgressCount = 0;
    m_sendProgressCount = 0;
}

void CClientSocket::StopByHook()
{
    m_progressStopped = true;
    Close();
}

bool CClientSocket::WaitWritableWithHook()
{
    // Bounded like the blocking send it stands before: after the send time-out the send
    // itself is tried and reports what happens.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_sendTimeoutMs);
    for (;;) {
        pollfd entry{m_socket, POLLOUT, 0};
        const int ready = ::poll(&entry, 1, kProgressTickMs);
        if (ready > 0 || (ready < 0 && errno != EINTR) || std::chrono::steady_clock::now() >= deadline)
            return true;
        if (ready == 0 && (OnSendProgress(m_sendProgressCount) == 0 || m_socket == kInvalidSocket))
            return false;
    }
}
