#pragma once
// The rules of the Assignments page's criteria list: how each category's values are
// formed from what the criterion dialog offers, and which additions are refused.

#include "records/assign_criterion.h"

#include <string>
#include <vector>

namespace CriterionCategory {
inline constexpr const char* territory = "Territory";
inline constexpr const char* premium = "Premium";
inline constexpr const char* parent = "Parent";
inline constexpr const char* formula = "Formula";
inline constexpr const char* child = "Child";
}  // namespace CriterionCategory

inline constexpr const char* kUnlimitedCategoryText =
    "If there are no criteria added for a category, then the user is unlimited in that category";
inline constexpr size_t kMaxFormulaLength = 1024;

// The five categories in the order the dialog offers them.
std::vector<std::string> CriterionCategories();

// A territory criterion from a "region::territory" entry (all of it the region when it
// has no "::").
CAssignCriterion TerritoryCriterion(const std::string& entry);

// A premium range typed as two numbers. Empty message on success.
struct CriterionResult {
    CAssignCriterion criterion;
    std::string message;
};
CriterionResult PremiumCriterion(const std::string& start, const std::string& end);

// Appends the criterion unless the list already has the one premium range or formula a
// child may have; the refusal's message otherwise, the list unchanged.
std::string AddCriterion(std::vector<CAssignCriterion>& criteria, const CAssignCriterion& criterion);
