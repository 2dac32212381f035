#include "records/multi_billing_entry.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CMultiBillingEntry, kRecordSchema, true)

void CMultiBillingEntry::Serialize(CArchive& ar)
{
    ar.Record(entry);
    ar.Int32(opaqueInt1);
    ar.Int32(opaqueInt2);
    ar.Int32(opaqueInt3);
    ar.String(opaqueText1);
    ar.String(opaqueText2);
}
