#include "server/store/geo_store.h"

#include "server/store/account_admin_store.h"
#include "server/store/status.h"

namespace {

bool WritePlaces(CDatabase& db, int64_t territoryId, const CAdminTerritory& territory)
{
    for (const char* sql : {"DELETE FROM TerritoryZips WHERE TerritoryID = ?;",
                            "DELETE FROM TerritoryCounties WHERE TerritoryID = ?;"}) {
        CCachedStatement clear = db.Prepare(sql);
        clear->BindInt(1, territoryId);
        clear->Step();
        if (!clear->Done())
            return false;
    }
    CCachedStatement zip = db.Prepare("INSERT INTO TerritoryZips (TerritoryID, Position, Zip) VALUES (?, ?, ?);");
    for (size_t i = 0; i < territory.zipCodes.size(); ++i) {
        zip->Reset();
        zip->BindInt(1, territoryId);
        zip->BindInt(2, static_cast<int64_t>(i));
        zip->BindText(3, territory.zipCodes[i]);
        zip->Step();
        if (!zip->Done())
            return false;
    }
    CCachedStatement county = db.Prepare(
        "INSERT INTO TerritoryCounties (TerritoryID, Position, County, State) VALUES (?, ?, ?, ?);");
    for (size_t i = 0; i < territory.counties.size(); ++i) {
        county->Reset();
        county->BindInt(1, territoryId);
        county->BindInt(2, static_cast<int64_t>(i));
        county->BindText(3, territory.counties[i]);
        county->BindText(4, territory.countyStates[i]);
        county->Step();
        if (!county->Done())
            return false;
    }
    return true;
}

}  // namespace

int CGeoStore::SetRegion(const std::string& name, const CAdminRegion& region, int mode)
{
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    switch (mode) {
    case Mode::add:
        if (region.name.empty() || AnyRowWithTexts(m_db, "SELECT 1 FROM Regions WHERE Name = ?;", {region.name}))
            return Status::failed;
        if (!RunWithTexts(m_db, "INSERT INTO Regions (Name) VALUES (?);", {region.name}))
            return Status::failed;
        break;
    case Mode::change:
        if (region.name.empty() || !AnyRowWithTexts(m_db, "SELECT 1 FROM Regions WHERE Name = ?;", {name}))
            return Status::failed;
        if (region.name == name)
            return Status::ok;
        if (AnyRowWithTexts(m_db, "SELECT 1 FROM Regions WHERE Name = ?;", {region.name}))
            return Status::failed;
        if (!RunWithTexts(m_db, "UPDATE Regions SET Name = ? WHERE Name = ?;", {region.name, name}) ||
            !RunWithTexts(m_db, "UPDATE Cases SET RegionName = ? WHERE RegionName = ?;", {region.name, name}) ||
            !RunWithTexts(m_db, "UPDATE AssignCriteria SET Value1 = ? WHERE Category = 'Territory' AND Value1 = ?;",
                      {region.name, name}))
            return Status::failed;
        break;
    case Mode::remove:
        if (!AnyRowWithTexts(m_db, "SELECT 1 FROM Regions WHERE Name = ?;", {name}))
            return Status::failed;
        if (AnyRowWithTexts(m_db, "SELECT 1 FROM Cases WHERE RegionName = ? LIMIT 1;", {name}) ||
            AnyRowWithTexts(m_db, "SELECT 1 FROM AssignCriteria WHERE Category = 'Territory' AND Value1 = ? LIMIT 1;",
                   {name}))
            return Status::linked;
        if (!RunWithTexts(m_db, "DELETE FROM Regions WHERE Name = ?;", {name}))
            return Status::failed;
        break;
    default:
        return Status::failed;
    }
    return transaction.Commit() ? Status::ok : Status::failed;
}

