#pragma once
// One billing default row of a parent or child: the rate that applies to cases of a
// given audit source, audit type, policy type, policy code and productivity.

#include "codec/object.h"

#include <cstdint>
#include <string>

class CBillingDef : public CObject {
    ORV_DECLARE_SERIAL(CBillingDef)
public:
    static constexpr int32_t kAll = -1;  // audit source or type: every value
    enum NonProductive : int32_t { productiveOnly = 0, nonProductiveOnly = 1, eitherProductivity = 2 };

    void Serialize(CArchive& ar) override;

    int32_t opaqueInt1 = 0;  // 0 from the editor
    int32_t opaqueInt2 = 0;  // 0 from the editor
    double billedHours = 0.0;   // hourly rows
    double opaqueAmount = 0.0;  // 0 from the editor
    int32_t hourly = 0;         // 1 hourly, 0 flat
    double firstAmount = 0.0;   // first hour rate, or the flat amount of a flat row
    double additionalHoursRate = 0.0;
    std::string description;
    int32_t auditSource = 0;  // or kAll
    int32_t auditType = 0;    // or kAll
    std::string policyType;   // empty for all
    int32_t policyCode = 0;
    int32_t nonProductive = productiveOnly;
};
