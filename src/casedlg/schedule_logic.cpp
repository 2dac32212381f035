#include "casedlg/schedule_logic.h"

#include "casedlg/case_date_text.h"

#include <optional>

namespace {

CDateTime Null()
{
    return CDateTime{CDateTime::null, 0.0};
}

}  // namespace

ScheduleLogic::ScheduleLogic(const CCaseScheduleInfo& schedule) : original_(schedule)
{
    scheduled = schedule.scheduledStart.status != CDateTime::null;
    dateText = MaskedDateText(schedule.scheduledStart);
    exactTime = schedule.dateOnly == 0;
    startTimeText = exactTime ? MaskedTimeText(schedule.scheduledStart) : std::string();
    endingRange = schedule.scheduledEnd.status != CDateTime::null;
    endTimeText = MaskedTimeText(schedule.scheduledEnd);
}

std::variant<CCaseScheduleInfo, std::string> ScheduleLogic::Result() const
{
    CCaseScheduleInfo result = original_;
    if (!scheduled) {
        result.scheduledStart = Null();
        result.scheduledEnd = Null();
        result.dateOnly = 0;
        return result;
    }
    const std::optional<CDateTime> start =
        exactTime ? ParseMaskedDateTime(dateText, startTimeText) : ParseMaskedDate(dateText);
    if (!start || !start->IsValid())
        return std::string("The date/time is invalid");
    result.scheduledStart = *start;
    result.dateOnly = exactTime ? 0 : 1;
    result.scheduledEnd = Null();
    if (endingRange) {
        const std::optional<CDateTime> end = ParseMaskedDateTime(dateText, endTimeText);
        if (!end || !end->IsValid())
            return std::string("The ending date/time is invalid");
        result.scheduledEnd = *end;
    }
    return result;
}
