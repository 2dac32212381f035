#include "records/orv_event.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CORVEvent, kEventSchema, true)
ORV_IMPLEMENT_SERIAL(CORVWatchEvent, kEventSchema, true)
ORV_IMPLEMENT_SERIAL(CORVEventTrigger, kEventSchema, true)
ORV_IMPLEMENT_SERIAL(CORVWatchTrigger, kEventSchema, true)

void CORVEvent::Serialize(CArchive& ar)
{
    ar.Int32(opaqueInt1);
}

void CORVWatchEvent::Serialize(CArchive& ar)
{
    CORVEvent::Serialize(ar);
    ar.String(opaqueText);
    ar.Int32(opaqueInt2);
    ar.ObjectArray(objects);
}

void CORVEventTrigger::Serialize(CArchive& ar)
{
    ar.Int32(opaqueInt1);
}

void CORVWatchTrigger::Serialize(CArchive& ar)
{
    CORVEventTrigger::Serialize(ar);
    ar.Int32(opaqueInt2);
    ar.Int32(opaqueInt3);
}
