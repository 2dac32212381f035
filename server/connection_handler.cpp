#include "server/connection_handler.h"

#include "codec/class_registry.h"
#include "codec/mem_file.h"
#include "codec/string_object.h"
#include "records/register_records.h"
#include "server/access_rights.h"
#include "server/handlers/command_context.h"

#include <ctime>

namespace {

std::string StatusText(int status)
{
    switch (status) {
    case CServerSession::transferTimedOut:
        return "time-out inside a payload";
    case CServerSession::transferBroken:
        return "length line missing or out of bounds, or the payload was cut short";
    default:
        return "transfer status " + std::to_string(status);
    }
}

// The line GETLOGGEDUSERS shows for a session.
std::string SessionDescription(const AccountInfo& account, const std::string& address)
{
    char since[32] = "";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(since, sizeof since, "%Y-%m-%d %H:%M", &local);
    const std::string kind =
        account.kind == AccountKind::parent ? std::string("Parent") : AccessGroupName(account.group);
    return account.userId + ": " + account.accountName + " (" + kind + ") from " + address + " since " + since;
}

}  // namespace

CConnectionHandler::CConnectionHandler(CServerSession& session, ServerContext& context, int connectionId)
    : m_session(session), m_context(context), m_id(connectionId)
{
    // Record classes are created by name when payloads are loaded.
    static const bool registered = [] {
        RegisterRecordClasses(CClassRegistry::Global());
        return true;
    }();
    (void)registered;
    SessionLimits limits;
    limits.maxPayloadBytes = context.options.maxPayloadBytes;
    limits.maxObjectBytes = context.options.MaxObjectBytes();
    m_session.SetLimits(limits);
}

CConnectionHandler::~CConnectionHandler()
{
    if (m_state == State::open)
        m_context.liveSessions.Release(m_userId);
}

std::string CConnectionHandler::Prefixed(const std::string& message) const
{
    std::string line = "#";
    line += std::to_string(m_id);
    line += ' ';
    line += message;
    return line;
}

void CConnectionHandler::Log(const std::string& message)
{
    m_context.log.Write(Prefixed(message));
}

std::string CConnectionHandler::Run()
{
    try {
        Log("connected from " + m_session.GetHostAddress() + ":" + std::to_string(m_session.GetPort()));
        std::string word;
        while (ReadCommand(word) && Dispatch(word)) {
        }
    } catch (...) {
        m_endReason = "internal error";
    }
    std::string line = "closed: " + m_endReason;
    if (m_state == State::open) {
        m_context.liveSessions.Release(m_userId);
        m_state = State::fresh;
        line += "; session of '" + CServerLog::Printable(m_userId) + "' ended";
    }
    return Prefixed(line);
}

bool CConnectionHandler::ReadCommand(std::string& word)
{
    char line[kCommandLineBuffer];
    const int count = m_session.ReadLine(line, sizeof line, m_context.options.idleTimeoutSeconds);
    if (count == 0) {
        m_endReason = m_session.IsAlive() ? "idle time-out" : "the client closed the connection";
        return false;
    }
    if (count < 2 || line[count - 2] != '\r' || line[count - 1] != '\n') {
        m_endReason = count == kCommandLineBuffer - 1 ? "command line too long" : "command line cut short";
        return false;
    }
    word.assign(line, static_cast<size_t>(count - 2));
    return true;
}

bool CConnectionHandler::Dispatch(const std::string& word)
{
    if (word == "CREATESESSION")
        return HandleCreateSession();
    if (word == "OPENSESSION")
        return HandleOpenSession();
    if (word == "CLOSESESSION")
        return HandleCloseSession();
    if (FindCommandHandler(word) != nullptr)
        return HandleCatalogueCommand(word);
    // Without knowing the command's items there is no telling where the next command
    // starts, so the conversation cannot go on.
    m_endReason = "unknown command '" + CServerLog::Printable(word) + "'";
    return false;
}

bool CConnectionHandler::Reply(int value)
{
    if (m_session.SendInt(value) < 1) {
        m_endReason = "cannot send a reply";
        return false;
    }
    return true;
}

bool CConnectionHandler::ReceiveText(std::string& text, const char* what)
{
    CMemFile payload;
    const int status = m_session.ReceiveRaw(payload, m_context.options.ItemTimeout());
    if (status != CServerSession::transferDone) {
        m_endReason = std::string("no usable ") + what + " (" + StatusText(status) + ")";
        return false;
    }
    CStringObject object;
    if (!m_session.DecodePayload(payload, object)) {
        m_endReason = std::string("a ") + what + " payload that cannot be decoded";
        return false;
    }
    text = object.GetText();
    return true;
}

