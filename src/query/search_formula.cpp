#include "query/search_formula.h"

SearchFormula BuildSearchFormula(SearchBy by, std::string_view fieldToken, std::string_view text)
{
    SearchFormula search;
    if (text.empty()) {
        search.error = "Search text cannot be empty";
        return search;
    }
    if (text == kSearchEverything)
        text = {};

    std::string_view token;
    switch (by) {
    case SearchBy::policyNumber: token = "[PolicyNumber]"; break;
    case SearchBy::insuredName: token = "[InsuredName]"; break;
    case SearchBy::field: token = fieldToken; break;
    }

    search.ok = true;
    search.formula.append(token).append(" = \"").append(text).append("*\"");
    search.caption.append("Search for \"").append(text).append("\"");
    return search;
}
