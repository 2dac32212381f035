#pragma once
// The document title after rows were deleted from the case list: the title up to, not
// including, its last "(" followed by the number of rows left in brackets. A title
// without "(" keeps nothing before the count.

#include <cstddef>
#include <string>

std::string CaseListTitleAfterDelete(const std::string& title, size_t rowsLeft);
