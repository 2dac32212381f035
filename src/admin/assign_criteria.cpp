#include "admin/assign_criteria.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// A number as the page reads it: leading blanks allowed, nothing but blanks after it.
bool ReadNumber(const std::string& text, double& value)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    value = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(value))
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0';
}

std::string Format0(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", value);
    return text;
}

}  // namespace

std::vector<std::string> CriterionCategories()
{
    return {CriterionCategory::territory, CriterionCategory::premium, CriterionCategory::parent,
            CriterionCategory::formula, CriterionCategory::child};
}

CAssignCriterion TerritoryCriterion(const std::string& entry)
{
    CAssignCriterion criterion;
    criterion.category = CriterionCategory::territory;
    const size_t split = entry.find("::");
    criterion.value1 = entry.substr(0, split);
    if (split != std::string::npos)
        criterion.value2 = entry.substr(split + 2);
    return criterion;
}

CriterionResult PremiumCriterion(const std::string& start, const std::string& end)
{
    CriterionResult result;
    double low = 0.0;
    double high = 0.0;
    if (!ReadNumber(start, low) || !ReadNumber(end, high)) {
        result.message = "Please enter a number.";
        return result;
    }
    if (high < low) {
        result.message = "The end of the range must be greater than or equal to the start.";
        return result;
    }
    result.criterion.category = CriterionCategory::premium;
    result.criterion.value1 = Format0(low);
    result.criterion.value2 = Format0(high);
    return result;
}

std::string AddCriterion(std::vector<CAssignCriterion>& criteria, const CAssignCriterion& criterion)
{
    for (const CAssignCriterion& existing : criteria) {
        if (existing.category != criterion.category)
            continue;
        if (criterion.category == CriterionCategory::premium)
            return "You can only set one premium range";
        if (criterion.category == CriterionCategory::formula)
            return "You can only set one formula";
    }
    criteria.push_back(criterion);
    return {};
}
