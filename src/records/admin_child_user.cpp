#include "records/admin_child_user.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CAdminChildUser, kRecordSchema, true)

void CAdminChildUser::Serialize(CArchive& ar)
{
    ar.Int32(recordNumber);
    ar.Int32(group);
    ar.Int32(inventoryCap);
    ar.Int32(rights);
    ar.Int32(fifthInt);
    ar.Bool32(autoFlagEnabled);
    ar.Bool32(autoFlag);
    ar.DateTime(date);
    ar.String(userId);
    ar.String(name);                  // 10
    ar.String(password);
    ar.String(notes);
    ar.String(address1);
    ar.String(address2);
    ar.String(city);                  // 15
    ar.String(state);
    ar.String(zip);
    ar.String(phone);
    ar.String(fax);
    ar.String(email);                 // 20
    ar.String(groupDetail);
    ar.Bool32(hidden);
    ar.RecordArray(criteria);
}
