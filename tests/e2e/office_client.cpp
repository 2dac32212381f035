#include "e2e/office_client.h"

#include "net/connect_reporter.h"
#include "net/server_connector.h"
#include "records/admin_child_user.h"

COfficeClient::COfficeClient(int port, const std::string& userId, const std::string& password)
{
    CMessageConnectReporter reporter;
    CServerConnector connector(*this, reporter);
    m_loggedIn = connector.Connect("127.0.0.1", port, userId, password);
    m_refusals = reporter.Messages();
}

COfficeClient::~COfficeClient()
{
    if (IsConnected()) {
        CloseSession();
        Close();
    }
}

std::unique_ptr<COfficeClient> LogInAt(int port, const std::string& userId, const std::string& password)
{
    auto client = std::make_unique<COfficeClient>(port, userId, password);
    EXPECT_TRUE(client->LoggedIn()) << "log-in of '" << userId << "' refused: "
                                    << (client->Refusals().empty() ? "" : client->Refusals().front());
    return client;
}

std::unique_ptr<COfficeClient> InventoryEndToEnd::LogIn(const std::string& userId, const std::string& password)
{
    return LogInAt(Port(), userId, password.empty() ? userId : password);
}

void InventoryEndToEnd::LogOut(std::unique_ptr<COfficeClient>& client, const std::string& userId)
{
    const std::string line = "user '" + userId + "' logged out";
    const int before = m_server.CountLog(line);
    client.reset();
    EXPECT_TRUE(m_server.WaitForLogCount(line, before + 1)) << m_server.Log();
}

std::unique_ptr<COfficeClient> InventoryEndToEnd::LogInChief(COfficeClient& admin)
{
    CAdminChildUser chief;
    chief.name = kChiefName;
    chief.userId = kChiefUserId;
    chief.password = kChiefUserId;
    chief.group = 0;
    chief.inventoryCap = CAdminChildUser::kNoInventoryCap;
    chief.rights = kChiefRights;
    EXPECT_EQ(admin.SetChildUser("", chief, CInventoryServer::modeAdd), 0);
    return LogIn(kChiefUserId);
}
