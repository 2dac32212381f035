// Period ranges on hard days, each expected end worked out on a calendar. Now is at
// 18:00 or 06:00 so that the ends reached by whole days (which keep the time) tell
// themselves apart from the ends named by a date (midnight).
#include "query/civil_date.h"
#include "query/period_range.h"

#include <gtest/gtest.h>

namespace {

constexpr double k6am = 0.25;
constexpr double k6pm = 0.75;

CDateTime At(int32_t year, int32_t month, int32_t day, double time)
{
    return MakeDateTime(SerialOfDate({year, month, day}), time);
}

CDateTime Day(int32_t year, int32_t month, int32_t day)
{
    return At(year, month, day, 0.0);
}

const CDateTime kInvalid{CDateTime::invalid, 0.0};
const CDateTime kNull{CDateTime::null, 0.0};

struct Expected {
    int32_t period;
    CDateTime from;
    CDateTime to;
};

void Check(const CDateTime& now, const std::vector<Expected>& expectations)
{
    for (const Expected& e : expectations) {
        SCOPED_TRACE(*PeriodName(e.period));
        const PeriodRange range = ComputePeriodRange(e.period, now, kNull, kNull);
        EXPECT_TRUE(range.bounded);
        EXPECT_EQ(range.from, e.from) << range.from.status << " " << range.from.date;
        EXPECT_EQ(range.to, e.to) << range.to.status << " " << range.to.date;
    }
}

TEST(PeriodRange, SaturdayTwentyNinthOfFebruary2020)
{
    const CDateTime now = At(2020, 2, 29, k6pm);  // a Saturday, day 7 of its week
    Check(now, {
        {periodToday, now, now},
        {periodThisWeek, At(2020, 2, 23, k6pm), At(2020, 2, 29, k6pm)},
        {periodThisWeekToDate, At(2020, 2, 23, k6pm), now},
        {periodThisMonth, Day(2020, 2, 1), Day(2020, 2, 29)},
        {periodThisMonthToDate, Day(2020, 2, 1), now},
        {periodThisQuarter, Day(2020, 1, 1), Day(2020, 3, 31)},
        {periodThisQuarterToDate, Day(2020, 1, 1), now},
        {periodThisYear, Day(2020, 1, 1), Day(2020, 12, 31)},
        {periodThisYearToDate, Day(2020, 1, 1), now},
        {periodYesterday, At(2020, 2, 28, k6pm), At(2020, 2, 28, k6pm)},
        // The last Saturday is a week ago, not today.
        {periodLastWeek, At(2020, 2, 16, k6pm), At(2020, 2, 22, k6pm)},
        {periodLastWeekToDate, At(2020, 2, 16, k6pm), At(2020, 2, 22, k6pm)},
        // now - 29 days is 31 January, keeping the time.
        {periodLastMonth, Day(2020, 1, 1), At(2020, 1, 31, k6pm)},
        {periodLastMonthToDate, Day(2020, 1, 1), Day(2020, 1, 29)},
        {periodLastQuarter, Day(2019, 10, 1), Day(2019, 12, 31)},
        {periodLastQuarterToDate, Day(2019, 10, 1), Day(2019, 11, 29)},
        {periodLastYear, Day(2019, 1, 1), Day(2019, 12, 31)},
        // 29 February 2019 does not exist.
        {periodLastYearToDate, Day(2019, 1, 1), kInvalid},
        {periodTomorrow, At(2020, 3, 1, k6pm), At(2020, 3, 1, k6pm)},
        {periodNextWeek, At(2020, 3, 1, k6pm), At(2020, 3, 7, k6pm)},
        // now + (29 - 29 + 1) days, keeping the time; the month's end at midnight.
        {periodNextMonth, At(2020, 3, 1, k6pm), Day(2020, 3, 31)},
        {periodNextQuarter, Day(2020, 4, 1), Day(2020, 6, 30)},
        {periodNextYear, Day(2021, 1, 1), Day(2021, 12, 31)},
    });
}

TEST(PeriodRange, SundayThirtyFirstOfMarch2024AtQuarterEnd)
{
    const CDateTime now = At(2024, 3, 31, k6am);  // a Sunday, day 1
    Check(now, {
        {periodThisWeek, now, At(2024, 4, 6, k6am)},
        {periodThisWeekToDate, now, now},
        {periodThisMonth, Day(2024, 3, 1), Day(2024, 3, 31)},
        {periodThisQuarter, Day(2024, 1, 1), Day(2024, 3, 31)},
        {periodYesterday, At(2024, 3, 30, k6am), At(2024, 3, 30, k6am)},
        {periodLastWeek, At(2024, 3, 24, k6am), At(2024, 3, 30, k6am)},
        {periodLastWeekToDate, At(2024, 3, 24, k6am), At(2024, 3, 24, k6am)},
        {periodLastMonth, Day(2024, 2, 1), At(2024, 2, 29, k6am)},
        // Day 31 capped at February's 29.
        {periodLastMonthToDate, Day(2024, 2, 1), Day(2024, 2, 29)},
        {periodLastQuarter, Day(2023, 10, 1), Day(2023, 12, 31)},
        {periodLastQuarterToDate, Day(2023, 10, 1), Day(2023, 12, 31)},
        {periodLastYearToDate, Day(2023, 1, 1), Day(2023, 3, 31)},
        {periodTomorrow, At(2024, 4, 1, k6am), At(2024, 4, 1, k6am)},
        // On a Sunday the next week starts a week later.
        {periodNextWeek, At(2024, 4, 7, k6am), At(2024, 4, 13, k6am)},
        {periodNextMonth, At(2024, 4, 1, k6am), Day(2024, 4, 30)},
        {periodNextQuarter, Day(2024, 4, 1), Day(2024, 6, 30)},
    });
}

TEST(PeriodRange, MidweekFifteenthOfNovember2023)
{
    const CDateTime now = At(2023, 11, 15, k6pm);  // a Wednesday, day 4
    Check(now, {
        {periodThisWeek, At(2023, 11, 12, k6pm), At(2023, 11, 18, k6pm)},
        {periodThisQuarter, Day(2023, 10, 1), Day(2023, 12, 31)},
        {periodThisQuarterToDate, Day(2023, 10, 1), now},
        {periodLastWeek, At(2023, 11, 5, k6pm), At(2023, 11, 11, k6pm)},
        {periodLastWeekToDate, At(2023, 11, 5, k6pm), At(2023, 11, 8, k6pm)},
        {periodLastMonth, Day(2023, 10, 1), At(2023, 10, 31, k6pm)},
        {periodLastMonthToDate, Day(2023, 10, 1), Day(2023, 10, 15)},
        {periodLastQuarter, Day(2023, 7, 1), Day(2023, 9, 30)},
        {periodLastQuarterToDate, Day(2023, 7, 1), Day(2023, 8, 15)},
        {periodNextWeek, At(2023, 11, 19, k6pm), At(2023, 11, 25, k6pm)},
        {periodNextMonth, At(2023, 12, 1, k6pm), Day(2023, 12, 31)},
        {periodNextQuarter, Day(2024, 1, 1), Day(2024, 3, 31)},
    });
}

TEST(PeriodRange, TuesdayThirtyFirstOfDecember2024AtYearEnd)
{
    const CDateTime now = At(2024, 12, 31, k6pm);  // a Tuesday, day 3
    Check(now, {
        {periodThisWeek, At(2024, 12, 29, k6pm), At(2025, 1, 4, k6pm)},
        {periodThisMonth, Day(2024, 12, 1), Day(2024, 12, 31)},
        {periodThisQuarter, Day(2024, 10, 1), Day(2024, 12, 31)},
        {periodThisYear, Day(2024, 1, 1), Day(2024, 12, 31)},
        {periodLastWeek, At(2024, 12, 22, k6pm), At(2024, 12, 28, k6pm)},
        {periodLastMonth, Day(2024, 11, 1), At(2024, 11, 30, k6pm)},
        {periodLastMonthToDate, Day(2024, 11, 1), Day(2024, 11, 30)},
        {periodLastQuarter, Day(2024, 7, 1), Day(2024, 9, 30)},
        // Three months before 31 December is September, which has 30 days.
        {periodLastQuarterToDate, Day(2024, 7, 1), Day(2024, 9, 30)},
        {periodLastYearToDate, Day(2023, 1, 1), Day(2023, 12, 31)},
        {periodTomorrow, At(2025, 1, 1, k6pm), At(2025, 1, 1, k6pm)},
        {periodNextWeek, At(2025, 1, 5, k6pm), At(2025, 1, 11, k6pm)},
        {periodNextMonth, At(2025, 1, 1, k6pm), Day(2025, 1, 31)},
        {periodNextQuarter, Day(2025, 1, 1), Day(2025, 3, 31)},
        {periodNextYear, Day(2025, 1, 1), Day(2025, 12, 31)},
    });
}

TEST(PeriodRange, MondayFirstOfJanuary2024AtYearStart)
{
    const CDateTime now = At(2024, 1, 1, k6am);  // a Monday, day 2
    Check(now, {
        {periodThisWeek, At(2023, 12, 31, k6am), At(2024, 1, 6, k6am)},
        {periodThisYearToDate, Day(2024, 1, 1), now},
        {periodYesterday, At(2023, 12, 31, k6am), At(2023, 12, 31, k6am)},
        {periodLastWeek, At(2023, 12, 24, k6am), At(2023, 12, 30, k6am)},
        {periodLastWeekToDate, At(2023, 12, 24, k6am), At(2023, 12, 25, k6am)},
        {periodLastMonth, Day(2023, 12, 1), At(2023, 12, 31, k6am)},
        {periodLastMonthToDate, Day(2023, 12, 1), Day(2023, 12, 1)},
        {periodLastQuarter, Day(2023, 10, 1), Day(2023, 12, 31)},
        {periodLastQuarterToDate, Day(2023, 10, 1), Day(2023, 10, 1)},
        {periodLastYear, Day(2023, 1, 1), Day(2023, 12, 31)},
        {periodLastYearToDate, Day(2023, 1, 1), Day(2023, 1, 1)},
    });
}

TEST(PeriodRange, MonthEndsCappedWhenMovingBack)
{
    // 31 May: April has 30 days, and three months back is February of a common year.
    Check(At(2023, 5, 31, k6pm), {
        {periodLastMonthToDate, Day(2023, 4, 1), Day(2023, 4, 30)},
        {periodLastQuarterToDate, Day(2023, 1, 1), Day(2023, 2, 28)},
        {periodNextMonth, At(2023, 6, 1, k6pm), Day(2023, 6, 30)},
    });
    // 29 February of a leap year: last year has no such day.
    Check(At(2024, 2, 29, k6pm), {
        {periodLastMonthToDate, Day(2024, 1, 1), Day(2024, 1, 29)},
        {periodLastQuarterToDate, Day(2023, 10, 1), Day(2023, 11, 29)},
        {periodLastYearToDate, Day(2023, 1, 1), kInvalid},
    });
    // A leap day of a century year divisible by 400.
    Check(At(2000, 2, 29, k6pm), {
        {periodThisMonth, Day(2000, 2, 1), Day(2000, 2, 29)},
        {periodLastYearToDate, Day(1999, 1, 1), kInvalid},
    });
}

TEST(PeriodRange, AllCustomAndNumbersThatAreNoPeriod)
{
    const CDateTime now = At(2024, 6, 12, k6pm);
    const CDateTime from = Day(2024, 1, 5);
    const CDateTime to{CDateTime::invalid, 123.0};

    const PeriodRange all = ComputePeriodRange(periodAll, now, from, to);
    EXPECT_FALSE(all.bounded);
    EXPECT_EQ(all.from, kNull);

    // Custom hands back what was stored, checked or not.
    const PeriodRange custom = ComputePeriodRange(periodCustom, now, from, to);
    EXPECT_TRUE(custom.bounded);
    EXPECT_EQ(custom.from, from);
    EXPECT_EQ(custom.to, to);

    EXPECT_FALSE(ComputePeriodRange(-1, now, from, to).bounded);
    EXPECT_FALSE(ComputePeriodRange(kPeriodCount, now, from, to).bounded);
    EXPECT_FALSE(PeriodName(kPeriodCount));
    EXPECT_EQ(PeriodName(periodLastYearToDate), "Last Year-To-Date");
    EXPECT_EQ(PeriodName(periodCustom), "Custom");
}

TEST(PeriodRange, NowThatIsNoUsableDate)
{
    for (const CDateTime& now : {CDateTime{CDateTime::null, 45000.0}, CDateTime{CDateTime::invalid, 45000.0},
                                 CDateTime{CDateTime::valid, 1e18},
                                 CDateTime{CDateTime::valid, std::numeric_limits<double>::quiet_NaN()}}) {
        for (int32_t period = periodToday; period < periodCustom; ++period) {
            const PeriodRange range = ComputePeriodRange(period, now, kNull, kNull);
            EXPECT_TRUE(range.bounded);
            EXPECT_EQ(range.from, kInvalid);
            EXPECT_EQ(range.to, kInvalid);
        }
    }
}

TEST(PeriodRange, EdgesOfTheCalendar)
{
    // On the last day there is no tomorrow and no next year.
    const CDateTime last = At(9999, 12, 31, k6pm);
    EXPECT_EQ(ComputePeriodRange(periodTomorrow, last, kNull, kNull).from, kInvalid);
    EXPECT_EQ(ComputePeriodRange(periodNextYear, last, kNull, kNull).from, kInvalid);
    EXPECT_EQ(ComputePeriodRange(periodNextQuarter, last, kNull, kNull).to, kInvalid);
    EXPECT_EQ(ComputePeriodRange(periodThisYear, last, kNull, kNull).to, Day(9999, 12, 31));

    // Before 1900 the time of day is kept all the same.
    const CDateTime old = At(1850, 6, 15, k6pm);  // a Saturday
    EXPECT_LT(old.date, 0.0);
    const PeriodRange yesterday = ComputePeriodRange(periodYesterday, old, kNull, kNull);
    EXPECT_EQ(yesterday.from, At(1850, 6, 14, k6pm));
    const PeriodRange week = ComputePeriodRange(periodThisWeek, old, kNull, kNull);
    EXPECT_EQ(week.from, At(1850, 6, 9, k6pm));
    EXPECT_EQ(week.to, old);
}

}  // namespace
