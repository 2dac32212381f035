#pragma once
// A date field with the mask "##/##/####" (month, day, year). It is empty, holds a real
// date, or holds something that is no date; the last is drawn with a tinted background
// so the user sees it before saving, and every reader treats it as "no date". Delete
// clears the whole field; pasting a whole date in any common form fills it.

#include "codec/date_time.h"
#include "widgets/date_text.h"

#include <QLineEdit>

class CMaskedDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CMaskedDateEdit(QWidget* parent = nullptr);

    // Shows the date of a date-time; a null, invalid or zero date-time shows the empty mask.
    void SetDateTime(const CDateTime& value);
    // Midnight of the shown date, or a null date-time for an empty or invalid field.
    CDateTime DateTime() const;
    DateFieldValue Value() const;
    DateFieldState State() const { return Value().state; }
    void SetDate(const CivilDate& date);
    void Clear();
    // Fills the field from a pasted text; false (field unchanged) when it is no date.
    bool PasteDate(const QString& text);

signals:
    // Emitted when the user changes the field (typing, paste, Delete), not when the
    // program sets it.
    void DateEdited();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowState();
};
