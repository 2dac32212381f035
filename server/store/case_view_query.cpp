#include "server/store/case_view_query.h"

#include "query/civil_date.h"
#include "query/period_range.h"
#include "query/scope_bits.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// The four fields a node's text can be matched against.
enum class TargetSlot { parent, child, region, territory };

// What a kind of node asks of its slot's field.
enum class TargetMode {
    name,   // equal to the node's text
    every,  // nothing
    empty,  // no value
};

struct NodeReading {
    TargetSlot slot;
    TargetMode mode;
    bool operator==(const NodeReading&) const = default;
};

struct KindBit {
    int32_t bit;
    NodeReading reading;
};

constexpr std::array<KindBit, 19> kKinds = {{
    {kScopeEachParent, {TargetSlot::parent, TargetMode::name}},
    {kScopeAllParents, {TargetSlot::parent, TargetMode::every}},
    {kScopeUnassignedParents, {TargetSlot::parent, TargetMode::empty}},
    {kScopeAllChildren, {TargetSlot::child, TargetMode::every}},
    {kScopeUnassignedChildren, {TargetSlot::child, TargetMode::empty}},
    {kScopeEachChildGroup0, {TargetSlot::child, TargetMode::name}},
    {kScopeEachAuditor, {TargetSlot::child, TargetMode::name}},
    {kScopeEachBiller, {TargetSlot::child, TargetMode::name}},
    {kScopeEachExporter, {TargetSlot::child, TargetMode::name}},
    {kScopeEachChildGroup4, {TargetSlot::child, TargetMode::name}},
    {kScopeEachPrinter, {TargetSlot::child, TargetMode::name}},
    {kScopeEachReviewer, {TargetSlot::child, TargetMode::name}},
    {kScopeEachScheduler, {TargetSlot::child, TargetMode::name}},
    {kScopeEachArchiveChild, {TargetSlot::child, TargetMode::name}},
    {kScopeEachChildGroup9, {TargetSlot::child, TargetMode::name}},
    {kScopeEachRegion, {TargetSlot::region, TargetMode::name}},
    {kScopeAllRegions, {TargetSlot::region, TargetMode::every}},
    {kScopeUnassignedRegions, {TargetSlot::region, TargetMode::empty}},
    {kScopeEachTerritory, {TargetSlot::territory, TargetMode::name}},
}};

const char* AllNodeText(TargetSlot slot)
{
    switch (slot) {
    case TargetSlot::parent: return "All Parents";
    case TargetSlot::child: return "All Children";
    case TargetSlot::region: return "All Regions";
    case TargetSlot::territory: break;
    }
    return "";
}

// Whether a node of this reading could carry the text: the "All ..." and "Unassigned"
// nodes have fixed texts, named nodes any.
bool TextFits(const NodeReading& reading, const std::string& target)
{
    switch (reading.mode) {
    case TargetMode::every: return target == AllNodeText(reading.slot);
    case TargetMode::empty: return target == "Unassigned";
    case TargetMode::name: return true;
    }
    return false;
}

bool ReadNode(int32_t scope, const std::string& target, NodeReading& reading, std::string& error)
{
    std::vector<NodeReading> readings;
    for (const KindBit& kind : kKinds)
        if ((scope & kind.bit) != 0 && std::find(readings.begin(), readings.end(), kind.reading) == readings.end())
            readings.push_back(kind.reading);
    if (readings.empty()) {
        error = "the scope of the view names no kind of tree node";
        return false;
    }
    if (readings.size() > 1) {
        std::erase_if(readings, [&](const NodeReading& r) { return !TextFits(r, target); });
        if (readings.size() != 1) {
            error = "the scope of the view has several kinds of node and the target text does not tell which";
            return false;
        }
    }
    reading = readings.front();
    return true;
}

std::string TargetToken(const CCaseQueryData& view, TargetSlot slot)
{
    switch (slot) {
    case TargetSlot::parent: return view.parentTargetField.empty() ? "[SysParentName]" : view.parentTargetField;
    case TargetSlot::child: return view.childTargetField.empty() ? "[SysChildName]" : view.childTargetField;
    case TargetSlot::region: return view.regionTargetField.empty() ? "[Region]" : view.regionTargetField;
    case TargetSlot::territory: return view.territoryTargetField.empty() ? "[Territory]" : view.territoryTargetField;
    }
    return {};
}

// A date as a number that grows with time: the stored day count, except that before
// 30 December 1899 the fraction adds time to a negative day (-1.25 is 29 December at
// 06:00, which comes after -1.0).
std::string Timeline(const std::string& expr)
{
    return "(CASE WHEN " + expr + " < 0 THEN 2 * trunc(" + expr + ") - " + expr + " ELSE " + expr + " END)";
}

class CQueryBuilder {
public:
    CQueryBuilder(CaseViewQuery& query, std::string& error) : m_query(query), m_error(error) {}

    bool Fail(std::string message)
    {
        m_error = std::move(message);
        return false;
    }

    // "?N" for a new parameter.
    std::string Parameter(SqlValue value)
    {
        m_query.parameters.push_back(std::move(value));
        std::string placeholder = "?";
        placeholder += std::to_string(m_query.parameters.size());
        return placeholder;
    }

    void Condition(std::string sql) { m_conditions.push_back(std::move(sql)); }

    bool Formula(const std::string& text, const char* what)
    {
        const int first = static_cast<int>(m_query.parameters.size()) + 1;
        CompiledFormula compiled = CaseFormulaCompiler().Compile(text, first);
        if (!compiled.ok)
            return Fail(std::string(what) + ": " + compiled.error);
        for (SqlValue& value : compiled.parameters)
            m_query.parameters.push_back(std::move(value));
        Condition(compiled.sql);
        return true;
    }

