#pragma once
// Look-ups in the user's list of case views and in a user's set of view definitions.
// Names compare exactly; the first match wins.

#include "records/case_query_data.h"
#include "records/case_view_param.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The identifier sent when a view is not in the list; the server decides what follows.
inline constexpr int32_t kUnknownViewId = -1;

// The view run or edited from a node: equal name and a scope equal to the node's kind.
// A view whose scope has more bits is listed under the node but not found here.
const CCaseViewParam* FindCaseView(const std::vector<CCaseViewParam>& views, std::string_view name,
                                   int32_t nodeKind);
int32_t FindCaseViewId(const std::vector<CCaseViewParam>& views, std::string_view name, int32_t nodeKind);

// The views listed under a node of this kind, in list order.
std::vector<const CCaseViewParam*> ViewsListedUnder(const std::vector<CCaseViewParam>& views,
                                                    int32_t nodeKind);

// The view that "Search Cases" runs: the first search view (type 1 or 2) whose scope
// has any of the "All Parents", "All Children" and "All Regions" bits; nullptr if none.
const CCaseViewParam* FindSearchView(const std::vector<CCaseViewParam>& views);

// The document title after a view ran: name " for " target, the search in brackets
// when there was one, and the number of rows found.
std::string CaseViewRunTitle(std::string_view viewName, std::string_view target,
                             std::string_view searchFormula, size_t rowCount);

// True when a definition of the set other than self has this name and a scope sharing
// a bit with the given one. Empty entries are skipped.
bool ViewNameClashes(const std::vector<std::shared_ptr<CCaseQueryData>>& definitions,
                     std::string_view name, int32_t scope, const CCaseQueryData* self = nullptr);
