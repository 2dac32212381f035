#include "records/admin_territory.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CAdminTerritory, kRecordSchema, true)

void CAdminTerritory::Serialize(CArchive& ar)
{
    ar.String(regionName);
    ar.String(territoryName);
    ar.Int32(billingCode);
    ar.StringArray(zipCodes);
    ar.StringArray(counties);
    ar.StringArray(countyStates);
}
