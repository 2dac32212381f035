#pragma once
// The date ranges of a view's key-date periods, computed from "now". The view editor
// shows them and the server filters with them, so both take them from here. Standard
// library and the wire's date-time only.
//
// A date named by year, month and day is at midnight; a date reached by adding or
// subtracting whole days from now keeps now's time of day. The ends are dates to show
// and to compare whole days with, not instants.

#include "codec/date_time.h"

#include <cstdint>
#include <optional>
#include <string>

enum Period : int32_t {
    periodAll = 0,
    periodToday,
    periodThisWeek,
    periodThisWeekToDate,
    periodThisMonth,
    periodThisMonthToDate,
    periodThisQuarter,
    periodThisQuarterToDate,
    periodThisYear,
    periodThisYearToDate,
    periodYesterday,
    periodLastWeek,
    periodLastWeekToDate,
    periodLastMonth,
    periodLastMonthToDate,
    periodLastQuarter,
    periodLastQuarterToDate,
    periodLastYear,
    periodLastYearToDate,
    periodTomorrow,
    periodNextWeek,
    periodNextMonth,
    periodNextQuarter,
    periodNextYear,
    periodCustom,
};
inline constexpr int32_t kPeriodCount = 25;

// "All" to "Custom"; nothing for any other number.
std::optional<std::string> PeriodName(int32_t period);

struct PeriodRange {
    // False for "All" and for a number that is no period: no range, nothing to show.
    bool bounded = false;
    CDateTime from{CDateTime::null, 0.0};
    CDateTime to{CDateTime::null, 0.0};
};

// The range of a period on the day of now. "Custom" gives the stored ends unchanged.
// A computed end that is no real date (29 February of a common year) is an invalid
// date-time; so is every end when now is not a valid date-time in the supported range.
PeriodRange ComputePeriodRange(int32_t period, const CDateTime& now, const CDateTime& customFrom,
                               const CDateTime& customTo);
