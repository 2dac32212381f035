// Faults a hostile or unlucky client could trigger against the server: a session that
// outlives its account, payloads that expand before log-in or through references, items
// that trickle in, idle sockets that hold every slot, and password guessing.

#include "codec/string_object.h"
#include "records/admin_child_user.h"
#include "records/case_query_col_info.h"
#include "records/case_query_data.h"
#include "server/command_client.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kWait = 10;

// True when the server ends the connection within the wait.
bool ServerCloses(CClientSocket& socket, int seconds = kWait)
{
    char buffer[256];
    for (;;) {
        if (socket.WaitReadable(seconds, 0))
            return false;
        if (socket.ReceiveNow(buffer, sizeof buffer) <= 0)
            return true;
    }
}

// A connection from another loopback address than 127.0.0.1.
bool ConnectFrom(CClientSocket& socket, const char* source, int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, source, &local.sin_addr);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, "127.0.0.1", &server.sin_addr);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        ::connect(fd, reinterpret_cast<sockaddr*>(&server), sizeof server) != 0 || !socket.Adopt(fd)) {
        ::close(fd);
        return false;
    }
    return true;
}

int32_t ChildNumber(CCommandClient& admin, const std::string& name)
{
    CAdminChildUser child;
    return admin.GetByText("GETCHILDUSER", name, child) ? child.recordNumber : 0;
}

}  // namespace

TEST(ServerHardening, DeletedAccountsSessionEndsAndItsNumberIsNeverReused)
{
    DemoServer demo;
    ASSERT_TRUE(demo.server.Start());
    const int port = demo.server.Port();
    CCommandClient admin;
    ASSERT_TRUE(admin.LogIn(port, "admin", "admin"));
    ASSERT_EQ(AddChild(admin, "Short Lived Auditor", "shortaud", "pw", 1, 0xE7280), 0);
    const int32_t oldNumber = ChildNumber(admin, "Short Lived Auditor");
    ASSERT_NE(oldNumber, 0);

    CCommandClient auditor;
    ASSERT_TRUE(auditor.LogIn(port, "shortaud", "pw"));
    CAdminChildUser none;
    ASSERT_EQ(admin.SetWithMode("SETCHILDUSER", "Short Lived Auditor", none, 2), 0);
    ASSERT_EQ(AddChild(admin, "Fresh Administrator", "freshadm", "pw", 0, kAllRights), 0);
    EXPECT_GT(ChildNumber(admin, "Fresh Administrator"), oldNumber) << "the deleted account's number is not given again";

    // The auditor's connection is gone: it cannot read the new account, nor act with it.
    EXPECT_TRUE(demo.server.WaitForLog("session of 'shortaud' ended"));
    CAdminChildUser fresh;
    EXPECT_FALSE(auditor.GetByText("GETCHILDUSER", "Fresh Administrator", fresh));
    EXPECT_FALSE(auditor.InStep());

    // A session whose login id changed ends as well.
    ASSERT_EQ(AddChild(admin, "Renamed Login", "before", "pw", 1, 0xE7280), 0);
    CCommandClient renamed;
    ASSERT_TRUE(renamed.LogIn(port, "before", "pw"));
    CAdminChildUser changed;
    ASSERT_TRUE(admin.GetByText("GETCHILDUSER", "Renamed Login", changed));
    changed.userId = "after";
    ASSERT_EQ(admin.SetWithMode("SETCHILDUSER", "Renamed Login", changed, 1), 0);
    EXPECT_TRUE(demo.server.WaitForLog("session of 'before' ended"));
    EXPECT_FALSE(renamed.InStep());
    EXPECT_TRUE(admin.InStep());
    EXPECT_EQ(demo.server.Stop(), 0);
}

TEST(ServerHardening, NothingExpandsBeforeLogIn)
{
    DemoServer demo;
    ASSERT_TRUE(demo.server.Start());
    const int port = demo.server.Port();

    // A user id or password far beyond its limit, compressed into a small payload, is
    // refused unexpanded with the usual answers; the connection goes on.
    CServerSession session;
    ASSERT_EQ(session.ConnectByName("127.0.0.1", port), 0);
    ASSERT_EQ(session.CreateSession("OFFICECLIENT", 107), 0);
    EXPECT_EQ(session.OpenSession(std::string(20000, 'A'), "x"), -2);
    EXPECT_EQ(session.OpenSession("admin", std::string(20000, 'p')), -3);
    EXPECT_EQ(session.OpenSession("admin", "admin"), 0);
    session.CloseSession();

    // A payload longer than a few kilobytes ends the connection before it is read.
    CClientSocket raw;
    ASSERT_EQ(raw.ConnectByName("127.0.0.1", port), 0);
    const std::string big = "CREATESESSION\r\nOFFICECLIENT\r\n107\r\nOPENSESSION\r\n14680064\r\n";
    ASSERT_EQ(raw.Send(big), static_cast<int>(big.size()));
    EXPECT_TRUE(ServerCloses(raw));
    EXPECT_TRUE(demo.server.WaitForLog("no usable user id"));
    EXPECT_EQ(demo.server.Stop(), 0);
}

