#pragma once
// A territory with the postal codes and counties that place cases in it.

#include "codec/object.h"

#include <cstdint>
#include <string>
#include <vector>

class CAdminTerritory : public CObject {
    ORV_DECLARE_SERIAL(CAdminTerritory)
public:
    void Serialize(CArchive& ar) override;

    std::string regionName;
    std::string territoryName;  // at most 50 characters
    int32_t billingCode = 0;    // 0 to 5
    std::vector<std::string> zipCodes;
    std::vector<std::string> counties;
    std::vector<std::string> countyStates;  // entry i is the state of county i
};
