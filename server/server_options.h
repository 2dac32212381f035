#pragma once
// Everything the inventory server is told on its command line.

#include <cstdint>
#include <string>
#include <vector>

// A server as clients reach it.
struct ServerAddress {
    std::string host;
    int port = 0;

    std::string Text() const { return host + ":" + std::to_string(port); }
};

struct ServerOptions {
    int port = 9000;                       // 0 picks a free port (the log says which)
    std::string listenAddress = "127.0.0.1";
    std::string databasePath = "inventory.db";
    bool encrypt = false;                  // CREATESESSION answers 1 and enciphers
    std::string redirectHost;              // non-empty: CREATESESSION answers -9
    int redirectPort = 0;
    bool demo = false;                     // seed the demo accounts and inventory
    std::string addAdminUserId;            // non-empty: create this administrator and exit
    int maxConnections = 64;
    long long maxViewRows = 250000;       // rows one GENERATECASEVIEW may return
    int idleTimeoutSeconds = 1800;         // between commands
    int itemTimeoutSeconds = 120;          // inside a command, capped by the idle time-out
    int64_t maxPayloadBytes = 32 * 1024 * 1024;
    int64_t maxReportBytes = 128 * 1024 * 1024;  // a report or document sent, as its payload
    int64_t maxReportPages = 10000;              // pages of a document the server draws
    int hashIterations = 210000;           // PBKDF2 rounds for passwords set by this run
    bool parentSync = true;                // SYNCPARENT may connect to parents' servers
    // Connections that have not logged in: their idle time-out, how many one address
    // may hold at once, and the largest payload they may send.
    int loginTimeoutSeconds = 30;
    int maxLoginConnectionsPerAddress = 8;
    int64_t maxLoginPayloadBytes = 4096;
    // TCP keep-alive: idle seconds before the first probe (0 turns it off).
    int keepAliveSeconds = 60;
    // Report builds that may run at once; further requests are refused.
    int maxReportBuilds = 4;
    // Database connections the client connections share (0: two per processor, at
    // least four).
    int databaseConnections = 0;
    // Failed log-ins: after this many from one address or for one login id the
    // answers are delayed, doubling each time up to the cap.
    int loginFailuresBeforeDelay = 3;
    int loginDelayCapMs = 8000;
    // TLS: certificate chain and private key files (PEM); both set turns TLS on.
    std::string tlsCertFile;
    std::string tlsKeyFile;
    // Slows every connection to this many kilobytes (1000 bytes) per second in each
    // direction; 0 does not.
    int throttleKbps = 0;
    // Sessions shared with the other servers on the database: how long a lease lasts
    // without renewal (renewed every third of it), and the address this server is
    // registered under (empty: the listening address and port).
    int sessionLeaseSeconds = 60;
    std::string advertisedAddress;
    // Non-empty: a front server that sends every CREATESESSION to the member with the
    // fewest open sessions.
    std::vector<ServerAddress> redirectPool;

    bool Redirects() const { return !redirectHost.empty(); }
    // Archives larger than this are not loaded, whatever their compressed size.
    uint64_t MaxObjectBytes() const { return static_cast<uint64_t>(maxPayloadBytes) * 4; }
    bool UsesTls() const { return !tlsCertFile.empty(); }
    int ItemTimeout() const
    {
        return itemTimeoutSeconds < idleTimeoutSeconds ? itemTimeoutSeconds : idleTimeoutSeconds;
    }
};
