#pragma once
// The inspection schedule of a case: a date-time or a time range.

#include "codec/date_time.h"
#include "codec/object.h"
#include "records/record_io.h"

#include <cstdint>

class CCaseScheduleInfo : public CObject {
    ORV_DECLARE_SERIAL(CCaseScheduleInfo)
public:
    void Serialize(CArchive& ar) override;

    int32_t dateOnly = 0;  // 1: a date without a start time
    CDateTime scheduledStart = kValidZeroDate;  // null when the case is not scheduled
    CDateTime scheduledEnd = kValidZeroDate;    // null when there is no range
};
