#include "records/file_info.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CFileInfo, kRecordSchema, true)

void CFileInfo::Serialize(CArchive& ar)
{
    ar.String(name);
    ar.DateTime(date);
    ar.Int32(opaqueInt1);
    ar.Int32(opaqueInt2);
}
