#include "server/listener.h"

#include "net/server_session.h"
#include "server/connection_handler.h"
#include "server/throttled_layer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>

namespace {

std::string AddressText(const sockaddr_in& address)
{
    char dotted[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, dotted, sizeof dotted);
    return std::string(dotted) + ":" + std::to_string(ntohs(address.sin_port));
}

// TCP keep-alive, so that a client that vanished without closing (a dropped network, a
// machine switched off) is noticed within minutes and its session freed.
void SetKeepAlive(int fd, int idleSeconds)
{
    if (idleSeconds <= 0)
        return;
    const int on = 1;
    const int interval = idleSeconds < 10 ? idleSeconds : 10;
    const int probes = 6;
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idleSeconds, sizeof idleSeconds);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
}

}  // namespace

CListener::CListener(ServerContext& context) : m_context(context) {}

CListener::~CListener()
{
    Stop();
}

bool CListener::Start(std::string& error)
{
    const ServerOptions& options = m_context.options;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(options.port));
    if (inet_pton(AF_INET, options.listenAddress.c_str(), &address.sin_addr) != 1) {
        error = "not an IPv4 address: " + options.listenAddress;
        return false;
    }
    m_listenSocket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenSocket < 0) {
        error = std::string("cannot create a socket: ") + std::strerror(errno);
        return false;
    }
    const int yes = 1;
    ::setsockopt(m_listenSocket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (::bind(m_listenSocket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listenSocket, 128) != 0) {
        error = "cannot listen on " + options.listenAddress + ":" + std::to_string(options.port) + ": " +
                std::strerror(errno);
        return false;
    }
    socklen_t length = sizeof address;
    ::getsockname(m_listenSocket, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);

    int wake[2];
    if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = std::string("cannot create a pipe: ") + std::strerror(errno);
        return false;
    }
    m_wakeRead = wake[0];
    m_wakeWrite = wake[1];
    m_context.log.Write("listening on " + AddressText(address));
    m_acceptThread = std::thread(&CListener::AcceptLoop, this);
    return true;
}

void CListener::AcceptLoop()
{
    bool outOfDescriptors = false;
    while (!m_stopping) {
        pollfd entries[2] = {{m_listenSocket, POLLIN, 0}, {m_wakeRead, POLLIN, 0}};
        // Without descriptors to accept with, wait a little before trying again rather
        // than spinning on a listening socket that stays readable.
        const int ready = ::poll(outOfDescriptors ? &entries[1] : entries, outOfDescriptors ? 1 : 2,
                                 outOfDescriptors ? 100 : -1);
        outOfDescriptors = false;
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0 || entries[1].revents != 0 || m_stopping)
            continue;

        sockaddr_in peer{};
        socklen_t peerLength = sizeof peer;
        const int fd = ::accept4(m_listenSocket, reinterpret_cast<sockaddr*>(&peer), &peerLength, SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                m_context.log.Write(std::string("cannot accept: ") + std::strerror(errno));
                outOfDescriptors = true;
            }
            continue;
        }

        ReapFinished();
        if (ActiveConnections() >= m_context.options.maxConnections) {
            m_context.log.Write("connection from " + AddressText(peer) + " refused: " +
                                std::to_string(m_context.options.maxConnections) + " connections open");
            ::close(fd);
            continue;
        }
        // Connections that have not logged in are capped per address, so that one
        // address cannot hold every slot with idle sockets.
        char dotted[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &peer.sin_addr, dotted, sizeof dotted);
        if (WaitingForLogIn(dotted) >= m_context.options.maxLoginConnectionsPerAddress) {
            m_context.log.Write("connection from " + AddressText(peer) + " refused: " +
                                std::to_string(m_context.options.maxLoginConnectionsPerAddress) +
                                " connections from that address have not logged in");
            ::close(fd);
            continue;
        }
        // Replies are written as several small items (a length line, then the payload);
        // waiting for the client's acknowledgement between them only adds latency.
        const int noDelay = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
        SetKeepAlive(fd, m_context.options.keepAliveSeconds);
        auto connection = std::make_unique<Connection>();
        connection->session = std::make_unique<CServerSession>();
        connection->address = dotted;
        if (!connection->session->Adopt(fd)) {
            ::close(fd);
            continue;
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        connection->id = m_nextId++;
        Connection* served = connection.get();
        m_connections.push_back(std::move(connection));
        try {
            served->thread = std::thread(&CListener::Serve, this, served);
        } catch (const std::exception& e) {
            // No thread to serve it (out of threads or memory): refuse this connection
            // and go on serving the others.
            m_context.log.Write("connection from " + AddressText(peer) + " refused: cannot start its thread (" +
                                e.what() + ")");
            served->session->Close();
            m_connections.pop_back();
        }
    }
}

int CListener::WaitingForLogIn(const std::string& address)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int count = 0;
    for (const auto& connection : m_connections)
        count += !connection->finished && !connection->loggedIn && connection->address == address ? 1 : 0;
    return count;
}

void CListener::Serve(Connection* connection)
{
    std::string closing;
    if (m_context.tls != nullptr) {
        // TLS only: a client that does not complete the handshake (a plain one, say)
        // is closed without a word of the conversation.
        std::string error;
        auto transport = CTlsTransport::Accept(connection->session->GetHandle(), m_context.tls->Get(), error);
        if (!transport) {
            std::lock_guard<std::mutex> lock(m_mutex);
            connection->session->Close();
            connection->finished = true;
            m_context.log.Write("#" + std::to_string(connection->id) + " closed: " + error);
            return;
        }
        connection->session->SetLayer(std::move(transport));
    }
    if (m_context.options.throttleKbps > 0) {
        CServerSession& session = *connection->session;
        session.SetLayer(std::make_unique<CThrottledLayer>(session.GetHandle(), session.TakeLayer(),
                                                           int64_t{m_context.options.throttleKbps} * 1000));
    }
    {
        CConnectionHandler handler(*connection->session, m_context, connection->id);
        handler.SetLoggedInFlag(&connection->loggedIn);
        closing = handler.Run();
    }
    {
        // Closing under the lock keeps Stop() from shutting down a descriptor number
        // that has already been reused.
        std::lock_guard<std::mutex> lock(m_mutex);
        connection->session->Close();
        connection->finished = true;
    }
    m_context.log.Write(closing);
}

void CListener::ReapFinished()
{
    std::list<std::unique_ptr<Connection>> finished;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto it = m_connections.begin(); it != m_connections.end();) {
            if ((*it)->finished) {
                finished.push_back(std::move(*it));
                it = m_connections.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto& connection : finished)
        connection->thread.join();
}

int CListener::ActiveConnections()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int count = 0;
    for (const auto& connection : m_connections)
        count += connection->finished ? 0 : 1;
    return count;
}

void CListener::Stop()
{
    if (m_stopping.exchange(true))
        return;
    if (m_wakeWrite >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_wakeWrite, &byte, 1);
    }
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    if (m_listenSocket >= 0)
        ::close(m_listenSocket);
    m_listenSocket = -1;

    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& connection : m_connections)
            if (!connection->finished)
                ::shutdown(connection->session->GetHandle(), SHUT_RDWR);
    }
    // The accept thread is gone, so only this thread changes the list now.
    for (auto& connection : m_connections)
        connection->thread.join();
    m_connections.clear();

    for (int* fd : {&m_wakeRead, &m_wakeWrite}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}
