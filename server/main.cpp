// inventory-server: the reference inventory server. See README.md beside this file.

#include "server/account_store.h"
#include "server/admin_account.h"
#include "server/command_line.h"
#include "server/connection_pool.h"
#include "server/database.h"
#include "server/demo_accounts.h"
#include "server/listener.h"
#include "server/live_sessions.h"
#include "server/redirect_pool.h"
#include "server/shared_sessions.h"
#include "server/reports/report_generator.h"
#include "server/server_log.h"
#include "server/store/inventory_store.h"

#include "orv_version.h"

#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <unistd.h>
#include <string>
#include <vector>

namespace {

// Where the other servers on the database, and a front's pool list, find this one.
std::string AdvertisedAddress(const ServerOptions& options, int port)
{
    if (!options.advertisedAddress.empty())
        return options.advertisedAddress;
    std::string host = options.listenAddress;
    char name[256] = "";
    if (host == "0.0.0.0" && ::gethostname(name, sizeof name - 1) == 0 && name[0] != '\0')
        host = name;
    return host + ":" + std::to_string(port);
}

}  // namespace

int main(int argc, char** argv)
{
    ServerOptions options;
    const CommandLineResult parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), options);
    switch (parsed.action) {
    case CommandLineAction::help:
        std::fputs(CommandLineHelp().c_str(), stdout);
        return 0;
    case CommandLineAction::version:
        std::fputs("inventory-server " ORV_VERSION "\n", stdout);
        return 0;
    case CommandLineAction::error:
        std::fprintf(stderr, "inventory-server: %s\n", parsed.error.c_str());
        return 2;
    default:
        break;
    }

    // Writes to a closed connection fail with an error instead of a signal, and the
    // stop signals are taken by the main thread alone, with sigwait, once the
    // connection threads (which inherit this mask) are running.
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    CServerLog log;
    CDatabase database;
    std::string error;
    if (!database.Open(options.databasePath, error)) {
        log.Write("cannot open the database: " + error);
        return 1;
    }
    CAccountStore accounts(database);

    if (parsed.action == CommandLineAction::addAdmin) {
        std::string password;
        std::fprintf(stderr, "Password for %s: ", options.addAdminUserId.c_str());
        std::fflush(stderr);
        if (!ReadPasswordLine(stdin, password)) {
            log.Write("no password given (one line on standard input, at most 1024 bytes)");
            return 1;
        }
        if (!AddAdministrator(accounts, options.addAdminUserId, password, options.hashIterations, error)) {
            log.Write("cannot add the administrator: " + error);
            return 1;
        }
        log.Write("administrator '" + CServerLog::Printable(options.addAdminUserId) + "' added");
        return 0;
    }

    // Reports are laid out with Qt's text measures, on the offscreen platform unless
    // QT_QPA_PLATFORM names another: the server never opens a window.
    InitReportGenerator();

    CInventoryStore inventory(database, options.hashIterations);
    inventory.queries.SetRowLimit(static_cast<size_t>(options.maxViewRows));
    if (options.demo) {
        SeedDemoAccounts(accounts, options.hashIterations, log);
        SeedDemoInventory(inventory, log);
    }
    if (accounts.Count() == 0)
        log.Write("no accounts yet: create an administrator with --add-admin USERID, or start with --demo");

    CLiveSessions liveSessions;
    CLoginThrottle loginThrottle(options.loginFailuresBeforeDelay, options.loginDelayCapMs);
    CTlsServerContext tls;
    if (options.UsesTls()) {
        if (!tls.Load(options.tlsCertFile, options.tlsKeyFile, error)) {
            log.Write(error);
            return 1;
        }
        log.Write("TLS on: certificate " + options.tlsCertFile);
    }
    if (options.throttleKbps > 0)
        log.Write("each connection slowed to " + std::to_string(options.throttleKbps) + " KB/s each way");
    CReportBuildGate reportBuilds(options.maxReportBuilds);
    CSharedSessions sharedSessions(database, liveSessions, log, options.sessionLeaseSeconds);
    CRedirectPool redirectPool(database, options.redirectPool);
    ServerContext context{options, accounts, liveSessions, log, inventory, &loginThrottle,
                          options.UsesTls() ? &tls : nullptr, &reportBuilds, &sharedSessions,
                          options.redirectPool.empty() ? nullptr : &redirectPool};
    CConnectionPool connectionPool(database, options.databaseConnections);
    context.connectionPool = &connectionPool;
    CListener listener(context);
    if (!listener.Start(error)) {
        log.Write(error);
        return 1;
    }
    const std::string advertised = AdvertisedAddress(options, listener.GetPort());
    if (!sharedSessions.Start(advertised, error)) {
        log.Write(error);
        return 1;
    }
    log.Write("sessions shared on the database as " + advertised + " (lease " +
              std::to_string(options.sessionLeaseSeconds) + " s)");
    for (const ServerAddress& member : options.redirectPool)
        log.Write("redirect pool member " + member.Text());
    int signalNumber = 0;
    sigwait(&stopSignals, &signalNumber);
    log.Write("stopping on signal " + std::to_string(signalNumber));
    listener.Stop();
    sharedSessions.Stop();
    log.Write("stopped");
    return 0;
}
