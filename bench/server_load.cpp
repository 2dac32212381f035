// The inventory-server binary under concurrent load: N office clients at once (1, 4,
// 16, 64 by default), each logged in with an account of its own through the client's
// CInventoryServer over loopback, on an inventory of 100 000 cases. Each client repeats
// a fixed mix: every 10th request runs a case view (GENERATECASEVIEW, a filtered view
// that scans every case), the other nine of ten are GETCASE and SETCASE in a 9:1 mix.
// Printed per N: requests per second, that beside the N=1 figure of the same run, and
// the p50 and p99 latency of all requests and of the views alone.
//
//   bench_server_load [--db LOCATION] [--cases N] [--seconds S] [--clients 1,4,16,64]
//
// --db takes what the server's --db takes; without it the inventory goes to a fresh
// SQLite file in a temporary folder. A database that already holds the cases (a second
// run on the same --db) is used as it is. The cases are written in one transaction
// through the server's own store; the server is then started as a separate process.
#include "bench_cases.h"
#include "codec/class_registry.h"
#include "net/inventory_server.h"
#include "records/audit_case.h"
#include "records/case_query_data.h"
#include "records/case_query_request_info.h"
#include "records/case_query_results.h"
#include "records/register_records.h"
#include "server/access_rights.h"
#include "server/account_store.h"
#include "server/database.h"
#include "server/store/inventory_store.h"
#include "server/store/server_time.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using bench::FillCases;

using Clock = std::chrono::steady_clock;

constexpr int kAccountInUse = -4;     // OPENSESSION's answer while the account is logged in
constexpr int kViewEvery = 10;       // one request in this many is a case view
constexpr int kSetCaseEvery = 10;    // of the case requests, one in this many is SETCASE
constexpr const char* kViewName = "Bench Priority Audits";
constexpr const char* kViewFormula = "[ChildGroupCode] = 1 AND [PolicyEstPrem] > 450000";

struct Settings {
    std::string db;
    int cases = 100000;
    double seconds = 5;
    std::vector<int> clients{1, 4, 16, 64};
};

std::string AccountName(int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "load%02d", index);
    return name;
}

double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}


CCaseQueryData BenchView()
{
    return bench::CaseListView(kViewName, kViewFormula);
}

// The inventory, the accounts with their view, and the case numbers to ask for.
bool Prepare(const Settings& settings, int accounts, std::vector<std::string>& caseNumbers,
             std::vector<int32_t>& viewIds)
{
    CDatabase database;
    std::string error;
    if (!database.Open(settings.db, error)) {
        std::fprintf(stderr, "cannot open %s: %s\n", settings.db.c_str(), error.c_str());
        return false;
    }
    CAccountStore accountStore(database);
    CInventoryStore inventory(database, 1000);
    int64_t present = 0;
    {
        CCachedStatement count = database.Prepare("SELECT COUNT(*) FROM Cases;");
        if (count->Step())
            present = count->ColumnInt(0);
    }
    if (present < settings.cases) {
        const auto start = Clock::now();
        if (!FillCases(inventory, settings.cases - static_cast<int>(present))) {
            std::fprintf(stderr, "cannot add the cases: %s\n", database.LastError().c_str());
            return false;
        }
        std::printf("built %d cases in %.1f s (one transaction through the server's case store)\n",
                    settings.cases - static_cast<int>(present), Seconds(Clock::now() - start));
    }
    for (int i = 1; i <= accounts; ++i) {
        const std::string login = AccountName(i);
        ViewOwner owner;
        if (!inventory.accounts.FindLogin(login, owner.kind, owner.accountId)) {
            const AccountInfo account{login, "Load Client " + login, AccountKind::child, kAdministratorRights, 0};
            if (!accountStore.Add(account, login, 1000, error) ||
                !inventory.accounts.FindLogin(login, owner.kind, owner.accountId)) {
                std::fprintf(stderr, "cannot add %s: %s\n", login.c_str(), error.c_str());
                return false;
            }
        }
        int32_t viewId = -1;
        for (const CCaseViewParam& param : inventory.views.CaseViewParams(owner))
            if (param.name == kViewName)
                viewId = param.viewId;
        if (viewId < 0) {
            if (inventory.views.SetCaseView(owner, -1, BenchView()) != 0)
                return false;
            for (const CCaseViewParam& param : inventory.views.CaseViewParams(owner))
                if (param.name == kViewName)
                    viewId = param.viewId;
        }
        viewIds.push_back(viewId);
    }
    CCachedStatement numbers = database.Prepare("SELECT CaseNumber FROM Cases;");
    while (numbers->Step())
        caseNumbers.push_back(numbers->ColumnText(0));
    return !caseNumbers.empty();
}

