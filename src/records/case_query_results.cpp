#include "records/case_query_results.h"

#include "codec/archive.h"
#include "records/record_io.h"

ORV_IMPLEMENT_SERIAL(CCaseQueryResults, kRecordSchema, true)

void CCaseQueryResults::Serialize(CArchive& ar)
{
    SerializeOwnedObjects(ar, resultColumns);
    SerializeOwnedObjects(ar, rows);
}
