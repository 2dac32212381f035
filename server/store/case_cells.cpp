#include "server/store/case_cells.h"

#include "query/civil_date.h"
#include "server/access_rights.h"
#include "server/database.h"
#include "server/store/column_map.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>

namespace {

std::string NameOrNumber(const char* const* names, size_t count, int64_t value)
{
    if (value >= 0 && static_cast<size_t>(value) < count && names[value] != nullptr)
        return names[value];
    return std::to_string(value);
}

}  // namespace

std::string DateCell(const CDateTime& value)
{
    DayAndTime parts;
    if (!SplitDateTime(value, parts))
        return {};
    int64_t day = parts.day;
    int64_t minutes = std::llround(parts.time * 1440.0);
    if (minutes >= 1440) {  // a time a hair before midnight
        minutes = 0;
        ++day;
    }
    if (day > kLastDaySerial)
        return {};
    const CivilDate date = DateOfSerial(day);
    char text[48];
    if (minutes == 0) {
        std::snprintf(text, sizeof text, "%d/%d/%04d", date.month, date.day, date.year);
    } else {
        const int hour = static_cast<int>(minutes / 60);
        const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
        std::snprintf(text, sizeof text, "%d/%d/%04d %d:%02d %s", date.month, date.day, date.year, hour12,
                      static_cast<int>(minutes % 60), hour < 12 ? "AM" : "PM");
    }
    return text;
}

std::string AmountCell(double value)
{
    if (!std::isfinite(value))
        return {};
    char text[400];  // the largest finite double has 309 digits before the point
    std::snprintf(text, sizeof text, "%.2f", value);
    const std::string plain = text;

    const bool negative = plain.front() == '-';
    const std::string digits = plain.substr(negative ? 1 : 0, plain.size() - (negative ? 4 : 3));
    const std::string cents = plain.substr(plain.size() - 3);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    // A value that rounds to zero is shown without its sign.
    const bool zero = digits.find_first_not_of('0') == std::string::npos && cents == ".00";
    return (negative && !zero ? "-" : "") + grouped + cents;
}

std::string CodeCell(CellFormat format, int64_t value)
{
    static const char* const kParentLink[] = {"", "To Be Linked", "Linked", "To Be Returned", "", "", "To Be Sent"};
    static const char* const kChildLink[] = {"", "To Be Linked", "Linked", "Not Linked", "", ""};
    static const char* const kSources[] = {"Physical", "Telephone", "Mail", "Other"};
    static const char* const kTypes[] = {"Annual", "Cancellation", "Interim", "Mail", "Pre-audit", "Re-Audit", "Other"};
    switch (format) {
    case CellFormat::yesNo:
    case CellFormat::hasAttachment:
        return value != 0 ? "Yes" : "No";
    case CellFormat::parentLinkStatus:
        return NameOrNumber(kParentLink, std::size(kParentLink), value);
    case CellFormat::childLinkStatus:
        return NameOrNumber(kChildLink, std::size(kChildLink), value);
    case CellFormat::auditSource:
        return NameOrNumber(kSources, std::size(kSources), value);
    case CellFormat::auditType:
        return NameOrNumber(kTypes, std::size(kTypes), value);
    case CellFormat::childGroup: {
        if (value == -1)
            return {};  // no child
        const std::string name =
            value >= INT32_MIN && value <= INT32_MAX ? AccessGroupName(static_cast<int32_t>(value)) : std::string();
        return name.empty() ? std::to_string(value) : name;
    }
    default:
        return std::to_string(value);
    }
}

std::string ReadCell(const CStatement& statement, int index, CellFormat format)
{
    switch (format) {
    case CellFormat::text:
        return statement.ColumnText(index);
    case CellFormat::date:
        return DateCell(ReadDate(statement, index));
    case CellFormat::amount:
        return statement.ColumnIsNull(index) ? std::string() : AmountCell(statement.ColumnDouble(index));
    default:
        return statement.ColumnIsNull(index) ? std::string() : CodeCell(format, statement.ColumnInt(index));
    }
}