TEST(ServerHardening, ReferencesCannotMultiplyARecord)
{
    DemoServer demo;
    ASSERT_TRUE(demo.server.Start());
    CCommandClient admin;
    ASSERT_TRUE(admin.LogIn(demo.server.Port(), "admin", "admin"));

    // One column of 4 KB referenced 20000 times: 80 MB once loaded, a few KB on the wire.
    auto column = std::make_shared<CCaseQueryColInfo>();
    column->header = std::string(4096, 'h');
    CCaseQueryData view;
    view.name = "Exploding";
    for (int i = 0; i < 20000; ++i)
        view.columns.push_back(column);
    ASSERT_TRUE(admin.Command("SETCASEVIEW") && admin.Int(-1) && admin.Record(view));
    EXPECT_EQ(admin.Status(), kExchangeBroke) << "the payload is refused and the connection ends";
    EXPECT_TRUE(demo.server.WaitForLog("case view payload that cannot be decoded"));

    // The same view with its column once is stored.
    CCommandClient again;
    ASSERT_TRUE(again.LogIn(demo.server.Port(), "admin", "admin"));
    view.columns.resize(1);
    ASSERT_TRUE(again.Command("SETCASEVIEW") && again.Int(-1) && again.Record(view));
    EXPECT_EQ(again.Status(), 0);
    EXPECT_EQ(demo.server.Stop(), 0);
}

TEST(ServerHardening, SlowAndIdleConnectionsAreBounded)
{
    DemoServer demo({"--demo", "--login-timeout", "1", "--item-timeout", "1", "--max-login-per-address", "3"});
    ASSERT_TRUE(demo.server.Start());
    const int port = demo.server.Port();

    // A command line trickled one byte at a time ends when its whole time runs out.
    CClientSocket trickle;
    ASSERT_EQ(trickle.ConnectByName("127.0.0.1", port), 0);
    bool closed = false;
    for (int i = 0; i < 60 && !closed; ++i) {
        trickle.Send("C", 1);
        pollfd entry{trickle.GetHandle(), POLLIN, 0};
        closed = ::poll(&entry, 1, 250) == 1;
    }
    EXPECT_TRUE(closed) << "one byte at a time must not keep the connection";

    // Idle sockets of one address cannot lock out another address.
    std::vector<std::unique_ptr<CClientSocket>> idle;
    for (int i = 0; i < 3; ++i) {
        idle.push_back(std::make_unique<CClientSocket>());
        ASSERT_TRUE(ConnectFrom(*idle.back(), "127.0.0.2", port));
    }
    ASSERT_TRUE(demo.server.WaitForLogCount("connected from 127.0.0.2", 3));
    CClientSocket fourth;
    ASSERT_TRUE(ConnectFrom(fourth, "127.0.0.2", port));
    EXPECT_TRUE(ServerCloses(fourth));
    EXPECT_TRUE(demo.server.WaitForLog("3 connections from that address have not logged in"));
    CCommandClient admin;
    EXPECT_TRUE(admin.LogIn(port, "admin", "admin"));
    // And the idle ones are closed after the short time-out before log-in.
    for (auto& socket : idle)
        EXPECT_TRUE(ServerCloses(*socket));
    EXPECT_TRUE(admin.InStep()) << "a logged-in connection keeps the long idle time-out";
    EXPECT_EQ(demo.server.Stop(), 0);
}

TEST(ServerHardening, PasswordGuessingIsDelayed)
{
    DemoServer demo({"--demo", "--login-delay-after", "2", "--login-delay-cap", "1"});
    ASSERT_TRUE(demo.server.Start());
    CServerSession session;
    ASSERT_EQ(session.ConnectByName("127.0.0.1", demo.server.Port()), 0);
    ASSERT_EQ(session.CreateSession("OFFICECLIENT", 107), 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(session.OpenSession("auditor", "guess" + std::to_string(i)), -3) << "the answer stays -3";
    EXPECT_EQ(session.OpenSession("nobody", "guess"), -2) << "and -2";
    EXPECT_TRUE(demo.server.WaitForLog("login answer for 'auditor' delayed"));
    EXPECT_EQ(session.OpenSession("auditor", "auditor"), 0);
    EXPECT_EQ(demo.server.Stop(), 0);
}
