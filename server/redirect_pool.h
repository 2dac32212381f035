#pragma once
// The members a front server (--redirect-pool) spreads log-ins over. A member counts as
// up when it has a live heartbeat in the shared database and accepts a TCP connection
// within a short time; of those, the one with the fewest open sessions is chosen (the
// first listed on a tie).

#include "server/server_options.h"

#include <string>
#include <vector>

class CDatabase;

class CRedirectPool {
public:
    CRedirectPool(CDatabase& database, std::vector<ServerAddress> members, int connectTimeoutMs = 500);

    // False when no member is up. `note` tells, for the log, the chosen member's open
    // sessions and which members were skipped and why.
    bool Choose(ServerAddress& chosen, std::string& note);

    // True when a TCP connection to the address opens within the time.
    static bool Accepts(const ServerAddress& address, int timeoutMs);

private:
    CDatabase& m_database;
    std::vector<ServerAddress> m_members;
    int m_connectTimeoutMs;
};
