#pragma once
// The client's side of the catalogue commands for end-to-end tests of the server: each
// call sends the command word and its items exactly as the office client does, and
// reads the reply items. Built on CServerSession's item operations alone.

#include "codec/object.h"
#include "net/server_session.h"
#include "support/log_in.h"
#include "support/server_process.h"

#include <cstdint>
#include <string>
#include <vector>

// A status that no reply carries: the exchange itself failed.
inline constexpr int kExchangeBroke = -1000;

class CCommandClient {
public:
    // Registers the record classes, so that tagged records in replies load.
    CCommandClient();

    // Logs in to the server; false when refused.
    bool LogIn(int port, const std::string& userId, const std::string& password);
    CServerSession& Session() { return m_session; }

    // --- The items of one command --------------------------------------------------
    bool Command(const std::string& word) { return m_session.SendCommand(word) > 0; }
    bool Text(const std::string& text) { return m_session.SendString(text); }
    bool Int(int32_t value) { return m_session.SendInt(value) > 0; }
    bool Record(CObject& record) { return m_session.SendObject(record); }
    bool Ids(const std::vector<std::string>& caseNumbers);
    // Reads a status line; kExchangeBroke when none came.
    int Status();
    bool Reply(CObject& record) { return m_session.ReceiveObject(record, 30); }
    bool ReplyText(std::string& text) { return m_session.ReceiveString(text, 30); }

    // --- Whole commands ------------------------------------------------------------
    bool GetCase(const std::string& number, CObject& record);
    int SetCase(const std::string& number, CObject& record);
    std::string CreateCase(CObject& record);
    int DeleteCases(const std::vector<std::string>& numbers);
    // A text argument, then a record reply.
    bool GetByText(const std::string& word, const std::string& text, CObject& reply);
    // A text, a record and a mode, then a status.
    int SetWithMode(const std::string& word, const std::string& text, CObject& record, int32_t mode);

    // True when the connection still answers in step: GETCITYSTATEFROMZIP for a zip
    // code nobody has returns an empty list.
    bool InStep();

private:
    CServerSession m_session;
};

// A server for the tests: the demo accounts and inventory, cheap hashing.
struct DemoServer {
    DemoServer() : server({"--demo"}) {}
    explicit DemoServer(std::vector<std::string> options, std::string database = {})
        : server(std::move(options), std::move(database))
    {
    }
    CServerProcess server;
};

// A record's archive bytes, for comparing whole records.
std::string RecordBytes(CObject& record);

// Adds a child account through SETCHILDUSER as the logged-in client; returns the status.
int AddChild(CCommandClient& client, const std::string& name, const std::string& loginId,
             const std::string& password, int32_t group, int32_t rights);

// Every right there is.
inline constexpr int32_t kAllRights = 0x7FFFFF;
