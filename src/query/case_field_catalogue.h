#pragma once
// The built-in vocabulary of case fields: every place where the user names a field
// (columns, sort keys, key date, formulas, search) goes through it. Views store tokens;
// the editors show labels and translate both ways with the lookups below.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Field types; the same codes as CCaseFieldInfo::Type and the result columns' kinds.
enum CaseFieldType : int32_t {
    fieldText = 0,
    fieldDateTime = 1,
    fieldIntegerCode = 2,
    fieldYesNo = 3,
    fieldAmount = 4,
};

struct CaseFieldEntry {
    std::string_view label;   // shown to the user: "Insured Name"
    std::string_view token;   // in formulas, sort keys and columns: "[InsuredName]"
    int32_t type;             // CaseFieldType, or -1 in the terminator
    int32_t searchable;       // 0 or 1, or -1 in the terminator
    std::string_view column;  // the server's column name ("Parent.Name" is in a related table)
};

// The 64 fields in the order every field list is offered, then a terminator whose texts
// are empty. Walks start at the first entry and stop at the first empty label.
class CaseFieldCatalogue {
public:
    static constexpr size_t kFieldCount = 64;
    static constexpr size_t kEntryCount = kFieldCount + 1;

    // The raw table, terminator included.
    static const std::array<CaseFieldEntry, kEntryCount>& Entries();

    // The fields up to the terminator, in table order.
    static std::vector<CaseFieldEntry> Fields();

    // First entry whose token (label) equals the text exactly, letter case included;
    // nullptr when none does. The terminator is never found.
    static const CaseFieldEntry* FindByToken(std::string_view token);
    static const CaseFieldEntry* FindByLabel(std::string_view label);

    static std::optional<std::string> LabelOfToken(std::string_view token);
    static std::optional<std::string> TokenOfLabel(std::string_view label);

    // The date-time fields in table order: the choices of a view's key date.
    static std::vector<CaseFieldEntry> DateFields();

    // Every label in table order: the sort-key and column field choices.
    static std::vector<std::string> AllLabels();
};
