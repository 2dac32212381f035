#include "widgets/date_text.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace {

// A part of a masked text that must be all digits with the given length.
bool TakeNumber(const QString& part, qsizetype length, int& value)
{
    if (part.size() != length)
        return false;
    for (QChar c : part)
        if (!c.isDigit())
            return false;
    value = part.toInt();
    return true;
}

bool IsBlankPart(const QString& part)
{
    return part.trimmed().remove(QLatin1Char('_')).isEmpty();
}

}  // namespace

DateFieldValue ReadDateText(const QString& text)
{
    DateFieldValue result;
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() != 3) {
        result.state = IsBlankPart(text) ? DateFieldState::empty : DateFieldState::invalid;
        return result;
    }
    if (IsBlankPart(parts[0]) && IsBlankPart(parts[1]) && IsBlankPart(parts[2]))
        return result;
    int month = 0, day = 0, year = 0;
    result.state = DateFieldState::invalid;
    if (!TakeNumber(parts[0], 2, month) || !TakeNumber(parts[1], 2, day) || !TakeNumber(parts[2], 4, year))
        return result;
    const CivilDate date{year, month, day};
    if (year < 1900 || !IsRealDate(date))
        return result;
    result.state = DateFieldState::valid;
    result.date = date;
    return result;
}

QString DateText(const CDateTime& value)
{
    DayAndTime parts;
    if (!SplitDateTime(value, parts) || parts.day <= 0)
        return {};
    const CivilDate date = DateOfSerial(parts.day);
    return QString::asprintf("%02d/%02d/%04d", date.month, date.day, date.year);
}

CDateTime DateFieldDateTime(const DateFieldValue& value)
{
    if (value.state != DateFieldState::valid)
        return CDateTime{CDateTime::null, 0.0};
    return MakeDate(value.date);
}

std::optional<QString> NormalizePastedDate(const QString& pasted)
{
    const QString text = pasted.trimmed();
    static const QRegularExpression usDate(QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{4})$"));
    static const QRegularExpression isoDate(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    static const QRegularExpression digits(QStringLiteral("^(\\d{2})(\\d{2})(\\d{4})$"));
    int month = 0, day = 0, year = 0;
    if (const auto m = usDate.match(text); m.hasMatch()) {
        month = m.captured(1).toInt(); day = m.captured(2).toInt(); year = m.captured(3).toInt();
    } else if (const auto i = isoDate.match(text); i.hasMatch()) {
        year = i.captured(1).toInt(); month = i.captured(2).toInt(); day = i.captured(3).toInt();
    } else if (const auto d = digits.match(text); d.hasMatch()) {
        month = d.captured(1).toInt(); day = d.captured(2).toInt(); year = d.captured(3).toInt();
    } else {
        return std::nullopt;
    }
    if (year < 1900 || !IsRealDate(CivilDate{year, month, day}))
        return std::nullopt;
    return QString::asprintf("%02d/%02d/%04d", month, day, year);
}

TimeFieldValue ReadTimeText(const QString& text)
{
    TimeFieldValue result;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String(":"))
        return result;
    result.state = DateFieldState::invalid;
    static const QRegularExpression form(QStringLiteral("^(\\d{2}):(\\d{2}) ?([AaPp][Mm])$"));
    const auto m = form.match(trimmed);
    if (!m.hasMatch())
        return result;
    const int hour12 = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    if (hour12 < 1 || hour12 > 12 || minute > 59)
        return result;
    const bool pm = m.captured(3).toUpper() == QLatin1String("PM");
    result.state = DateFieldState::valid;
    result.hour = hour12 % 12 + (pm ? 12 : 0);
    result.minute = minute;
    return result;
}

QString TimeText(double dayFraction)
{
    const double fraction = dayFraction - std::floor(dayFraction);
    int minutes = static_cast<int>(std::lround(fraction * 24 * 60)) % (24 * 60);
    const int hour = minutes / 60;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return QString::asprintf("%02d:%02d %s", hour12, minutes % 60, hour < 12 ? "AM" : "PM");
}

double TimeFieldFraction(const TimeFieldValue& value)
{
    return (value.hour * 60 + value.minute) / (24.0 * 60.0);
}