int CGeoStore::SetTerritory(const std::string& name, const CAdminTerritory& territory, int mode)
{
    if (mode != Mode::add && mode != Mode::change && mode != Mode::remove)
        return Status::failed;
    if (mode != Mode::remove &&
        (territory.territoryName.empty() || territory.counties.size() != territory.countyStates.size() ||
         territory.zipCodes.size() > kMaxTerritoryPlaces || territory.counties.size() > kMaxTerritoryPlaces))
        return Status::failed;
    CTransaction transaction(m_db);
    if (!transaction.IsOpen())
        return Status::failed;
    CCachedStatement region = m_db.Prepare("SELECT RegionID FROM Regions WHERE Name = ?;");
    region->BindText(1, territory.regionName);
    if (!region->Step())
        return Status::failed;
    const int64_t regionId = region->ColumnInt(0);

    auto find = [&](const std::string& territoryName, int64_t& id) {
        CCachedStatement select = m_db.Prepare("SELECT TerritoryID FROM Territories WHERE RegionID = ? AND Name = ?;");
        select->BindInt(1, regionId);
        select->BindText(2, territoryName);
        if (!select->Step())
            return false;
        id = select->ColumnInt(0);
        return true;
    };
    int64_t id = 0;
    int64_t other = 0;
    switch (mode) {
    case Mode::add: {
        if (find(territory.territoryName, other))
            return Status::failed;
        CCachedStatement insert =
            m_db.Prepare("INSERT INTO Territories (RegionID, Name, BillingCode) VALUES (?, ?, ?);");
        insert->BindInt(1, regionId);
        insert->BindText(2, territory.territoryName);
        insert->BindInt(3, territory.billingCode);
        insert->Step();
        if (!insert->Done() || !WritePlaces(m_db, m_db.LastInsertId(), territory))
            return Status::failed;
        break;
    }
    case Mode::change: {
        if (!find(name, id) || (find(territory.territoryName, other) && other != id))
            return Status::failed;
        CCachedStatement update = m_db.Prepare("UPDATE Territories SET Name = ?, BillingCode = ? WHERE TerritoryID = ?;");
        update->BindText(1, territory.territoryName);
        update->BindInt(2, territory.billingCode);
        update->BindInt(3, id);
        update->Step();
        if (!update->Done() || !WritePlaces(m_db, id, territory))
            return Status::failed;
        if (territory.territoryName != name &&
            (!RunWithTexts(m_db, "UPDATE Cases SET TerritoryName = ? WHERE RegionName = ? AND TerritoryName = ?;",
                       {territory.territoryName, territory.regionName, name}) ||
             !RunWithTexts(m_db,
                       "UPDATE AssignCriteria SET Value2 = ? WHERE Category = 'Territory' AND Value1 = ?"
                       " AND Value2 = ?;",
                       {territory.territoryName, territory.regionName, name})))
            return Status::failed;
        break;
    }
    case Mode::remove: {
        if (!find(name, id))
            return Status::failed;
        if (AnyRowWithTexts(m_db, "SELECT 1 FROM Cases WHERE RegionName = ? AND TerritoryName = ? LIMIT 1;",
                   {territory.regionName, name}) ||
            AnyRowWithTexts(m_db,
                   "SELECT 1 FROM AssignCriteria WHERE Category = 'Territory' AND Value1 = ? AND Value2 = ? LIMIT 1;",
                   {territory.regionName, name}))
            return Status::linked;
        CCachedStatement remove = m_db.Prepare("DELETE FROM Territories WHERE TerritoryID = ?;");
        remove->BindInt(1, id);
        remove->Step();
        if (!remove->Done())
            return Status::failed;
        break;
    }
    }
    return transaction.Commit() ? Status::ok : Status::failed;
}

