#include "widgets/number_edits.h"

#include <QRegularExpressionValidator>

#include <cmath>

namespace {

// The framework writes range limits with 15 significant digits.
QString LimitText(double limit)
{
    return QString::asprintf("%.15g", limit);
}

}  // namespace

std::optional<QString> CheckIntegerText(const QString& text, int32_t min, int32_t max, int32_t& value)
{
    bool ok = false;
    const qlonglong parsed = text.trimmed().toLongLong(&ok);
    if (!ok)
        return QStringLiteral("Please enter an integer.");
    if (parsed < min || parsed > max)
        return QStringLiteral("Please enter an integer between %1 and %2.").arg(min).arg(max);
    value = static_cast<int32_t>(parsed);
    return std::nullopt;
}

std::optional<QString> CheckNumberText(const QString& text, double min, double max, double& value)
{
    bool ok = false;
    const double parsed = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(parsed))
        return QStringLiteral("Please enter a number.");
    if (parsed < min || parsed > max)
        return QStringLiteral("Please enter a number between %1 and %2.").arg(LimitText(min), LimitText(max));
    value = parsed;
    return std::nullopt;
}

CIntegerEdit::CIntegerEdit(int32_t min, int32_t max, QWidget* parent)
    : QLineEdit(parent), min_(min), max_(max)
{
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(min < 0 ? QStringLiteral("-?\\d{0,10}") : QStringLiteral("\\d{0,10}")), this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void CIntegerEdit::SetValue(int32_t value)
{
    setText(QString::number(value));
}

std::optional<QString> CIntegerEdit::Read(int32_t& value) const
{
    return CheckIntegerText(text(), min_, max_, value);
}

CNumberEdit::CNumberEdit(double min, double max, QWidget* parent)
    : QLineEdit(parent), min_(min), max_(max)
{
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(min < 0 ? QStringLiteral("-?\\d{0,15}(\\.\\d{0,4})?")
                                   : QStringLiteral("\\d{0,15}(\\.\\d{0,4})?")), this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void CNumberEdit::SetValue(double value)
{
    setText(QString::asprintf("%.2f", value));
}

std::optional<QString> CNumberEdit::Read(double& value) const
{
    return CheckNumberText(text(), min_, max_, value);
}

double CNumberEdit::ValueOrZero() const
{
    double value = 0.0;
    return Read(value) ? 0.0 : value;
}
