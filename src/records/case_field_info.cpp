#include "records/case_field_info.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CCaseFieldInfo, kRecordSchema, true)

void CCaseFieldInfo::Serialize(CArchive& ar)
{
    ar.String(label);
    ar.String(token);
    ar.Int32(type);
    ar.Int32(searchable);
}
