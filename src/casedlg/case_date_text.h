#pragma once
// The date and time texts of the case detail dialogs: the short date of their lists
// ("%x": MM/DD/YY) and the texts of the masked date ("MM/DD/YYYY") and time
// ("HH:MM AM") fields, read back into wire date-times.

#include "codec/date_time.h"

#include <optional>
#include <string>

// "MM/DD/YY"; the empty text for a date-time that is not valid.
std::string ShortDateText(const CDateTime& value);
// "MM/DD/YYYY" as the masked date field shows it; empty when not valid.
std::string MaskedDateText(const CDateTime& value);
// "HH:MM AM" (12-hour clock) as the masked time field shows it; empty when not valid.
std::string MaskedTimeText(const CDateTime& value);

// Midnight of a "MM/DD/YYYY" date; nothing for a partial text or no real date.
std::optional<CDateTime> ParseMaskedDate(const std::string& text);
// The fraction of a day of "HH:MM AM" or "HH:MM PM" (hours 1 to 12), or of "HH:MM"
// on the 24-hour clock; nothing otherwise.
std::optional<double> ParseMaskedTime(const std::string& text);
// Date and time together; nothing when either cannot be read.
std::optional<CDateTime> ParseMaskedDateTime(const std::string& date, const std::string& time);

// The present moment as a wire date-time (local time).
CDateTime NowDateTime();
