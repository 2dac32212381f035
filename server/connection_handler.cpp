#include "server/connection_handler.h"

#include "codec/class_registry.h"
#include "codec/mem_file.h"
#include "codec/string_object.h"
#include "records/register_records.h"
#include "server/access_rights.h"
#include "server/connection_pool.h"
#include "server/handlers/command_context.h"
#include "server/redirect_pool.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <thread>

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

// Login ids compare without regard to ASCII case.
bool SameLoginId(const std::string& a, const std::string& b)
{
    if (a.size() != b.size() || a.empty())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if ((x >= 'A' && x <= 'Z' ? x + 32 : x) != (y >= 'A' && y <= 'Z' ? y + 32 : y))
            return false;
    }
    return true;
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
    // Every item (a command line, an integer line, a whole payload) must arrive within
    // its time-out, however the peer paces its bytes.
    m_session.SetWholeItemTimeouts(true);
    ApplyLimits();
}

void CConnectionHandler::ApplyLimits()
{
    const ServerOptions& options = m_context.options;
    SessionLimits limits;
    if (m_state == State::open) {
        limits.maxPayloadBytes = options.maxPayloadBytes;
        limits.maxObjectBytes = options.MaxObjectBytes();
        limits.maxMaterialisedBytes = options.MaxObjectBytes();
        limits.maxMaterialisedObjects = kMaxMaterialisedObjects;
        limits.maxReferencedBytes = kMaxReferencedBytes;
    } else {
        // Before log-in nothing is worth more than a few kilobytes: a larger payload
        // ends the connection before it is read, and nothing expands beyond a little.
        limits.maxPayloadBytes = std::min(options.maxLoginPayloadBytes, options.maxPayloadBytes);
        limits.maxObjectBytes = static_cast<uint64_t>(limits.maxPayloadBytes) * 4;
        limits.maxMaterialisedBytes = limits.maxObjectBytes;
        limits.maxMaterialisedObjects = 256;
        limits.maxReferencedBytes = 0;
    }
    m_session.SetLimits(limits);
}

int CConnectionHandler::CommandWait() const
{
    const ServerOptions& options = m_context.options;
    return m_state == State::open ? options.idleTimeoutSeconds
                                  : std::min(options.idleTimeoutSeconds, options.loginTimeoutSeconds);
}

CConnectionHandler::~CConnectionHandler()
{
    if (m_state == State::open) {
        const CConnectionPool::Scope database(m_context.connectionPool);
        ReleaseAccount();
    }
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
        const CConnectionPool::Scope database(m_context.connectionPool);
        ReleaseAccount();
        m_state = State::fresh;
        line += "; session of '" + CServerLog::Printable(m_userId) + "' ended";
    }
    return Prefixed(line);
}

