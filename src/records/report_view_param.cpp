#include "records/report_view_param.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CReportViewParam, kRecordSchema, true)

void CReportViewParam::Serialize(CArchive& ar)
{
    ar.Int32(viewId);
    ar.String(name);
}
