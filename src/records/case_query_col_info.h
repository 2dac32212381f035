#pragma once
// One column of a case view definition. It travels as a tagged object whose stored
// schema number must be exactly kSchema.

#include "codec/object.h"

#include <cstdint>
#include <string>

class CCaseQueryColInfo final : public CObject {
    ORV_DECLARE_SERIAL(CCaseQueryColInfo)
public:
    static constexpr uint16_t kSchema = 21701;  // 0x54C5
    enum Alignment : int32_t { left = 0, centre = 1, right = 2 };

    void Serialize(CArchive& ar) override;

    std::string fieldToken;  // the case field shown, e.g. "[InsuredName]"
    std::string header;      // at most 50 characters in the editor
    int32_t width = 0;       // pixels, 0 to 9999
    int32_t alignment = left;
};
