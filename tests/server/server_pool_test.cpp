// Several inventory-server processes on one database: an account holds one session
// across all of them, a case changed through one is read back through another, and a
// front server (--redirect-pool) sends each log-in to the emptiest live member.

#include "records/audit_case.h"
#include "server/command_client.h"
#include "server/database.h"
#include "server/server_log.h"
#include "server/shared_sessions.h"
#include "support/log_in.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

constexpr const char* kRegistered = "sessions shared on the database as";

// Starts a server on the shared database and waits until it has registered there.
bool StartMember(CServerProcess& server)
{
    return server.Start() && server.WaitForLog(kRegistered);
}

// The open result of one log-in attempt with the demo administrator's password.
int TryLogIn(int port, const std::string& userId)
{
    CServerSession session;
    return LogIn(session, "127.0.0.1", port, userId, "admin").open;
}

}  // namespace

TEST(ServerPool, AnAccountHoldsOneSessionAcrossServers)
{
    CTempDir temp;
    CTestDatabase database(temp.File("inventory.db"));
    ASSERT_FALSE(database.Target().empty());
    CServerProcess first({"--demo", "--session-lease", "3"}, database.Target());
    ASSERT_TRUE(StartMember(first)) << first.Log();
    CServerProcess second({"--session-lease", "3"}, database.Target());
    ASSERT_TRUE(StartMember(second)) << second.Log();

    auto admin = std::make_unique<CCommandClient>();
    ASSERT_TRUE(admin->LogIn(first.Port(), "admin", "admin"));
    EXPECT_EQ(TryLogIn(second.Port(), "ADMIN"), -4) << "login ids ignore case across servers too";
    EXPECT_TRUE(second.WaitForLog("login refused for 'ADMIN': account in use on another server (-4)"));

    // A case stored through the first server is what the second one reads.
    CAuditCase record;
    record.insuredName = "Shared Bakery LLC";
    record.childName = "Demo Auditor";
    record.childGroupCode = 1;
    const std::string number = admin->CreateCase(record);
    ASSERT_FALSE(number.empty());
    ASSERT_TRUE(admin->GetCase(number, record));
    record.memo = "changed on the first server";
    ASSERT_EQ(admin->SetCase(number, record), 0);
    CCommandClient auditor;
    ASSERT_TRUE(auditor.LogIn(second.Port(), "auditor", "auditor"));
    CAuditCase read;
    ASSERT_TRUE(auditor.GetCase(number, read));
    EXPECT_EQ(read.memo, "changed on the first server");
    EXPECT_EQ(RecordBytes(read), RecordBytes(record));

    // A dropped connection frees the account for every server at once.
    admin.reset();
    ASSERT_TRUE(first.WaitForLog("session of 'admin' ended"));
    CCommandClient moved;
    ASSERT_TRUE(moved.LogIn(second.Port(), "admin", "admin"));
    EXPECT_EQ(TryLogIn(first.Port(), "admin"), -4);

    // A server that crashes stops renewing: its accounts stay taken until the lease runs
    // out, then the other server lets them in.
    second.Kill();
    EXPECT_EQ(TryLogIn(first.Port(), "admin"), -4) << "the lease outlives the crash for a while";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int result = -4;
    while (result == -4 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        result = TryLogIn(first.Port(), "admin");
    }
    EXPECT_EQ(result, 0) << first.Log();
    EXPECT_EQ(first.Stop(), 0) << first.Log();
}

