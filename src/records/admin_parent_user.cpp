#include "records/admin_parent_user.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CAdminParentUser, kRecordSchema, true)

void CAdminParentUser::Serialize(CArchive& ar)
{
    ar.Int32(recordNumber);
    ar.Int32(masterDueDays);
    ar.Int32(auditDueDays);
    ar.Int32(copies);
    ar.String(type);
    ar.String(notes);
    ar.String(name);
    ar.String(contact);
    ar.String(address1);
    ar.String(address2);              // 10
    ar.String(city);
    ar.String(state);
    ar.String(zip);
    ar.String(phone);
    ar.String(fax);                   // 15
    ar.String(email);
    ar.String(connectionUserId);
    ar.String(connectionPassword);
    ar.String(reservedText);
    ar.String(hostName);              // 20
    ar.String(connectionKind);
    ar.Int32(reservedZero);
    ar.Int32(reservedOne);
    ar.DateTime(date);
    ar.Bool32(useBilling);            // 25
    for (int32_t& mode : chargeModes)  // 26 to 31
        ar.Int32(mode);
    for (ChargeRate& rate : chargeRates) {  // 32 to 43
        ar.Double(rate.first);
        ar.Double(rate.additional);
    }
    for (Discount& discount : discounts) {  // 44 to 49
        ar.Double(discount.days);
        ar.Double(discount.percent);
    }
    for (int32_t& step : routingOrder)  // 50 to 56
        ar.Int32(step);
    ar.Int32(accountNumber);
    ar.Bool32(hidden);
}
