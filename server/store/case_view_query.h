#pragma once
// A case view run for one tree node, as one SELECT over the cases with its values bound
// as parameters. Which cases:
//
//  - the node: the view's scope says what kind of node it runs under. Under a named
//    parent, child, region or territory the view's target field for that kind (the
//    parent, child, region or territory target field; the natural name field when the
//    view names none) must equal the request's target text; under "All ..." every case
//    qualifies, and under "Unassigned" the field must be empty. A scope of several
//    bits is resolved by the target text ("All Parents", "All Children", "All Regions",
//    "Unassigned", else a name) and refused when that leaves more than one reading;
//  - the user: accounts tied to one parent reach only that parent's cases;
//  - the key date: within the view's period, computed from now by the same function
//    the view editor shows it with, whole days from the first to the last;
//  - the view's formula and the search formula, each compiled on its own and joined
//    with AND.
// Sorted by up to three sort keys (texts without regard to ASCII letter case), then by
// case number. The result columns are the case number (the row's key, never shown)
// and then the view's columns.
//
// A definition that cannot be run exactly as it says (a formula that does not compile,
// a token that names no field, a custom period without valid dates) is refused with a
// message saying why, for the server's log.

#include "codec/date_time.h"
#include "records/case_query_data.h"
#include "records/case_query_result_col_info.h"
#include "server/query/compiled_formula.h"
#include "server/session_user.h"
#include "server/store/case_fields.h"

#include <string>
#include <vector>

struct CaseViewQuery {
    std::string sql;
    std::vector<SqlValue> parameters;  // parameters[i] binds to ?(i + 1)
    std::vector<CCaseQueryResultColInfo> columns;
    std::vector<CellFormat> cells;     // one per result column
};

// The header of the key column.
inline constexpr const char* kCaseNumberHeader = "Case Number";

bool BuildCaseViewQuery(const CCaseQueryData& view, const std::string& target, const std::string& searchFormula,
                        const SessionUser& user, const CDateTime& now, CaseViewQuery& query, std::string& error);
