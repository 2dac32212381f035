#include "records/case_query_col_info.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CCaseQueryColInfo, CCaseQueryColInfo::kSchema, false)

void CCaseQueryColInfo::Serialize(CArchive& ar)
{
    ar.String(fieldToken);
    ar.String(header);
    ar.Int32(width);
    ar.Int32(alignment);
}
