#pragma once
// A case field as the server describes it: label, bracketed query token and type.

#include "codec/object.h"

#include <cstdint>
#include <string>

class CCaseFieldInfo : public CObject {
    ORV_DECLARE_SERIAL(CCaseFieldInfo)
public:
    // Field types.
    enum Type : int32_t { text = 0, dateTime = 1, integerCode = 2, yesNo = 3, amount = 4 };

    void Serialize(CArchive& ar) override;

    std::string label;   // "Insured Name"
    std::string token;   // "[InsuredName]"
    int32_t type = text;
    int32_t searchable = 0;  // non-zero: the search dialog may offer the field
};
