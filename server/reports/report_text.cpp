#include "server/reports/report_text.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

// Days since 30 December 1899 to a civil date (proleptic Gregorian).
void CivilFromDays(int64_t serial, int64_t& year, unsigned& month, unsigned& day)
{
    const int64_t z = serial - 25569 + 719468;  // days since 1 March of year 0
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0);
}

// The wire's dates lie between the years 100 and 9999.
constexpr double kFirstDay = -657434;
constexpr double kLastDay = 2958465;

}  // namespace

namespace ReportText {

std::optional<int64_t> DayOf(const CDateTime& value)
{
    if (value.status != CDateTime::valid || !std::isfinite(value.date) || value.date == 0.0 ||
        value.date < kFirstDay || value.date >= kLastDay + 1)
        return std::nullopt;
    return static_cast<int64_t>(std::floor(value.date));
}

std::string DateOfDay(int64_t day)
{
    int64_t year = 0;
    unsigned month = 0;
    unsigned dayOfMonth = 0;
    CivilFromDays(day, year, month, dayOfMonth);
    char text[32];
    std::snprintf(text, sizeof text, "%02u/%02u/%04lld", month, dayOfMonth, static_cast<long long>(year));
    return text;
}

std::string Date(const CDateTime& value)
{
    const std::optional<int64_t> day = DayOf(value);
    return day ? DateOfDay(*day) : std::string();
}

std::string Amount(double value)
{
    if (!std::isfinite(value))
        return "";
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.2f", std::fabs(value));
    std::string whole(digits, std::string(digits).find('.'));
    const std::string cents = std::string(digits).substr(whole.size());
    std::string grouped;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += ',';
        grouped += whole[i];
    }
    const bool negative = value < 0 && grouped + cents != "0.00";
    return (negative ? "-" : "") + grouped + cents;
}

int64_t Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // Days from 30 December 1899 to 1 January 1970 are 25569.
    const std::time_t midnightUtc = timegm(&local) / 86400 * 86400;
    return static_cast<int64_t>(midnightUtc / 86400) + 25569;
}

}  // namespace ReportText
