#pragma once
// One billing entry of a case: an amount billed to the parent or paid to a child, hourly
// or flat, with a discount.

#include "codec/date_time.h"
#include "codec/object.h"
#include "records/record_io.h"

#include <cstdint>
#include <string>

class CBillingEntry : public CObject {
    ORV_DECLARE_SERIAL(CBillingEntry)
public:
    enum Kind : int32_t { flat = 0, hourly = 1 };

    void Serialize(CArchive& ar) override;

    int32_t entryId = 0;  // 0 for a new entry
    int32_t opaqueInt1 = 0;
    int32_t opaqueInt2 = 0;
    std::string parentName;  // set when the entry bills the parent
    std::string childName;   // set when the entry pays a child
    double billedHours = 0.0;
    double discountPercent = 0.0;
    double billedAmount = 0.0;
    int32_t kind = flat;
    double firstHourRate = 0.0;  // the flat amount for a flat entry
    double additionalHoursRate = 0.0;
    CDateTime billingDate = kValidZeroDate;  // null: the server assigns it
    std::string memo;
};
