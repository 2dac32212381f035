#include "query/period_range.h"

#include "query/civil_date.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, kPeriodCount> kPeriodNames = {
    "All",
    "Today",
    "This Week",
    "This Week-To-Date",
    "This Month",
    "This Month-To-Date",
    "This Quarter",
    "This Quarter-To-Date",
    "This Year",
    "This Year-To-Date",
    "Yesterday",
    "Last Week",
    "Last Week-To-Date",
    "Last Month",
    "Last Month-To-Date",
    "Last Quarter",
    "Last Quarter-To-Date",
    "Last Year",
    "Last Year-To-Date",
    "Tomorrow",
    "Next Week",
    "Next Month",
    "Next Quarter",
    "Next Year",
    "Custom",
};

constexpr CDateTime kInvalid{CDateTime::invalid, 0.0};

// Today as the calendar sees it, with now's day count and time of day.
struct Today {
    DayAndTime now;
    CivilDate date;
    int32_t dayOfWeek = 0;  // 1 Sunday to 7 Saturday
};

int32_t QuarterStartMonth(int32_t month)
{
    return (month - 1) / 3 * 3 + 1;
}

// Year and month moved by a number of months.
CivilDate AddMonths(int32_t year, int32_t month, int32_t months)
{
    const int32_t index = year * 12 + (month - 1) + months;
    return {index / 12, index % 12 + 1, 1};
}

CDateTime FirstOfMonth(int32_t year, int32_t month)
{
    return MakeDate({year, month, 1});
}

CDateTime LastOfMonth(int32_t year, int32_t month)
{
    return MakeDate({year, month, DaysInMonth(year, month)});
}

// Now moved by whole days, keeping the time of day.
CDateTime DaysFromNow(const Today& t, int64_t days)
{
    return MakeDateTime(t.now.day + days, t.now.time);
}

// The day before, at the same time of day.
CDateTime DayBefore(const CDateTime& date)
{
    DayAndTime parts;
    if (!SplitDateTime(date, parts))
        return kInvalid;
    return MakeDateTime(parts.day - 1, parts.time);
}

CDateTime FirstOfMonthOf(const CDateTime& date)
{
    DayAndTime parts;
    if (!SplitDateTime(date, parts))
        return kInvalid;
    const CivilDate civil = DateOfSerial(parts.day);
    return FirstOfMonth(civil.year, civil.month);
}

PeriodRange Range(const CDateTime& from, const CDateTime& to)
{
    PeriodRange range;
    range.bounded = true;
    range.from = from;
    range.to = to;
    return range;
}

