#pragma once
// The full definition of one case view: filter formula, scope, sort keys, key-date
// period, the fields that receive the tree node's name, and the columns. As a tagged
// object its stored schema number must be exactly kSchema. Copies own their own columns.

#include "codec/date_time.h"
#include "codec/object.h"
#include "records/case_query_col_info.h"
#include "records/owned_objects.h"
#include "records/record_io.h"

#include <cstdint>
#include <string>

class CCaseQueryData final : public CObject {
    ORV_DECLARE_SERIAL(CCaseQueryData)
public:
    static constexpr uint16_t kSchema = 33764;  // 0x83E4
    static constexpr int32_t kCustomQuery = 21;  // queryType of a formula typed by the user
    static constexpr int32_t kCustomPeriod = 24; // the period that uses periodFrom and periodTo

    void Serialize(CArchive& ar) override;

    int32_t viewType = 0;
    int32_t scope = 0;
    std::string name;           // at most 30 characters in the editor
    int32_t queryType = 0;      // predefined filter 0 to 20, or kCustomQuery
    std::string formula = "[ChildGroupCode] < 8";
    std::string opaqueText1;    // carried unchanged
    std::string sort1Field;     // token, or empty for none
    bool sort1Ascending = true;
    std::string sort2Field;
    bool sort2Ascending = true;
    std::string sort3Field;
    bool sort3Ascending = true;
    std::string keyDateField;   // token of the date the period applies to, or empty
    int32_t period = 0;
    CDateTime periodFrom = kValidZeroDate;
    CDateTime periodTo = kValidZeroDate;
    std::string parentTargetField;
    std::string childTargetField;
    std::string regionTargetField;
    std::string territoryTargetField;
    OwnedObjects<CCaseQueryColInfo> columns;  // left to right; never an empty entry
};
