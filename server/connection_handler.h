#pragma once
// The server's side of one connection: reads command words and answers them with the
// same wire items the client uses, until the client closes, ends its session, falls
// idle, or sends something the conversation cannot recover from.

#include "net/server_session.h"
#include "server/server_context.h"
#include "server/session_state.h"
#include "server/session_user.h"
#include "server/shared_sessions.h"

#include <atomic>
#include <cstdint>
#include <string>

class CConnectionHandler {
public:
    // Session result codes sent back to the client.
    static constexpr int kCreated = 0;
    static constexpr int kCreatedEnciphered = 1;
    static constexpr int kFailure = -1;         // out of order, or the store failed
    static constexpr int kUnknownUser = -2;
    static constexpr int kWrongPassword = -3;
    static constexpr int kAccountInUse = -4;
    static constexpr int kIncompatibleClient = -8;
    static constexpr int kRedirect = -9;

    // Command lines, like integer lines, fit in 63 bytes with their CR LF.
    static constexpr int kCommandLineBuffer = 64;
    // The client-type word of CREATESESSION.
    static constexpr int kTextLineBuffer = 256;

    // Objects one logged-in payload may stand for (see ReaderLimits).
    static constexpr uint64_t kMaxMaterialisedObjects = uint64_t{1} << 20;
    // What references to objects already loaded may add to a payload's records.
    static constexpr uint64_t kMaxReferencedBytes = uint64_t{1} << 20;

    CConnectionHandler(CServerSession& session, ServerContext& context, int connectionId);
    // Set to true once the connection has logged in (the listener caps connections that
    // have not, per address).
    void SetLoggedInFlag(std::atomic<bool>* flag) { m_loggedInFlag = flag; }
    ~CConnectionHandler();
    CConnectionHandler(const CConnectionHandler&) = delete;
    CConnectionHandler& operator=(const CConnectionHandler&) = delete;

    // Runs the conversation to its end, releases the account's session, and returns
    // the log line that says why it ended (the caller logs it once the connection is
    // closed, so that the line means the connection no longer counts). Never throws.
    std::string Run();

private:
    enum class State { fresh, created, open };

    // Each returns false when the connection must end (m_endReason says why).
    bool ReadCommand(std::string& word);
    bool Dispatch(const std::string& word);
    bool HandleCreateSession();
    bool HandleOpenSession();
    bool HandleCloseSession();
    // Answers CREATESESSION with a redirect to the emptiest live member of the pool.
    bool RedirectToPool();
    // Claims the account for this connection: in this process and, when sessions are
    // shared, for every server on the database. ReleaseAccount gives it back.
    CSharedSessions::ClaimResult ClaimAccount(const AccountInfo& account);
    void ReleaseAccount();
    // A command of the catalogue, run for the session's account as it is now.
    bool HandleCatalogueCommand(const std::string& word);
    // Ends the live sessions whose accounts were deleted, or lost or changed their
    // login id, after an account was changed.
    void EndSessionsOfChangedAccounts();

    // The payload limits and time-outs of the connection's state.
    void ApplyLimits();
    int CommandWait() const;
    // A text item of OPENSESSION, refused unexpanded when longer than maxLength (then
    // tooLong is set and the text is empty). False when the connection must end.
    bool ReceiveLoginText(std::string& text, const char* what, size_t maxLength, bool& tooLong);
    bool Reply(int value);
    void Log(const std::string& message);
    std::string Prefixed(const std::string& message) const;

    CServerSession& m_session;
    ServerContext& m_context;
    int m_id;
    State m_state = State::fresh;
    std::string m_userId;  // the account of the open session
    AccountKind m_accountKind = AccountKind::child;
    int64_t m_accountId = 0;
    SessionState m_sessionState;  // of the open session
    std::string m_endReason;
    std::atomic<bool>* m_loggedInFlag = nullptr;
};
