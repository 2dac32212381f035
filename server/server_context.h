#pragma once
// What every connection of the server shares.

#include "server/account_store.h"
#include "server/live_sessions.h"
#include "server/login_throttle.h"
#include "server/report_build_gate.h"
#include "net/tls_transport.h"
#include "server/server_log.h"
#include "server/server_options.h"
#include "server/store/inventory_store.h"

class CConnectionPool;
class CRedirectPool;
class CSharedSessions;

struct ServerContext {
    const ServerOptions& options;
    CAccountStore& accounts;
    CLiveSessions& liveSessions;
    CServerLog& log;
    CInventoryStore& inventory;
    // Shared guards; a context without them (tests, benchmarks) does without.
    CLoginThrottle* loginThrottle = nullptr;
    // Set when the server speaks TLS only (--tls-cert, --tls-key).
    CTlsServerContext* tls = nullptr;
    // Caps the report builds that run at once.
    CReportBuildGate* reportBuilds = nullptr;
    // Sessions shared with the other servers on the database; without it an account's
    // session is checked in this process only.
    CSharedSessions* sharedSessions = nullptr;
    // Set on a front server (--redirect-pool): CREATESESSION redirects to a member.
    CRedirectPool* redirectPool = nullptr;
    // Database connections the client connections share, a command at a time; without
    // it each client connection's thread has one of its own.
    CConnectionPool* connectionPool = nullptr;
};
