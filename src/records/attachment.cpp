#include "records/attachment.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CAttachment, kRecordSchema, true)

void CAttachment::Serialize(CArchive& ar)
{
    ar.Int32(attachmentId);
    ar.Int32(opaqueInt);
    ar.String(name);
    ar.String(kind);
    ar.String(fileName);
    ar.Bool32(printable);
    ar.Bool32(toBePrinted);
    ar.Bool32(isDefault);
}
