#include "report/metafile_data.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CMetafileData, kRecordSchema, true)

void CMetafileData::Serialize(CArchive& ar)
{
    ar.Int32(kind);
    ar.Record(m_bytes);
}
