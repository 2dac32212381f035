#include "records/progress_rpt_entry.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CProgressRptEntry, kRecordSchema, true)

void CProgressRptEntry::Serialize(CArchive& ar)
{
    ar.Int32(entryId);
    ar.DateTime(entryDate);
    ar.String(enteredBy);
    ar.String(comment);
    ar.Bool32(internal);
    ar.Bool32(linked);
    ar.Int32(opaqueInt);
}
