#pragma once
// What the "Territory" dialog edits: the territory record and, for the duplicate check
// on OK, the region's other territories.

#include "admin/geo_names.h"
#include "records/admin_territory.h"

#include <optional>
#include <string>
#include <vector>

class CTerritorySheetState {
public:
    CTerritorySheetState(CAdminTerritory territory, std::vector<std::string> territoryList)
        : m_territory(std::move(territory)), m_list(std::move(territoryList)), m_originalName(m_territory.territoryName)
    {
    }

    CAdminTerritory& Territory() { return m_territory; }
    const CAdminTerritory& Territory() const { return m_territory; }
    // Empty when adding.
    const std::string& OriginalName() const { return m_originalName; }

    // The checks of OK: the name's refusal, or a billing code outside 0 to 5.
    std::optional<std::string> Check() const
    {
        if (auto refusal = CheckTerritoryName(m_territory.regionName, m_territory.territoryName, m_originalName, m_list))
            return refusal;
        if (m_territory.billingCode < 0 || m_territory.billingCode > kMaxBillingCode)
            return std::string("Please enter an integer between 0 and 5.");
        return std::nullopt;
    }

private:
    CAdminTerritory m_territory;
    std::vector<std::string> m_list;
    std::string m_originalName;
};
