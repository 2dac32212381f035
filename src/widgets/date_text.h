#pragma once
// The texts behind the masked date and time edits, as plain functions: what a typed or
// pasted text means, and how a date-time is shown. No widgets, so tests drive them
// directly.

#include "codec/date_time.h"
#include "query/civil_date.h"

#include <QString>

#include <optional>

// What a date field holds: nothing, a real date, or something that is no date
// (incomplete, or a day the calendar does not have, such as 02/30/2025).
enum class DateFieldState { empty, valid, invalid };

struct DateFieldValue {
    DateFieldState state = DateFieldState::empty;
    CivilDate date;  // set when valid
};

// Reads the text of a "##/##/####" field (month, day, year). The mask's literals may be
// all that is left ("//" or "  /  /    "): that is an empty field.
DateFieldValue ReadDateText(const QString& text);

// The "MM/DD/YYYY" text of a date-time, or empty for a null or invalid one and for the
// zero day (30 December 1899) that records hold when no date was ever set.
QString DateText(const CDateTime& value);

// The date-time of a field: midnight of its date, or a null date-time when it holds no
// valid date.
CDateTime DateFieldDateTime(const DateFieldValue& value);

// Makes sense of a pasted date: "3/7/2025", "03/07/2025", "03-07-2025", "2025-03-07",
// "03072025", with surrounding blanks. Returns the masked text "MM/DD/YYYY" of a real
// date, or nothing.
std::optional<QString> NormalizePastedDate(const QString& pasted);

// A time of day in a "##:## UU" field (hours 1 to 12, minutes, AM or PM).
struct TimeFieldValue {
    DateFieldState state = DateFieldState::empty;
    int hour = 0;    // 0 to 23, when valid
    int minute = 0;  // 0 to 59, when valid
};
TimeFieldValue ReadTimeText(const QString& text);
// "hh:mm AM" for a time of day given as the fraction of a day.
QString TimeText(double dayFraction);
// The fraction of a day of a valid time.
double TimeFieldFraction(const TimeFieldValue& value);
