#pragma once
// The "By:" choices of the search dialog, taken from the field list the server sends
// with the inventory info.

#include "records/case_field_info.h"

#include <string>
#include <vector>

struct SearchField {
    std::string label;  // shown
    std::string token;  // used in the search formula
};

// The server's text fields that carry the searchable flag, in the order received.
std::vector<SearchField> SearchFieldsOf(const std::vector<CCaseFieldInfo>& serverFields);
