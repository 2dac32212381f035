#include "codec/string_object.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CStringObject, kRecordSchema, true)

void CStringObject::Serialize(CArchive& ar)
{
    ar.String(m_text);
}
