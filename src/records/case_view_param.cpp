#include "records/case_view_param.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CCaseViewParam, kRecordSchema, true)

void CCaseViewParam::Serialize(CArchive& ar)
{
    ar.Int32(viewId);
    ar.String(name);
    ar.Int32(scope);
    ar.Int32(viewType);
}
