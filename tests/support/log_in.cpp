#include "support/log_in.h"

LogInOutcome LogIn(CServerSession& session, std::string host, int port, const std::string& userId,
                   const std::string& password)
{
    LogInOutcome outcome;
    for (;;) {
        outcome.host = host;
        outcome.port = port;
        outcome.connect = session.ConnectByName(host, port);
        if (outcome.connect != 0)
            return outcome;
        outcome.create = session.CreateSession(CServerSession::kOfficeClientType,
                                               CServerSession::kOfficeClientVersion);
        if (outcome.create != -9)
            break;
        // The new host is a line (its CR LF dropped), then the port as an integer line.
        std::string newHost;
        int32_t newPort = 0;
        const bool read = session.ReceiveTextLine(newHost, 255, 120) && session.ReceiveInt(newPort) > 0;
        session.Close();
        if (!read || ++outcome.redirects > kMaxRedirects)
            return outcome;
        host = newHost;
        port = newPort;
    }
    if (outcome.create != 0) {
        session.Close();
        return outcome;
    }
    outcome.open = session.OpenSession(userId, password);
    if (outcome.open != 0)
        session.Close();
    return outcome;
}
