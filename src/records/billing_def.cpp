#include "records/billing_def.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CBillingDef, kRecordSchema, true)

void CBillingDef::Serialize(CArchive& ar)
{
    ar.Int32(opaqueInt1);
    ar.Int32(opaqueInt2);
    ar.Double(billedHours);
    ar.Double(opaqueAmount);
    ar.Int32(hourly);
    ar.Double(firstAmount);
    ar.Double(additionalHoursRate);
    ar.String(description);
    ar.Int32(auditSource);
    ar.Int32(auditType);
    ar.String(policyType);
    ar.Int32(policyCode);
    ar.Int32(nonProductive);
}
