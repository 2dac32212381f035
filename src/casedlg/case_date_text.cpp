#include "casedlg/case_date_text.h"

#include "query/civil_date.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

constexpr double kMinutesPerDay = 24.0 * 60.0;

bool Digits(const std::string& text, size_t at, size_t count, int& value)
{
    value = 0;
    if (at + count > text.size())
        return false;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

struct Parts {
    CivilDate date;
    int hour = 0;
    int minute = 0;
};

std::optional<Parts> PartsOf(const CDateTime& value)
{
    DayAndTime split;
    if (!SplitDateTime(value, split))
        return std::nullopt;
    Parts parts;
    parts.date = DateOfSerial(split.day);
    const int minutes = static_cast<int>(std::lround(split.time * kMinutesPerDay));
    parts.hour = std::min(minutes / 60, 23);
    parts.minute = minutes % 60;
    return parts;
}

std::string Trimmed(const std::string& text)
{
    const size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

}  // namespace

std::string ShortDateText(const CDateTime& value)
{
    const std::optional<Parts> parts = PartsOf(value);
    if (!parts)
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", parts->date.month, parts->date.day, parts->date.year % 100);
    return text;
}

std::string MaskedDateText(const CDateTime& value)
{
    const std::optional<Parts> parts = PartsOf(value);
    if (!parts)
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", parts->date.month, parts->date.day, parts->date.year);
    return text;
}

std::string MaskedTimeText(const CDateTime& value)
{
    const std::optional<Parts> parts = PartsOf(value);
    if (!parts)
        return {};
    const int hour12 = parts->hour % 12 == 0 ? 12 : parts->hour % 12;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d %s", hour12, parts->minute, parts->hour < 12 ? "AM" : "PM");
    return text;
}

std::optional<CDateTime> ParseMaskedDate(const std::string& text)
{
    const std::string date = Trimmed(text);
    CivilDate civil;
    if (date.size() != 10 || date[2] != '/' || date[5] != '/' || !Digits(date, 0, 2, civil.month) ||
        !Digits(date, 3, 2, civil.day) || !Digits(date, 6, 4, civil.year) || !IsRealDate(civil))
        return std::nullopt;
    return MakeDate(civil);
}

std::optional<double> ParseMaskedTime(const std::string& text)
{
    const std::string time = Trimmed(text);
    int hour = 0;
    int minute = 0;
    if (time.size() < 5 || time[2] != ':' || !Digits(time, 0, 2, hour) || !Digits(time, 3, 2, minute) || minute > 59)
        return std::nullopt;
    const std::string suffix = Trimmed(time.substr(5));
    if (suffix.empty()) {
        if (hour > 23)
            return std::nullopt;
    } else {
        const bool am = suffix == "AM" || suffix == "am";
        const bool pm = suffix == "PM" || suffix == "pm";
        if ((!am && !pm) || hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    return (hour * 60 + minute) / kMinutesPerDay;
}

std::optional<CDateTime> ParseMaskedDateTime(const std::string& date, const std::string& time)
{
    const std::optional<CDateTime> day = ParseMaskedDate(date);
    const std::optional<double> fraction = ParseMaskedTime(time);
    if (!day || !fraction)
        return std::nullopt;
    return MakeDateTime(static_cast<int64_t>(std::llround(day->date)), *fraction);
}

CDateTime NowDateTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const CivilDate date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    const double time = ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) / 86400.0;
    return MakeDateTime(SerialOfDate(date), time);
}
