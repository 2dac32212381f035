#include "query/widgets/case_cell_order.h"

#include "query/case_field_catalogue.h"

#include <QStringList>

#include <cctype>
#include <charconv>

namespace {

// Month/day/year, year-month-day and day.month.year forms, the longer before the
// shorter.
const QStringList& FixedFormats()
{
    static const QStringList formats = {
        QStringLiteral("M/d/yyyy h:mm:ss AP"), QStringLiteral("M/d/yyyy h:mm AP"),
        QStringLiteral("M/d/yyyy H:mm:ss"),    QStringLiteral("M/d/yyyy H:mm"),
        QStringLiteral("M/d/yyyy"),            QStringLiteral("M/d/yy h:mm:ss AP"),
        QStringLiteral("M/d/yy h:mm AP"),      QStringLiteral("M/d/yy"),
        QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-MM-dd HH:mm"),
        QStringLiteral("yyyy-MM-dd"),          QStringLiteral("d.M.yyyy H:mm:ss"),
        QStringLiteral("d.M.yyyy H:mm"),       QStringLiteral("d.M.yyyy"),
    };
    return formats;
}

bool HasTwoDigitYear(const QString& format)
{
    return format.contains(QStringLiteral("yy")) && !format.contains(QStringLiteral("yyyy"));
}

QDateTime CenturyAdjusted(QDateTime value, const QString& format)
{
    if (value.isValid() && HasTwoDigitYear(format) && value.date().year() < 1930)
        value = value.addYears(100);
    return value;
}

std::optional<QDateTime> TryFormat(const QString& text, const QString& format, const QLocale& locale,
                                   bool withTime)
{
    if (format.isEmpty())
        return std::nullopt;
    QDateTime value;
    if (withTime) {
        value = locale.toDateTime(text, format);
    } else {
        const QDate date = locale.toDate(text, format);
        if (date.isValid())
            value = QDateTime(date, QTime(0, 0));
    }
    value = CenturyAdjusted(value, format);
    if (!value.isValid())
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<QDateTime> ParseCaseDateTime(const QString& input, const QLocale& locale)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    for (QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
        if (auto value = TryFormat(text, locale.dateTimeFormat(type), locale, true))
            return value;
        if (auto value = TryFormat(text, locale.dateFormat(type), locale, false))
            return value;
    }
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const QString& format : FixedFormats())
        if (auto value = TryFormat(text, format, english, format.contains(QLatin1Char(':'))))
            return value;
    return std::nullopt;
}

double ParseCaseAmount(const std::string& text)
{
    std::string digits;
    size_t at = 0;
    while (at < text.size() && (std::isspace(static_cast<unsigned char>(text[at])) || text[at] == '$'))
        ++at;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        digits += text[at++];
    while (at < text.size() && text[at] == '$')
        ++at;
    bool point = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (std::isdigit(static_cast<unsigned char>(c)))
            digits += c;
        else if (c == ',' && !point)
            continue;  // thousands separator
        else if (c == '.' && !point)
            point = true, digits += c;
        else
            break;
    }
    if (!digits.empty() && digits.front() == '+')
        digits.erase(0, 1);
    double value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return result.ec == std::errc() ? value : 0;
}

CaseSortKey SortKeyOf(int32_t columnKind, const std::string& cell, const QLocale& locale)
{
    CaseSortKey key;
    switch (columnKind) {
    case fieldText:
    case fieldIntegerCode:
    case fieldYesNo:
        key.kind = CaseSortKey::Kind::text;
        key.text = QString::fromLatin1(cell).toCaseFolded();
        break;
    case fieldDateTime:
        key.kind = CaseSortKey::Kind::date;
        key.date = ParseCaseDateTime(QString::fromLatin1(cell), locale);
        break;
    case fieldAmount:
        key.kind = CaseSortKey::Kind::number;
        key.number = ParseCaseAmount(cell);
        break;
    default:
        break;
    }
    return key;
}

int CompareSortKeys(const CaseSortKey& a, const CaseSortKey& b)
{
    switch (a.kind) {
    case CaseSortKey::Kind::text:
        return QString::compare(a.text, b.text, Qt::CaseSensitive);
    case CaseSortKey::Kind::date:
        if (!a.date || !b.date)
            return (a.date ? 1 : 0) - (b.date ? 1 : 0);
        return *a.date < *b.date ? -1 : (*b.date < *a.date ? 1 : 0);
    case CaseSortKey::Kind::number:
        return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
    case CaseSortKey::Kind::none:
        break;
    }
    return 0;
}
