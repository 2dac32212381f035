#include "query/civil_date.h"

#include <cmath>

namespace {

// Days from 1 March of year 0 (proleptic Gregorian) to 30 December 1899.
constexpr int64_t kEpochFromYearZero = 693899;

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

}  // namespace

bool IsLeapYear(int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int32_t DaysInMonth(int64_t year, int32_t month)
{
    static constexpr int32_t kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kLengths[month - 1];
}

bool IsRealDate(const CivilDate& date)
{
    return date.year >= 100 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

// Counts from a year that starts on 1 March, so that the leap day falls at the end.
int64_t SerialOfDate(const CivilDate& date)
{
    const int64_t y = date.month <= 2 ? int64_t{date.year} - 1 : int64_t{date.year};
    const int64_t era = FloorDiv(y, 400);
    const int64_t yearOfEra = y - era * 400;                                          // 0 to 399
    const int64_t monthFromMarch = date.month > 2 ? date.month - 3 : date.month + 9;  // 0 to 11
    const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;          // 0 to 365
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - kEpochFromYearZero;
}

CivilDate DateOfSerial(int64_t serial)
{
    const int64_t z = serial + kEpochFromYearZero;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t dayOfEra = z - era * 146097;  // 0 to 146096
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    const int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int32_t>(year), static_cast<int32_t>(month), static_cast<int32_t>(day)};
}

int32_t DayOfWeek(int64_t serial)
{
    // Day 0, 30 December 1899, was a Saturday.
    int64_t fromSunday = (serial + 6) % 7;
    if (fromSunday < 0)
        fromSunday += 7;
    return static_cast<int32_t>(fromSunday) + 1;
}

bool SplitDateTime(const CDateTime& value, DayAndTime& parts)
{
    if (value.status != CDateTime::valid || !std::isfinite(value.date))
        return false;
    if (value.date <= static_cast<double>(kFirstDaySerial - 1) ||
        value.date >= static_cast<double>(kLastDaySerial + 1))
        return false;
    const double day = std::trunc(value.date);
    parts.day = static_cast<int64_t>(day);
    parts.time = std::fabs(value.date - day);
    return true;
}

CDateTime MakeDateTime(int64_t day, double time)
{
    if (day < kFirstDaySerial || day > kLastDaySerial || !(time >= 0.0 && time < 1.0))
        return {CDateTime::invalid, 0.0};
    const double whole = static_cast<double>(day);
    return {CDateTime::valid, day < 0 ? whole - time : whole + time};
}

CDateTime MakeDate(const CivilDate& date)
{
    if (!IsRealDate(date))
        return {CDateTime::invalid, 0.0};
    return MakeDateTime(SerialOfDate(date), 0.0);
}
