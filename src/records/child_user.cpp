#include "records/child_user.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CChildUser, kRecordSchema, true)

void CChildUser::Serialize(CArchive& ar)
{
    ar.String(name);
    ar.Int32(group);
    ar.String(loginId);
}
