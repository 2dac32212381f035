#pragma once
// The server's connection loop: listens on one IPv4 address, accepts connections and
// serves each on its own thread, up to a cap. Stop() ends the loop and every connection.

#include "server/server_context.h"

#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class CServerSession;

class CListener {
public:
    explicit CListener(ServerContext& context);
    ~CListener();  // stops
    CListener(const CListener&) = delete;
    CListener& operator=(const CListener&) = delete;

    // Binds, listens and starts accepting. False, with a reason, when that fails.
    bool Start(std::string& error);
    // The port actually bound (useful with port 0).
    int GetPort() const { return m_port; }
    // Stops accepting, shuts every open connection down and waits for all threads.
    void Stop();
    // Connections being served now.
    int ActiveConnections();

private:
    struct Connection {
        int id = 0;
        std::unique_ptr<CServerSession> session;
        std::thread thread;
        bool finished = false;  // guarded by m_mutex
        std::string address;    // the peer's IPv4 address
        std::atomic<bool> loggedIn{false};
    };

    // Connections from the address that are being served and have not logged in.
    int WaitingForLogIn(const std::string& address);

    void AcceptLoop();
    void Serve(Connection* connection);
    void ReapFinished();

    ServerContext& m_context;
    int m_listenSocket = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    int m_port = 0;
    int m_nextId = 1;
    std::thread m_acceptThread;
    std::atomic<bool> m_stopping{false};
    std::mutex m_mutex;
    std::list<std::unique_ptr<Connection>> m_connections;
};
