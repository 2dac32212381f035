#include "records/admin_region.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CAdminRegion, kRecordSchema, true)

void CAdminRegion::Serialize(CArchive& ar)
{
    ar.String(name);
}
