// Calendar arithmetic against day counts taken from an independent calendar.
#include "query/civil_date.h"

#include <gtest/gtest.h>

namespace {

TEST(CivilDate, KnownDayCounts)
{
    struct Known {
        CivilDate date;
        int64_t serial;
        int32_t dayOfWeek;
    };
    const Known known[] = {
        {{1899, 12, 30}, 0, 7},      {{1899, 12, 31}, 1, 1},      {{1900, 2, 28}, 60, 4},
        {{1900, 3, 1}, 61, 5},       {{2000, 1, 1}, 36526, 7},    {{2020, 2, 29}, 43890, 7},
        {{2024, 2, 29}, 45351, 5},   {{2024, 3, 31}, 45382, 1},   {{2024, 12, 31}, 45657, 3},
        {{100, 1, 1}, -657434, 6},   {{9999, 12, 31}, 2958465, 6},
    };
    for (const Known& k : known) {
        SCOPED_TRACE(k.serial);
        EXPECT_EQ(SerialOfDate(k.date), k.serial);
        EXPECT_EQ(DateOfSerial(k.serial), k.date);
        EXPECT_EQ(DayOfWeek(k.serial), k.dayOfWeek);
    }
}

TEST(CivilDate, RoundTripsEveryDayOfTheRange)
{
    CivilDate expected{100, 1, 1};
    for (int64_t serial = kFirstDaySerial; serial <= kLastDaySerial; ++serial) {
        const CivilDate date = DateOfSerial(serial);
        ASSERT_EQ(date, expected) << serial;
        ASSERT_EQ(SerialOfDate(date), serial);
        if (++expected.day > DaysInMonth(expected.year, expected.month)) {
            expected.day = 1;
            if (++expected.month > 12) {
                expected.month = 1;
                ++expected.year;
            }
        }
    }
}

TEST(CivilDate, GregorianLeapYears)
{
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2024, 4), 30);
    EXPECT_EQ(DaysInMonth(2024, 0), 0);
    EXPECT_EQ(DaysInMonth(2024, 13), 0);

    EXPECT_TRUE(IsRealDate({2024, 2, 29}));
    EXPECT_FALSE(IsRealDate({2023, 2, 29}));
    EXPECT_FALSE(IsRealDate({1900, 2, 29}));
    EXPECT_FALSE(IsRealDate({2024, 4, 31}));
    EXPECT_FALSE(IsRealDate({99, 12, 31}));
    EXPECT_FALSE(IsRealDate({10000, 1, 1}));
}

TEST(CivilDate, TimeOfDayBeforeAndAfterTheFirstDay)
{
    DayAndTime parts;
    ASSERT_TRUE(SplitDateTime({CDateTime::valid, 45351.75}, parts));
    EXPECT_EQ(parts.day, 45351);
    EXPECT_EQ(parts.time, 0.75);

    // Before 30 December 1899 the fraction still counts forward from midnight.
    ASSERT_TRUE(SplitDateTime({CDateTime::valid, -1.25}, parts));
    EXPECT_EQ(parts.day, -1);
    EXPECT_EQ(parts.time, 0.25);
    EXPECT_EQ(MakeDateTime(-1, 0.25), (CDateTime{CDateTime::valid, -1.25}));
    EXPECT_EQ(MakeDateTime(0, 0.25), (CDateTime{CDateTime::valid, 0.25}));
}

TEST(CivilDate, OutOfRangeAndNonValidDateTimes)
{
    DayAndTime parts;
    EXPECT_FALSE(SplitDateTime({CDateTime::null, 100.0}, parts));
    EXPECT_FALSE(SplitDateTime({CDateTime::invalid, 100.0}, parts));
    EXPECT_FALSE(SplitDateTime({CDateTime::valid, 1e300}, parts));
    EXPECT_FALSE(SplitDateTime({CDateTime::valid, -1e300}, parts));
    EXPECT_FALSE(SplitDateTime({CDateTime::valid, std::numeric_limits<double>::quiet_NaN()}, parts));
    EXPECT_FALSE(SplitDateTime({CDateTime::valid, std::numeric_limits<double>::infinity()}, parts));
    EXPECT_FALSE(SplitDateTime({CDateTime::valid, 2958466.0}, parts));
    EXPECT_TRUE(SplitDateTime({CDateTime::valid, 2958465.99}, parts));
    EXPECT_TRUE(SplitDateTime({CDateTime::valid, -657434.5}, parts));
    EXPECT_FALSE(SplitDateTime({CDateTime::valid, -657435.0}, parts));

    EXPECT_EQ(MakeDateTime(kLastDaySerial + 1, 0.0).status, CDateTime::invalid);
    EXPECT_EQ(MakeDateTime(kFirstDaySerial - 1, 0.0).status, CDateTime::invalid);
    EXPECT_EQ(MakeDate({2023, 2, 29}).status, CDateTime::invalid);
    EXPECT_EQ(MakeDate({2024, 2, 29}), (CDateTime{CDateTime::valid, 45351.0}));
}

}  // namespace
