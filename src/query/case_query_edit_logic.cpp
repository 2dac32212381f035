#include "query/case_query_edit_logic.h"

#include "query/case_field_catalogue.h"
#include "query/case_view_list.h"
#include "query/civil_date.h"
#include "query/period_range.h"
#include "query/predefined_filters.h"
#include "query/scope_bits.h"

#include <cstdio>
#include <utility>

namespace {

size_t ChoiceOfToken(const std::vector<CaseFieldEntry>& fields, const std::string& token)
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].token == token)
            return i + 1;
    return 0;
}

std::string TokenOfChoice(const std::vector<CaseFieldEntry>& fields, size_t choice)
{
    if (choice == 0 || choice > fields.size())
        return {};
    return std::string(fields[choice - 1].token);
}

// Reads one group of digits; false when there is none or it is too long to be a date part.
bool ReadNumber(const std::string& text, size_t& at, int32_t& value)
{
    size_t digits = 0;
    value = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        if (++digits > 4)
            return false;
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    while (at < text.size() && text[at] == ' ')
        ++at;
    return digits > 0;
}

}  // namespace

CaseQueryEditLogic::CaseQueryEditLogic(const CCaseQueryData& view, const CDateTime& now) : now_(now)
{
    name = view.name;
    viewType = view.viewType;
    scopeChoice = ScopeChoiceIndexOf(view.scope);
    queryType = view.queryType;
    formula = view.formula;

    const std::vector<CaseFieldEntry> dates = CaseFieldCatalogue::DateFields();
    const std::vector<CaseFieldEntry> fields = CaseFieldCatalogue::Fields();
    keyDateChoice = ChoiceOfToken(dates, view.keyDateField);
    period = view.period >= 0 && view.period < kPeriodCount ? view.period : 0;
    sortChoice[0] = ChoiceOfToken(fields, view.sort1Field);
    sortChoice[1] = ChoiceOfToken(fields, view.sort2Field);
    sortChoice[2] = ChoiceOfToken(fields, view.sort3Field);
    sortAscending[0] = view.sort1Ascending;
    sortAscending[1] = view.sort2Ascending;
    sortAscending[2] = view.sort3Ascending;
    if (period == CCaseQueryData::kCustomPeriod) {
        fromText = DateText(view.periodFrom);
        toText = DateText(view.periodTo);
    } else {
        ShowRange();
    }

    for (const auto& column : view.columns)
        if (column && CaseFieldCatalogue::FindByToken(column->fieldToken))
            rows.push_back(RowOf(*column));
}

bool CaseQueryEditLogic::FormulaReadOnly() const
{
    return queryType != kCustomQueryType;
}

void CaseQueryEditLogic::SetQueryType(int32_t type)
{
    queryType = type;
    if (const std::optional<std::string> predefined = PredefinedFormula(type))
        formula = *predefined;
}

int32_t CaseQueryEditLogic::Scope() const
{
    return ScopeChoices()[scopeChoice < kScopeChoiceCount ? scopeChoice : 0].bit;
}

std::vector<std::string> CaseQueryEditLogic::KeyDateLabels()
{
    std::vector<std::string> labels{kNone};
    for (const CaseFieldEntry& field : CaseFieldCatalogue::DateFields())
        labels.emplace_back(field.label);
    return labels;
}

std::vector<std::string> CaseQueryEditLogic::SortLabels()
{
    std::vector<std::string> labels{kNone};
    for (std::string& label : CaseFieldCatalogue::AllLabels())
        labels.push_back(std::move(label));
    return labels;
}

void CaseQueryEditLogic::ShowRange()
{
    if (period == periodAll || period == periodCustom)
        return;
    const PeriodRange range = ComputePeriodRange(period, now_, {}, {});
    fromText = DateText(range.from);
    toText = DateText(range.to);
}

void CaseQueryEditLogic::SetPeriod(int32_t newPeriod)
{
    period = newPeriod >= 0 && newPeriod < kPeriodCount ? newPeriod : 0;
    ShowRange();
}

// --- Columns -------------------------------------------------------------------------------

void CaseQueryEditLogic::AddRow(const CaseQueryColumnRow& row)
{
    rows.push_back(row);
}

void CaseQueryEditLogic::ReplaceSelected(const CaseQueryColumnRow& row)
{
    if (selected >= 0 && selected < static_cast<int>(rows.size()))
        rows[static_cast<size_t>(selected)] = row;
}

void CaseQueryEditLogic::RemoveSelected()
{
    if (selected < 0 || selected >= static_cast<int>(rows.size()))
        return;
    rows.erase(rows.begin() + selected);
    if (selected >= static_cast<int>(rows.size()))
        selected = static_cast<int>(rows.size()) - 1;
}

