// The log-in sequence against the real inventory-server: a log-in, each refusal of
// OPENSESSION with its message, a redirect to another server, and a server that
// redirects to itself.

#include "net/inventory_server.h"
#include "net/server_connector.h"
#include "support/server_process.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Attempt {
    bool connected = false;
    std::vector<std::string> messages;
    int redirects = 0;
    int port = 0;
};

Attempt LogIn(CInventoryServer& session, int port, const std::string& user, const std::string& password)
{
    CMessageConnectReporter reporter;
    CServerConnector connector(session, reporter);
    Attempt attempt;
    attempt.connected = connector.Connect("127.0.0.1", port, user, password);
    attempt.messages = reporter.Messages();
    attempt.redirects = connector.Redirects();
    attempt.port = connector.Port();
    return attempt;
}

// Gives up after a number of CREATESESSION exchanges, so that a client that kept
// following redirects fails the test instead of hanging it.
class GuardedServer : public CInventoryServer {
public:
    int CreateSession(const std::string& clientType, int32_t version) override
    {
        if (++creates > 20)
            return kExchangeFailed;
        return CInventoryServer::CreateSession(clientType, version);
    }
    int creates = 0;
};

// A loopback port that was free a moment ago.
int FreePort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(probe, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(probe);
    return port;
}

}  // namespace

TEST(ServerConnectorEndToEnd, LogInAndEveryOpenSessionRefusal)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start()) << server.Log();
    const int port = server.Port();

    CInventoryServer admin;
    const Attempt first = LogIn(admin, port, "admin", "admin");
    EXPECT_TRUE(first.connected);
    EXPECT_TRUE(first.messages.empty());
    EXPECT_TRUE(server.WaitForLog("user 'admin' logged in"));

    struct Row {
        std::string user;
        std::string password;
        std::string message;
    };
    const std::vector<Row> rows = {
        {"nobody", "nobody", "Error opening session: UserID not found"},
        {"auditor", "Auditor", "Error opening session: Incorrect password"},
        {"admin", "admin", "Error opening session: Account currently in use"},
    };
    for (const Row& row : rows) {
        CInventoryServer session;
        const Attempt attempt = LogIn(session, port, row.user, row.password);
        EXPECT_FALSE(attempt.connected) << row.user;
        EXPECT_EQ(attempt.messages, std::vector<std::string>{row.message}) << row.user;
        EXPECT_FALSE(session.IsConnected()) << row.user;
    }
    admin.CloseSession();
    admin.Close();
}

TEST(ServerConnectorEndToEnd, RedirectLeadsToTheOtherServer)
{
    CServerProcess target({"--demo", "--encrypt"});
    ASSERT_TRUE(target.Start()) << target.Log();
    CServerProcess front({"--redirect", "127.0.0.1:" + std::to_string(target.Port())});
    ASSERT_TRUE(front.Start()) << front.Log();

    CInventoryServer session;
    const Attempt attempt = LogIn(session, front.Port(), "reviewer", "reviewer");
    EXPECT_TRUE(attempt.connected);
    EXPECT_TRUE(attempt.messages.empty());
    EXPECT_EQ(attempt.redirects, 1);
    EXPECT_EQ(attempt.port, target.Port());
    EXPECT_TRUE(session.IsEncrypted());
    EXPECT_TRUE(target.WaitForLog("user 'reviewer' logged in"));
}

TEST(ServerConnectorEndToEnd, ServerRedirectingToItselfEndsInARefusal)
{
    const int port = FreePort();
    ASSERT_GT(port, 0);
    const std::string self = "127.0.0.1:" + std::to_string(port);
    CServerProcess server({"--port", std::to_string(port), "--redirect", self});
    ASSERT_TRUE(server.Start()) << server.Log();
    ASSERT_EQ(server.Port(), port);

    GuardedServer session;
    const Attempt attempt = LogIn(session, port, "admin", "admin");
    EXPECT_FALSE(attempt.connected);
    EXPECT_EQ(attempt.messages, std::vector<std::string>{"Error creating session"});
    EXPECT_EQ(attempt.redirects, CServerConnector::kMaxRedirects);
    EXPECT_EQ(session.creates, CServerConnector::kMaxRedirects + 1);
    EXPECT_FALSE(session.IsConnected());
}
