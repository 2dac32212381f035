// The schedule dialog's rules: what the controls show for each stored state, which are
// enabled, and what OK stores or refuses.
#include "casedlg/case_date_text.h"
#include "casedlg/schedule_logic.h"
#include "query/civil_date.h"

#include <gtest/gtest.h>

#include <variant>

namespace {

constexpr CDateTime kNull{CDateTime::null, 0.0};

CDateTime At(int year, int month, int day, int hour = 0, int minute = 0)
{
    return MakeDateTime(SerialOfDate({year, month, day}), (hour * 60 + minute) / 1440.0);
}

CCaseScheduleInfo Schedule(CDateTime start, int32_t dateOnly, CDateTime end)
{
    CCaseScheduleInfo info;
    info.scheduledStart = start;
    info.dateOnly = dateOnly;
    info.scheduledEnd = end;
    return info;
}

}  // namespace

TEST(ScheduleLogic, TheThreeStoredStatesLoadIntoTheControls)
{
    const ScheduleLogic none(Schedule(kNull, 0, kNull));
    EXPECT_FALSE(none.scheduled);
    EXPECT_FALSE(none.DateEnabled() || none.ExactTimeEnabled() || none.EndingRangeEnabled());

    const ScheduleLogic dateOnly(Schedule(At(2026, 3, 9), 1, kNull));
    EXPECT_TRUE(dateOnly.scheduled);
    EXPECT_EQ(dateOnly.dateText, "03/09/2026");
    EXPECT_FALSE(dateOnly.exactTime);
    EXPECT_FALSE(dateOnly.StartTimeEnabled());
    EXPECT_TRUE(dateOnly.ExactTimeEnabled());

    const ScheduleLogic range(Schedule(At(2026, 12, 31, 0, 5), 0, At(2026, 12, 31, 13, 45)));
    EXPECT_TRUE(range.exactTime && range.endingRange);
    EXPECT_EQ(range.startTimeText, "12:05 AM");
    EXPECT_EQ(range.endTimeText, "01:45 PM");
    EXPECT_TRUE(range.StartTimeEnabled() && range.EndTimeEnabled());
}

TEST(ScheduleLogic, OkStoresWhatTheControlsSayOrTheFirstMessage)
{
    struct Row {
        const char* what;
        bool scheduled;
        const char* date;
        bool exact;
        const char* start;
        bool ending;
        const char* end;
        // Expected: a message, or the stored schedule.
        const char* message;
        CCaseScheduleInfo stored;
    };
    const Row rows[] = {
        {"unscheduled clears start and end", false, "03/09/2026", true, "09:00 AM", true, "10:00 AM", nullptr,
         Schedule(kNull, 0, kNull)},
        {"date only is midnight with the flag", true, "03/09/2026", false, "09:00 AM", false, "", nullptr,
         Schedule(At(2026, 3, 9), 1, kNull)},
        {"exact time", true, "03/09/2026", true, "09:30 PM", false, "", nullptr,
         Schedule(At(2026, 3, 9, 21, 30), 0, kNull)},
        {"a range ends on the same day", true, "03/09/2026", true, "12:00 PM", true, "04:15 PM", nullptr,
         Schedule(At(2026, 3, 9, 12, 0), 0, At(2026, 3, 9, 16, 15))},
        {"a range after a date only", true, "03/09/2026", false, "", true, "11:00 AM", nullptr,
         Schedule(At(2026, 3, 9), 1, At(2026, 3, 9, 11, 0))},
        {"no such day", true, "02/30/2026", false, "", false, "", "The date/time is invalid", {}},
        {"empty masked date", true, "//", false, "", false, "", "The date/time is invalid", {}},
        {"hour 13 with PM", true, "03/09/2026", true, "13:00 PM", false, "", "The date/time is invalid", {}},
        {"bad end", true, "03/09/2026", true, "09:00 AM", true, "09:75 AM", "The ending date/time is invalid", {}},
        {"empty end", true, "03/09/2026", false, "", true, ":", "The ending date/time is invalid", {}},
    };
    for (const Row& row : rows) {
        ScheduleLogic logic(Schedule(At(2020, 1, 1, 8, 0), 0, At(2020, 1, 1, 9, 0)));
        logic.scheduled = row.scheduled;
        logic.dateText = row.date;
        logic.exactTime = row.exact;
        logic.startTimeText = row.start;
        logic.endingRange = row.ending;
        logic.endTimeText = row.end;
        const auto result = logic.Result();
        if (row.message) {
            ASSERT_TRUE(std::holds_alternative<std::string>(result)) << row.what;
            EXPECT_EQ(std::get<std::string>(result), row.message) << row.what;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<CCaseScheduleInfo>(result)) << row.what;
        const CCaseScheduleInfo& stored = std::get<CCaseScheduleInfo>(result);
        EXPECT_EQ(stored.scheduledStart, row.stored.scheduledStart) << row.what;
        EXPECT_EQ(stored.dateOnly, row.stored.dateOnly) << row.what;
        EXPECT_EQ(stored.scheduledEnd, row.stored.scheduledEnd) << row.what;
    }
}

TEST(CaseDateText, ListDatesAndMaskedTextsRoundTrip)
{
    EXPECT_EQ(ShortDateText(At(2026, 3, 9, 15, 0)), "03/09/26");
    EXPECT_EQ(ShortDateText(kNull), "");
    EXPECT_EQ(MaskedTimeText(At(2026, 3, 9, 12, 0)), "12:00 PM");
    // 23:59 stays on its day, however the fraction rounds.
    const CDateTime late = At(2026, 3, 9, 23, 59);
    EXPECT_EQ(ParseMaskedDateTime(MaskedDateText(late), MaskedTimeText(late)), late);
    EXPECT_EQ(ParseMaskedTime("14:10"), ParseMaskedTime("02:10 PM"));
}
