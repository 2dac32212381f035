#pragma once
// Numeric text fields with a range. Typing is limited to what can become a number; the
// range is checked when the dialog saves, with the standard messages of the desktop
// framework ("Please enter an integer between 0 and 9999.").

#include <QLineEdit>
#include <QString>

#include <cstdint>
#include <optional>

// The message for a text that is not an integer within [min, max], or nothing (and the
// value) when it is one.
std::optional<QString> CheckIntegerText(const QString& text, int32_t min, int32_t max, int32_t& value);
// The same for a decimal number.
std::optional<QString> CheckNumberText(const QString& text, double min, double max, double& value);

// An integer field, such as a policy code.
class CIntegerEdit : public QLineEdit {
    Q_OBJECT
public:
    CIntegerEdit(int32_t min, int32_t max, QWidget* parent = nullptr);
    void SetValue(int32_t value);
    // The range message, or nothing and the value.
    std::optional<QString> Read(int32_t& value) const;

private:
    int32_t min_;
    int32_t max_;
};

// A decimal field shown with two decimals, such as a premium or a rate.
class CNumberEdit : public QLineEdit {
    Q_OBJECT
public:
    CNumberEdit(double min, double max, QWidget* parent = nullptr);
    void SetValue(double value);
    std::optional<QString> Read(double& value) const;
    // The value when the text is a number in range, else 0 (for live totals).
    double ValueOrZero() const;

private:
    double min_;
    double max_;
};
