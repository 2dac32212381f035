#pragma once
// How the built-in reports write dates and amounts.

#include "codec/date_time.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ReportText {

// The day count of a date that is set: valid and not the zero date that stands for
// "no date"; nothing otherwise.
std::optional<int64_t> DayOf(const CDateTime& value);
// "MM/DD/YYYY", or empty for a date that is not set.
std::string Date(const CDateTime& value);
std::string DateOfDay(int64_t day);
// "12,345.67"; negative amounts with a leading minus.
std::string Amount(double value);
// Today's day count in local time.
int64_t Today();

}  // namespace ReportText
