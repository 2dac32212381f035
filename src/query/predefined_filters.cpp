#include "query/predefined_filters.h"

#include "records/case_query_data.h"

static_assert(kCustomQueryType == CCaseQueryData::kCustomQuery);

namespace {

constexpr std::array<PredefinedFilter, kQueryTypeCount> kFilters = {{
    {"Open", "[ChildGroupCode] < 8"},
    {"Scheduled", "[ChildGroupCode] < 8 AND [SysScheduledTime] <> NULL"},
    {"Archived", "[ChildGroupCode] = 8"},
    {"Read-only", "[IsReadOnly] = TRUE"},
    {"Non-productive", "[IsProductive] = FALSE"},
    {"Correction", "[IsCorrection] = TRUE"},
    {"Priority", "[SysPriority] = TRUE AND [ChildGroupCode] < 8"},
    {"Scheduling", "[ChildGroupCode] = 7"},
    {"Auditing", "[ChildGroupCode] = 1"},
    {"Reviewing", "[ChildGroupCode] = 6"},
    {"Printing", "[ChildGroupCode] = 5"},
    {"Billing", "[ChildGroupCode] = 2"},
    {"Exporting", "[ChildGroupCode] = 3"},
    {"Linking to Parent", "[SysParentStatus] = 1"},
    {"Linked to Parent", "[SysParentStatus] = 2"},
    {"Returning to Parent", "[SysParentStatus] = 3"},
    {"Sending to Parent", "[SysParentStatus] = 6"},
    {"Not Linked to Parent", "[SysParentStatus] = 0"},
    {"Linking to Child", "[SysChildStatus] = 1"},
    {"Linked to Child", "[SysChildStatus] = 2"},
    {"Not Linked to Child", "[SysChildStatus] = 0 OR [SysChildStatus] = 3"},
    {"Custom", ""},
}};

bool IsQueryType(int32_t queryType)
{
    return queryType >= 0 && queryType < static_cast<int32_t>(kQueryTypeCount);
}

}  // namespace

const std::array<PredefinedFilter, kQueryTypeCount>& PredefinedFilters()
{
    return kFilters;
}

std::optional<std::string> PredefinedFormula(int32_t queryType)
{
    if (!IsQueryType(queryType) || queryType == kCustomQueryType)
        return std::nullopt;
    return std::string(kFilters[static_cast<size_t>(queryType)].formula);
}

std::optional<std::string> QueryTypeName(int32_t queryType)
{
    if (!IsQueryType(queryType))
        return std::nullopt;
    return std::string(kFilters[static_cast<size_t>(queryType)].name);
}
