// The client logging in to the real inventory-server binary over loopback: plain,
// enciphered, through a redirect, and refused with each of the server's codes.

#include "codec/string_object.h"
#include "net/server_session.h"
#include "support/log_in.h"
#include "support/server_process.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWait = 10;

// One echo of a record after log-in proves that payloads pass in the session's cipher
// state: the server reads the user id and password objects of a second OPENSESSION on
// the same connection and refuses it as out of order (-1), keeping the conversation.
void ExpectConversationGoesOn(CServerSession& session)
{
    EXPECT_EQ(session.OpenSession("admin", "admin"), -1);
}

}  // namespace

TEST(ServerLogIn, PlainSessionOpensAndCloses)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start()) << server.Log();

    CServerSession session;
    const LogInOutcome outcome = LogIn(session, "localhost", server.Port(), "admin", "admin");
    EXPECT_TRUE(outcome.LoggedIn()) << outcome.create << " " << outcome.open;
    EXPECT_FALSE(session.IsEncrypted());
    EXPECT_TRUE(server.WaitForLog("user 'admin' logged in"));
    EXPECT_TRUE(server.WaitForLog("session created for OFFICECLIENT 107, plain"));
    ExpectConversationGoesOn(session);

    session.CloseSession();
    session.Close();
    EXPECT_TRUE(server.WaitForLog("user 'admin' logged out"));
    EXPECT_EQ(server.Stop(), 0) << server.Log();
}

TEST(ServerLogIn, EncipheredSessionCarriesPayloadsBothWays)
{
    CServerProcess server({"--demo", "--encrypt"});
    ASSERT_TRUE(server.Start()) << server.Log();

    CServerSession session;
    const LogInOutcome outcome = LogIn(session, "127.0.0.1", server.Port(), "auditor", "auditor");
    EXPECT_TRUE(outcome.LoggedIn()) << outcome.create << " " << outcome.open;
    EXPECT_TRUE(session.IsEncrypted());
    EXPECT_TRUE(server.WaitForLog("session created for OFFICECLIENT 107, enciphered"));
    ExpectConversationGoesOn(session);

    // The same client with the cipher off cannot be understood by this server: its
    // OPENSESSION payloads fail to decode and the server drops the connection.
    CServerSession plain;
    ASSERT_EQ(plain.ConnectByName("127.0.0.1", server.Port()), 0);
    ASSERT_EQ(plain.SendCommand("CREATESESSION"), 15);
    plain.SendTextLine("OFFICECLIENT");
    plain.SendInt(107);
    int32_t result = 0;
    ASSERT_GT(plain.ReceiveInt(result, kWait), 0);
    ASSERT_EQ(result, 1);
    EXPECT_EQ(plain.OpenSession("reviewer", "reviewer"), CServerSession::kExchangeFailed);
    EXPECT_TRUE(server.WaitForLog("user id payload that cannot be decoded"));
}

TEST(ServerLogIn, RedirectLeadsToTheOtherServer)
{
    CServerProcess target({"--demo"});
    ASSERT_TRUE(target.Start()) << target.Log();
    CServerProcess front({"--redirect", "127.0.0.1:" + std::to_string(target.Port())});
    ASSERT_TRUE(front.Start()) << front.Log();

    CServerSession session;
    const LogInOutcome outcome = LogIn(session, "127.0.0.1", front.Port(), "admin", "admin");
    EXPECT_TRUE(outcome.LoggedIn()) << outcome.create << " " << outcome.open;
    EXPECT_EQ(outcome.redirects, 1);
    EXPECT_EQ(outcome.port, target.Port());
    EXPECT_TRUE(front.WaitForLog("redirected to 127.0.0.1:" + std::to_string(target.Port()) + " (-9)"));
    EXPECT_TRUE(target.WaitForLog("user 'admin' logged in"));
}

TEST(ServerLogIn, RefusalsCarryTheirCodes)
{
    CServerProcess server({"--demo"});
    ASSERT_TRUE(server.Start()) << server.Log();
    const int port = server.Port();

    {
        CServerSession session;
        ASSERT_EQ(session.ConnectByName("127.0.0.1", port), 0);
        EXPECT_EQ(session.CreateSession("OFFICECLIENT", 106), -8);
        EXPECT_EQ(session.CreateSession("AUDITCLIENT", 107), -8) << "an unknown client word";
        EXPECT_EQ(session.OpenSession("admin", "admin"), -1) << "no session was created";
    }
    CServerSession unknown;
    EXPECT_EQ(LogIn(unknown, "127.0.0.1", port, "nobody", "admin").open, -2);
    CServerSession wrong;
    EXPECT_EQ(LogIn(wrong, "127.0.0.1", port, "admin", "Admin").open, -3);
    EXPECT_FALSE(wrong.IsConnected()) << "a refused log-in closes the socket";
    CServerSession overlong;
    EXPECT_EQ(LogIn(overlong, "127.0.0.1", port, "admin", std::string(5000, 'p')).open, -3);

    CServerSession first;
    ASSERT_TRUE(LogIn(first, "127.0.0.1", port, "admin", "admin").LoggedIn());
    CServerSession second;
    EXPECT_EQ(LogIn(second, "127.0.0.1", port, "ADMIN", "admin").open, -4) << "user ids ignore case";

    // CLOSESESSION frees the account...
    first.CloseSession();
    first.Close();
    ASSERT_TRUE(server.WaitForLog("user 'admin' logged out"));
    CServerSession third;
    ASSERT_TRUE(LogIn(third, "127.0.0.1", port, "admin", "admin").LoggedIn());
    // ...and so does a connection that drops without it.
    third.Close();
    ASSERT_TRUE(server.WaitForLog("session of 'admin' ended"));
    CServerSession fourth;
    EXPECT_TRUE(LogIn(fourth, "127.0.0.1", port, "admin", "admin").LoggedIn());
    EXPECT_EQ(server.Stop(), 0) << server.Log();
}

TEST(ServerLogIn, WithoutDemoOnlyAnAddedAdministratorCanLogIn)
{
    CTempDir temp;
    const std::string database = temp.File("inventory.db");
    std::string output;
    EXPECT_EQ(CServerProcess::RunToEnd({"--db", database, "--hash-iterations", "1000", "--add-admin", "chief"},
                                       "long-secret\n", output),
              0)
        << output;
    EXPECT_NE(CServerProcess::RunToEnd({"--db", database, "--add-admin", "chief"}, "again\n", output), 0)
        << "an existing account is not overwritten";
    EXPECT_NE(CServerProcess::RunToEnd({"--db", database, "--add-admin", "empty"}, "\n", output), 0);

    CServerProcess server({}, database);
    ASSERT_TRUE(server.Start()) << server.Log();
    CServerSession demo;
    EXPECT_EQ(LogIn(demo, "127.0.0.1", server.Port(), "admin", "admin").open, -2);
    CServerSession chief;
    EXPECT_TRUE(LogIn(chief, "127.0.0.1", server.Port(), "chief", "long-secret").LoggedIn());
}
