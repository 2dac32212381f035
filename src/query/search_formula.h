#pragma once
// The extra formula of a case search: a prefix match of one text field.

#include <string>
#include <string_view>

enum class SearchBy { policyNumber, insuredName, field };

struct SearchFormula {
    bool ok = false;
    std::string error;    // why the search was refused
    std::string formula;  // token = "text*"
    std::string caption;  // Search for "text"
};

inline constexpr std::string_view kSearchEverything = "~tw";  // stands for the empty text

// The text goes into the formula exactly as typed; the server refuses a formula that
// the text has broken. fieldToken is only used for SearchBy::field.
SearchFormula BuildSearchFormula(SearchBy by, std::string_view fieldToken, std::string_view text);
