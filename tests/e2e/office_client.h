#pragma once
// The office client's command layer logged in to the real inventory-server, and the
// fixture the end-to-end tests share: a server of its own for each test, with the demo
// accounts and inventory, on a free loopback port and with a temporary database.

#include "net/inventory_server.h"
#include "support/server_process.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A CInventoryServer logged in with CServerConnector, as the program logs in. It logs
// out (CLOSESESSION) and closes its socket when it goes.
class COfficeClient : public CInventoryServer {
public:
    COfficeClient(int port, const std::string& userId, const std::string& password);
    ~COfficeClient();
    COfficeClient(const COfficeClient&) = delete;
    COfficeClient& operator=(const COfficeClient&) = delete;

    bool LoggedIn() const { return m_loggedIn; }
    // The refusal texts of the log-in (none when it went well).
    const std::vector<std::string>& Refusals() const { return m_refusals; }

private:
    bool m_loggedIn = false;
    std::vector<std::string> m_refusals;
};

// The demo administrator's name, and a child with every right that the tests add for the
// commands no demo account may use (resetting links, policy detail). It lacks only
// 0x400000, which would limit its attachment commands to archived cases.
inline constexpr const char* kAdminName = "Demo Administrator";
inline constexpr const char* kChiefName = "Chief Examiner";
inline constexpr const char* kChiefUserId = "chief";
inline constexpr int32_t kChiefRights = 0x3FFFFF;

class InventoryEndToEnd : public ::testing::Test {
protected:
    explicit InventoryEndToEnd(std::vector<std::string> options = {"--demo"}) : m_server(std::move(options)) {}

    void SetUp() override { ASSERT_TRUE(m_server.Start()) << m_server.Log(); }

    // Logs a demo user in (the password is the user id unless given); a refused log-in
    // fails the test, and the client then answers LoggedIn() false.
    std::unique_ptr<COfficeClient> LogIn(const std::string& userId, const std::string& password = {});
    // Logs the client out and waits until the server has ended its session, so that
    // the account may log in again at once.
    void LogOut(std::unique_ptr<COfficeClient>& client, const std::string& userId);
    // Adds the child with every right through `admin` (SETCHILDUSER) and logs it in.
    std::unique_ptr<COfficeClient> LogInChief(COfficeClient& admin);

    int Port() const { return m_server.Port(); }

    CServerProcess m_server;
};

// Logs a user in on the given port; a refused log-in fails the test.
std::unique_ptr<COfficeClient> LogInAt(int port, const std::string& userId, const std::string& password);
