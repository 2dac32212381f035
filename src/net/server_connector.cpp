#include "net/server_connector.h"

namespace {

constexpr int kLowestPort = 1;
constexpr int kHighestPort = 65535;

}  // namespace

const char* CServerConnector::CreateSessionText(int result)
{
    switch (result) {
    case kSessionCreated:
    case kRedirect:
        return nullptr;
    case kIncompatibleClient:
        return kIncompatibleText;
    default:
        return kCreateFailedText;
    }
}

const char* CServerConnector::OpenSessionText(int result)
{
    switch (result) {
    case kSessionOpen:
        return nullptr;
    case kUserNotFound:
        return kUserNotFoundText;
    case kWrongPassword:
        return kWrongPasswordText;
    case kAccountInUse:
        return kAccountInUseText;
    default:
        return kOpenFailedText;
    }
}

bool CServerConnector::Refuse(const char* text, bool close)
{
    if (close)
        m_session.Close();
    m_reporter.Refused(text);
    return false;
}

bool CServerConnector::ReadRedirect(std::string& host, int& port)
{
    int32_t newPort = 0;
    if (!m_session.ReceiveTextLine(host, kRedirectHostBuffer, kRedirectHostTimeout) ||
        m_session.ReceiveInt(newPort, -1) <= 0)
        return false;
    port = newPort;
    return true;
}

bool CServerConnector::Connect(const std::string& host, int port, const std::string& userId,
                               const std::string& password)
{
    m_host = host;
    m_port = port;
    m_redirects = 0;
    for (;;) {
        // A port outside the range would be cut to 16 bits and reach some other port.
        if (m_port < kLowestPort || m_port > kHighestPort)
            return Refuse(kConnectFailedText, false);
        if (m_session.ConnectByName(m_host, m_port) != CClientSocket::connectOk)
            return Refuse(kConnectFailedText, false);

        const int created =
            m_session.CreateSession(CServerSession::kOfficeClientType, CServerSession::kOfficeClientVersion);
        if (created == kSessionCreated)
            break;
        if (created != kRedirect)
            return Refuse(CreateSessionText(created), true);

        // Without the whole host and port there is nowhere to go: the exchange broke.
        std::string newHost;
        int newPort = 0;
        if (!ReadRedirect(newHost, newPort) || m_redirects == kMaxRedirects)
            return Refuse(kCreateFailedText, true);
        m_session.Close();
        ++m_redirects;
        m_host = newHost;
        m_port = newPort;
    }

    const int opened = m_session.OpenSession(userId, password);
    if (opened != kSessionOpen)
        return Refuse(OpenSessionText(opened), true);  // no CLOSESESSION: nothing is open
    return true;
}
