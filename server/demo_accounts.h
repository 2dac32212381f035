#pragma once
// The demo accounts that --demo adds, each with its user id as its password. Accounts
// that already exist are left as they are.

#include "server/account_store.h"
#include "server/server_log.h"

#include <vector>

struct DemoAccount {
    AccountInfo account;
    const char* password;
};

const std::vector<DemoAccount>& DemoAccounts();

// Adds the demo accounts that are missing; returns how many were added.
int SeedDemoAccounts(CAccountStore& accounts, int hashIterations, CServerLog& log);
