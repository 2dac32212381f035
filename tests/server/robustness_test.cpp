// The real server against clients that misbehave: garbage, oversized and negative
// lengths, unknown commands, abrupt disconnects, too many connections and idle ones.
// After each, the server must still log a client in, and stop cleanly (a sanitizer
// finding would change its exit code).

#include "net/server_session.h"
#include "support/log_in.h"
#include "support/server_process.h"

#include <gtest/gtest.h>

#include <sys/socket.h>

#include <random>
#include <string>

namespace {

constexpr int kWait = 10;

// True when the server ends the connection (end of stream or reset) within the wait,
// after any bytes it still had to send.
bool ServerCloses(CClientSocket& socket)
{
    char buffer[256];
    for (;;) {
        if (socket.WaitReadable(kWait, 0))
            return false;
        if (socket.ReceiveNow(buffer, sizeof buffer) <= 0)
            return true;
    }
}

void Abort(CClientSocket& socket)
{
    const linger abortive{1, 0};
    ::setsockopt(socket.GetHandle(), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    socket.Close();
}

void ExpectServerStillServes(CServerProcess& server)
{
    CServerSession session;
    EXPECT_TRUE(LogIn(session, "127.0.0.1", server.Port(), "admin", "admin").LoggedIn());
    session.CloseSession();
}

// Connects and sends the bytes as they are.
void SendRaw(CClientSocket& socket, int port, const std::string& bytes)
{
    ASSERT_EQ(socket.ConnectByName("127.0.0.1", port), 0);
    ASSERT_EQ(socket.Send(bytes), static_cast<int>(bytes.size()));
}

}  // namespace

TEST(ServerRobustness, GarbageAndBadLengthsCloseTheConnectionOnly)
{
    CServerProcess server({"--demo", "--max-payload", "65536"});
    ASSERT_TRUE(server.Start()) << server.Log();
    const int port = server.Port();

    std::mt19937 random(11);
    std::string noise(2000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random() & 0xFF);

    const std::string create = "CREATESESSION\r\nOFFICECLIENT\r\n107\r\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {noise, "command line"},
        {"HELLO\r\n", "unknown command 'HELLO'"},
        {std::string("\x01\xfe\r\n", 4), "unknown command '\\x01\\xfe'"},
        {std::string(200, 'A') + "\r\n", "command line too long"},
        {create + "OPENSESSION\r\n65537\r\n" + noise, "no usable user id"},
        {create + "OPENSESSION\r\n99999999999999999999\r\n", "no usable user id"},
        {create + "OPENSESSION\r\n-1\r\n", "no usable user id"},
        {create + "OPENSESSION\r\nfive\r\n", "user id payload that cannot be decoded"},
        {create + "OPENSESSION\r\n20\r\n" + noise.substr(0, 20), "user id payload that cannot be decoded"},
        {"CREATESESSION\r\n" + std::string(300, 'W') + "\r\n107\r\n", "without a client-type line"},
    };
    for (const auto& [bytes, logged] : cases) {
        const int before = server.CountLog(logged);
        CClientSocket socket;
        SendRaw(socket, port, bytes);
        EXPECT_TRUE(ServerCloses(socket)) << logged;
        EXPECT_TRUE(server.WaitForLogCount(logged, before + 1)) << logged << "\n" << server.Log();
    }
    ExpectServerStillServes(server);
    EXPECT_EQ(server.Stop(), 0) << server.Log();
}

TEST(ServerRobustness, AbruptDisconnectsAtEveryStage)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start()) << server.Log();
    const int port = server.Port();

    const std::vector<std::string> prefixes = {
        "",
        "CREATESES",
        "CREATESESSION\r\nOFFICECLIENT\r\n",
        "CREATESESSION\r\nOFFICECLIENT\r\n107\r\nOPENSESSION\r\n100\r\nabc",
    };
    for (const std::string& prefix : prefixes) {
        CClientSocket socket;
        if (prefix.empty())
            ASSERT_EQ(socket.ConnectByName("127.0.0.1", port), 0);
        else
            SendRaw(socket, port, prefix);
        Abort(socket);
    }
    // A logged-in client that vanishes mid-payload frees its account.
    {
        CServerSession session;
        ASSERT_TRUE(LogIn(session, "127.0.0.1", port, "admin", "admin").LoggedIn());
        session.Send("OPENSESSION\r\n50\r\nxx", 0);
        Abort(session);
    }
    EXPECT_TRUE(server.WaitForLog("session of 'admin' ended"));
    ExpectServerStillServes(server);
    EXPECT_EQ(server.Stop(), 0) << server.Log();
}

TEST(ServerRobustness, ConnectionCapRefusesExtraConnections)
{
    CServerProcess server({"--demo", "--max-connections", "2"});
    ASSERT_TRUE(server.Start()) << server.Log();
    const int port = server.Port();

    CServerSession first;
    CServerSession second;
    ASSERT_EQ(first.ConnectByName("127.0.0.1", port), 0);
    ASSERT_EQ(second.ConnectByName("127.0.0.1", port), 0);
    ASSERT_EQ(first.CreateSession("OFFICECLIENT", 107), 0);
    ASSERT_EQ(second.CreateSession("OFFICECLIENT", 107), 0);

    CServerSession third;
    ASSERT_EQ(third.ConnectByName("127.0.0.1", port), 0);
    EXPECT_TRUE(ServerCloses(third));
    EXPECT_TRUE(server.WaitForLog("refused: 2 connections open"));

    first.Close();
    ASSERT_TRUE(server.WaitForLog("closed: the client closed the connection"));
    CServerSession fourth;
    EXPECT_TRUE(LogIn(fourth, "127.0.0.1", port, "admin", "admin").LoggedIn());
}

TEST(ServerRobustness, IdleConnectionIsClosed)
{
    // A time-out is the subject here: one second of idleness.
    CServerProcess server({"--demo", "--idle-timeout", "1"});
    ASSERT_TRUE(server.Start()) << server.Log();

    CServerSession session;
    ASSERT_TRUE(LogIn(session, "127.0.0.1", server.Port(), "admin", "admin").LoggedIn());
    EXPECT_TRUE(ServerCloses(session));
    EXPECT_TRUE(server.WaitForLog("closed: idle time-out; session of 'admin' ended"));
    EXPECT_FALSE(session.IsAlive());
}
