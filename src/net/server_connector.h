#pragma once
// The log-in sequence: connect, CREATESESSION (following the server's redirects to
// another server), OPENSESSION. Every refusal on the way is reported once through a
// CConnectReporter, with the texts below, and leaves the socket closed.
//
// A server answers CREATESESSION with -9 to send the client elsewhere: a line with the
// new host and an integer line with the new port follow. The client closes, connects
// there and starts over. At most kMaxRedirects redirects are followed in one log-in, so
// that servers that send the client round in a circle end in a refusal rather than an
// endless loop. The caller's host and port stay what they were; Host() and Port() tell
// where the log-in ended.

#include "net/connect_reporter.h"
#include "net/server_session.h"

#include <cstdint>
#include <string>

class CServerConnector {
public:
    // CREATESESSION results the log-in tells apart (1, enciphered, arrives here as 0).
    static constexpr int kSessionCreated = 0;
    static constexpr int kIncompatibleClient = -8;
    static constexpr int kRedirect = -9;
    // OPENSESSION results.
    static constexpr int kSessionOpen = 0;
    static constexpr int kUserNotFound = -2;
    static constexpr int kWrongPassword = -3;
    static constexpr int kAccountInUse = -4;

    static constexpr int kMaxRedirects = 4;
    static constexpr int kRedirectHostBuffer = 255;  // the host line, CR LF included
    static constexpr int kRedirectHostTimeout = 120;

    static constexpr const char* kConnectFailedText = "Error connecting to server";
    static constexpr const char* kIncompatibleText = "The server is not compatible with this client version";
    static constexpr const char* kCreateFailedText = "Error creating session";
    static constexpr const char* kUserNotFoundText = "Error opening session: UserID not found";
    static constexpr const char* kWrongPasswordText = "Error opening session: Incorrect password";
    static constexpr const char* kAccountInUseText = "Error opening session: Account currently in use";
    static constexpr const char* kOpenFailedText = "Error opening session: Server error";

    CServerConnector(CServerSession& session, CConnectReporter& reporter)
        : m_session(session), m_reporter(reporter)
    {
    }

    // True when connected with the session open. Otherwise one refusal has been
    // reported and the socket is closed (unless the session was connected already on
    // entry: that connection is left alone).
    bool Connect(const std::string& host, int port, const std::string& userId, const std::string& password);

    // Where the last Connect went in the end, and how many redirects took it there.
    const std::string& Host() const { return m_host; }
    int Port() const { return m_port; }
    int Redirects() const { return m_redirects; }

    // The refusal text of a CREATESESSION or OPENSESSION result (-10 included: the
    // exchange broke down). Results that are no refusal give nullptr.
    static const char* CreateSessionText(int result);
    static const char* OpenSessionText(int result);

private:
    // Reads the new host and port after a -9. False when they did not arrive whole.
    bool ReadRedirect(std::string& host, int& port);
    bool Refuse(const char* text, bool close);

    CServerSession& m_session;
    CConnectReporter& m_reporter;
    std::string m_host;
    int m_port = 0;
    int m_redirects = 0;
};
