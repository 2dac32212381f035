#include "query/scope_bits.h"

namespace {

constexpr std::array<int32_t, 10> kChildGroupScopes = {
    kScopeEachChildGroup0, kScopeEachAuditor,  kScopeEachBiller,   kScopeEachExporter,
    kScopeEachChildGroup4, kScopeEachPrinter,  kScopeEachReviewer, kScopeEachScheduler,
    kScopeEachArchiveChild, kScopeEachChildGroup9,
};

constexpr std::array<ScopeChoice, kScopeChoiceCount> kChoices = {{
    {"All Parents", kScopeAllParents},
    {"Unassigned Parents", kScopeUnassignedParents},
    {"Each Parent", kScopeEachParent},
    {"All Children", kScopeAllChildren},
    {"Unassigned Children", kScopeUnassignedChildren},
    {"Each Scheduler", kScopeEachScheduler},
    {"Each Auditor", kScopeEachAuditor},
    {"Each Reviewer", kScopeEachReviewer},
    {"Each Printer", kScopeEachPrinter},
    {"Each Biller", kScopeEachBiller},
    {"Each Exporter", kScopeEachExporter},
    {"All Regions", kScopeAllRegions},
    {"Unassigned Regions", kScopeUnassignedRegions},
    {"Each Region", kScopeEachRegion},
}};

}  // namespace

int32_t ScopeOfChildGroup(int32_t group)
{
    if (group < 0 || group >= static_cast<int32_t>(kChildGroupScopes.size()))
        return 0;
    return kChildGroupScopes[static_cast<size_t>(group)];
}

const std::array<ScopeChoice, kScopeChoiceCount>& ScopeChoices()
{
    return kChoices;
}

size_t ScopeChoiceIndexOf(int32_t scope)
{
    for (size_t i = 0; i < kChoices.size(); ++i)
        if (kChoices[i].bit == scope)
            return i;
    return 0;
}
