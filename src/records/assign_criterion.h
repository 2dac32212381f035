#pragma once
// One rule limiting which cases the server assigns to a child automatically.

#include "codec/object.h"

#include <string>

class CAssignCriterion : public CObject {
    ORV_DECLARE_SERIAL(CAssignCriterion)
public:
    void Serialize(CArchive& ar) override;

    // "Territory" (region, territory), "Premium" (start, end as "%.0f"),
    // "Parent" (name), "Formula" (formula text) or "Child" (name).
    std::string category;
    std::string value1;
    std::string value2;
};
