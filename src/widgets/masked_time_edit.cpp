#include "widgets/masked_time_edit.h"

#include <QKeyEvent>

CMaskedTimeEdit::CMaskedTimeEdit(QWidget* parent) : QLineEdit(parent)
{
    setInputMask(QStringLiteral("99:99 >AA;_"));
    connect(this, &QLineEdit::textChanged, this, [this] { ShowState(); });
    connect(this, &QLineEdit::textEdited, this, [this] { emit TimeEdited(); });
    const QFontMetrics metrics(font());
    setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("00:00 AMM")) + 12);
    ShowState();
}

void CMaskedTimeEdit::SetTimeOfDay(double dayFraction)
{
    setText(TimeText(dayFraction));
}

TimeFieldValue CMaskedTimeEdit::Value() const
{
    return ReadTimeText(text());
}

void CMaskedTimeEdit::Clear()
{
    setText(QString());
}

void CMaskedTimeEdit::keyPressEvent(QKeyEvent* event)
{
    if (!isReadOnly() && event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        Clear();
        emit TimeEdited();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CMaskedTimeEdit::ShowState()
{
    const bool bad = Value().state == DateFieldState::invalid;
    setStyleSheet(bad ? QStringLiteral("QLineEdit { background: #ffe0e0; }") : QString());
}
