#include "records/case_schedule_info.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CCaseScheduleInfo, kRecordSchema, true)

void CCaseScheduleInfo::Serialize(CArchive& ar)
{
    ar.Int32(dateOnly);
    ar.DateTime(scheduledStart);
    ar.DateTime(scheduledEnd);
}
