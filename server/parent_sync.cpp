#include "server/parent_sync.h"

#include "net/server_session.h"
#include "records/admin_parent_user.h"

#include <cstdlib>

namespace {

constexpr int kMaxRedirects = 4;
constexpr int kRedirectLineBuffer = 255;

std::string Where(const std::string& host, int port)
{
    return host + ":" + std::to_string(port);
}

}  // namespace

bool ParseParentHost(const std::string& text, std::string& host, int& port)
{
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos) {
        host = text;
        port = kParentDefaultPort;
        return true;
    }
    const std::string digits = text.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    port = std::atoi(digits.c_str());
    host = text.substr(0, colon);
    return port >= 1 && port <= 65535;
}

std::string SyncWithParent(const std::string& parentName, const ParentConnection& connection)
{
    if (connection.connectionKind != CAdminParentUser::kDirectConnection)
        return "Parent " + parentName + " is not linked: its connection is " + connection.connectionKind;
    std::string host;
    int port = 0;
    if (!ParseParentHost(connection.hostName, host, port) || host.empty())
        return "Parent " + parentName + " has no valid host name (HOST or HOST:PORT)";
    for (int redirects = 0;; ++redirects) {
        CServerSession session;
        if (session.ConnectByName(host, port) != 0)
            return "Cannot connect to " + parentName + " at " + Where(host, port);
        const int result =
            session.CreateSession(CServerSession::kOfficeClientType, CServerSession::kOfficeClientVersion);
        if (result == 0) {
            // With a stored connection password the sync logs in as the parent's account there.
            if (!connection.userId.empty() && !connection.password.empty()) {
                const int opened = session.OpenSession(connection.userId, connection.password);
                if (opened != 0) {
                    session.Close();
                    return "The server of " + parentName + " at " + Where(host, port) + " refused the log-in of " +
                           connection.userId + " (" + std::to_string(opened) + ")";
                }
            }
            session.CloseSession();
            session.Close();
            return {};
        }
        if (result == -9 && redirects < kMaxRedirects) {
            std::string newHost;
            int32_t newPort = 0;
            if (!session.ReceiveTextLine(newHost, kRedirectLineBuffer, 120) || session.ReceiveInt(newPort) <= 0)
                return "The server of " + parentName + " at " + Where(host, port) + " sent a broken redirect";
            host = newHost;
            port = newPort;
            continue;
        }
        if (result == CServerSession::kExchangeFailed)
            return "The server of " + parentName + " at " + Where(host, port) + " did not answer";
        return "The server of " + parentName + " at " + Where(host, port) + " refused the session (" +
               std::to_string(result) + ")";
    }
}
