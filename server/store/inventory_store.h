#pragma once
// Every store of the inventory over the one database, and the server-wide settings:
// the names of the 32 user flags and the due-date defaults of cases without a parent.

#include "server/database.h"
#include "server/store/account_admin_store.h"
#include "server/store/case_query_store.h"
#include "server/store/case_store.h"
#include "server/store/detail_store.h"
#include "server/store/geo_store.h"
#include "server/store/view_store.h"

#include <string>
#include <vector>

class CInventoryStore {
public:
    static constexpr int kDefaultMasterDueDays = 30;
    static constexpr int kDefaultAuditorDueDays = 21;

    CInventoryStore(CDatabase& database, int hashIterations)
        : database(database), cases(database), details(database, cases), accounts(database, hashIterations),
          geo(database), views(database), queries(database, views)
    {
    }
    CInventoryStore(const CInventoryStore&) = delete;
    CInventoryStore& operator=(const CInventoryStore&) = delete;

    // A setting's text, or the fallback when it was never set.
    std::string Setting(const std::string& key, const std::string& fallback);
    bool SetSetting(const std::string& key, const std::string& value);

    // "Flag 1" ... "Flag 32" unless named (settings "UserFlag1" ... "UserFlag32").
    std::vector<std::string> FlagNames();
    int DefaultMasterDueDays();   // setting "MasterDueDays"
    int DefaultAuditorDueDays();  // setting "AuditorDueDays"

    CDatabase& database;
    CCaseStore cases;
    CDetailStore details;
    CAccountAdminStore accounts;
    CGeoStore geo;
    CViewStore views;
    CCaseQueryStore queries;
};
