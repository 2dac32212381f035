#pragma once
// The answer to running a case view: the result columns and the rows in the server's
// order. The number of cases found is the number of rows. Copies own their own entries.

#include "codec/object.h"
#include "records/case_query_data_row.h"
#include "records/case_query_result_col_info.h"
#include "records/owned_objects.h"

class CCaseQueryResults : public CObject {
    ORV_DECLARE_SERIAL(CCaseQueryResults)
public:
    void Serialize(CArchive& ar) override;

    OwnedObjects<CCaseQueryResultColInfo> resultColumns;  // never an empty entry
    OwnedObjects<CCaseQueryDataRow> rows;                 // never an empty entry
};
