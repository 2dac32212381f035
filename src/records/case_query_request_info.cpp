#include "records/case_query_request_info.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CCaseQueryRequestInfo, kRecordSchema, true)

void CCaseQueryRequestInfo::Serialize(CArchive& ar)
{
    ar.Int32(viewId);
    ar.String(target);
    ar.String(searchFormula);
}