bool CConnectionHandler::HandleCreateSession()
{
    const int itemTimeout = m_context.options.ItemTimeout();
    std::string clientType;
    int32_t version = 0;
    if (!m_session.ReceiveTextLine(clientType, kTextLineBuffer, itemTimeout)) {
        m_endReason = "CREATESESSION without a client-type line";
        return false;
    }
    if (m_session.ReceiveInt(version, itemTimeout) <= 0) {
        m_endReason = "CREATESESSION without a version line";
        return false;
    }
    if (m_state != State::fresh) {
        Log("CREATESESSION on a connection that has one; refused (-1)");
        return Reply(kFailure);
    }

    const ServerOptions& options = m_context.options;
    if (options.Redirects()) {
        Log("redirected to " + options.redirectHost + ":" + std::to_string(options.redirectPort) + " (-9)");
        if (!Reply(kRedirect) || m_session.SendTextLine(options.redirectHost) < 1 || !Reply(options.redirectPort)) {
            m_endReason = "cannot send the redirect";
            return false;
        }
        return true;
    }
    if (clientType != CServerSession::kOfficeClientType || version != CServerSession::kOfficeClientVersion) {
        Log("session refused to client '" + CServerLog::Printable(clientType) + "' version " +
            std::to_string(version) + " (-8)");
        return Reply(kIncompatibleClient);
    }
    if (!Reply(options.encrypt ? kCreatedEnciphered : kCreated))
        return false;
    // The client switches as it reads the 1; every payload after it is enciphered.
    if (options.encrypt)
        m_session.EnableEncryption();
    m_state = State::created;
    Log(std::string("session created for ") + CServerSession::kOfficeClientType + " " + std::to_string(version) +
        (options.encrypt ? ", enciphered" : ", plain"));
    return true;
}

bool CConnectionHandler::HandleOpenSession()
{
    std::string userId;
    std::string password;
    if (!ReceiveText(userId, "user id") || !ReceiveText(password, "password"))
        return false;
    if (m_state != State::created) {
        Log("OPENSESSION without a new session; refused (-1)");
        return Reply(kFailure);
    }

    std::string who = "'";
    who += CServerLog::Printable(userId);
    who += '\'';
    AccountInfo account;
    LoginCheck check = LoginCheck::unknownUser;
    if (userId.size() > kMaxUserIdLength)
        check = LoginCheck::unknownUser;
    else if (password.size() > kMaxPasswordLength)
        check = m_context.accounts.Exists(userId) ? LoginCheck::wrongPassword : LoginCheck::unknownUser;
    else
        check = m_context.accounts.Check(userId, password, &account);
    switch (check) {
    case LoginCheck::unknownUser:
        Log("login refused for " + who + ": unknown user (-2)");
        return Reply(kUnknownUser);
    case LoginCheck::wrongPassword:
        Log("login refused for " + who + ": wrong password (-3)");
        return Reply(kWrongPassword);
    case LoginCheck::storeError:
        Log("login refused for " + who + ": account store error (-1)");
        return Reply(kFailure);
    case LoginCheck::ok:
        break;
    }
    if (!m_context.liveSessions.Claim(account.userId, SessionDescription(account, m_session.GetHostAddress()))) {
        Log("login refused for " + who + ": account in use (-4)");
        return Reply(kAccountInUse);
    }
    m_state = State::open;
    m_sessionState = {};
    m_userId = account.userId;
    m_accountKind = account.kind;
    m_accountId = account.accountId;
    Log("user '" + CServerLog::Printable(m_userId) + "' logged in");
    return Reply(kCreated);
}

bool CConnectionHandler::HandleCatalogueCommand(const std::string& word)
{
    SessionUser user;
    const bool known = m_state == State::open && m_context.accounts.LoadUser(m_accountKind, m_accountId, user);
    CCommandContext context(m_session, m_context, known ? &user : nullptr, m_sessionState, word, m_id, m_endReason);
    return FindCommandHandler(word)(context);
}

bool CConnectionHandler::HandleCloseSession()
{
    if (m_state == State::open) {
        m_context.liveSessions.Release(m_userId);
        m_state = State::fresh;
        Log("user '" + CServerLog::Printable(m_userId) + "' logged out");
    }
    // The client closes its socket right after; nothing more will come.
    m_endReason = "CLOSESESSION";
    return false;
}
