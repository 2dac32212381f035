#include "records/ui_dialog.h"

#include "codec/archive.h"
#include "records/record_io.h"

ORV_IMPLEMENT_SERIAL(CUIDialog, kRecordSchema, true)

void CUIDialog::Serialize(CArchive& ar)
{
    SerializeOwnedObjects(ar, controls);
    ar.Int32(width);
    ar.Int32(height);
    ar.String(title);
}
