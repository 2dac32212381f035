#include "query/widgets/case_cell_order.h"

#include "query/case_field_catalogue.h"


#include <array>
#include <cctype>
#include <charconv>
#include <string_view>

namespace {

constexpr int64_t kMsecsPerDay = 86400000;

// A cursor over a cell's bytes for the fixed forms, which are plain ASCII.
class Scanner {
public:
    explicit Scanner(std::string_view text) : m_text(text) {}
    bool AtEnd() const { return m_at == m_text.size(); }
    bool Take(char c)
    {
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    void SkipBlanks()
    {
        while (m_at < m_text.size() && m_text[m_at] == ' ')
            ++m_at;
    }
    // Between `least` and `most` decimal digits; their count in `digits`.
    bool Number(int least, int most, int& value, int* digits = nullptr)
    {
        int count = 0;
        value = 0;
        while (count < most && m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9') {
            value = value * 10 + (m_text[m_at] - '0');
            ++m_at;
            ++count;
        }
        if (digits)
            *digits = count;
        return count >= least;
    }
    // "AM" or "PM" in either letter case: 0, 12, or -1 when neither.
    int Meridiem()
    {
        if (m_at + 2 > m_text.size())
            return -1;
        const char a = static_cast<char>(std::toupper(static_cast<unsigned char>(m_text[m_at])));
        const char m = static_cast<char>(std::toupper(static_cast<unsigned char>(m_text[m_at + 1])));
        if (m != 'M' || (a != 'A' && a != 'P'))
            return -1;
        m_at += 2;
        return a == 'P' ? 12 : 0;
    }

private:
    std::string_view m_text;
    size_t m_at = 0;
};

int FullYear(int year, int digits)
{
    if (digits != 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<int64_t> KeyOf(int year, int month, int day, int64_t msecsOfDay)
{
    if (!QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day).toJulianDay() * kMsecsPerDay + msecsOfDay;
}

// An optional time after the date: " h:mm[:ss] AM|PM" or " H:mm[:ss]". Fails on
// anything else left in the cell.
bool ReadTime(Scanner& in, int64_t& msecs, bool allowMeridiem)
{
    msecs = 0;
    in.SkipBlanks();
    if (in.AtEnd())
        return true;
    int hour = 0, minute = 0, second = 0;
    if (!in.Number(1, 2, hour) || !in.Take(':') || !in.Number(2, 2, minute))
        return false;
    if (in.Take(':') && !in.Number(2, 2, second))
        return false;
    in.SkipBlanks();
    if (allowMeridiem) {
        const int meridiem = in.Meridiem();
        if (meridiem >= 0) {
            if (hour < 1 || hour > 12)
                return false;
            hour = hour % 12 + meridiem;
        }
        in.SkipBlanks();
    }
    if (!in.AtEnd() || hour > 23 || minute > 59 || second > 59)
        return false;
    msecs = ((hour * 60 + minute) * 60 + second) * int64_t{1000};
    return true;
}

// Month/day/year with a two- or four-digit year.
std::optional<int64_t> MonthFirst(std::string_view text)
{
    Scanner in(text);
    int month = 0, day = 0, year = 0, digits = 0;
    if (!in.Number(1, 2, month) || !in.Take('/') || !in.Number(1, 2, day) || !in.Take('/')
        || !in.Number(2, 4, year, &digits) || digits == 3)
        return std::nullopt;
    int64_t msecs = 0;
    if (!ReadTime(in, msecs, true))
        return std::nullopt;
    return KeyOf(FullYear(year, digits), month, day, msecs);
}

// Year-month-day, four-digit year.
std::optional<int64_t> YearFirst(std::string_view text)
{
    Scanner in(text);
    int month = 0, day = 0, year = 0;
    if (!in.Number(4, 4, year) || !in.Take('-') || !in.Number(2, 2, month) || !in.Take('-')
        || !in.Number(2, 2, day))
        return std::nullopt;
    int64_t msecs = 0;
    if (!ReadTime(in, msecs, false))
        return std::nullopt;
    return KeyOf(year, month, day, msecs);
}

// Day.month.year, four-digit year.
std::optional<int64_t> DayFirstDotted(std::string_view text)
{
    Scanner in(text);
    int month = 0, day = 0, year = 0;
    if (!in.Number(1, 2, day) || !in.Take('.') || !in.Number(1, 2, month) || !in.Take('.')
        || !in.Number(4, 4, year))
        return std::nullopt;
    int64_t msecs = 0;
    if (!ReadTime(in, msecs, false))
        return std::nullopt;
    return KeyOf(year, month, day, msecs);
}

bool HasTwoDigitYear(const QString& format)
{
    return format.contains(QStringLiteral("yy")) && !format.contains(QStringLiteral("yyyy"));
}

std::optional<int64_t> LocaleForm(const QString& text, const QString& format, const QLocale& locale, bool withTime)
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
    if (!value.isValid())
        return std::nullopt;
    if (HasTwoDigitYear(format) && value.date().year() < 1930)
        value = value.addYears(100);
    return value.date().toJulianDay() * kMsecsPerDay + value.time().msecsSinceStartOfDay();
}

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Case folding of each Latin-1 character, where the folded character is Latin-1 too
// (the micro sign folds to a Greek letter and is kept as it is), so that folded texts
// compare as plain bytes in the order of their code points.
const std::array<unsigned char, 256>& FoldTable()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> folded{};
        for (int c = 0; c < 256; ++c) {
            const char16_t f = QChar(static_cast<char16_t>(c)).toCaseFolded().unicode();
            folded[static_cast<size_t>(c)] = static_cast<unsigned char>(f < 256 ? f : c);
        }
        return folded;
    }();
    return table;
}

std::string FoldedText(const std::string& cell)
{
    const std::array<unsigned char, 256>& fold = FoldTable();
    std::string text(cell);
    for (char& c : text)
        c = static_cast<char>(fold[static_cast<unsigned char>(c)]);
    return text;
}

}  // namespace

std::optional<int64_t> ParseCaseDateKey(const std::string& input, const QLocale& locale)
{
    const std::string_view text = Trimmed(input);
    if (text.empty())
        return std::nullopt;
    if (auto key = MonthFirst(text))
        return key;
    if (auto key = YearFirst(text))
        return key;
    if (auto key = DayFirstDotted(text))
        return key;
    const QString cell = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    for (QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
        if (auto key = LocaleForm(cell, locale.dateTimeFormat(type), locale, true))
            return key;
        if (auto key = LocaleForm(cell, locale.dateFormat(type), locale, false))
            return key;
    }
    return std::nullopt;
}

std::optional<QDateTime> ParseCaseDateTime(const QString& input, const QLocale& locale)
{
    const std::optional<int64_t> key = ParseCaseDateKey(input.toLatin1().toStdString(), locale);
    if (!key)
        return std::nullopt;
    const QDate date = QDate::fromJulianDay(*key / kMsecsPerDay);
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(*key % kMsecsPerDay)));
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
        key.text = FoldedText(cell);
        break;
    case fieldDateTime:
        key.kind = CaseSortKey::Kind::date;
        key.date = ParseCaseDateKey(cell, locale);
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
        return a.text.compare(b.text);
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
