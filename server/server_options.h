#pragma once
// Everything the inventory server is told on its command line.

#include <cstdint>
#include <string>

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
    int hashIterations = 210000;           // PBKDF2 rounds for passwords set by this run
    bool parentSync = true;                // SYNCPARENT may connect to parents' servers

    bool Redirects() const { return !redirectHost.empty(); }
    // Archives larger than this are not loaded, whatever their compressed size.
    uint64_t MaxObjectBytes() const { return static_cast<uint64_t>(maxPayloadBytes) * 4; }
    int ItemTimeout() const
    {
        return itemTimeoutSeconds < idleTimeoutSeconds ? itemTimeoutSeconds : idleTimeoutSeconds;
    }
};
