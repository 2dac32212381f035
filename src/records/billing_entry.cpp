#include "records/billing_entry.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CBillingEntry, kRecordSchema, true)

void CBillingEntry::Serialize(CArchive& ar)
{
    ar.Int32(entryId);
    ar.Int32(opaqueInt1);
    ar.Int32(opaqueInt2);
    ar.String(parentName);
    ar.String(childName);
    ar.Double(billedHours);
    ar.Double(discountPercent);
    ar.Double(billedAmount);
    ar.Int32(kind);
    ar.Double(firstHourRate);
    ar.Double(additionalHoursRate);
    ar.DateTime(billingDate);
    ar.String(memo);
}
