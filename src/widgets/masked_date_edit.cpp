#include "widgets/masked_date_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

CMaskedDateEdit::CMaskedDateEdit(QWidget* parent) : QLineEdit(parent)
{
    setInputMask(QStringLiteral("99/99/9999;_"));
    setMaxLength(10);
    connect(this, &QLineEdit::textChanged, this, [this] { ShowState(); });
    connect(this, &QLineEdit::textEdited, this, [this] { emit DateEdited(); });
    const QFontMetrics metrics(font());
    setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
    ShowState();
}

void CMaskedDateEdit::SetDateTime(const CDateTime& value)
{
    setText(DateText(value));
}

CDateTime CMaskedDateEdit::DateTime() const
{
    return DateFieldDateTime(Value());
}

DateFieldValue CMaskedDateEdit::Value() const
{
    return ReadDateText(text());
}

void CMaskedDateEdit::SetDate(const CivilDate& date)
{
    setText(QString::asprintf("%02d/%02d/%04d", date.month, date.day, date.year));
}

void CMaskedDateEdit::Clear()
{
    setText(QString());
}

bool CMaskedDateEdit::PasteDate(const QString& text)
{
    const std::optional<QString> normal = NormalizePastedDate(text);
    if (!normal)
        return false;
    setText(*normal);
    emit DateEdited();
    return true;
}

void CMaskedDateEdit::keyPressEvent(QKeyEvent* event)
{
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        // A whole date replaces the field; anything else goes through the mask.
        if (const QClipboard* clipboard = QApplication::clipboard();
            clipboard && PasteDate(clipboard->text()))
            return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        if (!text().isEmpty() && ReadDateText(text()).state != DateFieldState::empty) {
            Clear();
            emit DateEdited();
        }
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CMaskedDateEdit::ShowState()
{
    const bool bad = Value().state == DateFieldState::invalid;
    setProperty("invalidDate", bad);
    setStyleSheet(bad ? QStringLiteral("QLineEdit { background: #ffe0e0; }") : QString());
    setToolTip(bad ? tr("Not a valid date (MM/DD/YYYY)") : QString());
}
