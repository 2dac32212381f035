#include "records/orv_report_props.h"

#include "codec/archive.h"
#include "records/record_io.h"

ORV_IMPLEMENT_SERIAL(CORVReportProps, kRecordSchema, true)

void CORVReportProps::Serialize(CArchive& ar)
{
    for (std::string& text : texts)
        ar.String(text);
    for (int32_t& number : numbers)
        ar.Int32(number);
    ar.Record(query);
    ar.ObjectArray(objects);
    SerializeByteBlock(ar, block);
}
