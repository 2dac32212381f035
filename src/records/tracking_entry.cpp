#include "records/tracking_entry.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CTrackingEntry, kRecordSchema, true)

void CTrackingEntry::Serialize(CArchive& ar)
{
    ar.String(childName);
    ar.String(groupName);
    ar.String(assignor);
    ar.String(status);
    ar.DateTime(dateAssigned);
    ar.DateTime(opaqueDate1);
    ar.DateTime(opaqueDate2);
}
