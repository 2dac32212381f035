#pragma once
// Regions, their territories with the zip codes and counties that place cases in them,
// and the zip code table that gives a zip's city, state and county.

#include "records/admin_region.h"
#include "records/admin_territory.h"
#include "records/region_loc_rec.h"
#include "server/database.h"

#include <string>
#include <vector>

inline constexpr size_t kMaxTerritoryPlaces = 100000;  // zip codes, and counties, of one territory

class CGeoStore {
public:
    explicit CGeoStore(CDatabase& database) : m_db(database) {}

    // Add (`name` empty, the record names the region), rename the region called `name`
    // to the record's name, or remove it with its territories. Status codes; removing a
    // region that cases or assignment criteria name gives Status::linked.
    int SetRegion(const std::string& name, const CAdminRegion& region, int mode);
    // Add to the record's region (`name` empty), change the territory called `name` in
    // the record's region, or remove it. Status codes as for regions.
    int SetTerritory(const std::string& name, const CAdminTerritory& territory, int mode);
    // Fills the territory named by the record's region and territory names.
    bool GetTerritory(CAdminTerritory& territory);

    // The territory of a location: by its zip code (the whole code, then its first five
    // characters), else by county and state (letter case ignored). Both texts stay
    // empty when no territory holds the place.
    void TerritoryOf(const CRegionLocRec& location, CRegionTerrRec& answer);
    // City and state of a zip code (the whole code, then its first five characters).
    bool CityStateOf(const std::string& zip, std::string& city, std::string& state);
    bool AddZipCode(const std::string& zip, const std::string& city, const std::string& state,
                    const std::string& county);

    // Region names, and "region::territory" entries, in name order.
    std::vector<std::string> RegionNames();
    std::vector<std::string> TerritoryEntries();

private:
    CDatabase& m_db;
};
