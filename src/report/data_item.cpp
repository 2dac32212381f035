#include "report/data_item.h"

#include "codec/archive.h"

void DataItem::Serialize(CArchive& ar)
{
    ar.String(text);
    ar.Int32(bold);
    ar.Int32(alignment);
    ar.Int32(overflow);
}