void CaseQueryEditLogic::MoveSelectedUp()
{
    if (selected <= 0 || selected >= static_cast<int>(rows.size()))
        return;
    std::swap(rows[static_cast<size_t>(selected)], rows[static_cast<size_t>(selected - 1)]);
    --selected;
}

void CaseQueryEditLogic::MoveSelectedDown()
{
    if (selected < 0 || selected + 1 >= static_cast<int>(rows.size()))
        return;
    std::swap(rows[static_cast<size_t>(selected)], rows[static_cast<size_t>(selected + 1)]);
    ++selected;
}

int32_t CaseQueryEditLogic::AlignmentOf(const std::string& text)
{
    if (text == "Center")
        return CCaseQueryColInfo::centre;
    if (text == "Right")
        return CCaseQueryColInfo::right;
    return CCaseQueryColInfo::left;
}

std::string CaseQueryEditLogic::AlignmentText(int32_t alignment)
{
    switch (alignment) {
    case CCaseQueryColInfo::centre: return "Center";
    case CCaseQueryColInfo::right: return "Right";
    default: return "Left";
    }
}

CaseQueryColumnRow CaseQueryEditLogic::RowOf(const CCaseQueryColInfo& column)
{
    return {CaseFieldCatalogue::LabelOfToken(column.fieldToken).value_or(std::string()), column.header,
            std::to_string(column.width), AlignmentText(column.alignment)};
}

// --- Saving ----------------------------------------------------------------------------------

std::optional<CaseQueryEditFailure> CaseQueryEditLogic::Validate(
    const std::vector<std::shared_ptr<CCaseQueryData>>* definitions, const CCaseQueryData* self) const
{
    if (definitions && ViewNameClashes(*definitions, name, Scope(), self))
        return CaseQueryEditFailure{CaseQueryEditFailure::general, kNameClash};
    if (period == CCaseQueryData::kCustomPeriod) {
        const CDateTime from = ParseDate(fromText);
        const CDateTime to = ParseDate(toText);
        if (!from.IsValid() || !to.IsValid() || to.date < from.date)
            return CaseQueryEditFailure{CaseQueryEditFailure::periodAndSorting, kInvalidDates};
    }
    return std::nullopt;
}

void CaseQueryEditLogic::Commit(CCaseQueryData& view, bool fullMode) const
{
    if (fullMode) {
        view.name = name.substr(0, kMaxNameLength);
        view.viewType = viewType;
        view.scope = Scope();
        view.queryType = queryType;
        view.formula = formula;
    }
    const std::vector<CaseFieldEntry> dates = CaseFieldCatalogue::DateFields();
    const std::vector<CaseFieldEntry> fields = CaseFieldCatalogue::Fields();
    view.keyDateField = TokenOfChoice(dates, keyDateChoice);
    view.period = period;
    view.periodFrom = ParseDate(fromText);
    view.periodTo = ParseDate(toText);
    view.sort1Field = TokenOfChoice(fields, sortChoice[0]);
    view.sort2Field = TokenOfChoice(fields, sortChoice[1]);
    view.sort3Field = TokenOfChoice(fields, sortChoice[2]);
    view.sort1Ascending = sortAscending[0];
    view.sort2Ascending = sortAscending[1];
    view.sort3Ascending = sortAscending[2];

    view.columns.clear();
    for (const CaseQueryColumnRow& row : rows) {
        const std::optional<std::string> token = CaseFieldCatalogue::TokenOfLabel(row.label);
        if (!token)
            continue;
        auto column = std::make_shared<CCaseQueryColInfo>();
        column->fieldToken = *token;
        column->header = row.header.substr(0, kMaxHeaderLength);
        int32_t width = 0;
        size_t at = 0;
        if (!ReadNumber(row.width, at, width) || width > kMaxWidth)
            width = 0;
        column->width = width;
        column->alignment = AlignmentOf(row.align);
        view.columns.push_back(std::move(column));
    }
}

std::string CaseQueryEditLogic::DateText(const CDateTime& date)
{
    DayAndTime parts;
    if (!SplitDateTime(date, parts))
        return {};
    const CivilDate civil = DateOfSerial(parts.day);
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", civil.month, civil.day, civil.year);
    return text;
}

CDateTime CaseQueryEditLogic::ParseDate(const std::string& text)
{
    constexpr CDateTime kInvalid{CDateTime::invalid, 0.0};
    CivilDate date;
    size_t at = 0;
    if (!ReadNumber(text, at, date.month) || at >= text.size() || text[at++] != '/' ||
        !ReadNumber(text, at, date.day) || at >= text.size() || text[at++] != '/' ||
        !ReadNumber(text, at, date.year) || at != text.size())
        return kInvalid;
    return MakeDate(date);
}