PeriodRange ComputedRange(int32_t period, const Today& t)
{
    const CDateTime now = MakeDateTime(t.now.day, t.now.time);
    const int32_t year = t.date.year;
    const int32_t month = t.date.month;
    const int32_t day = t.date.day;
    const int32_t quarterStart = QuarterStartMonth(month);

    switch (period) {
    case periodToday:
        return Range(now, now);
    case periodThisWeek: {
        const CDateTime from = DaysFromNow(t, -(t.dayOfWeek - 1));
        return Range(from, DaysFromNow(t, -(t.dayOfWeek - 1) + 6));
    }
    case periodThisWeekToDate:
        return Range(DaysFromNow(t, -(t.dayOfWeek - 1)), now);
    case periodThisMonth:
        return Range(FirstOfMonth(year, month), LastOfMonth(year, month));
    case periodThisMonthToDate:
        return Range(FirstOfMonth(year, month), now);
    case periodThisQuarter:
        return Range(FirstOfMonth(year, quarterStart), LastOfMonth(year, quarterStart + 2));
    case periodThisQuarterToDate:
        return Range(FirstOfMonth(year, quarterStart), now);
    case periodThisYear:
        return Range(MakeDate({year, 1, 1}), MakeDate({year, 12, 31}));
    case periodThisYearToDate:
        return Range(MakeDate({year, 1, 1}), now);
    case periodYesterday: {
        const CDateTime yesterday = DaysFromNow(t, -1);
        return Range(yesterday, yesterday);
    }
    case periodLastWeek: {
        // The last Saturday, and the Sunday six days before it.
        const CDateTime to = DaysFromNow(t, -t.dayOfWeek);
        return Range(DaysFromNow(t, -t.dayOfWeek - 6), to);
    }
    case periodLastWeekToDate:
        // A week ago, and the Sunday that began that week (a week ago has today's
        // day of the week).
        return Range(DaysFromNow(t, -7 - (t.dayOfWeek - 1)), DaysFromNow(t, -7));
    case periodLastMonth: {
        const CDateTime to = DaysFromNow(t, -day);  // the last day of the previous month
        return Range(FirstOfMonthOf(to), to);
    }
    case periodLastMonthToDate: {
        const CivilDate previous = AddMonths(year, month, -1);
        const int32_t lastDay = std::min(day, DaysInMonth(previous.year, previous.month));
        return Range(FirstOfMonth(previous.year, previous.month),
                     MakeDate({previous.year, previous.month, lastDay}));
    }
    case periodLastQuarter: {
        const CDateTime to = DayBefore(FirstOfMonth(year, quarterStart));
        DayAndTime parts;
        if (!SplitDateTime(to, parts))
            return Range(kInvalid, kInvalid);
        const CivilDate end = DateOfSerial(parts.day);
        const CivilDate start = AddMonths(end.year, end.month, -2);
        return Range(FirstOfMonth(start.year, start.month), to);
    }
    case periodLastQuarterToDate: {
        const CivilDate previousQuarter = AddMonths(year, quarterStart, -3);
        const CivilDate sameDay = AddMonths(year, month, -3);
        const int32_t lastDay = std::min(day, DaysInMonth(sameDay.year, sameDay.month));
        return Range(FirstOfMonth(previousQuarter.year, previousQuarter.month),
                     MakeDate({sameDay.year, sameDay.month, lastDay}));
    }
    case periodLastYear:
        return Range(MakeDate({year - 1, 1, 1}), MakeDate({year - 1, 12, 31}));
    case periodLastYearToDate:
        // On 29 February this names a day that last year did not have: invalid.
        return Range(MakeDate({year - 1, 1, 1}), MakeDate({year - 1, month, day}));
    case periodTomorrow: {
        const CDateTime tomorrow = DaysFromNow(t, 1);
        return Range(tomorrow, tomorrow);
    }
    case periodNextWeek: {
        const int64_t toSunday = 8 - t.dayOfWeek;
        return Range(DaysFromNow(t, toSunday), DaysFromNow(t, toSunday + 6));
    }
    case periodNextMonth: {
        const CivilDate next = AddMonths(year, month, 1);
        return Range(DaysFromNow(t, DaysInMonth(year, month) - day + 1), LastOfMonth(next.year, next.month));
    }
    case periodNextQuarter: {
        const CivilDate next = AddMonths(year, quarterStart, 3);
        return Range(FirstOfMonth(next.year, next.month), LastOfMonth(next.year, next.month + 2));
    }
    case periodNextYear:
        return Range(MakeDate({year + 1, 1, 1}), MakeDate({year + 1, 12, 31}));
    default:
        return {};
    }
}

}  // namespace

std::optional<std::string> PeriodName(int32_t period)
{
    if (period < 0 || period >= kPeriodCount)
        return std::nullopt;
    return std::string(kPeriodNames[static_cast<size_t>(period)]);
}

PeriodRange ComputePeriodRange(int32_t period, const CDateTime& now, const CDateTime& customFrom,
                               const CDateTime& customTo)
{
    if (period == periodCustom)
        return Range(customFrom, customTo);
    if (period <= periodAll || period >= kPeriodCount)
        return {};

    Today t;
    if (!SplitDateTime(now, t.now))
        return Range(kInvalid, kInvalid);
    t.date = DateOfSerial(t.now.day);
    t.dayOfWeek = DayOfWeek(t.now.day);
    return ComputedRange(period, t);
}