// The server binary on a free port; its log is read and dropped.
class CServerRun {
public:
    ~CServerRun()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            int status = 0;
            ::waitpid(m_pid, &status, 0);
        }
        if (m_drain.joinable())
            m_drain.join();
    }

    bool Start(const std::string& db, int connections)
    {
        const std::string count = std::to_string(connections);
        std::vector<std::string> arguments{ORV_INVENTORY_SERVER_PATH, "--db", db, "--port", "0",
                                           "--hash-iterations", "1000", "--max-connections", count,
                                           "--max-login-per-address", count, "--login-delay-after", "1000"};
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        int log[2];
        if (::pipe2(log, O_CLOEXEC) != 0)
            return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, log[1], 1);
        posix_spawn_file_actions_adddup2(&actions, log[1], 2);
        const bool spawned = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        ::close(log[1]);
        if (!spawned) {
            m_pid = -1;
            ::close(log[0]);
            return false;
        }
        // The port is on the "listening on" line; everything after it is dropped.
        std::string pending;
        const std::string marker = "listening on 127.0.0.1:";
        char buffer[4096];
        while (m_port == 0) {
            const ssize_t n = ::read(log[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            pending.append(buffer, static_cast<size_t>(n));
            const size_t at = pending.find(marker);
            if (at != std::string::npos && pending.find('\n', at) != std::string::npos)
                m_port = std::atoi(pending.c_str() + at + marker.size());
        }
        const int fd = log[0];
        m_drain = std::thread([fd]() {
            char sink[4096];
            while (::read(fd, sink, sizeof sink) > 0) {
            }
            ::close(fd);
        });
        if (m_port == 0)
            std::fprintf(stderr, "the server did not start:\n%s\n", pending.c_str());
        return m_port != 0;
    }

    int Port() const { return m_port; }

private:
    pid_t m_pid = -1;
    int m_port = 0;
    std::thread m_drain;
};

struct ClientFigures {
    std::vector<double> all;    // latency of every request, seconds
    std::vector<double> views;  // of the case views alone
    long errors = 0;
    long viewRows = 0;
};

// One client: logs in, waits for the start, runs the mix until the end time.
void RunClient(int port, int index, int32_t viewId, const std::vector<std::string>& caseNumbers,
               std::atomic<int>& ready, std::atomic<bool>& go, Clock::time_point& end, ClientFigures& out)
{
    CInventoryServer client;
    const std::string login = AccountName(index);
    bool in = client.ConnectByName("127.0.0.1", port) == 0 &&
              client.CreateSession(CServerSession::kOfficeClientType, CServerSession::kOfficeClientVersion) == 0;
    if (in) {
        // The account's session of the round before may still be closing on the
        // server's side ("account in use"); it is gone in a moment. Not timed.
        int status = client.OpenSession(login, login);
        for (int tries = 0; status == kAccountInUse && tries < 500; ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            status = client.OpenSession(login, login);
        }
        in = status == 0;
    }
    ++ready;
    while (!go.load())
        std::this_thread::yield();
    if (!in) {
        out.errors = 1;
        return;
    }
    std::mt19937 random(static_cast<unsigned>(index) * 7919u);
    CCaseQueryRequestInfo request;
    request.viewId = viewId;
    request.target = "All Parents";
    CAuditCase last;
    bool haveCase = false;
    long caseRequests = 0;
    // Clients start at different points of the cycle, so that the views stay at their
    // share of the requests however few each client gets through.
    for (long n = index; Clock::now() < end; ++n) {
        const auto start = Clock::now();
        bool ok = false;
        const bool view = n % kViewEvery == 0;
        if (view) {
            CCaseQueryResults results;
            ok = client.GenerateCaseView(request, results);
            out.viewRows = static_cast<long>(results.rows.size());
        } else if (++caseRequests % kSetCaseEvery == 0 && haveCase) {
            last.memo = "load " + std::to_string(n);
            ok = client.SetCase(last.caseNumber, last) == 0;
        } else {
            ok = client.GetCase(caseNumbers[random() % caseNumbers.size()], last);
            haveCase = haveCase || ok;
        }
        const double seconds = Seconds(Clock::now() - start);
        out.all.push_back(seconds);
        if (view)
            out.views.push_back(seconds);
        out.errors += ok ? 0 : 1;
    }
    client.CloseSession();
}

double Percentile(std::vector<double>& values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t at = std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())));
    return values[at];
}

struct Row {
    int clients = 0;
    long requests = 0;
    double perSecond = 0;
    double p50 = 0;
    double p99 = 0;
    double viewP50 = 0;
    double viewP99 = 0;
    long errors = 0;
    long viewRows = 0;
    long views = 0;
};

