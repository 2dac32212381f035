#pragma once
// The territory look-up by location: the location asked about, and the region and
// territory the server answers with.

#include "codec/object.h"

#include <string>

class CRegionLocRec : public CObject {
    ORV_DECLARE_SERIAL(CRegionLocRec)
public:
    void Serialize(CArchive& ar) override;

    std::string zip;
    std::string county;
    std::string state;
};

class CRegionTerrRec : public CObject {
    ORV_DECLARE_SERIAL(CRegionTerrRec)
public:
    void Serialize(CArchive& ar) override;

    std::string regionName;
    std::string territoryName;
};