    bool Node(const CCaseQueryData& view, const std::string& target)
    {
        NodeReading reading{};
        if (!ReadNode(view.scope, target, reading, m_error))
            return false;
        if (reading.mode == TargetMode::every)
            return true;
        const std::string token = TargetToken(view, reading.slot);
        const CaseField* field = FindCaseField(token);
        if (field == nullptr)
            return Fail("the target field " + token + " is no case field");
        if (field->type != FieldType::text)
            return Fail("the target field " + token + " is not a text field");
        if (reading.mode == TargetMode::empty)
            Condition("(COALESCE(" + field->column + ", '') = '')");
        else
            Condition("(" + field->column + " = " + Parameter(target) + ")");
        return true;
    }

    bool Period(const CCaseQueryData& view, const CDateTime& now)
    {
        if (view.keyDateField.empty() || view.period == periodAll)
            return true;
        const CaseField* field = FindCaseField(view.keyDateField);
        if (field == nullptr)
            return Fail("the key date " + view.keyDateField + " is no case field");
        if (field->type != FieldType::dateTime)
            return Fail("the key date " + view.keyDateField + " is not a date field");
        if (view.period < 0 || view.period >= kPeriodCount)
            return Fail("the view has no period " + std::to_string(view.period));
        PeriodRange range = ComputePeriodRange(view.period, now, view.periodFrom, view.periodTo);
        if (view.period == periodLastYearToDate && !range.to.IsValid()) {
            // Today is 29 February: last year's February ends a day earlier.
            DayAndTime today;
            if (SplitDateTime(now, today)) {
                const CivilDate date = DateOfSerial(today.day);
                range.to = MakeDate(CivilDate{date.year - 1, date.month, DaysInMonth(date.year - 1, date.month)});
            }
        }
        DayAndTime from;
        DayAndTime to;
        if (!SplitDateTime(range.from, from) || !SplitDateTime(range.to, to))
            return Fail(view.period == periodCustom ? "the custom period of the view has no valid dates"
                                                    : "the dates of the period cannot be computed");
        const std::string day = Timeline(field->value);
        Condition("(" + day + " >= " + Parameter(from.day) + " AND " + day + " < " + Parameter(to.day + 1) + ")");
        return true;
    }

    bool Sort(const std::string& token, bool ascending)
    {
        if (token.empty())
            return true;
        const CaseField* field = FindCaseField(token);
        if (field == nullptr)
            return Fail("the sort key " + token + " is no case field");
        std::string key = field->value;
        if (field->type == FieldType::text)
            key += " COLLATE NOCASE";
        else if (field->type == FieldType::dateTime)
            key = Timeline(key);
        // No value sorts before every value, on every engine.
        m_order.push_back(key + (ascending ? " ASC NULLS FIRST" : " DESC NULLS LAST"));
        return true;
    }

    void Column(const std::string& header, int32_t width, int32_t alignment, FieldType type, CellFormat format,
                const std::string& value)
    {
        CCaseQueryResultColInfo column;
        column.header = header;
        column.width = width;
        column.alignment = alignment;
        column.columnKind = static_cast<int32_t>(type);
        m_query.columns.push_back(std::move(column));
        m_query.cells.push_back(format);
        m_select.push_back(value);
    }

    void Finish()
    {
        std::string sql = "SELECT ";
        for (size_t i = 0; i < m_select.size(); ++i)
            sql += (i == 0 ? "" : ", ") + m_select[i];
        sql += " FROM Cases c";
        for (size_t i = 0; i < m_conditions.size(); ++i)
            sql += (i == 0 ? " WHERE " : " AND ") + m_conditions[i];
        sql += " ORDER BY ";
        for (const std::string& key : m_order)
            sql += key + ", ";
        sql += "c.CaseNumber ASC;";
        m_query.sql = std::move(sql);
    }

private:
    CaseViewQuery& m_query;
    std::string& m_error;
    std::vector<std::string> m_select;
    std::vector<std::string> m_conditions;
    std::vector<std::string> m_order;
};

}  // namespace

bool BuildCaseViewQuery(const CCaseQueryData& view, const std::string& target, const std::string& searchFormula,
                        const SessionUser& user, const CDateTime& now, CaseViewQuery& query, std::string& error)
{
    query = CaseViewQuery{};
    CQueryBuilder builder(query, error);

    builder.Column(kCaseNumberHeader, 0, 0, FieldType::text, CellFormat::text, "c.CaseNumber");
    for (const auto& column : view.columns) {
        const CaseField* field = FindCaseField(column->fieldToken);
        if (field == nullptr)
            return builder.Fail("the column field " + column->fieldToken + " is no case field");
        builder.Column(column->header, column->width, column->alignment, field->type, field->format, field->value);
    }

    if (!builder.Node(view, target))
        return false;
    if (user.boundToParent)
        builder.Condition("(c.ParentName = " + builder.Parameter(user.parentName) + ")");
    if (!builder.Period(view, now))
        return false;
    if (!builder.Formula(view.formula, "view formula"))
        return false;
    if (!searchFormula.empty() && !builder.Formula(searchFormula, "search formula"))
        return false;

    if (!builder.Sort(view.sort1Field, view.sort1Ascending) || !builder.Sort(view.sort2Field, view.sort2Ascending) ||
        !builder.Sort(view.sort3Field, view.sort3Ascending))
        return false;
    builder.Finish();
    return true;
}