Row Measure(int port, int clients, double seconds, const std::vector<int32_t>& viewIds,
            const std::vector<std::string>& caseNumbers)
{
    std::vector<ClientFigures> figures(static_cast<size_t>(clients));
    std::vector<std::thread> threads;
    std::atomic<int> ready{0};
    std::atomic<bool> go{false};
    Clock::time_point end;
    for (int i = 0; i < clients; ++i)
        threads.emplace_back(RunClient, port, i + 1, viewIds[static_cast<size_t>(i)], std::cref(caseNumbers),
                             std::ref(ready), std::ref(go), std::ref(end), std::ref(figures[static_cast<size_t>(i)]));
    while (ready.load() < clients)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const auto start = Clock::now();
    end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    go = true;
    for (std::thread& thread : threads)
        thread.join();
    const double elapsed = Seconds(Clock::now() - start);
    Row row;
    row.clients = clients;
    std::vector<double> all;
    std::vector<double> views;
    for (const ClientFigures& f : figures) {
        all.insert(all.end(), f.all.begin(), f.all.end());
        views.insert(views.end(), f.views.begin(), f.views.end());
        row.errors += f.errors;
        row.viewRows = std::max(row.viewRows, f.viewRows);
    }
    row.requests = static_cast<long>(all.size());
    row.views = static_cast<long>(views.size());
    row.perSecond = static_cast<double>(all.size()) / elapsed;
    row.p50 = Percentile(all, 0.50);
    row.p99 = Percentile(all, 0.99);
    row.viewP50 = Percentile(views, 0.50);
    row.viewP99 = Percentile(views, 0.99);
    return row;
}

bool ParseArguments(int argc, char** argv, Settings& settings)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        if (option == "--db") {
            settings.db = value;
        } else if (option == "--cases") {
            settings.cases = std::atoi(value.c_str());
        } else if (option == "--seconds") {
            settings.seconds = std::atof(value.c_str());
        } else if (option == "--clients") {
            settings.clients.clear();
            for (size_t at = 0; at < value.size();) {
                settings.clients.push_back(std::atoi(value.c_str() + at));
                const size_t comma = value.find(',', at);
                at = comma == std::string::npos ? value.size() : comma + 1;
            }
        } else {
            return false;
        }
    }
    for (const int n : settings.clients)
        if (n < 1 || n > 200)
            return false;
    return settings.cases > 0 && settings.seconds > 0 && !settings.clients.empty();
}

}  // namespace

int main(int argc, char** argv)
{
    Settings settings;
    if (!ParseArguments(argc, argv, settings)) {
        std::fprintf(stderr, "usage: bench_server_load [--db LOCATION] [--cases N] [--seconds S] "
                             "[--clients 1,4,16,64] (at most 200 clients)\n");
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);
    RegisterRecordClasses(CClassRegistry::Global());
    std::string folder;
    if (settings.db.empty()) {
        char pattern[] = "/tmp/orv-bench-load-XXXXXX";
        if (::mkdtemp(pattern) == nullptr)
            return 1;
        folder = pattern;
        settings.db = folder + "/inventory.db";
    }
    const int accounts = *std::max_element(settings.clients.begin(), settings.clients.end());
    std::vector<std::string> caseNumbers;
    std::vector<int32_t> viewIds;
    int status = 1;
    if (Prepare(settings, accounts, caseNumbers, viewIds)) {
        CServerRun server;
        // Room for the connections of one N while those of the N before are still
        // closing on the server's side, so that no log-in is refused for want of a slot.
        if (server.Start(settings.db, 2 * accounts + 8)) {
            // A short warm-up, so that N=1 does not pay for a cold cache.
            Measure(server.Port(), 1, 1.0, viewIds, caseNumbers);
            std::printf("server_load: %zu cases in %s, %.0f s per N, each client logged in with its own account\n",
                        caseNumbers.size(), settings.db.c_str(), settings.seconds);
            std::printf("mix per client: every %dth request GENERATECASEVIEW (%s), the others GETCASE:SETCASE "
                        "%d:1 on random cases\n",
                        kViewEvery, kViewFormula, kSetCaseEvery - 1);
            std::printf("%5s %9s %6s %9s %7s %9s %9s %12s %12s %7s %6s\n", "N", "requests", "views", "req/s",
                        "x N=1", "p50 ms", "p99 ms", "view p50 ms", "view p99 ms", "rows", "errors");
            double single = 0;
            status = 0;
            for (const int n : settings.clients) {
                const Row row = Measure(server.Port(), n, settings.seconds, viewIds, caseNumbers);
                if (single == 0)
                    single = row.clients == 1 ? row.perSecond : 0;
                std::printf("%5d %9ld %5.1f%% %9.1f %7s %9.1f %9.1f %12.1f %12.1f %7ld %6ld\n", row.clients,
                            row.requests, 100.0 * static_cast<double>(row.views) / static_cast<double>(std::max(1L, row.requests)),
                            row.perSecond,
                            single > 0 ? (std::to_string(row.perSecond / single).substr(0, 4) + "x").c_str() : "-",
                            row.p50 * 1000, row.p99 * 1000, row.viewP50 * 1000, row.viewP99 * 1000, row.viewRows,
                            row.errors);
                std::fflush(stdout);
                if (row.errors > 0)
                    status = 1;
            }
        }
    }
    if (!folder.empty()) {
        const std::string cleanup = "rm -rf '" + folder + "'";
        if (std::system(cleanup.c_str()) != 0)
            std::fprintf(stderr, "cannot remove %s\n", folder.c_str());
    }
    return status;
}
