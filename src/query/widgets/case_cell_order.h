#pragma once
// How the case list orders two cells of one column, by the column's kind (the case
// field types): text, integer codes and yes/no without regard to letter case; date-times
// by their value, cells that are no date-time first; amounts by their number; any other
// kind leaves rows as they are. Sorting computes one key per cell, once, and compares
// keys: folded text, a date-time as a number of milliseconds, an amount as a double.

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

struct CaseSortKey {
    enum class Kind { text, date, number, none } kind = Kind::none;
    std::string text;               // case-folded, one byte per Latin-1 character
    std::optional<int64_t> date;    // milliseconds from the Julian day origin; nothing when the cell is no date-time
    double number = 0;
};

CaseSortKey SortKeyOf(int32_t columnKind, const std::string& cell, const QLocale& locale);

// Negative when `a` sorts before `b`, 0 when they count as equal. Two cells that are
// both no date-time count as equal, so that the order stays a strict weak order.
int CompareSortKeys(const CaseSortKey& a, const CaseSortKey& b);

// The date-time a cell shows. The server writes month/day/year ("3/14/2024",
// "12/30/2023 4:15 PM"), so that form is read first, whatever the user's locale; then
// year-month-day and day.month.year, each with or without a time; last the locale's own
// short and long date-time and date forms, for cells that are none of those. A
// two-digit year means 1930 to 2029. Impossible dates (02/30/2025) are no date-time.
std::optional<QDateTime> ParseCaseDateTime(const QString& text, const QLocale& locale);

// The same reading as a sort key: milliseconds from the Julian day origin.
std::optional<int64_t> ParseCaseDateKey(const std::string& text, const QLocale& locale);

// The number an amount cell shows: blanks, a currency sign and thousands separators
// are passed over; the leading number counts; a cell without one is 0.
double ParseCaseAmount(const std::string& text);
