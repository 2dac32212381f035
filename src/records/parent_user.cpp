#include "records/parent_user.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CParentUser, kRecordSchema, true)

void CParentUser::Serialize(CArchive& ar)
{
    ar.String(name);
    ar.Int32(masterDueDays);
    ar.Int32(auditorDueDays);
    ar.String(parentText);
}
