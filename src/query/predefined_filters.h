#pragma once
// The fixed filters a view's query type stands for. Types 0 to 20 each have one
// formula; type 21 "Custom" means the formula is the user's own text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct PredefinedFilter {
    std::string_view name;
    std::string_view formula;  // empty for "Custom"
};

inline constexpr size_t kQueryTypeCount = 22;
inline constexpr int32_t kCustomQueryType = 21;

// All 22 in type order, "Open" first and "Custom" last.
const std::array<PredefinedFilter, kQueryTypeCount>& PredefinedFilters();

// The formula of query type 0 to 20; nothing for "Custom" and for any other number.
std::optional<std::string> PredefinedFormula(int32_t queryType);

// The name of query type 0 to 21; nothing for any other number.
std::optional<std::string> QueryTypeName(int32_t queryType);
