#pragma once
// What a command handler sees of its connection: the items of the command to read, the
// reply items to send, the account of the open session, and the stores.
//
// Every handler reads all of its command's items before it decides anything, so that a
// refused command leaves the conversation in step. A refusal is answered with the same
// items as a success: a non-zero status, or, where the reply is a record, an envelope
// that holds no record (an empty archive), which the client fails to load. Only a
// broken transfer or a payload that cannot be decoded ends the connection.

#include "net/server_session.h"
#include "server/server_context.h"
#include "server/session_state.h"
#include "server/session_user.h"

#include <cstdint>
#include <string>

class CObject;

class CCommandContext {
public:
    CCommandContext(CServerSession& session, ServerContext& server, const SessionUser* user, SessionState& state,
                    std::string word, int connectionId, std::string& endReason);

    // --- Items of the command; false when the connection must end -------------------
    bool ReadText(std::string& text, const char* what);
    bool ReadInt(int32_t& value, const char* what);
    bool ReadRecord(CObject& record, const char* what);

    // --- Replies; false when the connection must end ---------------------------------
    bool ReplyStatus(int status);
    bool ReplyRecord(CObject& record);
    bool ReplyText(const std::string& text);
    // The refusal of a command whose reply is a record.
    bool ReplyNoRecord();
    // A reply record that may be large (a report or document): one whose payload would
    // be longer than --max-report is not sent; the command is refused instead.
    bool ReplyBoundedRecord(CObject& record);

    // The account of the open session; nullptr before log-in.
    const SessionUser* User() const { return m_user; }
    // True when there is an open session whose rights hold any of the bits.
    bool Allowed(int32_t anyOfRights) const { return m_user != nullptr && m_user->HasAny(anyOfRights); }
    bool LoggedIn() const { return m_user != nullptr; }
    // What the open session keeps between its commands.
    SessionState& State() { return m_state; }

    ServerContext& Server() { return m_server; }
    CInventoryStore& Inventory() { return m_server.inventory; }
    const std::string& Word() const { return m_word; }
    void Log(const std::string& message);

private:
    bool Fail(const std::string& reason);

    CServerSession& m_session;
    ServerContext& m_server;
    const SessionUser* m_user;
    SessionState& m_state;
    std::string m_word;
    int m_connectionId;
    std::string& m_endReason;
};

// A command handler: reads the command's items, carries it out and replies. Returns
// false when the connection must end.
using CommandHandler = bool (*)(CCommandContext& context);

// The handler of a catalogue command word; nullptr for a word the server does not know.
CommandHandler FindCommandHandler(const std::string& word);
