#include "records/case_query_data_row.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CCaseQueryDataRow, kRecordSchema, true)

void CCaseQueryDataRow::Serialize(CArchive& ar)
{
    ar.StringArray(cells);
}

const std::string& CCaseQueryDataRow::Cell(size_t column) const
{
    static const std::string kNone;
    return column < cells.size() ? cells[column] : kNone;
}
