#pragma once
// A report property record of the server's. The client loads and stores it whole and
// uses none of its fields.

#include "codec/object.h"
#include "records/case_query_data.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CORVReportProps : public CObject {
    ORV_DECLARE_SERIAL(CORVReportProps)
public:
    void Serialize(CArchive& ar) override;

    std::array<std::string, 5> texts;
    std::array<int32_t, 4> numbers{};
    CCaseQueryData query;
    // Records of any class, carried unchanged (never edited here, so copies share them).
    std::vector<std::shared_ptr<CObject>> objects;
    std::string block;  // raw bytes; their count travels before them
};
