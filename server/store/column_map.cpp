#include "server/store/column_map.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Odd dates on PostgreSQL: 2^1000 + n * 2^948 for n below 2^52, exact in a double.
const double kOddBase = std::ldexp(1.0, 1000);
const double kOddStep = std::ldexp(1.0, 948);

bool OnPostgres(const CStatement& statement)
{
    return statement.Database() != nullptr && statement.Database()->Dialect() == SqlDialect::postgresql;
}

}  // namespace

void BindDate(CStatement& statement, int index, const CDateTime& date)
{
    const bool plainDay = date.status == CDateTime::valid && std::isfinite(date.date) &&
                          !(date.date == 0.0 && std::signbit(date.date));
    const bool postgres = OnPostgres(statement);
    if (plainDay && !(postgres && std::fabs(date.date) >= kOddBase)) {
        statement.BindDouble(index, date.date);
        return;
    }
    if (date.status == CDateTime::null && date.date == 0.0 && !std::signbit(date.date)) {
        statement.BindNull(index);
        return;
    }
    if (postgres) {
        // A date that could not be kept binds as NaN, which sorts where odd dates do;
        // the statement's transaction has failed by then in any case.
        const int64_t number = statement.Database()->OddDateNumber(date.status, DoubleBits(date.date));
        statement.BindDouble(index, number > 0 && number < (int64_t{1} << 52)
                                        ? kOddBase + static_cast<double>(number) * kOddStep
                                        : std::nan(""));
        return;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%d:%a", static_cast<int>(date.status), date.date);
    statement.BindText(index, text);
}

CDateTime ReadDate(const CStatement& statement, int index)
{
    if (statement.ColumnIsNull(index))
        return CDateTime{CDateTime::null, 0.0};
    if (!statement.ColumnIsText(index)) {
        const double day = statement.ColumnDouble(index);
        if (!OnPostgres(statement) || (std::isfinite(day) && std::fabs(day) < kOddBase))
            return CDateTime{CDateTime::valid, day};
        const double number = (day - kOddBase) / kOddStep;
        int32_t status = CDateTime::invalid;
        int64_t bits = 0;
        if (day >= kOddBase && day < 2 * kOddBase && number >= 1 &&
            statement.Database()->OddDate(static_cast<int64_t>(number), status, bits))
            return CDateTime{status, DoubleFromBits(bits)};
        return CDateTime{CDateTime::invalid, day};
    }
    const std::string text = statement.ColumnText(index);
    char* end = nullptr;
    const long status = std::strtol(text.c_str(), &end, 10);
    CDateTime date{static_cast<int32_t>(status), 0.0};
    if (end != nullptr && *end == ':')
        date.date = std::strtod(end + 1, nullptr);
    return date;
}

int64_t DoubleBits(double value)
{
    int64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double DoubleFromBits(int64_t bits)
{
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void BindValue(CStatement& statement, int index, const std::string& value) { statement.BindText(index, value); }
void BindValue(CStatement& statement, int index, int32_t value) { statement.BindInt(index, value); }
void BindValue(CStatement& statement, int index, bool value) { statement.BindInt(index, value ? 1 : 0); }
void BindValue(CStatement& statement, int index, double value) { statement.BindDouble(index, value); }
void BindValue(CStatement& statement, int index, const CDateTime& value) { BindDate(statement, index, value); }

void ReadValue(const CStatement& statement, int index, std::string& value) { value = statement.ColumnText(index); }
void ReadValue(const CStatement& statement, int index, int32_t& value)
{
    value = static_cast<int32_t>(statement.ColumnInt(index));
}
void ReadValue(const CStatement& statement, int index, bool& value) { value = statement.ColumnInt(index) != 0; }
void ReadValue(const CStatement& statement, int index, double& value) { value = statement.ColumnDouble(index); }
void ReadValue(const CStatement& statement, int index, CDateTime& value) { value = ReadDate(statement, index); }
