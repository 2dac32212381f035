#pragma once
// Access-rights bit sets the server gives to the accounts it creates: the defaults of
// the user groups that the office client applies to new child accounts.

#include <cstdint>

inline constexpr int32_t kAdministratorRights = 0xFFEAA;  // group 0, "Administrators"
inline constexpr int32_t kAuditorRights = 0xE7280;        // group 1, "Auditors"
inline constexpr int32_t kReviewerRights = 0xE7480;       // group 6, "Reviewers"
inline constexpr int32_t kSchedulerRights = 0xE7410;      // group 7, "Schedulers"
inline constexpr int32_t kCustomerRepRights = 0x40;       // group 9, "Customer Rep"
