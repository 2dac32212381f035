#pragma once
// Scope bits: one bit per kind of tree node. A case view is listed under a node when
// every bit of the node's kind is set in the view's scope; a scope may hold several.

#include <array>
#include <cstdint>
#include <string_view>

inline constexpr int32_t kScopeEachParent = 0x1;
inline constexpr int32_t kScopeAllParents = 0x4;
inline constexpr int32_t kScopeAllChildren = 0x8;
inline constexpr int32_t kScopeUnassignedParents = 0x10;
inline constexpr int32_t kScopeUnassignedChildren = 0x20;
inline constexpr int32_t kScopeEachChildGroup0 = 0x800;
inline constexpr int32_t kScopeEachArchiveChild = 0x1000;  // group 8
inline constexpr int32_t kScopeEachAuditor = 0x2000;       // group 1
inline constexpr int32_t kScopeEachBiller = 0x4000;        // group 2
inline constexpr int32_t kScopeEachExporter = 0x8000;      // group 3
inline constexpr int32_t kScopeEachChildGroup4 = 0x10000;
inline constexpr int32_t kScopeEachPrinter = 0x20000;      // group 5
inline constexpr int32_t kScopeEachReviewer = 0x40000;     // group 6
inline constexpr int32_t kScopeEachScheduler = 0x80000;    // group 7
inline constexpr int32_t kScopeEachRegion = 0x100000;
inline constexpr int32_t kScopeAllRegions = 0x200000;
inline constexpr int32_t kScopeUnassignedRegions = 0x400000;
inline constexpr int32_t kScopeEachTerritory = 0x800000;
inline constexpr int32_t kScopeEachChildGroup9 = 0x20000000;

// The scope bit of a child's node, from the child's access group 0 to 9; 0 for any other.
int32_t ScopeOfChildGroup(int32_t group);

// True when a view of this scope is listed under a node of this kind.
constexpr bool ScopeCoversKind(int32_t scope, int32_t nodeKind)
{
    return (scope & nodeKind) == nodeKind;
}

// The view editor's scope choices, in the order it offers them.
struct ScopeChoice {
    std::string_view label;
    int32_t bit;
};
inline constexpr size_t kScopeChoiceCount = 14;
const std::array<ScopeChoice, kScopeChoiceCount>& ScopeChoices();

// The editor's choice for a stored scope: the one whose bit equals it, else the first
// (a scope of several bits, or of a bit no choice has).
size_t ScopeChoiceIndexOf(int32_t scope);
