#pragma once
// Inventories for the server benchmarks: cases like the demo's, and view columns.

#include "records/case_query_col_info.h"

#include <memory>

class CInventoryStore;

namespace bench {

// Inserts `count` cases like the demo's (a few hundred insured names, three parents, a
// dozen children) in one transaction; false when a step failed.
bool FillCases(CInventoryStore& inventory, int count);

// A view column of the field token, header and width.
std::shared_ptr<CCaseQueryColInfo> Column(const char* token, const char* header, int32_t width);

}  // namespace bench