bool CGeoStore::GetTerritory(CAdminTerritory& territory)
{
    CReadTransaction read(m_db);
    CCachedStatement select = m_db.Prepare(
        "SELECT t.TerritoryID, t.BillingCode FROM Territories t JOIN Regions r ON r.RegionID = t.RegionID"
        " WHERE r.Name = ? AND t.Name = ?;");
    select->BindText(1, territory.regionName);
    select->BindText(2, territory.territoryName);
    if (!select->Step())
        return false;
    const int64_t id = select->ColumnInt(0);
    territory.billingCode = static_cast<int32_t>(select->ColumnInt(1));
    territory.zipCodes.clear();
    territory.counties.clear();
    territory.countyStates.clear();
    CCachedStatement zips = m_db.Prepare("SELECT Zip FROM TerritoryZips WHERE TerritoryID = ? ORDER BY Position;");
    zips->BindInt(1, id);
    while (zips->Step())
        territory.zipCodes.push_back(zips->ColumnText(0));
    CCachedStatement counties =
        m_db.Prepare("SELECT County, State FROM TerritoryCounties WHERE TerritoryID = ? ORDER BY Position;");
    counties->BindInt(1, id);
    while (counties->Step()) {
        territory.counties.push_back(counties->ColumnText(0));
        territory.countyStates.push_back(counties->ColumnText(1));
    }
    return true;
}

void CGeoStore::TerritoryOf(const CRegionLocRec& location, CRegionTerrRec& answer)
{
    CReadTransaction read(m_db);
    answer.regionName.clear();
    answer.territoryName.clear();
    auto take = [&](CStatement& select) {
        if (!select.Step())
            return false;
        answer.regionName = select.ColumnText(0);
        answer.territoryName = select.ColumnText(1);
        return true;
    };
    for (const std::string& zip : {location.zip, location.zip.substr(0, 5)}) {
        if (zip.empty())
            continue;
        CCachedStatement byZip = m_db.Prepare(
            "SELECT r.Name, t.Name FROM TerritoryZips z JOIN Territories t ON t.TerritoryID = z.TerritoryID"
            " JOIN Regions r ON r.RegionID = t.RegionID WHERE z.Zip = ? ORDER BY r.Name, t.Name LIMIT 1;");
        byZip->BindText(1, zip);
        if (take(*byZip))
            return;
    }
    if (location.county.empty())
        return;
    CCachedStatement byCounty = m_db.Prepare(
        "SELECT r.Name, t.Name FROM TerritoryCounties c JOIN Territories t ON t.TerritoryID = c.TerritoryID"
        " JOIN Regions r ON r.RegionID = t.RegionID"
        " WHERE c.County = ? COLLATE NOCASE AND c.State = ? COLLATE NOCASE ORDER BY r.Name, t.Name LIMIT 1;");
    byCounty->BindText(1, location.county);
    byCounty->BindText(2, location.state);
    take(*byCounty);
}

bool CGeoStore::CityStateOf(const std::string& zip, std::string& city, std::string& state)
{
    CReadTransaction read(m_db);
    for (const std::string& key : {zip, zip.substr(0, 5)}) {
        CCachedStatement select = m_db.Prepare("SELECT City, State FROM ZipCodes WHERE Zip = ?;");
        select->BindText(1, key);
        if (select->Step()) {
            city = select->ColumnText(0);
            state = select->ColumnText(1);
            return true;
        }
    }
    return false;
}

bool CGeoStore::AddZipCode(const std::string& zip, const std::string& city, const std::string& state,
                           const std::string& county)
{
    return RunWithTexts(m_db,
                        "INSERT INTO ZipCodes (Zip, City, State, County) VALUES (?, ?, ?, ?) ON CONFLICT (Zip)"
                        " DO UPDATE SET City = excluded.City, State = excluded.State, County = excluded.County;",
                        {zip, city, state, county});
}

std::vector<std::string> CGeoStore::RegionNames()
{
    CReadTransaction read(m_db);
    CCachedStatement select = m_db.Prepare("SELECT Name FROM Regions ORDER BY Name;");
    std::vector<std::string> names;
    while (select->Step())
        names.push_back(select->ColumnText(0));
    return names;
}

std::vector<std::string> CGeoStore::TerritoryEntries()
{
    CReadTransaction read(m_db);
    CCachedStatement select = m_db.Prepare(
        "SELECT r.Name, t.Name FROM Territories t JOIN Regions r ON r.RegionID = t.RegionID ORDER BY r.Name, t.Name;");
    std::vector<std::string> entries;
    while (select->Step())
        entries.push_back(select->ColumnText(0) + "::" + select->ColumnText(1));
    return entries;
}
