#pragma once
// A date and time as the wire carries it: a status and a day count since
// 30 December 1899 at midnight, the fraction being the time of day.

#include <cstdint>

struct CDateTime {
    enum Status : int32_t { valid = 0, invalid = 1, null = 2 };

    int32_t status = null;
    double date = 0.0;

    bool IsValid() const { return status == valid; }
    bool operator==(const CDateTime&) const = default;
};
