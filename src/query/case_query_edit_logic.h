#pragma once
// The state and rules of the case view editor, without windows: the general page (name,
// type, scope, query type and formula), the period and sorting page (key date, period,
// dates, sort keys) and the columns page (rows with the selection that follows moves and
// removals). The sheet's pages only map their controls to this state; OK writes it back
// into the definition with Commit.

#include "codec/date_time.h"
#include "records/case_query_data.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One row of the columns page, as shown: the field's label, the header, the width as
// decimal text and the alignment as "Left", "Center" or "Right".
struct CaseQueryColumnRow {
    std::string label;
    std::string header;
    std::string width;
    std::string align;
    bool operator==(const CaseQueryColumnRow&) const = default;
};

// Where a refused save leaves the sheet.
struct CaseQueryEditFailure {
    enum Page { general = 0, periodAndSorting = 1 };
    Page page;
    std::string message;
};

class CaseQueryEditLogic {
public:
    static constexpr size_t kMaxNameLength = 30;
    static constexpr size_t kMaxHeaderLength = 50;
    static constexpr int32_t kMaxWidth = 9999;
    static constexpr const char* kNameClash = "Name already exists for View with similar scope.  Pick another.";
    static constexpr const char* kInvalidDates = "One or more of the dates are invalid.";
    static constexpr const char* kNone = "*NONE*";

    // Copies the definition into the pages. `now` is the date-time the period ranges are
    // computed from.
    CaseQueryEditLogic(const CCaseQueryData& view, const CDateTime& now);

    // --- General page ------------------------------------------------------------------
    std::string name;
    int32_t viewType = 0;        // 0 to 2
    size_t scopeChoice = 0;      // index into ScopeChoices()
    int32_t queryType = 0;       // 0 to 21
    std::string formula;
    // Read-only unless the query type is "Custom".
    bool FormulaReadOnly() const;
    // A predefined type puts its formula in; "Custom" keeps the text.
    void SetQueryType(int32_t type);
    int32_t Scope() const;

    // --- Period and sorting page ---------------------------------------------------------
    // Entry 0 is "*NONE*", then the catalogue's date fields.
    static std::vector<std::string> KeyDateLabels();
    // Entry 0 is "*NONE*", then every catalogue label.
    static std::vector<std::string> SortLabels();
    size_t keyDateChoice = 0;
    int32_t period = 0;
    std::string fromText;  // "MM/DD/YYYY", or empty
    std::string toText;
    size_t sortChoice[3] = {0, 0, 0};
    bool sortAscending[3] = {true, true, true};
    bool PeriodEnabled() const { return keyDateChoice != 0; }
    bool DatesWritable() const { return PeriodEnabled() && period == CCaseQueryData::kCustomPeriod; }
    // Another period shows its range from now; "All" and "Custom" keep the texts.
    void SetPeriod(int32_t newPeriod);

    // --- Columns page -----------------------------------------------------------------------
    std::vector<CaseQueryColumnRow> rows;
    int selected = -1;  // -1: none
    void AddRow(const CaseQueryColumnRow& row);
    void ReplaceSelected(const CaseQueryColumnRow& row);
    // The row taking its place (or the new last row) becomes selected.
    void RemoveSelected();
    // The selection follows the moved row; nothing at the edges.
    void MoveSelectedUp();
    void MoveSelectedDown();
    // "Center" 1, "Right" 2, anything else 0; and back.
    static int32_t AlignmentOf(const std::string& text);
    static std::string AlignmentText(int32_t alignment);
    // A column as the properties dialog edits it, and its row.
    static CaseQueryColumnRow RowOf(const CCaseQueryColInfo& column);

    // --- Saving ---------------------------------------------------------------------------
    // The first refusal, in page order: the name clash against the other definitions of
    // the set (full mode only), then invalid Custom dates.
    std::optional<CaseQueryEditFailure> Validate(const std::vector<std::shared_ptr<CCaseQueryData>>* definitions,
                                                 const CCaseQueryData* self) const;
    // Writes the pages into the definition; the general page only in full mode.
    void Commit(CCaseQueryData& view, bool fullMode) const;

    // "MM/DD/YYYY" of a valid date; empty otherwise. And the date read back from such a
    // text: an invalid date-time when it is no real date.
    static std::string DateText(const CDateTime& date);
    static CDateTime ParseDate(const std::string& text);

private:
    void ShowRange();

    CDateTime now_;
};
