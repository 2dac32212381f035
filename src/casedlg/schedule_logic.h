#pragma once
// The rules of the "Schedule Case" dialog: its controls' states loaded from a case's
// schedule, which controls are enabled, and the schedule read back on OK.

#include "records/case_schedule_info.h"

#include <string>
#include <variant>

class ScheduleLogic {
public:
    explicit ScheduleLogic(const CCaseScheduleInfo& schedule);

    // The controls: "&Scheduled", "&Date:", "Exact Time or Start Range:" with its time,
    // "Ending Time Range:" with its time. Texts as the masked fields show them.
    bool scheduled = false;
    std::string dateText;
    bool exactTime = false;
    std::string startTimeText;
    bool endingRange = false;
    std::string endTimeText;

    // The date and both check boxes only while Scheduled is checked; each time field
    // only while its check box is checked as well.
    bool DateEnabled() const { return scheduled; }
    bool ExactTimeEnabled() const { return scheduled; }
    bool StartTimeEnabled() const { return scheduled && exactTime; }
    bool EndingRangeEnabled() const { return scheduled; }
    bool EndTimeEnabled() const { return scheduled && endingRange; }

    // The schedule to store, or the message that keeps the dialog open.
    std::variant<CCaseScheduleInfo, std::string> Result() const;

private:
    CCaseScheduleInfo original_;
};
