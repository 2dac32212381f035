#pragma once
// Access rights: the bits of an account's rights set, the user groups of child accounts
// and the rights each group starts with.

#include <cstdint>
#include <string>

namespace Right {
inline constexpr int32_t viewParents = 0x1;
inline constexpr int32_t manageParents = 0x2;
inline constexpr int32_t viewChildren = 0x4;
inline constexpr int32_t manageChildren = 0x8;
inline constexpr int32_t viewTerritories = 0x10;
inline constexpr int32_t manageTerritories = 0x20;
inline constexpr int32_t viewAttachments = 0x40;
inline constexpr int32_t editAttachments = 0x80;
inline constexpr int32_t editBilling = 0x200;
inline constexpr int32_t changeAssignments = 0x400;
inline constexpr int32_t deleteCases = 0x800;
inline constexpr int32_t globalSearches = 0x1000;
inline constexpr int32_t editCases = 0x4000;
inline constexpr int32_t createCases = 0x10000;
inline constexpr int32_t editSchedules = 0x20000;
inline constexpr int32_t internalProgressReports = 0x40000;
inline constexpr int32_t viewAssignmentHistory = 0x80000;
inline constexpr int32_t resetLinks = 0x100000;
inline constexpr int32_t editPolicyDetail = 0x200000;
inline constexpr int32_t archivedAttachmentsOnly = 0x400000;
}  // namespace Right

// User groups of child accounts (group 8 is the archive and is never an account's group).
namespace Group {
inline constexpr int32_t administrators = 0;
inline constexpr int32_t auditors = 1;
inline constexpr int32_t billers = 2;
inline constexpr int32_t exporters = 3;
inline constexpr int32_t importers = 4;
inline constexpr int32_t printers = 5;
inline constexpr int32_t reviewers = 6;
inline constexpr int32_t schedulers = 7;
inline constexpr int32_t archive = 8;
inline constexpr int32_t customerReps = 9;

inline bool IsAccountGroup(int32_t group) { return (group >= 0 && group <= 7) || group == customerReps; }
}  // namespace Group

// The rights a new child of the group starts with.
inline constexpr int32_t kAdministratorRights = 0xFFEAA;  // group 0
inline constexpr int32_t kAuditorRights = 0xE7280;        // group 1
inline constexpr int32_t kBillerRights = 0xE3645;         // group 2
inline constexpr int32_t kExporterRights = 0xE7C80;       // group 3
inline constexpr int32_t kImporterRights = 0xF7C15;       // group 4
inline constexpr int32_t kPrinterRights = 0xE3555;        // group 5
inline constexpr int32_t kReviewerRights = 0xE7480;       // group 6
inline constexpr int32_t kSchedulerRights = 0xE7410;      // group 7
inline constexpr int32_t kCustomerRepRights = 0x40;       // group 9

// Parent accounts have no rights page; a parent that logs in may look at its cases'
// attachments and order new cases.
inline constexpr int32_t kParentRights = Right::viewAttachments | Right::createCases;

// The name of an access group as the client shows it in a case's history: the eight
// group names, "*ARCHIVE*" for 8, "Customer Rep" for 9, "*AUTO*" for -2, else empty.
std::string AccessGroupName(int32_t group);
