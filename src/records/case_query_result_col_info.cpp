#include "records/case_query_result_col_info.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CCaseQueryResultColInfo, kRecordSchema, true)

void CCaseQueryResultColInfo::Serialize(CArchive& ar)
{
    ar.String(header);
    ar.Int32(width);
    ar.Int32(alignment);
    ar.Int32(columnKind);
}
