#include "report/header_item.h"

#include "codec/archive.h"

void HeaderItem::Serialize(CArchive& ar)
{
    ar.String(label);
    ar.Int32(width);
    ar.Int32(alignment);
    ar.Int32(rightEdge);
    ar.Int32(style);
}
