#include "report/data_items.h"

#include "codec/archive.h"

void DataItems::Serialize(CArchive& ar)
{
    ar.RecordArray(cells);
}
