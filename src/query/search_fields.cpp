#include "query/search_fields.h"

#include "query/case_field_catalogue.h"

static_assert(int32_t{CCaseFieldInfo::text} == int32_t{fieldText} &&
                  int32_t{CCaseFieldInfo::dateTime} == int32_t{fieldDateTime} &&
                  int32_t{CCaseFieldInfo::integerCode} == int32_t{fieldIntegerCode} &&
                  int32_t{CCaseFieldInfo::yesNo} == int32_t{fieldYesNo} &&
                  int32_t{CCaseFieldInfo::amount} == int32_t{fieldAmount},
              "the record and the catalogue code field types alike");

std::vector<SearchField> SearchFieldsOf(const std::vector<CCaseFieldInfo>& serverFields)
{
    std::vector<SearchField> fields;
    for (const CCaseFieldInfo& info : serverFields)
        if (info.type == CCaseFieldInfo::text && info.searchable != 0)
            fields.push_back({info.label, info.token});
    return fields;
}
