#pragma once
// Calendar arithmetic on the wire's date-time: a day count since 30 December 1899 with
// the time of day as the fraction. Before that day the count is negative and the
// fraction still adds time (-1.25 is 29 December 1899 at 06:00). Dates are proleptic
// Gregorian and lie between 1 January 100 and 31 December 9999; anything outside that
// range is an invalid date-time. Standard library only, so the server shares it.

#include "codec/date_time.h"

#include <cstdint>

struct CivilDate {
    int32_t year = 0;
    int32_t month = 0;  // 1 to 12
    int32_t day = 0;    // 1 to the month's length
    bool operator==(const CivilDate&) const = default;
};

inline constexpr int64_t kFirstDaySerial = -657434;  // 1 January 100
inline constexpr int64_t kLastDaySerial = 2958465;   // 31 December 9999

bool IsLeapYear(int64_t year);
// 0 for a month outside 1 to 12.
int32_t DaysInMonth(int64_t year, int32_t month);
// True for a date of the calendar within the supported range.
bool IsRealDate(const CivilDate& date);

// Day count of a real date; the date must satisfy IsRealDate.
int64_t SerialOfDate(const CivilDate& date);
// Date of a day count between kFirstDaySerial and kLastDaySerial.
CivilDate DateOfSerial(int64_t serial);
// 1 for Sunday to 7 for Saturday.
int32_t DayOfWeek(int64_t serial);

// A valid date-time split into its day count and its time of day (0 <= time < 1).
struct DayAndTime {
    int64_t day = 0;
    double time = 0.0;
};
// False when the date-time is not valid or out of range.
bool SplitDateTime(const CDateTime& value, DayAndTime& parts);
// The day at the time of day; invalid when the day is out of range.
CDateTime MakeDateTime(int64_t day, double time);
// Midnight of the date; invalid when it is no real date.
CDateTime MakeDate(const CivilDate& date);
