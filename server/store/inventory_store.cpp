#include "server/store/inventory_store.h"

#include <cstdlib>

std::string CInventoryStore::Setting(const std::string& key, const std::string& fallback)
{
    CReadTransaction read(database);
    CCachedStatement select = database.Prepare("SELECT Value FROM Settings WHERE Key = ?;");
    select->BindText(1, key);
    return select->Step() ? select->ColumnText(0) : fallback;
}

bool CInventoryStore::SetSetting(const std::string& key, const std::string& value)
{
    CCachedStatement insert = database.Prepare(
        "INSERT INTO Settings (Key, Value) VALUES (?, ?) ON CONFLICT (Key) DO UPDATE SET Value = excluded.Value;");
    insert->BindText(1, key);
    insert->BindText(2, value);
    insert->Step();
    return insert->Done();
}

std::vector<std::string> CInventoryStore::FlagNames()
{
    std::vector<std::string> names;
    for (int i = 1; i <= 32; ++i)
        names.push_back(Setting("UserFlag" + std::to_string(i), "Flag " + std::to_string(i)));
    return names;
}

int CInventoryStore::DefaultMasterDueDays()
{
    return std::atoi(Setting("MasterDueDays", std::to_string(kDefaultMasterDueDays)).c_str());
}

int CInventoryStore::DefaultAuditorDueDays()
{
    return std::atoi(Setting("AuditorDueDays", std::to_string(kDefaultAuditorDueDays)).c_str());
}