bool CConnectionHandler::ReadCommand(std::string& word)
{
    char line[kCommandLineBuffer];
    const int count = m_session.ReadLine(line, sizeof line, CommandWait());
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
    const CConnectionPool::Scope database(m_context.connectionPool);
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

bool CConnectionHandler::ReceiveLoginText(std::string& text, const char* what, size_t maxLength, bool& tooLong)
{
    CMemFile payload;
    const int status = m_session.ReceiveRaw(payload, m_context.options.ItemTimeout());
    if (status != CServerSession::transferDone) {
        m_endReason = std::string("no usable ") + what + " (" + StatusText(status) + ")";
        return false;
    }
    // A string object's archive is the text and a length prefix of at most 7 bytes.
    SessionLimits limits = m_session.GetLimits();
    const SessionLimits saved = limits;
    limits.maxObjectBytes = std::min<uint64_t>(limits.maxObjectBytes, maxLength + 16);
    m_session.SetLimits(limits);
    CStringObject object;
    const bool decoded = m_session.DecodePayload(payload, object);
    m_session.SetLimits(saved);
    tooLong = !decoded && m_session.LastDecodeTooLarge();
    if (!decoded && !tooLong) {
        m_endReason = std::string("a ") + what + " payload that cannot be decoded";
        return false;
    }
    text = decoded ? object.GetText() : std::string();
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
    if (m_context.redirectPool != nullptr)
        return RedirectToPool();
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

bool CConnectionHandler::RedirectToPool()
{
    ServerAddress member;
    std::string note;
    if (!m_context.redirectPool->Choose(member, note)) {
        // The client treats any answer but 0, 1, -8 and -9 as a failure to create.
        Log("CREATESESSION refused (-1): " + note);
        return Reply(kFailure);
    }
    Log("redirected to " + member.Text() + " (-9): " + note);
    if (!Reply(kRedirect) || m_session.SendTextLine(member.host) < 1 || !Reply(member.port)) {
        m_endReason = "cannot send the redirect";
        return false;
    }
    return true;
}

bool CConnectionHandler::HandleOpenSession()
{
    // Each item is checked against its own limit before it is expanded; one too long
    // names no account (user id) or matches none (password), as the answers tell.
    std::string userId;
    std::string password;
    bool userIdTooLong = false;
    bool passwordTooLong = false;
    if (!ReceiveLoginText(userId, "user id", kMaxUserIdLength, userIdTooLong) ||
        !ReceiveLoginText(password, "password", kMaxPasswordLength, passwordTooLong))
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
    if (userIdTooLong || userId.size() > kMaxUserIdLength)
        check = LoginCheck::unknownUser;
    else if (passwordTooLong || password.size() > kMaxPasswordLength)
        check = m_context.accounts.Exists(userId) ? LoginCheck::wrongPassword : LoginCheck::unknownUser;
    else
        check = m_context.accounts.Check(userId, password, &account);
    CLoginThrottle* throttle = m_context.loginThrottle;
    const std::string& address = m_session.GetHostAddress();
    if (throttle != nullptr && (check == LoginCheck::unknownUser || check == LoginCheck::wrongPassword)) {
        // Guessing costs time: the answer waits longer after each failure from this
        // address or for this login id. The answer itself stays what it is.
        const int delay = throttle->DelayMs(address, userId);
        throttle->Failed(address, userId);
        if (delay > 0) {
            Log("login answer for " + who + " delayed " + std::to_string(delay) + " ms after repeated failures");
            std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        }
    }
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
    switch (ClaimAccount(account)) {
    case CSharedSessions::ClaimResult::claimed:
        break;
    case CSharedSessions::ClaimResult::inUseHere:
        Log("login refused for " + who + ": account in use (-4)");
        return Reply(kAccountInUse);
    case CSharedSessions::ClaimResult::inUseElsewhere:
        Log("login refused for " + who + ": account in use on another server (-4)");
        return Reply(kAccountInUse);
    case CSharedSessions::ClaimResult::failed:
        Log("login refused for " + who + ": shared session store error (-1)");
        return Reply(kFailure);
    }
    if (throttle != nullptr)
        throttle->Succeeded(address, userId);
    m_state = State::open;
    ApplyLimits();
    if (m_loggedInFlag != nullptr)
        m_loggedInFlag->store(true);
    m_sessionState = {};
    m_userId = account.userId;
    m_accountKind = account.kind;
    m_accountId = account.accountId;
    Log("user '" + CServerLog::Printable(m_userId) + "' logged in");
    return Reply(kCreated);
}

CSharedSessions::ClaimResult CConnectionHandler::ClaimAccount(const AccountInfo& account)
{
    CLiveSessions::Holder holder;
    holder.kind = account.kind;
    holder.accountId = account.accountId;
    holder.loginId = account.userId;
    holder.socket = m_session.GetHandle();
    const std::string description = SessionDescription(account, m_session.GetHostAddress());
    if (m_context.sharedSessions != nullptr)
        return m_context.sharedSessions->Claim(account.userId, description, holder);
    return m_context.liveSessions.Claim(account.userId, description, holder)
               ? CSharedSessions::ClaimResult::claimed
               : CSharedSessions::ClaimResult::inUseHere;
}

void CConnectionHandler::ReleaseAccount()
{
    if (m_context.sharedSessions != nullptr)
        m_context.sharedSessions->Release(m_userId, m_accountKind, m_accountId);
    else
        m_context.liveSessions.Release(m_userId);
}

bool CConnectionHandler::HandleCatalogueCommand(const std::string& word)
{
    SessionUser user;
    const bool known = m_state == State::open && m_context.accounts.LoadUser(m_accountKind, m_accountId, user);
    // The session belongs to the account it logged in as: once that account is gone,
    // or its login id changed or was removed, the session is over. (Account numbers are
    // never given out again, so the number alone cannot name another account.)
    if (m_state == State::open && !(known && SameLoginId(user.loginId, m_userId))) {
        m_endReason = "the session's account was deleted or its login id changed";
        return false;
    }
    CCommandContext context(m_session, m_context, known ? &user : nullptr, m_sessionState, word, m_id, m_endReason);
    const bool goOn = FindCommandHandler(word)(context);
    if (word == "SETCHILDUSER" || word == "SETPARENTUSER")
        EndSessionsOfChangedAccounts();
    return goOn;
}

void CConnectionHandler::EndSessionsOfChangedAccounts()
{
    CAccountStore& accounts = m_context.accounts;
    const auto ended = m_context.liveSessions.Sweep([&accounts](const CLiveSessions::Holder& holder) {
        SessionUser current;
        return accounts.LoadUser(holder.kind, holder.accountId, current) &&
               SameLoginId(current.loginId, holder.loginId);
    });
    for (const std::string& userId : ended)
        Log("session of '" + CServerLog::Printable(userId) + "' ended: its account was deleted or changed");
}

bool CConnectionHandler::HandleCloseSession()
{
    if (m_state == State::open) {
        ReleaseAccount();
        m_state = State::fresh;
        ApplyLimits();
        Log("user '" + CServerLog::Printable(m_userId) + "' logged out");
    }
    // The client closes its socket right after; nothing more will come.
    m_endReason = "CLOSESESSION";
    return false;
}
