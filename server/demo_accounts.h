#pragma once
// The demo accounts that --demo adds, each with its user id as its password, and the
// demo inventory around them. Accounts that already exist are left as they are, and the
// inventory is seeded only into a database that has no cases and no regions yet.

#include "server/account_store.h"
#include "server/server_log.h"
#include "server/store/inventory_store.h"

#include <string>
#include <vector>

struct DemoAccount {
    AccountInfo account;
    const char* password;
};

const std::vector<DemoAccount>& DemoAccounts();

// Adds the demo accounts that are missing; returns how many were added.
int SeedDemoAccounts(CAccountStore& accounts, int hashIterations, CServerLog& log);

// Fills an empty inventory with the demo data (see README.md); returns the number of
// cases created, 0 when the inventory was not empty.
int SeedDemoInventory(CInventoryStore& inventory, CServerLog& log);

// Gives every demo account without case views the views of the nodes its tree shows
// (see README.md); returns how many views were stored. Part of the demo inventory.
int SeedDemoCaseViews(CInventoryStore& inventory);

// Gives every demo account without report views the demo report views (see README.md);
// returns how many were stored. Part of the demo inventory.
int SeedDemoReportViews(CInventoryStore& inventory);

// The audit or survey document of a demo case's attachment: a survey for a case of the
// policy type "Survey", an audit otherwise.
std::string DemoAttachmentDocument(const CAuditCase& record);
