#include "records/report_prop_item.h"

#include "codec/archive.h"
#include "records/record_io.h"

ORV_IMPLEMENT_SERIAL(CReportPropItem, kRecordSchema, true)

void CReportPropItem::Serialize(CArchive& ar)
{
    ar.String(name);
    ar.String(reportFile);
    SerializeByteBlock(ar, settings);
}