TEST(ServerPool, FrontSendsEachLogInToTheEmptiestLiveMember)
{
    CTempDir temp;
    CTestDatabase database(temp.File("inventory.db"));
    ASSERT_FALSE(database.Target().empty());
    CServerProcess a({"--demo"}, database.Target());
    ASSERT_TRUE(StartMember(a)) << a.Log();
    CServerProcess b({}, database.Target());
    ASSERT_TRUE(StartMember(b)) << b.Log();
    CServerProcess dead({}, database.Target());
    ASSERT_TRUE(StartMember(dead)) << dead.Log();
    const std::string deadAddress = "127.0.0.1:" + std::to_string(dead.Port());
    // Killed, it leaves a live heartbeat behind but accepts no connection.
    dead.Kill();

    const std::string pool = deadAddress + ",127.0.0.1:" + std::to_string(a.Port()) + ",127.0.0.1:" +
                             std::to_string(b.Port());
    CServerProcess front({"--redirect-pool", pool}, database.Target());
    ASSERT_TRUE(StartMember(front)) << front.Log();

    CCommandClient early;
    ASSERT_TRUE(early.LogIn(a.Port(), "auditor", "auditor"));

    // a holds one session, b none, the dead member is skipped.
    CServerSession first;
    LogInOutcome outcome = LogIn(first, "127.0.0.1", front.Port(), "admin", "admin");
    EXPECT_TRUE(outcome.LoggedIn()) << outcome.create << " " << outcome.open << "\n" << front.Log();
    EXPECT_EQ(outcome.redirects, 1);
    EXPECT_EQ(outcome.port, b.Port());
    EXPECT_TRUE(front.WaitForLog("redirected to 127.0.0.1:" + std::to_string(b.Port()) +
                                 " (-9): 0 open session(s) there; skipped " + deadAddress +
                                 " (not accepting connections)"))
        << front.Log();

    // One each now: the first listed live member wins the tie.
    CServerSession second;
    outcome = LogIn(second, "127.0.0.1", front.Port(), "reviewer", "reviewer");
    EXPECT_TRUE(outcome.LoggedIn());
    EXPECT_EQ(outcome.port, a.Port());

    // With every member down, CREATESESSION fails as the client expects a failure.
    a.Stop();
    b.Stop();
    CServerSession refused;
    outcome = LogIn(refused, "127.0.0.1", front.Port(), "scheduler", "scheduler");
    EXPECT_EQ(outcome.create, -1);
    EXPECT_EQ(outcome.redirects, 0);
    EXPECT_TRUE(front.WaitForLog("CREATESESSION refused (-1): no member of the redirect pool is up"));
}

// A server that renewed too late finds its account taken by another server: its own
// session of that account ends, and the other server's row stands.
TEST(ServerPool, ALeaseTakenOverEndsTheLateServersSession)
{
    CTempDir temp;
    CTestDatabase target(temp.File("inventory.db"));
    CDatabase database;
    std::string error;
    ASSERT_TRUE(database.Open(target.Target(), error)) << error;
    std::vector<std::string> lines;
    CServerLog log([&lines](const std::string& line) { lines.push_back(line); });
    CLiveSessions liveA;
    CLiveSessions liveB;
    CSharedSessions a(database, liveA, log, 60);
    CSharedSessions b(database, liveB, log, 60);
    CLiveSessions::Holder holder;
    holder.accountId = 7;
    holder.loginId = "dana";

    ASSERT_EQ(a.Claim("dana", "", holder), CSharedSessions::ClaimResult::claimed);
    EXPECT_EQ(a.Claim("dana", "", holder), CSharedSessions::ClaimResult::inUseHere);
    EXPECT_EQ(b.Claim("dana", "", holder), CSharedSessions::ClaimResult::inUseElsewhere);
    EXPECT_FALSE(liveB.IsLive("dana")) << "a refused claim holds nothing";
    ASSERT_TRUE(a.Renew());
    EXPECT_TRUE(liveA.IsLive("dana"));

    // a's lease runs out (as if a had stalled), b takes the account over.
    ASSERT_TRUE(database.Execute("UPDATE ServerSessions SET LeaseExpiry = 0;", error)) << error;
    ASSERT_EQ(b.Claim("dana", "", holder), CSharedSessions::ClaimResult::claimed);
    ASSERT_TRUE(a.Renew());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(lines[0].find("session")),
              "session of 'dana' ended: its lease ran out and another server took the account");
    // a's connection releases the account as it closes; b's row is not a's to remove.
    a.Release("dana", AccountKind::child, 7);
    EXPECT_EQ(a.Claim("dana", "", holder), CSharedSessions::ClaimResult::inUseElsewhere);
    ASSERT_TRUE(b.Renew());
    std::map<std::string, int> sessions;
    ASSERT_TRUE(CSharedSessions::SessionsByLiveServer(database, sessions, error)) << error;
    EXPECT_EQ(sessions, (std::map<std::string, int>{{"", 1}})) << "renewing registers both, unnamed";
}
