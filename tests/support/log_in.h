#pragma once
// The office client's log-in sequence, for end-to-end tests: connect, CREATESESSION
// (following redirects: a host line and a port line after -9), then OPENSESSION.

#include "net/server_session.h"

#include <string>

struct LogInOutcome {
    int connect = -1;    // ConnectByName result of the last connect
    int create = 0;      // CreateSession result at the server that answered last
    int open = 0;        // OpenSession result (0 when not reached)
    int redirects = 0;   // redirects followed
    std::string host;    // where the session ended up
    int port = 0;

    bool LoggedIn() const { return connect == 0 && create == 0 && open == 0; }
};

// Stops after this many redirects in a row.
inline constexpr int kMaxRedirects = 4;

LogInOutcome LogIn(CServerSession& session, std::string host, int port, const std::string& userId,
                   const std::string& password);
