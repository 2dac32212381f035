#pragma once
// Dates as the records carry them: days since 30 December 1899 at midnight, local time,
// the fraction being the time of day.

#include "codec/date_time.h"

#include <cstdint>
#include <ctime>

// The day count of a calendar date.
double DayNumber(int year, int month, int day);
// The current local date and time.
CDateTime NowDate();
// A valid date from a day count.
inline CDateTime MakeDate(double days) { return CDateTime{CDateTime::valid, days}; }
// The calendar year of the current local date.
int CurrentYear();
