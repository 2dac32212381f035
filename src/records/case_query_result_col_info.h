#pragma once
// One column of a case query's result table.

#include "codec/object.h"

#include <cstdint>
#include <string>

class CCaseQueryResultColInfo final : public CObject {
    ORV_DECLARE_SERIAL(CCaseQueryResultColInfo)
public:
    void Serialize(CArchive& ar) override;

    std::string header;
    int32_t width = 0;       // pixels
    int32_t alignment = 0;   // 0 left, 1 centre, 2 right
    int32_t columnKind = 0;  // the values' type, coded as the case field types
};
