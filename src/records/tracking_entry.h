#pragma once
// One line of a case's assignment history.

#include "codec/date_time.h"
#include "codec/object.h"
#include "records/record_io.h"

#include <string>

class CTrackingEntry : public CObject {
    ORV_DECLARE_SERIAL(CTrackingEntry)
public:
    // The child name of a line that left the case without a child.
    static constexpr const char* kUnassigned = "*Unassigned*";

    void Serialize(CArchive& ar) override;

    std::string childName;  // or kUnassigned
    std::string groupName;
    std::string assignor;
    std::string status;
    CDateTime dateAssigned = kValidZeroDate;
    CDateTime opaqueDate1 = kValidZeroDate;
    CDateTime opaqueDate2 = kValidZeroDate;
};
