#pragma once
// Inventories for the server benchmarks: cases like the demo's, and the case view they run.

#include "records/case_query_data.h"

#include <string>

class CInventoryStore;

namespace bench {

// Inserts `count` cases like the demo's (a few hundred insured names, three parents, a
// dozen children) in one transaction; false when a step failed.
bool FillCases(CInventoryStore& inventory, int count);

// A view over all parents with the formula, sorted by due date and insured name, in the
// eight columns of the demo's case list.
CCaseQueryData CaseListView(const std::string& name, const std::string& formula);

}  // namespace bench
