#include "query/case_list_title.h"

std::string CaseListTitleAfterDelete(const std::string& title, size_t rowsLeft)
{
    const size_t bracket = title.rfind('(');
    const std::string kept = bracket == std::string::npos ? std::string() : title.substr(0, bracket);
    return kept + "(" + std::to_string(rowsLeft) + ")";
}
