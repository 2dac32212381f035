#include "records/region_loc_rec.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CRegionLocRec, kRecordSchema, true)
ORV_IMPLEMENT_SERIAL(CRegionTerrRec, kRecordSchema, true)

void CRegionLocRec::Serialize(CArchive& ar)
{
    ar.String(zip);
    ar.String(county);
    ar.String(state);
}

void CRegionTerrRec::Serialize(CArchive& ar)
{
    ar.String(regionName);
    ar.String(territoryName);
}
