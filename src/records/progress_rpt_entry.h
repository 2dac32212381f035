#pragma once
// One entry of a case's progress report log.

#include "codec/date_time.h"
#include "codec/object.h"
#include "records/record_io.h"

#include <cstdint>
#include <string>

class CProgressRptEntry : public CObject {
    ORV_DECLARE_SERIAL(CProgressRptEntry)
public:
    void Serialize(CArchive& ar) override;

    int32_t entryId = 0;
    CDateTime entryDate = kValidZeroDate;
    std::string enteredBy;
    std::string comment;    // up to 2048 characters in the editor
    bool internal = false;  // not printed; shown as "INTERNAL" to users without the right
    bool linked = false;    // came over a link: cannot be edited or removed
    int32_t opaqueInt = 0;
};
